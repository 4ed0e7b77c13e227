#include "TrackTestSupport.h"
#include "common/PTrackBar.h"

#include <QSignalSpy>
#include <QTest>

#include <climits>

class TrackBarTest : public QObject {
    Q_OBJECT

private slots:
    void boundsThatWouldCrossAreIgnored()
    {
        TPTrackBar bar;
        QSignalSpy spy(&bar, &TPTrackBar::changed);
        bar.setMin(300);
        bar.setMax(-5);
        bar.setMin(255);
        QCOMPARE(bar.min(), 0);
        QCOMPARE(bar.max(), 255);

        bar.setPosition(200);
        bar.setMouseStep(150);
        bar.setMax(100); // pulls the position in and limits the step, silently
        QCOMPARE(bar.position(), 100);
        QCOMPARE(bar.mouseStep(), 100);
        bar.setMin(90);
        QCOMPARE(bar.mouseStep(), 10);
        QCOMPARE(spy.count(), 1);
    }

    void positionIsClampedAndFiresOnlyWhenItChanges()
    {
        TPTrackBar bar;
        QSignalSpy spy(&bar, &TPTrackBar::changed);
        bar.setPosition(300);
        QCOMPARE(bar.position(), 255);
        QCOMPARE(spy.count(), 1);
        bar.setPosition(255);
        bar.setPosition(1000);
        QCOMPARE(spy.count(), 1);
        bar.setPosition(-7);
        QCOMPARE(bar.position(), 0);
        QCOMPARE(spy.count(), 2);

        bar.setPositionSilently(40);
        QCOMPARE(bar.position(), 40);
        QCOMPARE(spy.count(), 2);
    }

    void settersKeepTheirLimits()
    {
        TPTrackBar bar;
        QVERIFY(bar.isVertical());
        QVERIFY(bar.isMinimumAtTopLeft());
        QCOMPARE(bar.pageSize(), 16);
        QCOMPARE(bar.lineSize(), 1);
        QCOMPARE(bar.sliderSize(), 17);

        bar.setPageSize(0);
        bar.setLineSize(-3);
        bar.setPartition(-1);
        QCOMPARE(bar.pageSize(), 16);
        QCOMPARE(bar.lineSize(), 1);
        QCOMPARE(bar.partition(), 0);

        bar.setMouseStep(-4);
        QCOMPARE(bar.mouseStep(), 0);
        bar.setMouseStep(1000);
        QCOMPARE(bar.mouseStep(), 255);

        bar.setSliderSize(3);
        QCOMPARE(bar.sliderSize(), 7);
        bar.setSliderSize(100);
        QCOMPARE(bar.sliderSize(), 64);
    }

    // Length 21 with slider 7: the knob travels from pixel 4 to pixel 16.
    void pixelMappingRoundsHalfAwayFromZero_data()
    {
        QTest::addColumn<int>("min");
        QTest::addColumn<int>("max");
        QTest::addColumn<bool>("minimumFirst");
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("slider");
        QTest::addColumn<int>("pixel");
        QTest::addColumn<int>("value");
        QTest::addColumn<bool>("pixelToValue");

        QTest::newRow("value +0.5") << 0 << 6 << true << 21 << 7 << 5 << 1 << true;
        QTest::newRow("value +1.5") << 0 << 6 << true << 21 << 7 << 7 << 2 << true;
        QTest::newRow("value -5.5") << -6 << 0 << true << 21 << 7 << 5 << -6 << true;
        QTest::newRow("value -4.5") << -6 << 0 << true << 21 << 7 << 7 << -5 << true;
        QTest::newRow("minimum at the far end") << 0 << 6 << false << 21 << 7 << 5 << 6 << true;
        QTest::newRow("before the travel clamps") << 0 << 6 << true << 21 << 7 << 0 << 0 << true;
        QTest::newRow("pixel +4.5") << 0 << 24 << true << 21 << 7 << 5 << 1 << false;
        QTest::newRow("pixel +5.5") << 0 << 24 << true << 21 << 7 << 6 << 3 << false;
        QTest::newRow("pixel -0.5") << 0 << 28 << true << 5 << 17 << -1 << 19 << false;
    }

    void pixelMappingRoundsHalfAwayFromZero()
    {
        QFETCH(int, min);
        QFETCH(int, max);
        QFETCH(bool, minimumFirst);
        QFETCH(int, length);
        QFETCH(int, slider);
        QFETCH(int, pixel);
        QFETCH(int, value);
        QFETCH(bool, pixelToValue);
        TPTrackAxis axis;
        axis.setMin(min);
        axis.setMax(max);
        axis.setMinimumAtStart(minimumFirst);
        if (pixelToValue)
            QCOMPARE(axis.valueAt(pixel, length, slider), value);
        else
            QCOMPARE(axis.pixelOf(value, length, slider), pixel);
    }

    void keys_data()
    {
        QTest::addColumn<bool>("minimumFirst");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("expected");

        // From position 100 with PageSize 16 and LineSize 3.
        QTest::newRow("PageUp") << true << int(Qt::Key_PageUp) << 84;
        QTest::newRow("PageDown") << true << int(Qt::Key_PageDown) << 116;
        QTest::newRow("End") << true << int(Qt::Key_End) << 255;
        QTest::newRow("Home") << true << int(Qt::Key_Home) << 0;
        QTest::newRow("Up") << true << int(Qt::Key_Up) << 97;
        QTest::newRow("Left") << true << int(Qt::Key_Left) << 97;
        QTest::newRow("H") << true << int(Qt::Key_H) << 97;
        QTest::newRow("K") << true << int(Qt::Key_K) << 97;
        QTest::newRow("Down") << true << int(Qt::Key_Down) << 103;
        QTest::newRow("Right") << true << int(Qt::Key_Right) << 103;
        QTest::newRow("J") << true << int(Qt::Key_J) << 103;
        QTest::newRow("L") << true << int(Qt::Key_L) << 103;
        QTest::newRow("other key") << true << int(Qt::Key_A) << 100;
        QTest::newRow("inverted PageUp") << false << int(Qt::Key_PageUp) << 116;
        QTest::newRow("inverted End") << false << int(Qt::Key_End) << 0;
        QTest::newRow("inverted Home") << false << int(Qt::Key_Home) << 255;
        QTest::newRow("inverted Up") << false << int(Qt::Key_Up) << 103;
        QTest::newRow("inverted L") << false << int(Qt::Key_L) << 97;
    }

    void keys()
    {
        QFETCH(bool, minimumFirst);
        QFETCH(int, key);
        QFETCH(int, expected);
        TPTrackBar bar;
        bar.setIsMinimumAtTopLeft(minimumFirst);
        bar.setLineSize(3);
        bar.setPosition(100);
        QSignalSpy spy(&bar, &TPTrackBar::changed);
        QTest::keyClick(&bar, Qt::Key(key));
        QCOMPARE(bar.position(), expected);
        QCOMPARE(spy.count(), expected == 100 ? 0 : 1);
    }

    void hugeRangesAndStepsStayInRange()
    {
        TPTrackBar bar;
        bar.setMax(INT_MAX);
        bar.setMin(INT_MIN);
        bar.setPageSize(INT_MAX);
        bar.setMouseStep(INT_MAX);
        bar.resize(20, 200);
        bar.setPosition(INT_MAX - 5);
        QTest::keyClick(&bar, Qt::Key_PageDown);
        QCOMPARE(bar.position(), INT_MAX);
        QTest::keyClick(&bar, Qt::Key_PageUp);
        QTest::keyClick(&bar, Qt::Key_PageUp);
        QTest::keyClick(&bar, Qt::Key_PageUp);
        QCOMPARE(bar.position(), INT_MIN);

        Warped<TPTrackBar> dragged;
        dragged.setMax(INT_MAX);
        dragged.setMin(INT_MIN);
        dragged.setMouseStep(INT_MAX);
        dragged.resize(20, 200);
        press(&dragged, {10, 100});
        drag(&dragged, {10, 190});
        QCOMPARE(dragged.position(), INT_MAX);
    }

    void absoluteMouseFollowsThePointer()
    {
        TPTrackBar bar;
        bar.setIsVertical(false);
        bar.resize(21, 20);
        bar.setMax(6);
        bar.setSliderSize(7);
        QSignalSpy spy(&bar, &TPTrackBar::changed);
        press(&bar, {5, 10});
        QCOMPARE(bar.position(), 1);
        drag(&bar, {16, 3});
        QCOMPARE(bar.position(), 6);
        release(&bar, {16, 3});
        drag(&bar, {4, 3}); // no button held any more
        QCOMPARE(bar.position(), 6);
        QCOMPARE(spy.count(), 2);
        QVERIFY(bar.cursor().shape() != Qt::BlankCursor);
    }

    void draggingUpAnInvertedVerticalBarIncreasesTheValue_data()
    {
        QTest::addColumn<int>("mouseStep");
        QTest::newRow("absolute") << 0;
        QTest::newRow("relative") << 2;
    }

    void draggingUpAnInvertedVerticalBarIncreasesTheValue()
    {
        QFETCH(int, mouseStep);
        Warped<TPTrackBar> bar;
        bar.resize(20, 274); // 255 pixels of travel, one value per pixel
        bar.setIsMinimumAtTopLeft(false);
        bar.setMouseStep(mouseStep);
        press(&bar, {10, 200});
        int pressed = bar.position();
        QCOMPARE(pressed, 264 - 200);
        drag(&bar, {10, 190});
        QCOMPARE(bar.position(), pressed + 10 * std::max(1, mouseStep));
    }

    void relativeMouseKeepsThePointerOnTheKnob()
    {
        Warped<TPTrackBar> bar;
        bar.setIsVertical(false);
        bar.resize(273, 20);
        bar.setMax(65535);
        bar.setMouseStep(16);
        press(&bar, {100, 10});
        int pressed = bar.position();
        QCOMPARE(bar.cursor().shape(), Qt::BlankCursor);

        drag(&bar, {107, 4});
        QCOMPARE(bar.position(), pressed + 7 * 16);
        QCOMPARE(bar.warps.back(), bar.knobCentre());

        // The next motion is measured from the knob, where the pointer was put.
        drag(&bar, {bar.knobCentre().x() - 2, 4});
        QCOMPARE(bar.position(), pressed + 5 * 16);

        release(&bar, {0, 0});
        QCOMPARE(bar.warps.back(), bar.knobCentre());
        QVERIFY(bar.cursor().shape() != Qt::BlankCursor);
    }

    void minimumSideIsPaintedInMinimumColor_data()
    {
        QTest::addColumn<bool>("minimumFirst");
        QTest::newRow("minimum left") << true;
        QTest::newRow("minimum right") << false;
    }

    void minimumSideIsPaintedInMinimumColor()
    {
        QFETCH(bool, minimumFirst);
        TPTrackBar bar;
        bar.setIsVertical(false);
        bar.setIsMinimumAtTopLeft(minimumFirst);
        bar.resize(100, 20);
        bar.setMax(100);
        bar.setPosition(50);
        bar.setMinimumColor(Qt::red);
        bar.setColor(Qt::blue);
        QImage image = bar.grab().toImage();
        QColor left = image.pixelColor(5, 2);
        QColor right = image.pixelColor(94, 2);
        QCOMPARE(left, minimumFirst ? QColor(Qt::red) : QColor(Qt::blue));
        QCOMPARE(right, minimumFirst ? QColor(Qt::blue) : QColor(Qt::red));
    }

    // A bar of one line draws its knob over the caption; one made tall enough keeps the knob
    // below it.
    void aTallBarWritesItsCaptionAboveTheKnob()
    {
        TPTrackBar bar;
        bar.setIsVertical(false);
        bar.setMin(-100);
        bar.setMax(100);
        bar.setCaption(QStringLiteral("PRĘDKOŚĆ CUE:  0"));
        bar.resize(300, 24);
        QCOMPARE(bar.knobCentre(), QPoint(150, 12));

        bar.fitCaptionAboveKnob();
        bar.resize(300, bar.height());
        const int knobTop = bar.knobCentre().y() - bar.sliderSize() / 2;
        QVERIFY(knobTop > bar.fontMetrics().height());
        QVERIFY(knobTop + bar.sliderSize() < bar.height());
        QCOMPARE(bar.knobCentre().x(), 150);
    }
};

QTEST_MAIN(TrackBarTest)
#include "PTrackBar_test.moc"
