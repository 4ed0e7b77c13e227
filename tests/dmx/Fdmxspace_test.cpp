#include "cue/Dmx_space.h"
#include "dmx/Fdmxspace.h"

#include <QPushButton>
#include <QTableWidget>
#include <QTest>

class DmxSpaceFormTest : public QObject {
    Q_OBJECT
    KyDmxSpace dmx;
    std::mutex lock;

    // The cell under the row header `row` and the column header `column`.
    static QString cellText(const QTableWidget* grid, const QString& row, const QString& column)
    {
        int r = -1;
        int c = -1;
        for (int i = 0; i < grid->rowCount(); ++i)
            if (grid->verticalHeaderItem(i)->text() == row)
                r = i;
        for (int i = 0; i < grid->columnCount(); ++i)
            if (grid->horizontalHeaderItem(i)->text() == column)
                c = i;
        if (r < 0 || c < 0)
            return QStringLiteral("<no cell>");
        return grid->item(r, c)->text();
    }

    void write(int index, std::uint8_t value)
    {
        std::lock_guard guard(lock);
        dmx.setChannel(index, value);
    }

private slots:
    void cellsShowTheUniverseByRowAndColumnHeader()
    {
        write(0, 11);
        write(9, 19);
        write(10, 20);
        write(511, 222);
        QWidget mainWindow;
        TDmxSpaceForm form(dmx, lock, &mainWindow);
        QVERIFY(form.windowFlags() & Qt::Tool);
        QCOMPARE(form.windowTitle(), QStringLiteral("Przestrzeń DMX"));
        QTableWidget* grid = form.grid();
        QCOMPARE(grid->columnCount(), 10);
        QCOMPARE(grid->rowCount(), 52);
        QCOMPARE(grid->horizontalHeaderItem(9)->text(), QStringLiteral("10"));
        QCOMPARE(grid->verticalHeaderItem(51)->text(), QStringLiteral("510"));

        form.show();
        QCOMPARE(cellText(grid, "0", "1"), QStringLiteral("11"));
        QCOMPARE(cellText(grid, "0", "10"), QStringLiteral("19"));
        QCOMPARE(cellText(grid, "10", "1"), QStringLiteral("20"));
        QCOMPARE(cellText(grid, "510", "1"), QStringLiteral("0"));
        QCOMPARE(cellText(grid, "510", "2"), QStringLiteral("222"));
        for (int c = 3; c <= 10; ++c)
            QCOMPARE(cellText(grid, "510", QString::number(c)), QString());
    }

    void refreshesOnlyWhileVisible()
    {
        TDmxSpaceForm form(dmx, lock);
        form.show();
        write(0, 99);
        QTRY_COMPARE(cellText(form.grid(), "0", "1"), QStringLiteral("99"));

        auto* close = form.findChild<QPushButton*>();
        QCOMPARE(close->text(), QStringLiteral("&Zamknij"));
        close->click();
        QVERIFY(!form.isVisible());
        write(0, 5);
        QTest::qWait(150);
        QCOMPARE(cellText(form.grid(), "0", "1"), QStringLiteral("99"));
        form.show();
        QCOMPARE(cellText(form.grid(), "0", "1"), QStringLiteral("5"));
    }
};

QTEST_MAIN(DmxSpaceFormTest)
#include "Fdmxspace_test.moc"
