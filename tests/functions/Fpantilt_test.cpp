// The Pan/Tilt window driven through its pad, buttons and bars.

#include "FormSupport.h"
#include "common/PTrackBar.h"
#include "functions/Fpantilt.h"
#include "functions/PDimmerControl.h"
#include "functions/PTrackPad.h"
#include "support/WindowSystem.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QToolButton>

class PanTiltFormTest : public QObject {
    Q_OBJECT

    // One head at address 1 (pan 1, pan fine 2, tilt 3, tilt fine 4 when 16-bit) with the
    // window shown for it.
    struct Head : FunctionRig {
        KyGenList genList;
        std::shared_ptr<KyClubDevice> head;
        TPanTiltForm form{model, genList};

        explicit Head(bool wide, const KyDevice* type = nullptr)
        {
            KyDevice t = type ? *type : headType(wide, 1, wide ? 3 : 2);
            head = install(addType(t, "Skaner"), 1, "Lewy");
            select({0});
            form.show();
        }
        std::array<std::uint8_t, 4> firstFour() const { return {at(0), at(1), at(2), at(3)}; }
        KyPadPoint padShown() const { return {form.pad()->positionX(), form.pad()->positionY()}; }
    };

private slots:
    void padWritesSixteenBitsWithInversionAndSwap()
    {
        Head rig(true);
        QCOMPARE(rig.form.windowTitle(), QStringLiteral("Lewy -> Skaner"));
        rig.form.pad()->setPosition(0x1234, 0xABCD);
        QCOMPARE(rig.firstFour(), (std::array<std::uint8_t, 4>{0x12, 0x34, 0xAB, 0xCD}));
        QCOMPARE(rig.form.valueBox(false, false)->text(), QStringLiteral("18"));
        QCOMPARE(rig.form.valueBox(true, true)->text(), QStringLiteral("205"));

        rig.head->panInverted = true;
        rig.form.pad()->setPosition(0x1234, 0xABCC);
        rig.form.pad()->setPosition(0x1234, 0xABCD);
        QCOMPARE(rig.firstFour(), (std::array<std::uint8_t, 4>{0xED, 0xCB, 0xAB, 0xCD}));
        QCOMPARE(rig.padShown(), (KyPadPoint{0x1234, 0xABCD}));

        rig.head->panInverted = false;
        rig.head->panTiltSwapped = true;
        rig.form.pad()->setPosition(0x1234, 0xABCC);
        rig.form.pad()->setPosition(0x1234, 0xABCD);
        QCOMPARE(rig.firstFour(), (std::array<std::uint8_t, 4>{0xAB, 0xCD, 0x12, 0x34}));
        QCOMPARE(rig.padShown(), (KyPadPoint{0x1234, 0xABCD}));

        QTest::mouseClick(rig.form.centreButton(), Qt::LeftButton);
        QCOMPARE(rig.firstFour(), (std::array<std::uint8_t, 4>{0x7F, 0xFF, 0x7F, 0xFF}));
    }

    void releasingAutoGivesBackAllFourChannels()
    {
        Head rig(true);
        QPushButton* hold = rig.form.holdButton();
        QCOMPARE(hold->text(), QStringLiteral("Auto"));
        rig.form.pad()->setPosition(100, 200);
        QCOMPARE(hold->text(), QStringLiteral("Man"));
        QVERIFY(hold->isChecked());

        QTest::mouseClick(hold, Qt::LeftButton);
        for (int i = 0; i < 4; ++i)
            QVERIFY(!rig.dmx.isHeld(i));
        QCOMPARE(hold->text(), QStringLiteral("Auto"));
        QVERIFY(!hold->isChecked());

        QTest::mouseClick(hold, Qt::LeftButton); // down: the pad's position is held again
        QCOMPARE(rig.at(1), 100);
        QVERIFY(rig.dmx.isHeld(3));
    }

    void eightBitHeadsStepByOneCoarseValue()
    {
        Head rig(false);
        for (std::size_t i = 0; i < TPanTiltForm::kResolutions.size(); ++i)
            QCOMPARE(rig.form.resolutionButton(i)->isEnabled(), i == 0);
        QVERIFY(rig.form.resolutionButton(0)->isChecked());
        QCOMPARE(rig.form.pad()->mouseStepX(), 256);
        QVERIFY(!rig.form.fineLabel()->isEnabled());
        QVERIFY(!rig.form.valueBox(false, true)->isEnabled());
        QVERIFY(rig.form.valueBox(false, true)->text().isEmpty());

        rig.form.pad()->setPosition(32767, 0);
        QCOMPARE(rig.at(0), 127);
        QCOMPARE(rig.form.pad()->positionX(), 32512);
        QTest::mouseClick(rig.form.arrowButton(KyPadArrow::Right), Qt::LeftButton);
        QCOMPARE(rig.at(0), 128);
        QTest::mouseClick(rig.form.arrowButton(KyPadArrow::Down), Qt::LeftButton);
        QCOMPARE(rig.at(1), 1);
        QTest::mouseClick(rig.form.arrowButton(KyPadArrow::Up), Qt::LeftButton);
        QCOMPARE(rig.at(1), 0);
    }

    void resolutionSetsTheSixteenBitStep()
    {
        Head rig(true);
        for (std::size_t i = 0; i < TPanTiltForm::kResolutions.size(); ++i)
            QVERIFY(rig.form.resolutionButton(i)->isEnabled());
        QVERIFY(rig.form.fineLabel()->isEnabled());
        QTest::mouseClick(rig.form.resolutionButton(3), Qt::LeftButton);
        QCOMPARE(rig.form.resolution(), 64);
        QCOMPARE(rig.form.pad()->mouseStepY(), 64);
        QTest::mouseClick(rig.form.arrowButton(KyPadArrow::Right), Qt::LeftButton);
        QCOMPARE(rig.at(1), 64);
    }

    void onlyActiveControllersShowPackedFromTheLeft()
    {
        KyDevice type = headType(false, 1, 2);
        type.panTilt.control2 = dimmerOn(5);
        type.panTilt.control2.name = "SPEED";
        Head rig(false, &type);
        QVERIFY(rig.form.controllers()->isVisible());
        QVERIFY(!rig.form.controller(0)->isVisible());
        QCOMPARE(rig.form.controller(1)->x(), 0);
        QCOMPARE(rig.form.controller(1)->bar()->caption(), QStringLiteral("SPEED"));
        rig.form.controller(1)->bar()->setPosition(255);
        QCOMPARE(rig.at(4), 255);
        const int withController = rig.form.width();

        KyDevice plain = headType(false, 1, 2);
        rig.install(rig.addType(plain, "Prosty"), 20);
        rig.select({1});
        rig.form.reevaluateVisibility();
        QVERIFY(!rig.form.controllers()->isVisible());
        QVERIFY(rig.form.width() < withController);
    }

    void generatorGroupEditsTheRecordedScene()
    {
        Head rig(false);
        QVERIFY(!rig.form.generatorOnButton()->isEnabled());
        {
            std::lock_guard lock(rig.lock);
            rig.record(1);
        }
        rig.form.pad()->setPosition(1000, 2000); // records pan and tilt as a pair
        QVERIFY(rig.form.generatorOnButton()->isEnabled());
        QVERIFY(rig.form.generatorOffButton()->isChecked());
        // The windows that open the figure list, the divide window and the generator window
        // are not given, so their buttons stay disabled.
        QVERIFY(!rig.form.loadFigureButton()->isEnabled());
        QVERIFY(!rig.form.divideButton()->isEnabled());
        QVERIFY(!rig.form.propertiesButton()->isEnabled());

        KyScene& scene = rig.dmx.editedSequence()->sceneAt(0);
        QTest::mouseClick(rig.form.generatorOnButton(), Qt::LeftButton);
        QVERIFY(scene.generatorFor(0).enabled && scene.generatorFor(1).enabled);
        QVERIFY(rig.form.generatorOnButton()->isChecked());
        QVERIFY(!rig.form.generatorOffButton()->isChecked());

        rig.form.speedBar()->setPosition(-15);
        QCOMPARE(scene.generatorFor(1).speedModifier, 86);
        QCOMPARE(rig.form.speedBar()->position(), -15);
        QCOMPARE(rig.form.generatorValueBox(1)->text(), QStringLiteral("-15"));
        rig.form.amplitudeBar()->setPosition(40);
        rig.form.phaseBar()->setPosition(90);
        QCOMPARE(scene.generatorFor(0).amplitudeModifier, 40);
        QCOMPARE(scene.generatorFor(1).phaseModifier, 90);
        QTest::mouseClick(rig.form.masterDirectionButton(0), Qt::LeftButton);
        QCOMPARE(scene.generatorFor(0).direction, 0);
        QVERIFY(rig.form.masterDirectionButton(0)->isChecked());
        QVERIFY(!rig.form.masterDirectionButton(1)->isChecked());

        // Set elsewhere, a modifier shows as the bar position that would give it.
        {
            std::lock_guard lock(rig.lock);
            scene.generatorFor(0).speedModifier = 95;
        }
        QTRY_COMPARE(rig.form.speedBar()->position(), -5);

        // Outside recording the generators cannot be edited, yet "ON" still tells they run.
        {
            std::lock_guard lock(rig.lock);
            rig.dmx.recordingMode = false;
        }
        QTRY_VERIFY(!rig.form.amplitudeBar()->isEnabled());
        QVERIFY(!rig.form.generatorOnButton()->isEnabled());
        QVERIFY(rig.form.generatorOnButton()->isChecked());
        QVERIFY(!rig.form.generatorOffButton()->isChecked());
        {
            std::lock_guard lock(rig.lock);
            rig.dmx.recordingMode = true;
        }
        QTRY_VERIFY(rig.form.generatorOffButton()->isEnabled());

        QTest::mouseClick(rig.form.generatorOffButton(), Qt::LeftButton);
        QVERIFY(!scene.generatorFor(0).enabled);
        QVERIFY(rig.form.generatorOffButton()->isChecked());
    }

    void generatorWindowsHandOverTheFigureAndThePhaseOffset()
    {
        QWidget generatorForm; // outlives the window that shows it
        Head rig(false);
        KyPanTiltGen figure;
        figure.pan.amplitude = 11;
        figure.tilt.amplitude = 22;
        rig.genList.append(KyPanTiltGen{});
        rig.genList.append(figure);
        rig.install(rig.library.deviceAt(0), 11, "Prawy");
        rig.select({0, 1});
        {
            std::lock_guard lock(rig.lock);
            rig.record(1);
        }
        rig.form.reevaluateVisibility();
        rig.form.pad()->setPosition(1000, 2000);

        int asked = 0;
        rig.form.setGeneratorWindows({&generatorForm, [](QWidget*) { return std::optional<int>(1); },
                                      [&asked](QWidget*, int heads) {
                                          asked = heads;
                                          return std::optional<int>(45);
                                      }});
        QVERIFY(rig.form.loadFigureButton()->isEnabled());
        QTest::mouseClick(rig.form.loadFigureButton(), Qt::LeftButton);
        KyScene& scene = rig.dmx.editedSequence()->sceneAt(0);
        QCOMPARE(scene.generatorFor(10).amplitude, 11);
        QCOMPARE(scene.generatorFor(11).amplitude, 22);
        QVERIFY(scene.generatorFor(10).enabled);

        QTest::mouseClick(rig.form.divideButton(), Qt::LeftButton);
        QCOMPARE(asked, 2);
        QCOMPARE(scene.generatorFor(0).phaseModifier, 0);
        QCOMPARE(scene.generatorFor(10).phaseModifier, 45);

        QTest::mouseClick(rig.form.propertiesButton(), Qt::LeftButton);
        QVERIFY(generatorForm.isVisible());
        QVERIFY(rig.form.propertiesButton()->isChecked());
        // Minimising the main window is the window system's hide: the generator window is
        // left to it, to come back with the restore.
        windowSystemHides(&rig.form);
        QVERIFY(generatorForm.isVisible());
        windowSystemShows(&rig.form);
        {
            std::lock_guard lock(rig.lock);
            rig.dmx.recordingMode = false;
        }
        QTRY_VERIFY(!generatorForm.isVisible());
        rig.form.close();
        QVERIFY(!rig.form.userOpened());
    }
};

QTEST_MAIN(PanTiltFormTest)
#include "Fpantilt_test.moc"
