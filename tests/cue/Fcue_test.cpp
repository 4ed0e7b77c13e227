// The cue editor over a store, a universe and a direct-access window of its own, wired to
// each other as the main window wires them, and the main window's Cue action.

#include "app/Fmain.h"
#include "common/PText.h"
#include "common/PTrackBar.h"
#include "cue/CueFile.h"
#include "cue/CueFormSupport.h"
#include "cue/Dmx_space.h"
#include "cue/Fcue.h"
#include "cue/Seque.h"
#include "panel/Fdirectaccess.h"
#include "panel/PPanelButton.h"
#include "sequence/CueGlobals.h"
#include "sequence/SequenceFile.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QDir>
#include <QTemporaryDir>
#include <QToolButton>
#include <QUndoStack>

#include <memory>

namespace {

// A sequence of two scenes on channel 0; "B" fades.
KySequence sequenceNamed(const std::string& name)
{
    KySequence seq;
    seq.name = name;
    seq.fade = name == "B";
    for (std::uint8_t value : {10, 20}) {
        KyScene scene;
        scene.setStatus(0, KyChStatus{value, 0, 0, 0, 0});
        seq.appendScene(scene);
    }
    return seq;
}

struct Rig {
    QTemporaryDir dir;
    KySeque store;
    KyDmxSpace dmx;
    KyPanel panel{store, dmx};
    TDirectAccessForm::ZoneNames zoneNames{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
    std::mutex lock;
    TDirectAccessForm direct{panel, store, dmx, zoneNames, lock};
    std::string cuesPath = dir.filePath("cues.vt2").toStdString();
    // As the show writes it; the main window's own is tested with the show.
    TCueForm form{TCueFormModel{dmx, store, lock, [this] {
                                    std::string reason;
                                    return saveCues(store, cuesPath, &reason) ? std::string() : "failed: " + reason;
                                }}};

    Rig()
    {
        for (const char* name : {"A", "B", "C"})
            store.addSequence(sequenceNamed(name));
        QObject::connect(&form, &TCueForm::liveCueReplaced, &direct, &TDirectAccessForm::fullRefresh);
        QObject::connect(&direct, &TDirectAccessForm::liveZonesChanged, &form, &TCueForm::rereadZones);
    }

    KyCue& live() { return dmx.liveCue(); }
    // A stored cue whose zone 1 plays the sequence of that row at `speed`.
    std::int32_t storeCue(const std::string& name, std::size_t sequenceRow = 0, std::int32_t speed = 0)
    {
        KyCue cue;
        cue.name = name;
        cue.zoneEngine(0) = KySeqEngine(store.sharedSequenceAt(sequenceRow));
        cue.zoneEngine(0).speed = speed;
        store.addCue(cue);
        return cue.id;
    }
    // The cues as written to cues.vt2, by name.
    std::vector<std::string> savedCueNames()
    {
        KySeque saved;
        saved.replaceSequences(store.sequences());
        loadCues(saved, cuesPath);
        std::vector<std::string> names;
        for (const KyCue& cue : saved.cues())
            names.push_back(cue.name);
        return names;
    }
};

} // namespace

class CueFormTest : public QObject {
    Q_OBJECT
    std::unique_ptr<Rig> rig;
    ModalAnswerer* answerer = nullptr;

    Rig& freshRig()
    {
        rig.reset();
        rig = std::make_unique<Rig>();
        return *rig;
    }

private slots:
    void init()
    {
        cueGlobals() = KyCueGlobals{};
        rig = std::make_unique<Rig>();
        answerer = new ModalAnswerer(this);
    }
    void cleanup()
    {
        delete answerer;
        rig.reset();
        QVERIFY(!cueGlobals().speedListener);
    }

    void theWindowCarriesItsTexts()
    {
        TCueForm& f = rig->form;
        QCOMPARE(f.windowTitle(), QStringLiteral("Cue"));
        const QList<std::tuple<QAbstractButton*, QString, QString>> buttons = {
            {f.saveButton(), "Zapisz", "Zapisz Cue"},
            {f.saveAsButton(), "Zapisz jako", "Zapisz Cue jako..."},
            {f.newButton(), "Nowe", "Nowe Cue"},
            {f.renameButton(), "Zmień nazwę", ""},
            {f.eraseButton(), "Usuń", ""},
        };
        for (const auto& [button, text, hint] : buttons) {
            QCOMPARE(button->text(), text);
            QCOMPARE(button->toolTip(), hint);
        }
        QCOMPARE(f.zoneEraseButton(0)->toolTip(), QStringLiteral("Usuń"));
        QStringList headers;
        for (QLabel* label : f.findChildren<QLabel*>())
            if (label->font().bold())
                headers << label->text();
        QCOMPARE(headers, QStringList({"Lp.", "Aktyw.", "Sekwencja", "Fade", "Prędkość", "Muz.", "Bity"}));
        for (int zone = 0; zone < KyCue::kZones; ++zone)
            QCOMPARE(f.rowNumber(zone)->text(), QString::number(zone + 1));
        QStringList pulses;
        for (int i = 0; i < f.pulsesList(0)->count(); ++i)
            pulses << f.pulsesList(0)->itemText(i);
        QCOMPARE(pulses, QStringList({"1", "2", "4", "8", "16"}));
        QCOMPARE(f.cueList()->horizontalHeaderItem(1)->text(), QStringLiteral("CUE"));
        QCOMPARE(f.cueSpeedBar()->caption(), QStringLiteral("PRĘDKOŚĆ CUE"));
        QCOMPARE(f.generatorSpeedBar()->caption(), QStringLiteral("PRĘDKOŚĆ GENERATORÓW"));
        QCOMPARE(f.amplitudeBar()->caption(), QStringLiteral("AMPLITUDA GENERATORÓW"));
        QCOMPARE(f.amplitudeBar()->position(), 100);
        QCOMPARE(f.amplitudeValue()->text(), QStringLiteral("100"));
        QCOMPARE(f.cueSpeedBar()->min(), -100);
        QCOMPARE(f.generatorSpeedBar()->max(), 100);
    }

    // A chosen sequence and one drag of a zone's speed are two steps; the buttons take them
    // back and make them again. Another live cue forgets them.
    void zoneEditsAreStepsOfTheUndoButtons()
    {
        Rig& r = *rig;
        r.form.show();
        choose(r.form.sequenceList(0), 1);
        TPTrackBar* speed = r.form.speedBar(0);
        QTest::mousePress(speed, Qt::LeftButton);
        for (int position : {10, 20, 35})
            speed->setPosition(position);
        QTest::mouseRelease(speed, Qt::LeftButton);
        QUndoStack* stack = r.form.undoStack();
        QTRY_COMPARE(stack->count(), 2);
        QCOMPARE(stack->text(0), QStringLiteral("wybór sekwencji"));
        QCOMPARE(stack->text(1), QStringLiteral("prędkość strefy"));

        stack->undo();
        QCOMPARE(speed->position(), 0);
        stack->undo();
        QVERIFY(!r.form.speedBar(0)->isVisible());
        {
            std::lock_guard lock(r.lock);
            QCOMPARE(r.live().zoneEngine(0).sequence->id, 0);
        }
        stack->redo();
        QCOMPARE(r.form.sequenceList(0)->currentText(), QStringLiteral("B"));

        QTest::mouseClick(r.form.newButton(), Qt::LeftButton);
        QCOMPARE(stack->count(), 0);
    }

    void zoneSpeedsKeepTheirOffsetsFromTheCueSpeed()
    {
        Rig& r = *rig;
        r.form.show();
        choose(r.form.sequenceList(0), 0);
        choose(r.form.sequenceList(1), 1);
        r.form.speedBar(0)->setPosition(30);
        r.form.speedBar(1)->setPosition(-20);
        r.form.cueSpeedBar()->setPosition(50);
        QCOMPARE(r.live().speed, 50);
        QCOMPARE(r.live().zoneEngine(0).speed, 80);
        QCOMPARE(r.live().zoneEngine(1).speed, 30);
        QCOMPARE(r.form.speedBar(0)->position(), 80);
        QCOMPARE(r.form.speedBar(1)->caption(), QStringLiteral("30"));
        QCOMPARE(r.form.cueSpeedValue()->text(), QStringLiteral("50"));
        r.form.cueSpeedBar()->setPosition(0);
        QCOMPARE(r.live().zoneEngine(0).speed, 30);
        QCOMPARE(r.live().zoneEngine(1).speed, -20);

        // 80 + 40 runs at 100, but the next change counts from the offset again.
        r.form.speedBar(0)->setPosition(40);
        r.form.cueSpeedBar()->setPosition(80);
        QCOMPARE(r.live().zoneEngine(0).speed, 120);
        QCOMPARE(r.form.speedBar(0)->position(), 100);
        QCOMPARE(r.live().zoneEngine(0).speed, 120); // showing the row changed nothing
        cueTick(r.live(), r.dmx, false, false);
        QCOMPARE(r.live().zoneEngine(0).speed, 100);
        r.form.cueSpeedBar()->setPosition(70);
        QCOMPARE(r.live().zoneEngine(0).speed, 110);

        // A new sequence starts at speed 0 with the offset kept.
        choose(r.form.sequenceList(0), 2);
        QCOMPARE(r.live().zoneEngine(0).sequence, r.store.sharedSequenceAt(2));
        QCOMPARE(r.live().zoneEngine(0).speed, 0);
        QCOMPARE(r.form.speedBar(0)->position(), 0);
        r.form.cueSpeedBar()->setPosition(10);
        QCOMPARE(r.live().zoneEngine(0).speed, 50);
    }

    void rowsShowTheirZonesAndTheirControlsActOnThem()
    {
        Rig& r = *rig;
        r.form.show();
        QVERIFY(!r.form.rowNumber(0)->isEnabled());
        QVERIFY(r.form.sequenceList(0)->isVisible());
        QVERIFY(!r.form.activeCheck(0)->isVisible());
        QCOMPARE(r.form.sequenceList(0)->count(), 3);

        r.live().play();
        r.live().stopGenerators();
        choose(r.form.sequenceList(0), 1);
        const KySeqEngine& zone = r.live().zoneEngine(0);
        QVERIFY(zone.playing);
        QVERIFY(!zone.generatorsPlaying);
        QVERIFY(r.form.rowNumber(0)->isEnabled());
        QVERIFY(r.form.activeCheck(0)->isChecked());
        QVERIFY(r.form.fadeCheck(0)->isChecked());
        QVERIFY(r.form.speedBar(0)->isVisible());
        QVERIFY(!r.form.pulsesList(0)->isVisible());

        click(r.form.activeCheck(0));
        QVERIFY(!zone.active);
        click(r.form.musicCheck(0));
        QVERIFY(zone.music);
        QVERIFY(r.form.pulsesList(0)->isVisible());
        QCOMPARE(r.form.pulsesList(0)->currentText(), QStringLiteral("1"));
        choose(r.form.pulsesList(0), 3);
        QCOMPARE(zone.beatsPerStep, 8u);
        click(r.form.musicCheck(0));
        QVERIFY(!zone.music);
        QVERIFY(!r.form.pulsesList(0)->isVisible());

        // With the live cue stopped, a chosen sequence stays still; generators that play
        // start with it.
        r.live().stop();
        r.live().playGenerators();
        choose(r.form.sequenceList(1), 0);
        QVERIFY(!r.live().zoneEngine(1).playing);
        QVERIFY(r.live().zoneEngine(1).generatorsPlaying);

        click(r.form.zoneEraseButton(0));
        QCOMPARE(r.live().zoneEngine(0).sequenceId, 0);
        QVERIFY(!r.form.rowNumber(0)->isEnabled());
        QCOMPARE(r.form.sequenceList(0)->currentIndex(), -1);
        QVERIFY(!r.form.speedBar(0)->isVisible());
    }

    void aZoneWhoseSequenceWasErasedEmptiesWhenTheWindowOpensAgain()
    {
        Rig& r = *rig;
        r.form.show();
        choose(r.form.sequenceList(0), 1);
        {
            std::lock_guard lock(r.lock);
            r.store.eraseSequence(1);
        }
        r.form.rereadZones();
        QCOMPARE(r.form.sequenceList(0)->currentIndex(), -1);
        QVERIFY(r.form.speedBar(0)->isVisible());
        QCOMPARE(r.live().zoneEngine(0).sequence->name, "B");

        r.form.close();
        r.form.show();
        QCOMPARE(r.live().zoneEngine(0).sequenceId, 0);
        QVERIFY(!r.form.speedBar(0)->isVisible());
        QCOMPARE(r.form.sequenceList(0)->count(), 2);
    }

    void loadingAStoredCueKeepsTheLiveCuesPlayState()
    {
        struct Case {
            void (KyCue::*state)();
            bool playing, paused;
        };
        for (const Case& c : {Case{&KyCue::play, true, false}, Case{&KyCue::pause, true, true},
                              Case{&KyCue::stop, false, false}}) {
            Rig& r = freshRig();
            r.storeCue("first");
            const std::int32_t second = r.storeCue("second", 1, 25);
            (r.live().*c.state)();
            r.form.show();
            clickCell(r.form.cueList(), 1, 1);
            QCOMPARE(r.live().id, second);
            QCOMPARE(r.live().zoneEngine(0).playing, c.playing);
            QCOMPARE(r.live().zoneEngine(0).paused, c.paused);
            QVERIFY(r.live().zoneEngine(0).generatorsPlaying);
            QCOMPARE(r.form.speedBar(0)->position(), 25);
            QCOMPARE(r.form.sequenceList(0)->currentIndex(), 1);
            QTRY_COMPARE(r.form.nameDisplay()->text(), QStringLiteral("second"));
            QCOMPARE(r.direct.cueNameLabel()->text(), QStringLiteral("second"));
        }
    }

    void erasingLoadsTheCueThatTakesTheErasedPlace()
    {
        struct Case {
            int erased;
            const char* loaded;
        };
        for (const Case& c : {Case{2, "second"}, Case{0, "second"}}) {
            Rig& r = freshRig();
            answerer->expectMessage("OK");
            for (const char* name : {"first", "second", "third"})
                r.storeCue(name);
            r.form.show();
            clickCell(r.form.cueList(), c.erased, 1);
            click(r.form.eraseButton());
            QCOMPARE(answerer->seen.last(), QStringLiteral("Na pewno chcesz wykasowac CUE"));
            QCOMPARE(r.live().name, c.loaded);
            QCOMPARE(r.form.cueList()->rowCount(), 2);
            QTRY_COMPARE(r.form.nameDisplay()->text(), QString::fromLatin1(c.loaded));
            QCOMPARE(r.direct.cueNameLabel()->text(), QString::fromLatin1(c.loaded));
            QCOMPARE(r.savedCueNames().size(), 2u);
        }

        // Cancel keeps everything.
        answerer->expectMessage("Cancel");
        click(rig->form.eraseButton());
        QCOMPARE(rig->store.cueCount(), 2u);
    }

    void savingWritesTheCueFile()
    {
        Rig& r = *rig;
        r.storeCue("first");
        r.form.show();
        choose(r.form.sequenceList(0), 2);
        QString proposed;
        answerNameDialog(*answerer, QStringLiteral("Wieczór"), &proposed);
        click(r.form.saveButton()); // a new cue is saved as one
        QCOMPARE(proposed, QString());
        QCOMPARE(r.store.cueCount(), 2u);
        QCOMPARE(r.live().id, r.store.cueAt(1).id);
        QCOMPARE(r.savedCueNames(), std::vector<std::string>({"first", vt::toCp1250(QStringLiteral("Wieczór"))}));
        QCOMPARE(r.form.cueList()->currentRow(), 1);
        QCOMPARE(r.form.cueList()->text(1, 1), QStringLiteral("Wieczór"));
        QCOMPARE(r.form.nameDisplay()->text(), QStringLiteral("Wieczór"));

        // Saving again overwrites the stored copy, without a question.
        r.form.speedBar(0)->setPosition(-60);
        answerer->onDialog([](QDialog* dialog) {
            dialog->reject();
            QFAIL("no dialog expected");
        });
        click(r.form.saveButton());
        {
            KySeque saved;
            saved.replaceSequences(r.store.sequences());
            loadCues(saved, r.cuesPath);
            QCOMPARE(saved.cueAt(1).zoneEngine(0).speed, -60);
        }

        // Save as under another name stores a second copy and loads it.
        answerNameDialog(*answerer, QStringLiteral("Kopia"), &proposed);
        click(r.form.saveAsButton());
        QCOMPARE(proposed, QStringLiteral("Wieczór"));
        QCOMPARE(r.savedCueNames().size(), 3u);
        QCOMPARE(r.live().name, "Kopia");
        QCOMPARE(r.form.cueList()->currentRow(), 2);
    }

    void aFailedWriteIsReportedAsTheExitSaveReportsIt()
    {
        rig.reset();
        QTemporaryDir dir;
        StartOptions options;
        options.dataDirectory = dir.filePath("show").toStdString();
        QVERIFY(QDir().mkpath(dir.filePath("show")));
        auto main = std::make_unique<TMainForm>(options);
        main->QWidget::show(); // its tool windows are docked in it
        QVERIFY(QDir(dir.filePath("show")).removeRecursively());
        TCueForm* editor = main->cueForm();
        editor->show();
        answerNameDialog(*answerer, QStringLiteral("Nowe"));
        const qsizetype shown = answerer->seen.size(); // the missing module was reported
        click(editor->saveAsButton());
        QCOMPARE(answerer->seen.size(), shown + 1);
        const QString message = answerer->seen.last();
        QVERIFY2(message.startsWith(QStringLiteral("Nie można zapisać pliku cues.vt2: ")), qPrintable(message));
        {
            std::lock_guard lock(main->show().showLock());
            QCOMPARE(main->show().seque.cueCount(), 1u);
        }
        main.reset();
        QCOMPARE(answerer->seen.count(message), 2); // the exit save tells the same
    }

    void renameRenamesTheStoredCueAndTheLiveOne()
    {
        Rig& r = *rig;
        r.storeCue("first");
        const std::int32_t second = r.storeCue("second", 2, 15);
        r.form.show();
        clickCell(r.form.cueList(), 1, 1);
        QString proposed;
        answerNameDialog(*answerer, QStringLiteral("Środa"), &proposed);
        click(r.form.renameButton());
        QCOMPARE(proposed, QStringLiteral("second"));
        QCOMPARE(r.store.findCue(second)->name, vt::toCp1250(QStringLiteral("Środa")));
        QCOMPARE(r.live().name, r.store.findCue(second)->name);
        QCOMPARE(r.form.cueList()->text(1, 1), QStringLiteral("Środa"));
        QCOMPARE(r.direct.cueNameLabel()->text(), QStringLiteral("Środa"));
        QVERIFY(!QFile::exists(QString::fromStdString(r.cuesPath))); // written at the next save
    }

    void newEmptiesTheLiveCue()
    {
        Rig& r = *rig;
        const std::int32_t id = r.storeCue("first", 0, 30);
        r.form.show();
        clickCell(r.form.cueList(), 0, 1);
        QCOMPARE(r.live().id, id);
        click(r.form.newButton());
        QCOMPARE(r.live().id, 0);
        QVERIFY(!r.form.rowNumber(0)->isEnabled());
        QTRY_COMPARE(r.form.nameDisplay()->text(), QString());
        QCOMPARE(r.direct.cueNameLabel()->text(), QString());
        answerNameDialog(*answerer, QString());
        click(r.form.saveButton()); // asks for a name, and Anuluj stores nothing
        QCOMPARE(r.store.cueCount(), 1u);
    }

    void aPanelCuePressShowsItsZonesInTheEditor()
    {
        Rig& r = *rig;
        const std::int32_t id = r.storeCue("Panel", 1, -35);
        r.store.findCue(id)->speed = -10;
        r.panel.cueButtons.pages[0][0].id = id;
        r.direct.show();
        r.form.show();
        QTest::mousePress(r.direct.cueButton(0), Qt::LeftButton, {}, r.direct.cueButton(0)->rect().center());
        QCOMPARE(r.live().id, id);
        QCOMPARE(r.form.sequenceList(0)->currentIndex(), 1);
        QCOMPARE(r.form.speedBar(0)->position(), -35);
        QTRY_COMPARE(r.form.nameDisplay()->text(), QStringLiteral("Panel"));
        QCOMPARE(r.form.cueList()->currentRow(), 0);

        // Its zone keeps its offset from the cue speed, and the editor saves over it.
        r.form.cueSpeedBar()->setPosition(0);
        QCOMPARE(r.live().zoneEngine(0).speed, -25);
        click(r.form.saveButton());
        QCOMPARE(r.store.findCue(id)->zoneEngine(0).speed, -25);

        // A zone button of the panel shows in its row too.
        r.panel.seqButtons[3].pages[0][0].id = r.store.sequenceAt(2).id;
        QTest::mousePress(r.direct.seqButton(3, 0), Qt::LeftButton, {}, r.direct.seqButton(3, 0)->rect().center());
        QCOMPARE(r.form.sequenceList(3)->currentIndex(), 2);
        QVERIFY(r.form.rowNumber(3)->isEnabled());
    }

    void theRefreshFollowsTheLiveCueExceptWhileAListIsOpen()
    {
        Rig& r = *rig;
        r.form.show();
        {
            std::lock_guard lock(r.lock);
            r.live().speed = 45;
            r.live().generatorSpeed = 2.0;
            r.live().generatorAmplitude = 0.4;
        }
        QTRY_COMPARE(r.form.cueSpeedBar()->position(), 45);
        QCOMPARE(r.form.generatorSpeedBar()->position(), 34);
        QCOMPARE(r.form.amplitudeBar()->position(), 40);
        QCOMPARE(r.form.generatorSpeedValue()->text(), QStringLiteral("34"));
        QCOMPARE(cueGlobals().generatorAmplitude, 0.4);

        r.form.pulsesList(0)->showPopup();
        {
            std::lock_guard lock(r.lock);
            r.live().speed = -5;
        }
        QTest::qWait(120);
        QCOMPARE(r.form.cueSpeedBar()->position(), 45);
        r.form.pulsesList(0)->hidePopup();
        QTRY_COMPARE(r.form.cueSpeedBar()->position(), -5);

        // The generator bars act on the live cue.
        r.form.generatorSpeedBar()->setPosition(-100);
        r.form.amplitudeBar()->setPosition(70);
        QVERIFY(std::abs(r.live().generatorSpeed - 0.125) < 1e-12);
        QVERIFY(std::abs(r.live().generatorAmplitude - 0.7) < 1e-12);
        QCOMPARE(r.form.amplitudeValue()->text(), QStringLiteral("70"));
    }

    // The editor goes with a drop-down's list open, whether hidden or destroyed: nothing it
    // leaves behind points into it, and a list that closed with the window no longer holds
    // the refresh back.
    void aListOpenWhenTheEditorGoes()
    {
        Rig& r = *rig;
        r.form.show();
        r.form.sequenceList(2)->showPopup();
        QTRY_VERIFY(r.form.sequenceList(2)->view()->isVisible());
        r.form.hide();
        r.form.show();
        {
            std::lock_guard lock(r.lock);
            r.live().speed = 30;
        }
        QTRY_COMPARE(r.form.cueSpeedBar()->position(), 30);

        r.form.pulsesList(4)->showPopup();
        QTRY_VERIFY(QApplication::activePopupWidget());
        rig.reset();
        QVERIFY(!QApplication::activePopupWidget());
    }

    void theMainWindowsCueActionShowsTheEditor()
    {
        rig.reset();
        QTemporaryDir dir;
        {
            KySeque store;
            store.addSequence(sequenceNamed("A"));
            KyCue cue;
            cue.name = "b";
            store.addCue(cue);
            cue.name = "a";
            store.addCue(cue);
            QVERIFY(saveSequences(store, dir.filePath("sequences.vt2").toStdString()));
            QVERIFY(saveCues(store, dir.filePath("cues.vt2").toStdString()));
        }
        StartOptions options;
        options.dataDirectory = dir.path().toStdString();
        auto main = std::make_unique<TMainForm>(options);
        main->QWidget::show(); // its tool windows are docked in it
        auto* action = main->findChild<QAction*>("CueAction");
        QTRY_VERIFY(action->isEnabled());
        action->trigger();
        QVERIFY(main->cueForm()->isVisible());
        QCOMPARE(main->cueForm()->cueList()->rowCount(), 2);

        // The main window's cue speed reaches the zones through the editor.
        choose(main->cueForm()->sequenceList(0), 0);
        main->cueForm()->speedBar(0)->setPosition(20);
        main->findChild<TPTrackBar*>("CueSpeedTBar")->setPosition(30);
        {
            std::lock_guard lock(main->show().showLock());
            QCOMPARE(main->show().dmx.liveCue().zoneEngine(0).speed, 50);
        }

        // The stored cues are sorted at exit, before they are written.
        main.reset();
        KySeque saved;
        loadCues(saved, dir.filePath("cues.vt2").toStdString());
        QCOMPARE(saved.cueAt(0).name, "a");
    }
};

QTEST_MAIN(CueFormTest)
#include "Fcue_test.moc"
