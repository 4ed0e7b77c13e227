#pragma once
// What the end-to-end tests press and read: a show with one cue on the first cue button of
// page A (one scene on channels 1 and 5), and the last frame the virtual module received.
#include "app/Show.h"
#include "common/PText.h"
#include "support/ModuleSimProcess.h"

#include <QString>
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
