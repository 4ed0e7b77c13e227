#pragma once
// The module search's questions at start-up, as the start-up lets them through: with the OLA
// output on, finding no module is not worth a question (the universe goes out anyway), and
// once a signal has ended the program nothing more is asked.

#include "dmx/Usb.h"

class KyStartupQuestions : public KyModuleChooser {
public:
    // `ended` is read at each question; `asker` puts the questions to the operator.
    KyStartupQuestions(KyModuleChooser& asker, bool otherOutput, const bool& ended)
        : asker_(asker), otherOutput_(otherOutput), ended_(ended)
    {
    }

    void noModule() override
    {
        if (!otherOutput_ && !ended_)
            asker_.noModule();
    }
    void noAccess(const std::string& portPath) override
    {
        if (!ended_)
            asker_.noAccess(portPath);
    }
    int choose(const std::vector<std::string>& names) override { return ended_ ? -1 : asker_.choose(names); }

private:
    KyModuleChooser& asker_;
    bool otherOutput_;
    const bool& ended_;
};
