#include "cue/Dmx_space.h"
#include "dmx/Fdmxtracker.h"
#include "library/Library.h"

#include <QPushButton>
#include <QTest>

// Heads are installed two channels apart: 8-bit pan on their first channel, tilt on the
// second. The 16-bit head and the dimmer without pan/tilt are added by the tests that need them.
class DmxTrackerFormTest : public QObject {
    Q_OBJECT
    KyLibrary library;
    KyIcons icons;
    KyDmxSpace dmx;
    std::mutex lock;

    std::size_t install(std::size_t type, std::int32_t startAddress)
    {
        KyClubDevice device(library.deviceAt(type));
        device.startAddress = startAddress;
        library.club.addClubDevice(device);
        return library.club.clubDeviceCount() - 1;
    }
    void select(std::initializer_list<std::size_t> devices)
    {
        icons.build(library.club, 1);
        for (std::size_t i : devices)
            icons.toggleSelection(i);
    }
    void write(int index, std::uint8_t value)
    {
        std::lock_guard guard(lock);
        dmx.setChannel(index, value);
    }
    static QColor at(const TDmxTrackerForm& form, QPoint p) { return form.frame()->picture().pixelColor(p); }
    static QColor background(const TDmxTrackerForm& form) { return form.frame()->palette().color(QPalette::Window); }

private slots:
    void init()
    {
        library.devices.clear();
        library.club.clubDevices.clear();
        KyDevice head8;
        head8.panTilt.active = true;
        head8.panTilt.panChannel = 1;
        head8.panTilt.tiltChannel = 2;
        library.addDevice(head8);
        KyDevice head16 = head8;
        head16.panTilt.mode8bit = false;
        head16.panTilt.panChannel = 1;
        head16.panTilt.panFineChannel = 2;
        head16.panTilt.tiltChannel = 3;
        head16.panTilt.tiltFineChannel = 4;
        library.addDevice(head16);
        KyDevice dimmer;
        dimmer.intensity.active = true;
        library.addDevice(dimmer);
        dmx = KyDmxSpace();
    }

    void sixteenBitHeadIsPlottedByScaleAndLeavesItsTrail()
    {
        select({install(1, 101)});
        write(100, 0x80); // pan 0x8000, tilt 0
        QWidget mainWindow;
        TDmxTrackerForm form(dmx, icons, lock, &mainWindow);
        QCOMPARE(form.windowTitle(), QStringLiteral("DmxTracker"));
        QVERIFY(form.windowFlags() & Qt::Tool);
        QCOMPARE(form.frame()->size(), QSize(240, 240));
        QCOMPARE(form.frame()->picture().size(), QSize(240, 240));

        form.show();
        QTRY_COMPARE(at(form, {120, 5}), QColor(Qt::black));

        write(101, 0xFF); // pan 0x80FF
        write(102, 0xFF); // tilt 0xFF00
        QTRY_COMPARE(at(form, {121, 236}), QColor(Qt::black));
        const QColor trail = at(form, {120, 5});
        QVERIFY(trail != QColor(Qt::black) && trail != background(form));

        form.findChild<QPushButton*>("ClearButton")->click();
        QCOMPARE(at(form, {120, 5}), background(form));

        form.resize(form.width() + 250, form.height());
        QTRY_COMPARE(form.frame()->picture().size(), form.frame()->size());
        const int w = form.frame()->width();
        QCOMPARE(form.frame()->plotPoint(0x8000, 0).x(), int(0x8000 * double(w - 10) / 65535 + 5 + 0.5));

        QCOMPARE(form.findChild<QPushButton*>("CloseButton")->text(), QStringLiteral("&Zamknij"));
        QCOMPARE(form.findChild<QPushButton*>("ClearButton")->text(), QStringLiteral("&Wyczyść"));
        form.findChild<QPushButton*>("CloseButton")->click();
        QVERIFY(!form.isVisible());
    }

    void trailGrowsWhileTheWindowIsHidden()
    {
        select({install(0, 1)});
        TDmxTrackerForm form(dmx, icons, lock);
        QTRY_COMPARE(at(form, {5, 5}), QColor(Qt::black));
        write(0, 255);
        QTRY_COMPARE(at(form, {235, 5}), QColor(Qt::black));
        write(1, 255);
        QTRY_COMPARE(at(form, {235, 235}), QColor(Qt::black));
        QVERIFY(!form.isVisible());
        for (QPoint earlier : {QPoint(5, 5), QPoint(235, 5)}) {
            QVERIFY(at(form, earlier) != QColor(Qt::black));
            QVERIFY(at(form, earlier) != background(form));
        }
    }

    // Twelve heads in a row at tilt 0, then all moved down: the colours are left at the top.
    void twelfthDeviceGetsTheFirstDevicesColour()
    {
        std::vector<int> xs;
        for (int k = 0; k < 12; ++k) {
            install(0, 1 + 2 * k);
            write(2 * k, static_cast<std::uint8_t>(20 * k));
            xs.push_back(int(20 * k * 256 * 230.0 / 65535 + 5 + 0.5));
        }
        select({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11});
        TDmxTrackerForm form(dmx, icons, lock);
        QTRY_COMPARE(at(form, {xs[11], 5}), QColor(Qt::black));
        for (int k = 0; k < 12; ++k)
            write(2 * k + 1, 255);
        QTRY_COMPARE(at(form, {xs[11], 235}), QColor(Qt::black));
        QTRY_VERIFY(at(form, {xs[11], 5}) != QColor(Qt::black));
        QCOMPARE(at(form, {xs[11], 5}), at(form, {xs[0], 5}));
        QVERIFY(at(form, {xs[1], 5}) != at(form, {xs[0], 5}));
    }

    void deviceWithoutPanTiltLeavesNoMark()
    {
        select({install(2, 1)});
        write(0, 255);
        TDmxTrackerForm form(dmx, icons, lock);
        QImage blank(form.frame()->picture().size(), QImage::Format_RGB32);
        blank.fill(background(form));
        QTest::qWait(200);
        QCOMPARE(form.frame()->picture(), blank);
    }
};

QTEST_MAIN(DmxTrackerFormTest)
#include "Fdmxtracker_test.moc"
