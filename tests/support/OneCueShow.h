#pragma once
// What the end-to-end tests press and read: a show with one cue on the first cue button of
// page A (one scene on channels 1 and 5), the frame the desk's own press gives, and the
// program started over that show with the virtual module.
#include "app/Fmain.h"
#include "app/Show.h"
#include "common/PText.h"
#include "panel/Fdirectaccess.h"
#include "panel/PPanelButton.h"
#include "support/ModalAnswerer.h"
#include "support/ModuleSimProcess.h"

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTest>

inline std::string settledFrame(const std::filesystem::path& frames)
{
    QTest::qWait(600);
    const auto sent = framesIn(frames);
    return sent.empty() ? std::string() : sent.back();
}

inline void buildOneCueShow(KyShow& show)
{
    KySequence sequence;
    sequence.name = vt::toCp1250(QStringLiteral("Stała"));
    KyScene scene;
    scene.setStatus(0, KyChStatus{200, 0, 0, 0, 0});
    scene.setStatus(4, KyChStatus{77, 0, 0, 0, 0});
    sequence.appendScene(scene);
    show.seque.addSequence(sequence);
    KyCue cue;
    cue.name = vt::toCp1250(QStringLiteral("Wejście"));
    cue.zoneEngine(2) = KySeqEngine(show.seque.findSharedSequence(show.seque.sequenceAt(0).id));
    show.seque.addCue(cue);
    show.panel.cueButtons.assign(0, &show.seque.cueAt(0));
}

struct DeskPress {
    std::string before, pressed; // the last frames before and after the press
};

// Builds the show in `showFolder` in a main window of this process, over a virtual module of
// its own in `folder`, and presses the first cue button on its panel; the show is saved when
// that window closes.
inline DeskPress pressOnTheDesk(const std::filesystem::path& folder, const std::filesystem::path& showFolder)
{
    ModuleSimProcess sim(folder / "dmx-desk", {"--frames", (folder / "desk-frames").string()});
    StartOptions options;
    options.dataDirectory = showFolder.string();
    options.ports = {sim.link().string()};
    ModalAnswerer answerer;
    TMainForm form(options);
    buildOneCueShow(form.show());
    form.directAccessForm()->show();
    DeskPress press;
    press.before = settledFrame(folder / "desk-frames");
    QTest::mousePress(form.directAccessForm()->cueButton(0), Qt::LeftButton);
    press.pressed = settledFrame(folder / "desk-frames");
    return press;
}

// Starts the program over the show in `showFolder`, offscreen, with settings of its own in
// `folder` and the virtual module at `link`; `more` are further options for this run.
inline void startProgram(QProcess& program, const std::filesystem::path& folder, const std::filesystem::path& showFolder,
                         const std::filesystem::path& link, const QStringList& more)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), QString::fromStdString((folder / "config").string()));
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    program.start(QStringLiteral(VANTOREL_PROGRAM), QStringList{QStringLiteral("--data-dir"),
                                                                QString::fromStdString(showFolder.string()),
                                                                QStringLiteral("--port"),
                                                                QString::fromStdString(link.string())} +
                                                        more);
}
