#pragma once
// Controllers on the desk: the MIDI port and the OSC server hand their moves to a queue,
// and this object, on the window thread, runs each through the mappings (or, for an address
// under /vantorel/, by its name) into the desk's own actions. The pressed state of the cue
// and sequence buttons goes back to OSC senders and, for mapped notes, to MIDI controllers.

#include "input/ControlMap.h"
#include "input/InputQueue.h"
#include "input/MidiPort.h"
#include "input/OscInput.h"

#include <QObject>

#include <cstdint>
#include <optional>
#include <vector>

class TDeskActions;

class TControllerDesk : public QObject {
    Q_OBJECT
public:
    explicit TControllerDesk(TDeskActions& desk, QObject* parent = nullptr);

    KyControlMap& map() { return map_; }
    KyInputQueue& queue() { return queue_; }
    KyOscInput& osc() { return osc_; }
    KyMidiPort& midi() { return midi_; }

    // While learning, moves are reported instead of run.
    void setLearning(bool on) { learning_ = on; }
    // Runs what the queue holds.
    void drain();
    void run(const KyControlAction& action, float value);

signals:
    void moved(const KyInputId& input);

private:
    std::optional<KyControlAction> actionFor(const KyInputId& input) const;
    void press(const KyControlAction& action, bool down);
    // Sends the buttons whose lit state changed since the last time.
    void feedback();
    void sendLit(const KyControlAction& action, bool lit);

    TDeskActions& desk_;
    KyControlMap map_;
    KyInputQueue queue_;
    KyOscInput osc_;
    KyMidiPort midi_;
    std::vector<bool> lit_; // cue buttons page by page, then sequence buttons zone by zone
    bool learning_ = false;
};

