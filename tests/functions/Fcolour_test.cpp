// The wheel, mixer, optics and dimmers windows driven through their controls.

#include "FormSupport.h"
#include "common/PTrackBar.h"
#include "functions/Colours.h"
#include "functions/Fdimmers.h"
#include "functions/Fmixer.h"
#include "functions/Fwheel.h"
#include "functions/PDimmerControl.h"
#include "functions/PWheelPanel.h"
#include "common/PPicture.h"
#include "support/ModalAnswerer.h"

#include <QColorDialog>
#include <QGroupBox>
#include <QTabWidget>

namespace {

// A colour wheel on channel 3 with nine slots, the third and fourth of equal value.
KyDevice wheelType()
{
    KyDevice type;
    type.color1.wheel = dimmerOn(3, 0, 160);
    type.color1.wheel.name = "KOLOR";
    for (int value : {0, 20, 40, 40, 80, 100, 120, 140, 160})
        type.color1.addSlot(KyIcon{"", {}, value});
    return type;
}

KyDevice mixerType(bool rgb)
{
    KyDevice type;
    type.color2.active = true;
    type.color2.rgb = rgb;
    type.color2.component1 = dimmerOn(1);
    type.color2.component2 = dimmerOn(2);
    type.color2.component3 = dimmerOn(3);
    return type;
}

} // namespace

class ColourFormsTest : public QObject {
    Q_OBJECT

private slots:
    void paletteSlotsWriteAndFollowTheWheelChannel()
    {
        FunctionRig rig;
        auto type = rig.addType(wheelType(), "Kolorowy");
        rig.install(type, 1);
        rig.install(type, 30);
        rig.select({0, 1});
        TColorForm form(rig.model);
        QCOMPARE(form.windowTitle(), QStringLiteral("Kolor"));
        form.show();
        TPWheelPanel* panel = form.panel(0);
        QVERIFY(!form.tabs());
        QVERIFY(!panel->control(1)->isVisible() && !panel->control(2)->isVisible());
        // The palette sits right after the one visible control.
        QVERIFY(panel->palette()->x() < panel->control(0)->x() + panel->control(0)->width() + 20);

        for (std::size_t i = 0; i < TPWheelPanel::kSlots; ++i)
            QCOMPARE(panel->slotView(i)->isVisible(), i < 9);
        QCOMPARE(panel->slotView(8)->y(), panel->slotView(0)->y()); // second column
        QVERIFY(panel->slotView(8)->x() > panel->slotView(7)->x());
        QVERIFY(panel->slotView(7)->y() > panel->slotView(0)->y());

        QTest::mouseClick(panel->slotView(8), Qt::LeftButton);
        QCOMPARE(rig.at(2), 160);
        QCOMPARE(rig.at(31), 160);
        QCOMPARE(panel->highlighted(), 8);

        holdValue(rig, 31, 40);
        QTRY_COMPARE(panel->highlighted(), 2);
        holdValue(rig, 31, 41);
        QTRY_COMPARE(panel->highlighted(), -1);

        panel->control(0)->bar()->setPosition(255);
        QCOMPARE(rig.at(2), 160);
        QCOMPARE(panel->highlighted(), 8);

        rig.dmx.previewEngine().play();
        QTRY_VERIFY(!panel->isEnabled());
    }

    // A slot's picture shows as it is, whatever colour its corner has: a swatch of one
    // colour is not taken for background.
    void paletteSlotsShowTheirPicturesWhole()
    {
        for (QColor colour : {QColor(Qt::red), QColor(Qt::white), QColor(Qt::black)}) {
            QImage swatch(16, 16, QImage::Format_RGB32);
            swatch.fill(colour);
            TPWheelSlot slot;
            const auto bmp = *vt::bmpFromImage(swatch);
            slot.showSlot(KyIcon{"Czerwony", KyPicture(bmp.begin(), bmp.end()), 0});
            const QImage shown = slot.pixmap().toImage();
            QVERIFY(!shown.isNull());
            QCOMPARE(shown.pixelColor(shown.width() / 2, shown.height() / 2), colour);
            QCOMPARE(shown.pixelColor(0, shown.height() - 1), colour);
        }
    }

    void goboTabsShowOnlyActiveWheels()
    {
        FunctionRig rig;
        KyDevice type;
        type.gobo2.wheel = dimmerOn(4);
        type.gobo2.addSlot(KyIcon{"", {}, 50});
        rig.install(rig.addType(type), 1);
        rig.select({0});
        TGoboForm form(rig.model);
        form.show();
        QCOMPARE(form.tabs()->tabText(0), QStringLiteral("Gobo1"));
        QCOMPARE(form.tabs()->tabText(1), QStringLiteral("Gobo 2"));
        QVERIFY(!form.tabs()->isTabVisible(0));
        QVERIFY(form.tabs()->isTabVisible(1));
        QCOMPARE(form.tabs()->currentIndex(), 1);
        QTest::mouseClick(form.panel(1)->slotView(0), Qt::LeftButton);
        QCOMPARE(rig.at(3), 50);

        TEffectForm effect(rig.model);
        QCOMPARE(effect.tabs()->tabText(0), QStringLiteral("Efekt 1"));
        QCOMPARE(effect.tabs()->tabText(1), QStringLiteral("Efekt 2"));
    }

    void mixerBarsAndColourDialogFollowEachDevicesMode()
    {
        FunctionRig rig;
        rig.install(rig.addType(mixerType(false), "CMY"), 10);
        rig.install(rig.addType(mixerType(true), "RGB"), 1);
        rig.select({0, 1});
        TMixerColorForm form(rig.model);
        form.show();
        auto values = [&](int start) { return KyComponents{rig.at(start - 1), rig.at(start), rig.at(start + 1)}; };

        form.component(0)->bar()->setPosition(10);
        form.component(1)->bar()->setPosition(20);
        form.component(2)->bar()->setPosition(30);
        QCOMPARE(values(1), (KyComponents{10, 20, 30}));
        QCOMPARE(values(10), (KyComponents{245, 235, 225}));
        QCOMPARE(form.swatch()->palette().color(QPalette::Window), QColor(10, 20, 30));

        QTest::mouseClick(form.component(1)->holdButton(), Qt::LeftButton); // up
        QVERIFY(!rig.dmx.isHeld(1) && !rig.dmx.isHeld(10));
        QVERIFY(rig.dmx.isHeld(0) && rig.dmx.isHeld(9));

        ModalAnswerer answerer;
        answerer.onDialog([](QDialog* dialog) {
            if (auto* picker = qobject_cast<QColorDialog*>(dialog)) {
                picker->setCurrentColor(QColor(255, 0, 0));
                picker->accept();
            }
        });
        QTest::mouseClick(form.colourButton(), Qt::LeftButton);
        QCOMPARE(values(1), (KyComponents{255, 0, 0}));
        QCOMPARE(values(10), (KyComponents{0, 255, 255}));
    }

    void dimmerPacksFillRowsOfSixteen()
    {
        FunctionRig rig;
        auto pack = [](int entries) {
            KyDevice type;
            for (int i = 0; i < entries; ++i)
                type.dimmers.addDimm(KyDimm{dimmerOn(i + 1)});
            return type;
        };
        rig.install(rig.addType(pack(20), "Duży"), 1);
        rig.install(rig.addType(pack(5), "Mały"), 100);
        rig.select({0});
        TDimmersForm form(rig.model);
        form.show();
        for (int i = 0; i < 32; ++i)
            QCOMPARE(form.control(std::size_t(i))->isVisible(), i < 20);
        QCOMPARE(form.control(15)->y(), form.control(0)->y());
        QVERIFY(form.control(16)->y() > form.control(0)->y());
        QCOMPARE(form.control(16)->x(), form.control(0)->x());
        QVERIFY(form.control(15)->x() > form.control(14)->x());
        const QSize big = form.size();
        form.control(19)->bar()->setPosition(255);
        QCOMPARE(rig.at(19), 255);

        rig.select({1});
        form.reevaluateVisibility();
        QVERIFY(form.width() < big.width() / 2);
        QVERIFY(form.height() < big.height());
    }

    // Control k stands in row k / 16, column k % 16, whatever the entries before it: an
    // inactive entry leaves its place empty.
    void dimmerControlsStandAtTheirEntrysPlace()
    {
        FunctionRig rig;
        KyDevice type;
        for (int i = 0; i < 20; ++i)
            type.dimmers.addDimm(KyDimm{dimmerOn(i + 1)});
        type.dimmers.dimmAt(2).active = false;
        rig.install(rig.addType(type), 1);
        rig.select({0});
        TDimmersForm form(rig.model);
        form.show();
        QVERIFY(!form.control(2)->isVisible());
        const int step = form.control(1)->x() - form.control(0)->x();
        QCOMPARE(form.control(3)->x(), form.control(0)->x() + 3 * step);
        QCOMPARE(form.control(15)->y(), form.control(0)->y());
        QCOMPARE(form.control(15)->x(), form.control(0)->x() + 15 * step);
        QVERIFY(form.control(16)->y() > form.control(0)->y());
        QCOMPARE(form.control(16)->x(), form.control(0)->x());
        form.control(3)->bar()->setPosition(255);
        QCOMPARE(rig.at(3), 255);
    }

    void opticsPackTheActiveOnes()
    {
        FunctionRig rig;
        KyDevice type;
        type.optic.optic2 = dimmerOn(2);
        type.optic.optic4 = dimmerOn(4, 0, 100, true);
        rig.install(rig.addType(type), 1);
        rig.select({0});
        TOpticForm form(rig.model);
        form.show();
        QVERIFY(!form.control(0)->isVisible() && !form.control(2)->isVisible());
        QVERIFY(form.control(1)->x() < form.control(3)->x());
        QVERIFY(form.control(1)->x() < form.control(3)->width());
        form.control(3)->bar()->setPosition(255);
        QCOMPARE(rig.at(3), 0);
    }
};

QTEST_MAIN(ColourFormsTest)
#include "Fcolour_test.moc"
