// The generator window driven through its bars and buttons, the Pan/Tilt window handing over
// to the real generator windows, and the main window wiring them together.

#include "../functions/FunctionRig.h"
#include "app/Fmain.h"
#include "common/Fname.h"
#include "common/PStringGrid.h"
#include "common/PText.h"
#include "common/PTrackBar.h"
#include "functions/Fgenerator.h"
#include "generator/Fdivide.h"
#include "generator/Fgenlist.h"
#include "library/LibraryFile.h"
#include "support/ModalAnswerer.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

class GeneratorFormTest : public QObject {
    Q_OBJECT

    // 8-bit heads of one type, pan on channel 1 and tilt on 2, at addresses 1, 11, 21 ...,
    // recorded into one scene, the generator window beside them.
    struct Heads : FunctionRig {
        QTemporaryDir dir;
        KyGenList genList;
        std::vector<std::shared_ptr<KyClubDevice>> heads;
        TGeneratorForm form{model, genList, dir.filePath(QStringLiteral("generators.vt2")).toStdString()};

        explicit Heads(int count)
        {
            auto type = addType(headType(false, 1, 2), "Skaner");
            for (int i = 0; i < count; ++i)
                heads.push_back(install(type, 1 + 10 * i, vt::toCp1250(QStringLiteral("Głowa %1").arg(i + 1)).c_str()));
            std::lock_guard guard(lock);
            record(1);
            for (int i = 0; i < count; ++i)
                icons.toggleSelection(static_cast<std::size_t>(i));
            writePad(dmx, icons.selectedDevices(), {0, 0});
        }
        KyGenerator& at(int channel) { return dmx.editedSequence()->sceneAt(0).generatorFor(channel); }
    };

    static void answerName(ModalAnswerer& answerer, const QString& name)
    {
        answerer.onDialog([name](QDialog* dialog) {
            if (auto* form = qobject_cast<TNameForm*>(dialog)) {
                form->nameEdit()->setText(name);
                form->okButton()->click();
            } else {
                dialog->reject();
            }
        });
    }

    static void chooseRow(ModalAnswerer& answerer, int row)
    {
        answerer.onDialog([row](QDialog* dialog) {
            auto* list = qobject_cast<TGenListForm*>(dialog);
            QVERIFY(list);
            list->figureGrid()->setCurrentCell(row, 1);
            list->loadButton()->click();
        });
    }

private slots:
    // The second head is swapped, so its pan axis drives its tilt channel (index 11).
    void barsEditTheAxesOfEveryHeadAndShowTheReferenceHead()
    {
        Heads rig(2);
        rig.heads[1]->panTiltSwapped = true;
        rig.form.show();
        QCOMPARE(rig.form.windowTitle(), QStringLiteral("Głowa 2 -> Skaner"));
        QVERIFY(rig.form.masterDirectionButton(1)->isChecked());

        rig.form.axisBar(KyAxis::Pan, TGeneratorForm::Amplitude)->setPosition(100);
        QCOMPARE(rig.at(0).amplitude, 100);
        QCOMPARE(rig.at(11).amplitude, 100);
        QCOMPARE(rig.at(10).amplitude, 128);
        QCOMPARE(rig.form.axisLabel(KyAxis::Pan, TGeneratorForm::Amplitude)->text(), QStringLiteral("100"));

        rig.form.modifierBar(TGeneratorForm::Speed)->setPosition(-15);
        for (int channel : {0, 1, 10, 11})
            QCOMPARE(rig.at(channel).speedModifier, 86);
        QCOMPARE(rig.form.modifierLabel(TGeneratorForm::Speed)->text(), QStringLiteral("-15"));
        // The axis bar shows what runs: 255 at 86 percent.
        QCOMPARE(rig.form.axisBar(KyAxis::Tilt, TGeneratorForm::Speed)->position(), 219);

        QTest::mouseClick(rig.form.directionButton(KyAxis::Tilt, 0), Qt::LeftButton);
        QCOMPARE(rig.at(1).direction, 0);
        QCOMPARE(rig.at(10).direction, 0);
        QCOMPARE(rig.at(11).direction, 1);

        // Changed elsewhere, the reference head's pan axis shows within the update period.
        {
            std::lock_guard lock(rig.lock);
            rig.at(11).phase = 40;
            rig.at(11).masterDirection = 0;
        }
        QTRY_COMPARE(rig.form.axisBar(KyAxis::Pan, TGeneratorForm::Phase)->position(), 40);
        QCOMPARE(rig.form.axisLabel(KyAxis::Pan, TGeneratorForm::Phase)->text(), QStringLiteral("40"));
        QVERIFY(rig.form.masterDirectionButton(0)->isChecked());
        QVERIFY(!rig.form.masterDirectionButton(1)->isChecked());
    }

    // With no scene to edit a direction click changes nothing, and the buttons say so.
    void aDirectionPressedWhileNothingIsEditableIsUndone()
    {
        Heads rig(1);
        rig.form.show();
        {
            std::lock_guard lock(rig.lock);
            rig.dmx.currentScene = -1;
        }
        for (QToolButton* left : {rig.form.directionButton(KyAxis::Pan, 0), rig.form.masterDirectionButton(0)}) {
            QTest::mouseClick(left, Qt::LeftButton);
            QVERIFY(!left->isChecked());
        }
        QVERIFY(rig.form.directionButton(KyAxis::Pan, 1)->isChecked());
        QVERIFY(rig.form.masterDirectionButton(1)->isChecked());
        QCOMPARE(rig.at(0).direction, 1);
        QCOMPARE(rig.at(0).masterDirection, 1);
    }

    void saveKeepsTheFirstSelectedHeadsFigure()
    {
        Heads rig(2);
        rig.at(0).amplitude = 11;
        rig.at(1).amplitude = 22;
        rig.form.show();
        ModalAnswerer answerer;
        answerName(answerer, QStringLiteral("Ósemka"));
        QTest::mouseClick(rig.form.saveButton(), Qt::LeftButton);
        QCOMPARE(rig.genList.size(), std::size_t(1));
        QCOMPARE(vt::fromCp1250(rig.genList.at(0).name), QStringLiteral("Ósemka"));
        QCOMPARE(rig.genList.at(0).pan.amplitude, 11);
        QCOMPARE(rig.genList.at(0).tilt.amplitude, 22);

        // Without a scene to read there is nothing to save and no name is asked for.
        {
            std::lock_guard lock(rig.lock);
            rig.dmx.editedSequence()->scenes.clear();
        }
        QTest::mouseClick(rig.form.saveButton(), Qt::LeftButton);
        QTest::qWait(50);
        QCOMPARE(rig.genList.size(), std::size_t(1));
    }

    // A swapped head with pan inverted takes the figure's pan record on its tilt channel,
    // with the flip of its pan inversion.
    void chosenFigureLandsWithSwapAndInversion()
    {
        Heads rig(1);
        rig.heads[0]->panTiltSwapped = true;
        rig.heads[0]->panInverted = true;
        KyPanTiltGen figure{"koło", {}, {}};
        figure.pan.amplitude = 40;
        figure.tilt.amplitude = 80;
        rig.genList.append(KyPanTiltGen{"inne", {}, {}});
        rig.genList.append(figure);
        rig.form.show();
        ModalAnswerer answerer;
        chooseRow(answerer, 1);
        QTest::mouseClick(rig.form.chooseButton(), Qt::LeftButton);
        QCOMPARE(rig.at(1).amplitude, 40);
        QCOMPARE(rig.at(0).amplitude, 80);
        QVERIFY(rig.at(0).enabled && rig.at(1).enabled);
        QCOMPARE(rig.at(1).phaseFlip, 1);
        QCOMPARE(rig.at(0).phaseFlip, 0);
        QCOMPARE(rig.form.axisBar(KyAxis::Pan, TGeneratorForm::Amplitude)->position(), 40);
    }

    // "Podziel efekt" through the real divide window spreads the proposed offset over the
    // heads; "Ładuj Generator" through the real list window; "Właściwości" shows this window.
    void panTiltWindowOpensTheRealGeneratorWindows()
    {
        Heads rig(3);
        TPanTiltForm panTilt(rig.model, rig.genList);
        panTilt.setGeneratorWindows(rig.form.windows());
        panTilt.show();
        QTRY_VERIFY(panTilt.divideButton()->isEnabled());
        QVERIFY(panTilt.loadFigureButton()->isEnabled());
        QVERIFY(panTilt.propertiesButton()->isEnabled());

        ModalAnswerer answerer;
        QString proposed;
        answerer.onDialog([&proposed](QDialog* dialog) {
            auto* divide = qobject_cast<TDivideForm*>(dialog);
            QVERIFY(divide);
            proposed = divide->countEdit()->text();
            divide->applyButton()->click();
        });
        QTest::mouseClick(panTilt.divideButton(), Qt::LeftButton);
        QCOMPARE(proposed, QStringLiteral("3"));
        for (int head = 0; head < 3; ++head) {
            QCOMPARE(rig.at(10 * head).phaseModifier, 120 * head);
            QCOMPARE(rig.at(10 * head + 1).phaseModifier, 120 * head);
        }

        KyPanTiltGen figure{"koło", {}, {}};
        figure.tilt.speed = 99;
        rig.genList.append(figure);
        chooseRow(answerer, 0);
        QTest::mouseClick(panTilt.loadFigureButton(), Qt::LeftButton);
        QCOMPARE(rig.at(21).speed, 99);
        QVERIFY(rig.at(20).enabled);

        QTest::mouseClick(panTilt.propertiesButton(), Qt::LeftButton);
        QVERIFY(rig.form.isVisible());
        QTest::mouseClick(panTilt.propertiesButton(), Qt::LeftButton);
        QVERIFY(!rig.form.isVisible());
    }

    void mainWindowGivesThePanTiltWindowItsGeneratorWindows()
    {
        QTemporaryDir dir;
        {
            KyLibrary library;
            library.addDevice(headType(false, 1, 2));
            library.club.addClubDevice(KyClubDevice(library.deviceAt(0)));
            QVERIFY(saveLibrary(library, dir.filePath(QStringLiteral("library.vt2")).toStdString()));
            QVERIFY(library.club.save(dir.filePath(QStringLiteral("club.vt2")).toStdString()));
        }
        StartOptions options;
        options.dataDirectory = dir.path().toStdString();
        ModalAnswerer answerer;
        TMainForm main(options);
        main.QWidget::show(); // show() is the show's
        auto* generator = main.findChild<TGeneratorForm*>();
        QVERIFY(generator);
        QCOMPARE(generator->window(), &main); // docked in the main window
        QCOMPARE(generator->windowTitle(), QStringLiteral("Generator"));

        KyShow& show = main.show();
        {
            std::lock_guard lock(show.showLock());
            show.icons.toggleSelection(0);
            show.dmx.editedSequence()->scenes.assign(1, KyScene{});
            show.dmx.currentScene = 0;
            show.dmx.recordingMode = true;
            writePad(show.dmx, show.icons.selectedDevices(), {0, 0});
        }
        auto* action = main.findChild<QAction*>(QStringLiteral("PanTiltAction"));
        QTRY_VERIFY(action->isEnabled());
        action->trigger();
        auto* panTilt = main.findChild<TPanTiltForm*>();
        QTRY_VERIFY(panTilt->propertiesButton()->isEnabled());
        QVERIFY(panTilt->loadFigureButton()->isEnabled());
        QVERIFY(panTilt->divideButton()->isEnabled());
        QTest::mouseClick(panTilt->propertiesButton(), Qt::LeftButton);
        QVERIFY(generator->isVisible());
        {
            std::lock_guard lock(show.showLock());
            show.dmx.recordingMode = false;
            show.dmx.editedSequence()->scenes.clear();
        }
    }
};

QTEST_MAIN(GeneratorFormTest)
#include "Fgenerator_test.moc"
