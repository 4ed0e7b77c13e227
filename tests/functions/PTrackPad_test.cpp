#include "functions/PTrackPad.h"
#include "TrackTestSupport.h"

#include <QSignalSpy>
#include <QTest>

class TrackPadTest : public QObject {
    Q_OBJECT

private slots:
    void positionsClampPerAxisAndFireOncePerChange()
    {
        TPTrackPad pad;
        pad.setMaxX(1000);
        pad.setMinY(300); // ignored: not below MaxY
        pad.setMaxY(-5);  // ignored: not above MinY
        QCOMPARE(pad.minY(), 0);
        QCOMPARE(pad.maxY(), 255);

        QSignalSpy spy(&pad, &TPTrackPad::changed);
        pad.setPosition(2000, 300);
        QCOMPARE(pad.positionX(), 1000);
        QCOMPARE(pad.positionY(), 255);
        QCOMPARE(spy.count(), 1);
        pad.setPosition(1000, 255);
        pad.setPositionY(400);
        QCOMPARE(spy.count(), 1);
        pad.setPositionX(5);
        QCOMPARE(spy.count(), 2);
        pad.setPositionSilently(7, 8);
        QCOMPARE(spy.count(), 2);
        QCOMPARE(pad.positionX(), 7);

        pad.setMouseStepY(1000);
        QCOMPARE(pad.mouseStepY(), 255);
        pad.setSliderSize(1);
        QCOMPARE(pad.sliderSize(), 3);
    }

    void relativeAxisMovesByItsStepPerPixel_data()
    {
        QTest::addColumn<bool>("minimumAtLeft");
        QTest::newRow("minimum left") << true;
        QTest::newRow("minimum right") << false;
    }

    // X is relative with step 16, Y has no step and follows the pointer.
    void relativeAxisMovesByItsStepPerPixel()
    {
        QFETCH(bool, minimumAtLeft);
        Warped<TPTrackPad> pad;
        pad.resize(300, 274);
        pad.setMaxX(65535);
        pad.setMouseStepX(16);
        pad.setIsMinimumAtLeft(minimumAtLeft);
        QSignalSpy spy(&pad, &TPTrackPad::changed);
        press(&pad, {150, 100});
        int x0 = pad.positionX();
        QCOMPARE(pad.positionY(), 100 - 9);
        QCOMPARE(pad.cursor().shape(), Qt::BlankCursor);

        drag(&pad, {160, 120});
        QCOMPARE(pad.positionX(), x0 + (minimumAtLeft ? 160 : -160));
        QCOMPARE(pad.positionY(), 120 - 9);
        QCOMPARE(pad.warps.back(), pad.knobCentre());
        QCOMPARE(spy.count(), 2);

        release(&pad, {0, 0});
        QCOMPARE(pad.warps.back(), pad.knobCentre());
        QVERIFY(pad.cursor().shape() != Qt::BlankCursor);
    }

    void absolutePadFollowsThePointerWithoutWarping()
    {
        Warped<TPTrackPad> pad;
        pad.resize(274, 274);
        pad.setIsMinimumAtTop(false);
        press(&pad, {9, 9});
        QCOMPARE(pad.positionX(), 0);
        QCOMPARE(pad.positionY(), 255);
        drag(&pad, {19, 264});
        QCOMPARE(pad.positionX(), 10);
        QCOMPARE(pad.positionY(), 0);
        release(&pad, {19, 264});
        QVERIFY(pad.warps.empty());
    }

    void keys_data()
    {
        QTest::addColumn<bool>("minimumAtLeft");
        QTest::addColumn<bool>("minimumAtTop");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");

        // From (100, 100) with MouseStepX 4 and MouseStepY 0 (keys step by at least 1).
        QTest::newRow("Left") << true << true << int(Qt::Key_Left) << 96 << 100;
        QTest::newRow("H") << true << true << int(Qt::Key_H) << 96 << 100;
        QTest::newRow("Right") << true << true << int(Qt::Key_Right) << 104 << 100;
        QTest::newRow("L") << true << true << int(Qt::Key_L) << 104 << 100;
        QTest::newRow("Up") << true << true << int(Qt::Key_Up) << 100 << 99;
        QTest::newRow("K") << true << true << int(Qt::Key_K) << 100 << 99;
        QTest::newRow("Down") << true << true << int(Qt::Key_Down) << 100 << 101;
        QTest::newRow("J") << true << true << int(Qt::Key_J) << 100 << 101;
        QTest::newRow("Left, minimum right") << false << true << int(Qt::Key_Left) << 104 << 100;
        QTest::newRow("Up, minimum at bottom") << true << false << int(Qt::Key_Up) << 100 << 101;
        QTest::newRow("PageUp swallowed") << true << true << int(Qt::Key_PageUp) << 100 << 100;
        QTest::newRow("PageDown swallowed") << true << true << int(Qt::Key_PageDown) << 100 << 100;
        QTest::newRow("End swallowed") << true << true << int(Qt::Key_End) << 100 << 100;
        QTest::newRow("Home swallowed") << true << true << int(Qt::Key_Home) << 100 << 100;
    }

    void keys()
    {
        QFETCH(bool, minimumAtLeft);
        QFETCH(bool, minimumAtTop);
        QFETCH(int, key);
        QFETCH(int, x);
        QFETCH(int, y);
        TPTrackPad pad;
        pad.setIsMinimumAtLeft(minimumAtLeft);
        pad.setIsMinimumAtTop(minimumAtTop);
        pad.setMouseStepX(4);
        pad.setPosition(100, 100);
        QTest::keyClick(&pad, Qt::Key(key));
        QCOMPARE(pad.positionX(), x);
        QCOMPARE(pad.positionY(), y);
    }
};

QTEST_MAIN(TrackPadTest)
#include "PTrackPad_test.moc"
