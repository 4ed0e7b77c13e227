// The blackout window over the real frame path: a show whose module link writes to a
// pseudo-terminal, with the Light window showing the live value beside it.

#include "app/Show.h"
#include "common/PTrackBar.h"
#include "functions/Fblackout.h"
#include "functions/Flight.h"
#include "functions/PDimmerControl.h"
#include "support/Pty.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

class BlackoutFormTest : public QObject {
    Q_OBJECT

    // One frame out of the show's tick, as the module receives it.
    static std::vector<std::uint8_t> tickFrame(KyShow& show, RawPty& pty)
    {
        show.tick();
        return pty.received();
    }

private slots:
    void blackoutDarkensTheFrameNotTheUniverse()
    {
        RawPty pty;
        KyShow show(DataPaths::in("/nonexistent"));
        show.usb.port.configure(pty.path(), 6, true, 0, 0);
        QVERIFY(show.usb.port.open());
        show.usb.moduleState = 1;

        KyDevice dark;
        dark.intensity.active = true;
        dark.blackout.active = true;
        dark.blackout.setValue(1, 0);
        KyDevice keeps = dark;
        keeps.blackout.active = false;
        for (const auto& [type, start] : {std::pair{dark, 1}, std::pair{keeps, 10}}) {
            show.library.addDevice(type);
            KyClubDevice device(show.library.deviceAt(show.library.deviceCount() - 1));
            device.startAddress = start;
            show.library.club.addClubDevice(device);
        }
        show.rebuildIcons();
        show.icons.toggleSelection(0);

        const KyFunctionModel model{show.dmx, show.icons, show.showLock()};
        TLightForm light(model);
        light.show();
        light.intensity()->bar()->setPosition(255);
        {
            std::lock_guard lock(show.showLock());
            show.dmx.setManual(9, 255);
        }

        TBlackoutForm blackout(show.usb, show.showLock());
        QCOMPARE(blackout.windowTitle(), QStringLiteral("Blackout"));
        QVERIFY(!(blackout.windowFlags() & Qt::WindowCloseButtonHint));
        QVERIFY(blackout.findChild<QLabel*>("BlackoutLabel")->text() == QStringLiteral("BLACKOUT"));
        QCOMPARE(blackout.offButton()->text(), QStringLiteral("Wyłącz"));
        blackout.show();
        QVERIFY(show.usb.blackoutActive);

        auto frame = tickFrame(show, pty);
        QCOMPARE(frame.size(), std::size_t(KyUsb::kRequestSize));
        QCOMPARE(frame[16], 0);
        QCOMPARE(frame[16 + 9], 255); // its type's blackout list is not active
        QCOMPARE(show.dmx.data()[0], 255);
        QTest::qWait(60);
        QCOMPARE(light.intensity()->valueLabel()->text(), QStringLiteral("255"));

        QTest::mouseClick(blackout.offButton(), Qt::LeftButton);
        QVERIFY(!blackout.isVisible());
        QVERIFY(!show.usb.blackoutActive);
        frame = tickFrame(show, pty);
        QCOMPARE(frame.at(16), 255);
    }
};

QTEST_MAIN(BlackoutFormTest)
#include "Fblackout_test.moc"
