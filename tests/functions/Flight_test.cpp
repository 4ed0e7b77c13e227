// The shared behaviour of the function windows, shown on the Light, Reset and Lamp windows:
// visibility and title, target lists, the index rule, read-back and the hold buttons.

#include "FormSupport.h"
#include "common/PTrackBar.h"
#include "functions/Fchvalue.h"
#include "functions/Flight.h"
#include "functions/PDimmerControl.h"

#include <QGroupBox>
#include <QLayout>

class LightFormTest : public QObject {
    Q_OBJECT

    // Type A has an intensity from 10 to 200 on channel 1 and a lamp-on list; type B has a
    // lamp-on list only. A at 1, B at 10, A at 17, and a head without light at 40.
    struct Club : FunctionRig {
        Club()
        {
            KyDevice a;
            a.intensity = dimmerOn(1, 10, 200);
            a.intensity.name = "INTENSYWNOŚĆ";
            a.lampOn.active = true;
            a.lampOn.setValue(2, 255);
            KyDevice b;
            b.lampOn.active = true;
            b.lampOn.setValue(1, 200);
            auto typeA = addType(a, "Spot");
            auto typeB = addType(b, "Wash");
            install(typeA, 1, "Front left");
            install(typeB, 10, "Bar");
            install(typeA, 17, "Front right");
            install(addType(headType(false), "Scanner"), 40, "Head");
        }
    };

private slots:
    void windowFollowsTheReferenceDeviceAndTheOperator()
    {
        Club rig;
        TLightForm form(rig.model);
        QVERIFY(!form.userOpened());
        QVERIFY(form.windowFlags() & Qt::Tool);
        QVERIFY(form.windowFlags() & Qt::WindowCloseButtonHint);

        rig.select({0});
        form.show();
        QVERIFY(form.userOpened());
        QCOMPARE(form.windowTitle(), QStringLiteral("Front left -> Spot"));

        rig.select({0, 3}); // a head without light becomes the reference
        form.reevaluateVisibility();
        QVERIFY(!form.isVisible());
        QVERIFY(form.userOpened());

        rig.select({3, 2});
        form.reevaluateVisibility();
        QVERIFY(form.isVisible());
        QCOMPARE(form.windowTitle(), QStringLiteral("Front right -> Spot"));

        rig.select({});
        form.reevaluateVisibility();
        QVERIFY(!form.isVisible());

        rig.select({0});
        form.reevaluateVisibility();
        QVERIFY(form.isVisible());
        form.close();
        QVERIFY(!form.userOpened());
        form.reevaluateVisibility();
        QVERIFY(!form.isVisible());
    }

    void lightWritesTheSameTypeAndLampWritesEveryType()
    {
        Club rig;
        rig.select({0, 1, 2});
        TLightForm light(rig.model);
        light.show();
        light.intensity()->bar()->setPosition(128);
        QCOMPARE(rig.at(0), 105);  // start 1, channel 1
        QCOMPARE(rig.at(16), 105); // start 17
        QCOMPARE(rig.at(9), 0);    // type B is not the reference device's type
        QVERIFY(rig.dmx.isHeld(0) && rig.dmx.isHeld(16));
        QCOMPARE(light.intensity()->valueLabel()->text(), QStringLiteral("105"));
        QCOMPARE(light.intensity()->holdButton()->text(), QStringLiteral("Man"));

        TLampForm lamp(rig.model);
        lamp.show();
        QTest::mousePress(lamp.button(0), Qt::LeftButton);
        QCOMPARE(rig.at(1), 255);
        QCOMPARE(rig.at(9), 200);
        QCOMPARE(rig.at(17), 255);
        QTest::mouseRelease(lamp.button(0), Qt::LeftButton);
        tick(rig);
        QCOMPARE(rig.at(9), 0);
        QCOMPARE(rig.at(0), 105); // the intensity stays held
    }

    void readBackMovesTheBarWithoutWriting()
    {
        Club rig;
        rig.select({0, 2});
        TLightForm form(rig.model);
        form.show();
        holdValue(rig, 16, 105);
        QTRY_COMPARE(form.intensity()->bar()->position(), 127);
        QCOMPARE(form.intensity()->valueLabel()->text(), QStringLiteral("105"));
        QCOMPARE(form.intensity()->holdButton()->text(), QStringLiteral("Man"));
        QVERIFY(form.intensity()->holdButton()->isChecked());
        QCOMPARE(rig.at(0), 0); // showing a value writes nothing

        rig.dmx.previewEngine().play();
        QTRY_VERIFY(!form.intensityGroup()->isEnabled());
        rig.dmx.previewEngine().stop();
        QTRY_VERIFY(form.intensityGroup()->isEnabled());
    }

    void holdButtonsRecordAndReleaseFromEveryScene()
    {
        Club rig;
        rig.select({2});
        TLightForm form(rig.model);
        form.show();
        QPushButton* hold = form.intensity()->holdButton();
        QCOMPARE(hold->text(), QStringLiteral("Auto"));
        QVERIFY(!hold->isChecked());

        {
            std::lock_guard lock(rig.lock);
            rig.record(3, 1);
        }
        QTRY_COMPARE(hold->text(), QStringLiteral("PRG"));
        QVERIFY(!hold->isChecked() && !isRed(hold));

        form.intensity()->bar()->setPosition(255);
        QVERIFY(hold->isChecked());
        QVERIFY(isRed(hold));
        const KySequence& edited = *rig.dmx.editedSequence();
        QCOMPARE(edited.sceneAt(1).statusOf(16).value, 200);
        QVERIFY(edited.sceneAt(0).hasChannel(16) && edited.sceneAt(2).hasChannel(16));
        QVERIFY(!rig.dmx.isHeld(16));

        QTest::mouseClick(hold, Qt::LeftButton); // up: the channel leaves the sequence
        for (const KyScene& scene : edited.scenes)
            QVERIFY(!scene.hasChannel(16));
        QCOMPARE(hold->text(), QStringLiteral("PRG"));
        QVERIFY(!hold->isChecked() && !isRed(hold));

        QTest::mouseClick(hold, Qt::LeftButton); // down: the bar is written again
        QCOMPARE(edited.sceneAt(1).statusOf(16).value, 200);
    }

    void shutterAndStrobeButtons()
    {
        FunctionRig rig;
        KyDevice type;
        type.shutter.active = true;
        type.shutter.channel = 2;
        type.shutter.onValue = 255;
        type.strobe = dimmerOn(3, 20, 250);
        type.strobe.offValue = 7;
        rig.install(rig.addType(type), 1);
        rig.select({0});
        TLightForm form(rig.model);
        form.show();

        QTest::mouseClick(form.shutterOnButton(), Qt::LeftButton);
        QCOMPARE(rig.at(1), 255);
        QVERIFY(form.shutterOnButton()->isChecked() && !form.shutterOffButton()->isChecked());
        holdValue(rig, 1, 128);
        QTRY_VERIFY(!form.shutterOnButton()->isChecked());
        QVERIFY(!form.shutterOffButton()->isChecked());
        QTest::mouseClick(form.shutterOffButton(), Qt::LeftButton);
        QCOMPARE(rig.at(1), 0);
        QVERIFY(form.shutterOffButton()->isChecked());

        // The strobe's own stop value, not the bottom of its range.
        QTest::mouseClick(form.strobeOffButton(), Qt::LeftButton);
        QCOMPARE(rig.at(2), 7);
        QVERIFY(form.strobeOffButton()->isChecked());
        form.strobe()->bar()->setPosition(255);
        QCOMPARE(rig.at(2), 250);
        QVERIFY(!form.strobeOffButton()->isChecked());
    }

    void onlyTheActiveGroupsShowFromTheLeft()
    {
        FunctionRig rig;
        KyDevice strobeOnly;
        strobeOnly.strobe = dimmerOn(1);
        KyDevice full = strobeOnly;
        full.shutter.active = true;
        full.intensity = dimmerOn(2);
        rig.install(rig.addType(strobeOnly, "Strobo"), 1);
        rig.install(rig.addType(full, "Pełny"), 10);
        rig.select({1});
        TLightForm form(rig.model);
        form.show();
        const int fullWidth = form.width();

        rig.select({0});
        form.reevaluateVisibility();
        QVERIFY(!form.shutterGroup()->isVisible() && !form.intensityGroup()->isVisible());
        QVERIFY(form.strobeGroup()->isVisible());
        const QMargins margins = form.layout()->contentsMargins();
        QCOMPARE(form.strobeGroup()->x(), margins.left());
        QCOMPARE(form.width(), form.strobeGroup()->width() + margins.left() + margins.right());
        QVERIFY(form.width() < fullWidth);
    }

    void resetHoldsTheListWhilePressed()
    {
        FunctionRig rig;
        KyDevice type;
        type.reset.active = true;
        type.reset.setValue(5, 200);
        KyDevice without = type;
        without.reset.active = false;
        auto withReset = rig.addType(type, "Z resetem");
        rig.install(withReset, 1);
        rig.install(rig.addType(without, "Bez"), 10);
        rig.install(withReset, 20);
        rig.select({0, 1, 2});
        TResetForm form(rig.model);
        form.show();
        QPushButton* reset = form.button(0);
        QCOMPARE(reset->text(), QStringLiteral("Reset"));

        QTest::mousePress(reset, Qt::RightButton);
        QCOMPARE(rig.at(4), 0);
        QTest::mouseRelease(reset, Qt::RightButton);

        QTest::mousePress(reset, Qt::LeftButton);
        tick(rig);
        QCOMPARE(rig.at(4), 200);
        QCOMPARE(rig.at(23), 200);
        QCOMPARE(rig.at(13), 0);
        QTest::mouseRelease(reset, Qt::LeftButton);
        tick(rig);
        QCOMPARE(rig.at(4), 0);
        QCOMPARE(rig.at(23), 0);
    }
};

QTEST_MAIN(LightFormTest)
#include "Flight_test.moc"
