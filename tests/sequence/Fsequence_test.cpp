// The sequence editor driven through its widgets, recording through a real Light window,
// with a stand-in for the main window around it.

#include "common/Fname.h"
#include "common/PStringGrid.h"
#include "common/PTrackBar.h"
#include "cue/Seque.h"
#include "dmx/Usb.h"
#include "functions/Flight.h"
#include "functions/FormSupport.h"
#include "functions/PDimmerControl.h"
#include "functions/ReadBack.h"
#include "sequence/Fsceneprop.h"
#include "sequence/Fsequence.h"
#include "sequence/SequenceFile.h"
#include "support/ModalAnswerer.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QToolButton>
#include <QUndoStack>

#include <atomic>
#include <filesystem>

namespace {

// One spot with its intensity on channel 1, installed at address 1.
struct EditorRig : FunctionRig {
    KySeque store;
    KyUsb usb; // never connected: frames fail quietly
    bool inputChanged = false;
    TMMTimer timer;
    QTemporaryDir dir;
    std::atomic<int> mainTicks{0};
    int stops = 0, starts = 0;
    std::vector<bool> generatorControls;
    std::unique_ptr<TSequenceForm> form;

    explicit EditorRig(const std::string& path = {})
    {
        KyDevice spot;
        spot.intensity = dimmerOn(1);
        install(addType(spot, "Spot"), 1, "Front");
        select({0});
        TSequenceFormModel model{dmx, store, usb, inputChanged, lock,
                                 [this, path] { return saveSequences(path.empty() ? file() : path); }};
        TSequenceFormHost host{timer, [this](TMMTimer&) { mainTick(); }, [this] { ++stops; }, [this] { ++starts; },
                               [this](bool enabled) { generatorControls.push_back(enabled); }};
        form = std::make_unique<TSequenceForm>(model, std::move(host));
    }

    std::string file() const { return dir.filePath("sequences.vt2").toStdString(); }

    // As the show saves it while the tick runs.
    std::string saveSequences(const std::string& path)
    {
        vt::Bytes bytes;
        {
            std::lock_guard guard(lock);
            bytes = sequencesToBytes(store);
        }
        std::string reason;
        return vt::writeFileAtomically(path, bytes, &reason) ? std::string() : vt::saveFailureMessage(path, reason);
    }

    void mainTick()
    {
        ++mainTicks;
        std::lock_guard guard(lock);
        dmx.keepHeldOnly();
    }

    // What the working copy holds, read under the lock.
    template <class Read> auto working(Read read)
    {
        std::lock_guard guard(lock);
        return read(*dmx.editedSequence());
    }
    int currentScene()
    {
        std::lock_guard guard(lock);
        return dmx.currentScene;
    }
    std::vector<std::string> storedNames()
    {
        std::lock_guard guard(lock);
        std::vector<std::string> names;
        for (const auto& sequence : store.sequences())
            names.push_back(sequence->name);
        return names;
    }
    // The file as the program would read it at its next start.
    KySeque stored() const
    {
        KySeque read;
        loadSequences(read, file());
        return read;
    }

    std::uint8_t value(int index)
    {
        std::lock_guard guard(lock);
        return dmx.data()[std::size_t(index)];
    }

    QStringList times() const
    {
        return {form->timeDisplay(0)->text(), form->timeDisplay(1)->text(), form->timeDisplay(2)->text()};
    }
    QString sceneShown() const { return form->sceneNumberDisplay()->text() + ":" + form->sceneCountDisplay()->text(); }
};

void clickRow(TPStringGrid* grid, int row)
{
    QRect cell = grid->visualRect(grid->model()->index(row, 1));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
}

// Answers the name dialog with `name` and "OK".
void nameWith(ModalAnswerer& answerer, const QString& name)
{
    answerer.onDialog([name](QDialog* dialog) {
        auto* form = qobject_cast<TNameForm*>(dialog);
        QVERIFY(form);
        form->nameEdit()->setText(name);
        form->okButton()->click();
    });
}

} // namespace

class SequenceFormTest : public QObject {
    Q_OBJECT

private slots:
    void controlsCarryTheirCaptionsAndHints()
    {
        EditorRig rig;
        TSequenceForm& form = *rig.form;
        QCOMPARE(form.windowTitle(), QStringLiteral("Sekwencja"));
        QVERIFY(form.windowFlags() & Qt::Tool);
        QCOMPARE(form.newButton()->toolTip(), QStringLiteral("Nowa sekwencja"));
        QCOMPARE(form.saveButton()->toolTip(), QStringLiteral("Zapisz sekwencję"));
        QCOMPARE(form.saveAsButton()->toolTip(), QStringLiteral("Zapisz sekwencję jako..."));
        QCOMPARE(form.fadeCheck()->text(), QStringLiteral("Płynna zmiana"));
        QCOMPARE(form.addSceneButton()->text(), QStringLiteral("Dodaj"));
        QCOMPARE(form.eraseSceneButton()->text(), QStringLiteral("Usuń"));
        QCOMPARE(form.globalTimeCheck()->text(), QStringLiteral("Czas globalny"));
        QCOMPARE(form.renameButton()->text(), QStringLiteral("Zmień nazwę"));
        QCOMPARE(form.eraseButton()->text(), QStringLiteral("Usuń"));
        QCOMPARE(form.closeButton()->text(), QStringLiteral("Koniec"));
        QCOMPARE(form.startButton()->text(), QStringLiteral("Start"));
        QCOMPARE(form.pauseButton()->text(), QStringLiteral("Pauza"));
        QCOMPARE(form.stopButton()->text(), QStringLiteral("Stop"));
        QVERIFY(!form.sceneNumberDisplay()->toolTip().isEmpty());
        QStringList groups;
        for (auto* group : form.findChildren<QGroupBox*>())
            groups << group->title();
        QCOMPARE(groups, QStringList({"Sceny", "min", "sek", "0.1 sek"}));
        QStringList labels;
        for (auto* label : form.findChildren<QLabel*>())
            if (!label->text().isEmpty())
                labels << label->text();
        QVERIFY(labels.contains("Nazwa") && labels.contains(":"));
        QCOMPARE(form.listGrid()->horizontalHeaderItem(0)->text(), QString());
        QCOMPARE(form.listGrid()->horizontalHeaderItem(1)->text(), QStringLiteral("Nazwa"));
    }

    // Opening takes the main window's tick, stops the live cue and holds the generators at
    // normal; closing gives all of it back.
    void openingAndClosingSwapTheTick()
    {
        EditorRig rig;
        {
            std::lock_guard guard(rig.lock);
            rig.store.addSequence([] { KySequence s; s.name = "beta"; return s; }());
            rig.store.addSequence([] { KySequence s; s.name = "Alfa"; return s; }());
        }
        rig.form->show();
        QVERIFY(rig.dmx.recordingMode);
        QCOMPARE(rig.stops, 1);
        QCOMPARE(rig.generatorControls, std::vector<bool>{false});
        QCOMPARE(rig.sceneShown(), QStringLiteral("1:1"));
        QCOMPARE(rig.times(), QStringList({"0", "01", "00"}));
        QCOMPARE(rig.form->nameDisplay()->text(), QString());
        QCOMPARE(rig.form->listGrid()->rowCount(), 2);
        QCOMPARE(rig.form->listGrid()->text(1, 0), QStringLiteral("2"));
        QCOMPARE(rig.form->listGrid()->text(1, 1), QStringLiteral("Alfa"));

        // The editor's tick writes the scene being edited, and the main tick no longer runs.
        {
            std::lock_guard guard(rig.lock);
            rig.dmx.setManual(0, 140);
            rig.dmx.setChannel(0, 0);
        }
        rig.timer.SetInterval(5);
        rig.timer.setEnabled(true);
        QTRY_COMPARE(rig.value(0), 140);
        QCOMPARE(rig.mainTicks.load(), 0);

        QTest::mouseClick(rig.form->closeButton(), Qt::LeftButton);
        QVERIFY(!rig.form->isVisible());
        QTRY_VERIFY(rig.mainTicks.load() > 0);
        rig.timer.setEnabled(false);
        QVERIFY(!rig.dmx.recordingMode);
        QCOMPARE(rig.starts, 1);
        QCOMPARE(rig.generatorControls, (std::vector<bool>{false, true}));
        QCOMPARE(rig.storedNames(), (std::vector<std::string>{"Alfa", "beta"}));
    }

    // Scene 1 set through the Light window reaches scenes 2 and 3 with value 0; releasing it
    // takes it out of every scene.
    void recordingAThreeSceneLook()
    {
        EditorRig rig;
        rig.form->show();
        QTest::mouseClick(rig.form->addSceneButton(), Qt::LeftButton);
        QTest::mouseClick(rig.form->addSceneButton(), Qt::LeftButton);
        QTRY_COMPARE(rig.sceneShown(), QStringLiteral("3:3"));
        QTest::mouseClick(rig.form->nextSceneButton(), Qt::LeftButton);
        QTRY_COMPARE(rig.sceneShown(), QStringLiteral("1:3"));

        TLightForm light(rig.model);
        light.show();
        light.intensity()->bar()->setPosition(200);
        auto valuesOf0 = [&] {
            return rig.working([](const KySequence& s) {
                std::vector<int> values;
                for (const KyScene& scene : s.scenes)
                    values.push_back(scene.hasChannel(0) ? scene.statusOf(0).value : -1);
                return values;
            });
        };
        QCOMPARE(valuesOf0(), (std::vector<int>{200, 0, 0}));
        QVERIFY(!rig.dmx.isHeld(0));

        QTest::mouseClick(rig.form->previousSceneButton(), Qt::LeftButton);
        QTRY_COMPARE(rig.sceneShown(), QStringLiteral("3:3"));
        light.intensity()->bar()->setPosition(90);
        QCOMPARE(valuesOf0(), (std::vector<int>{200, 0, 90}));

        QTRY_COMPARE(light.intensity()->holdButton()->text(), QStringLiteral("PRG"));
        QTRY_VERIFY(light.intensity()->holdButton()->isChecked());
        QTest::mouseClick(light.intensity()->holdButton(), Qt::LeftButton);
        QCOMPARE(valuesOf0(), (std::vector<int>{-1, -1, -1}));
    }

    // One drag of a bar is one step; the buttons name it, undo it and redo it, scene and
    // universe alike. Closing the editor forgets the steps.
    void aRecordedGestureIsOneStepUndoneWithTheUniverse()
    {
        EditorRig rig;
        rig.form->show();
        TLightForm light(rig.model);
        light.show();
        auto* bar = light.intensity()->bar();
        QTest::mousePress(bar, Qt::LeftButton);
        for (int position : {60, 120, 200})
            bar->setPosition(position);
        QTest::mouseRelease(bar, Qt::LeftButton);
        QTest::mouseClick(rig.form->addSceneButton(), Qt::LeftButton);
        QUndoStack* stack = rig.form->undoStack();
        QTRY_COMPARE(stack->count(), 2);
        QCOMPARE(stack->text(0), QStringLiteral("nagranie"));
        QCOMPARE(stack->text(1), QStringLiteral("dodanie sceny"));

        auto buttonHinted = [&](const QString& hint) {
            for (auto* button : rig.form->findChildren<QToolButton*>())
                if (button->toolTip() == hint)
                    return button;
            return static_cast<QToolButton*>(nullptr);
        };
        auto channel0 = [&] { return rig.working([](const KySequence& s) { return s.sceneAt(0).statusOf(0).value; }); };
        QVERIFY(buttonHinted("Cofnij dodanie sceny"));
        QTest::mouseClick(buttonHinted("Cofnij dodanie sceny"), Qt::LeftButton);
        QCOMPARE(rig.working([](const KySequence& s) { return s.sceneCount(); }), 1u);
        QTest::mouseClick(buttonHinted("Cofnij nagranie"), Qt::LeftButton);
        QCOMPARE(rig.working([](const KySequence& s) { return s.sceneAt(0).hasChannel(0); }), false);
        QCOMPARE(rig.value(0), 0);
        QVERIFY(buttonHinted("Ponów nagranie"));
        QTest::mouseClick(buttonHinted("Ponów nagranie"), Qt::LeftButton);
        QCOMPARE(channel0(), 200);
        QCOMPARE(rig.value(0), 200);
        QCOMPARE(stack->count(), 2);

        // Holding an arrow steps the time again and again: one step, in place of the scene
        // addition that was taken back.
        QTest::mousePress(rig.form->timeUpButton(2), Qt::LeftButton);
        QTest::qWait(800);
        QTest::mouseRelease(rig.form->timeUpButton(2), Qt::LeftButton);
        QTRY_COMPARE(stack->text(1), QStringLiteral("czas sceny"));
        QCOMPARE(stack->count(), 2);
        QVERIFY(rig.working([](const KySequence& s) { return s.sceneAt(0).sceneTime; }) > 22);
        stack->undo();
        QCOMPARE(rig.working([](const KySequence& s) { return s.sceneAt(0).sceneTime; }), 20u);

        rig.form->close();
        QCOMPARE(stack->count(), 0);
    }

    // Loading is a step; once the loaded sequence is erased elsewhere, making it again is
    // refused and the step leaves the stack.
    void aStepWhoseSequenceWasErasedIsDropped()
    {
        EditorRig rig;
        {
            std::lock_guard guard(rig.lock);
            rig.store.addSequence([] { KySequence s; s.name = "A"; return s; }());
        }
        rig.form->show();
        clickRow(rig.form->listGrid(), 0);
        QUndoStack* stack = rig.form->undoStack();
        QTRY_COMPARE(stack->undoText(), QStringLiteral("wczytanie sekwencji"));
        stack->undo();
        QCOMPARE(rig.working([](const KySequence& s) { return s.name; }), std::string());
        {
            std::lock_guard guard(rig.lock);
            rig.store.eraseSequence(0);
        }
        stack->redo();
        QCOMPARE(stack->count(), 0);
        QVERIFY(!stack->canRedo());
        QCOMPARE(rig.working([](const KySequence& s) { return s.id; }), 0);
    }

    void timeGroupsShowAndStepTheTime()
    {
        EditorRig rig;
        rig.form->show();
        QCOMPARE(rig.times(), QStringList({"0", "01", "00"}));
        QTest::mouseClick(rig.form->timeDownButton(1), Qt::LeftButton); // 20 - 20 would be 0
        for (int i = 0; i < 19; ++i)
            QTest::mouseClick(rig.form->timeDownButton(2), Qt::LeftButton);
        QTRY_COMPARE(rig.times(), QStringList({"0", "00", "05"}));
        QTest::mouseClick(rig.form->timeDownButton(2), Qt::LeftButton);
        QCOMPARE(rig.working([](const KySequence& s) { return s.sceneAt(0).sceneTime; }), 1u);

        {
            std::lock_guard guard(rig.lock);
            rig.dmx.editedSequence()->sceneAt(0).sceneTime = 59990;
        }
        QTest::mouseClick(rig.form->timeUpButton(1), Qt::LeftButton);
        QCOMPARE(rig.working([](const KySequence& s) { return s.sceneAt(0).sceneTime; }), 59990u);
        QTest::mouseClick(rig.form->timeUpButton(2), Qt::LeftButton);
        QCOMPARE(rig.working([](const KySequence& s) { return s.sceneAt(0).sceneTime; }), 59991u);
        QTRY_COMPARE(rig.times(), QStringList({"49", "59", "55"}));
        QTest::mouseClick(rig.form->timeDownButton(0), Qt::LeftButton);
        QTRY_COMPARE(rig.times(), QStringList({"48", "59", "55"}));

        // Checking "Czas globalny" hands the current time to every scene.
        QTest::mouseClick(rig.form->addSceneButton(), Qt::LeftButton);
        QTest::mouseClick(rig.form->timeUpButton(1), Qt::LeftButton);
        rig.form->globalTimeCheck()->click();
        QTest::mouseClick(rig.form->timeDownButton(0), Qt::LeftButton);
        QCOMPARE(rig.working([](const KySequence& s) { return std::pair(s.sceneAt(0).sceneTime, s.sceneAt(1).sceneTime); }),
                 std::pair(57611u, 57611u));
    }

    void sceneButtonsKeepTheirLimits()
    {
        EditorRig rig;
        rig.form->show();
        QTest::mouseClick(rig.form->eraseSceneButton(), Qt::LeftButton);
        QCOMPARE(rig.working([](const KySequence& s) { return s.sceneCount(); }), 1u);
        {
            std::lock_guard guard(rig.lock);
            rig.dmx.editedSequence()->scenes.assign(255, KyScene{});
        }
        QTest::mouseClick(rig.form->addSceneButton(), Qt::LeftButton);
        QCOMPARE(rig.working([](const KySequence& s) { return s.sceneCount(); }), 255u);
        QTRY_COMPARE(rig.sceneShown(), QStringLiteral("1:255"));
        QTest::mouseClick(rig.form->previousSceneButton(), Qt::LeftButton);
        QTest::mouseClick(rig.form->eraseSceneButton(), Qt::LeftButton);
        QTRY_COMPARE(rig.sceneShown(), QStringLiteral("254:254"));
    }

    void saveAsThenSaveKeepsTheIdAndTheEdits()
    {
        EditorRig rig;
        ModalAnswerer answerer;
        rig.form->show();
        TLightForm light(rig.model);
        light.show();
        light.intensity()->bar()->setPosition(100);

        nameWith(answerer, QStringLiteral("Wejście ł"));
        QTest::mouseClick(rig.form->saveButton(), Qt::LeftButton); // new: asks for a name
        QCOMPARE(rig.storedNames(), std::vector<std::string>{"Wej\x9C\x63ie \xB3"});
        QTRY_COMPARE(rig.form->nameDisplay()->text(), QStringLiteral("Wejście ł"));
        QCOMPARE(rig.form->listGrid()->currentRow(), 0);
        QCOMPARE(rig.working([](const KySequence& s) { return s.id; }), 1);
        QCOMPARE(rig.stored().sequenceCount(), 1u);

        answerer.onDialog(nullptr);
        QTest::mouseClick(rig.form->addSceneButton(), Qt::LeftButton);
        light.intensity()->bar()->setPosition(30);
        QTest::mouseClick(rig.form->saveButton(), Qt::LeftButton);
        KySeque file = rig.stored();
        QCOMPARE(file.sequenceCount(), 1u);
        QCOMPARE(file.sequenceAt(0).id, 1);
        QCOMPARE(file.sequenceAt(0).sceneCount(), 2u);
        QCOMPARE(file.sequenceAt(0).sceneAt(1).statusOf(0).value, 30);

        // Save as stores a second copy under a new id and goes on editing that one.
        nameWith(answerer, QStringLiteral("Kopia"));
        QTest::mouseClick(rig.form->saveAsButton(), Qt::LeftButton);
        QCOMPARE(rig.stored().sequenceCount(), 2u);
        QCOMPARE(rig.working([](const KySequence& s) { return s.id; }), 2);
        QCOMPARE(rig.form->listGrid()->currentRow(), 1);
    }

    void loadingFromTheListRunsOneMainTickFirst()
    {
        EditorRig rig;
        KySequence look;
        look.name = "Look";
        look.appendScene(KyScene{});
        look.sceneAt(0).setStatus(9, KyChStatus{77, 0, 0, 0, 0});
        rig.store.addSequence(look);
        rig.timer.setEnabled(true);
        rig.form->show();
        {
            std::lock_guard guard(rig.lock);
            rig.dmx.setChannel(20, 5); // left by an earlier tick
        }

        clickRow(rig.form->listGrid(), 0);
        QCOMPARE(rig.mainTicks.load(), 1);
        QVERIFY(rig.timer.Enabled());
        QCOMPARE(rig.value(20), 0);
        QCOMPARE(rig.working([](const KySequence& s) { return std::pair(s.id, s.sceneAt(0).statusOf(9).value); }),
                 std::pair(1, std::uint8_t(77)));
        QTRY_COMPARE(rig.form->nameDisplay()->text(), QStringLiteral("Look"));
        rig.form->editorTick();
        QCOMPARE(rig.value(9), 77);

        // "Nowa sekwencja" runs the main tick too and starts a fresh copy.
        QTest::mouseClick(rig.form->newButton(), Qt::LeftButton);
        QCOMPARE(rig.mainTicks.load(), 2);
        QCOMPARE(rig.working([](const KySequence& s) { return std::pair(s.id, s.sceneAt(0).entryCount()); }),
                 std::pair(0, std::size_t(0)));
        rig.timer.setEnabled(false);
    }

    void renameNamesTheStoredSequence()
    {
        EditorRig rig;
        ModalAnswerer answerer;
        rig.form->show();
        nameWith(answerer, "A");
        QTest::mouseClick(rig.form->saveAsButton(), Qt::LeftButton);
        nameWith(answerer, "Finał");
        QTest::mouseClick(rig.form->renameButton(), Qt::LeftButton);
        QCOMPARE(rig.storedNames(), std::vector<std::string>{"Fina\xB3"});
        QCOMPARE(rig.form->listGrid()->text(0, 1), QStringLiteral("Finał"));
        QTRY_COMPARE(rig.form->nameDisplay()->text(), QStringLiteral("Finał"));
        QCOMPARE(rig.stored().sequenceAt(0).name, std::string("A")); // written at the next save
    }

    // The file is written after the question whatever the answer; erasing the last
    // sequence leaves a new working copy, which the next save stores under a new name.
    void erasingTheLastSequenceStartsANewCopy()
    {
        EditorRig rig;
        ModalAnswerer answerer;
        rig.form->show();
        nameWith(answerer, "A");
        QTest::mouseClick(rig.form->saveAsButton(), Qt::LeftButton);
        {
            std::lock_guard guard(rig.lock);
            rig.store.sequenceAt(0).name = "A2"; // changed behind the editor's back
        }
        answerer.expectMessage("Cancel");
        QTest::mouseClick(rig.form->eraseButton(), Qt::LeftButton);
        QCOMPARE(answerer.seen, QStringList{"Na pewno chcesz wykasowac sekwencje"});
        QCOMPARE(rig.stored().sequenceAt(0).name, std::string("A2"));

        answerer.expectMessage("OK");
        QTest::mouseClick(rig.form->eraseButton(), Qt::LeftButton);
        QCOMPARE(rig.stored().sequenceCount(), 0u);
        QCOMPARE(rig.form->listGrid()->rowCount(), 1);
        QCOMPARE(rig.form->listGrid()->text(0, 1), QString());
        QCOMPARE(rig.working([](const KySequence& s) { return std::pair(s.id, s.sceneCount()); }),
                 std::pair(0, std::size_t(1)));

        nameWith(answerer, "B");
        QTest::mouseClick(rig.form->saveButton(), Qt::LeftButton);
        KySeque file = rig.stored();
        QCOMPARE(file.sequenceCount(), 1u);
        QCOMPARE(file.sequenceAt(0).id, 2);
        QCOMPARE(file.sequenceAt(0).name, std::string("B"));
    }

    void previewFollowsTheEngineAndLocksTheEditing()
    {
        EditorRig rig;
        rig.form->show();
        {
            std::lock_guard guard(rig.lock);
            KySequence& working = *rig.dmx.editedSequence();
            working.sceneAt(0).sceneTime = 10;
            working.appendScene(working.sceneAt(0));
            working.appendScene(working.sceneAt(0));
        }
        QTest::mouseClick(rig.form->startButton(), Qt::LeftButton);
        QVERIFY(rig.form->startButton()->isChecked());
        for (QWidget* w : std::initializer_list<QWidget*>{rig.form->newButton(), rig.form->saveButton(),
                                                          rig.form->saveAsButton(), rig.form->previousSceneButton(),
                                                          rig.form->nextSceneButton(), rig.form->addSceneButton(),
                                                          rig.form->eraseSceneButton(), rig.form->listGrid(),
                                                          rig.form->renameButton(), rig.form->eraseButton()})
            QVERIFY(!w->isEnabled());
        QVERIFY(rig.form->timeUpButton(0)->isEnabled());

        rig.timer.SetInterval(5);
        rig.timer.setEnabled(true);
        QTRY_COMPARE(rig.form->sceneNumberDisplay()->text(), QStringLiteral("3"));
        QTRY_COMPARE(rig.form->sceneNumberDisplay()->text(), QStringLiteral("1"));

        // Pauza freezes the scene and lets Start up; releasing it resumes.
        QTest::mouseClick(rig.form->pauseButton(), Qt::LeftButton);
        QVERIFY(rig.form->pauseButton()->isChecked() && !rig.form->startButton()->isChecked());
        const int frozen = rig.currentScene();
        QTest::qWait(60);
        QCOMPARE(rig.currentScene(), frozen);
        QTest::mouseClick(rig.form->pauseButton(), Qt::LeftButton);
        QVERIFY(rig.form->startButton()->isChecked() && !rig.form->pauseButton()->isChecked());
        QTRY_VERIFY(rig.currentScene() != frozen);

        QTest::mouseClick(rig.form->stopButton(), Qt::LeftButton);
        rig.timer.setEnabled(false);
        QVERIFY(!rig.form->startButton()->isChecked());
        QCOMPARE(rig.currentScene(), 0);
        QVERIFY(rig.form->listGrid()->isEnabled() && rig.form->addSceneButton()->isEnabled());
    }

    // With nothing playing there is nothing to pause: the button stays up and the Light
    // window goes on recording.
    void pauseWithoutAPlayingPreviewKeepsRecording()
    {
        EditorRig rig;
        rig.form->show();
        TLightForm light(rig.model);
        light.show();
        QTest::mouseClick(rig.form->pauseButton(), Qt::LeftButton);
        QVERIFY(!rig.form->pauseButton()->isChecked() && !rig.form->startButton()->isChecked());
        {
            std::lock_guard guard(rig.lock);
            QVERIFY(!takeFunctionSnapshot(rig.dmx).previewRunning); // what keeps the Light window enabled
        }
        light.intensity()->bar()->setPosition(120);
        QCOMPARE(rig.working([](const KySequence& s) { return int(s.sceneAt(0).statusOf(0).value); }), 120);

        QTest::mouseClick(rig.form->pauseButton(), Qt::LeftButton);
        QTest::mouseClick(rig.form->startButton(), Qt::LeftButton);
        QVERIFY(rig.form->startButton()->isChecked() && !rig.form->pauseButton()->isChecked());
        QTest::mouseClick(rig.form->stopButton(), Qt::LeftButton);
    }

    void failedWriteIsReportedAndTheWorkingCopyKept()
    {
        EditorRig rig("/nonexistent-vantorel-dir/sequences.vt2");
        ModalAnswerer answerer;
        rig.form->show();
        nameWith(answerer, "A");
        QTest::mouseClick(rig.form->saveAsButton(), Qt::LeftButton);
        QCOMPARE(answerer.seen.size(), 1);
        QVERIFY2(answerer.seen[0].startsWith("Nie można zapisać pliku sequences.vt2: "), qPrintable(answerer.seen[0]));
        QCOMPARE(rig.working([](const KySequence& s) { return std::pair(s.id, s.name); }), std::pair(1, std::string("A")));
        QCOMPARE(rig.storedNames(), std::vector<std::string>{"A"});
    }

    void sceneNumberOpensTheSceneContents()
    {
        EditorRig rig;
        ModalAnswerer answerer;
        rig.form->show();
        {
            std::lock_guard guard(rig.lock);
            rig.dmx.setManual(12, 40);
            rig.dmx.setManual(3, 255);
        }
        QStringList rows;
        QString caption;
        answerer.onDialog([&](QDialog* dialog) {
            auto* contents = qobject_cast<TScenePropForm*>(dialog);
            QVERIFY(contents);
            caption = contents->windowTitle();
            TPStringGrid* grid = contents->channelGrid();
            rows << grid->horizontalHeaderItem(0)->text() + "|" + grid->horizontalHeaderItem(1)->text();
            for (int r = 0; r < grid->rowCount(); ++r)
                rows << grid->text(r, 0) + "|" + grid->text(r, 1);
            QCOMPARE(contents->closeButton()->text(), QStringLiteral("&Koniec"));
            contents->closeButton()->click();
        });
        QTest::mouseDClick(rig.form->sceneNumberDisplay(), Qt::LeftButton);
        QCOMPARE(caption, QStringLiteral("Właściwości sceny"));
        QCOMPARE(rows, QStringList({"Kanał|Wartość", "3|255", "12|40"}));

        rows.clear();
        QTest::mouseClick(rig.form->newButton(), Qt::LeftButton);
        QTest::mouseDClick(rig.form->sceneNumberDisplay(), Qt::LeftButton);
        QCOMPARE(rows, QStringList({"Kanał|Wartość", "|"}));
    }
};

QTEST_MAIN(SequenceFormTest)
#include "Fsequence_test.moc"
