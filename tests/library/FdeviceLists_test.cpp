// The wheel pages with their palettes and the dimmer-pack page of the device editor.

#include "common/PPicture.h"
#include "library/Fdevice.h"
#include "support/ModalAnswerer.h"
#include "LibraryUiSupport.h"

#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QStackedWidget>
#include <QTemporaryDir>

class DeviceListsTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    ModalAnswerer* answerer = nullptr;
    FileDialogAnswers files;

    static QWidget* selectPage(TDeviceForm& form, const QString& entry)
    {
        QRect rect = form.pageList()->visualItemRect(form.pageList()->findItems(entry, Qt::MatchExactly).front());
        QTest::mouseClick(form.pageList()->viewport(), Qt::LeftButton, {}, rect.center());
        return form.pageArea()->currentWidget();
    }

    static QStringList slotList(const KyGobo& wheel)
    {
        QStringList out;
        for (std::size_t i = 0; i < wheel.slotCount(); ++i)
            out << QString("%1 %2").arg(QString::fromStdString(wheel.slotAt(i).name)).arg(wheel.slotAt(i).value);
        return out;
    }

    static QStringList paletteRows(TPStringGrid* grid)
    {
        QStringList out;
        for (int row = 0; row < grid->rowCount(); ++row)
            out << grid->text(row, 0) + " " + grid->text(row, 1) + " " + grid->text(row, 2);
        return out;
    }

    static KyDevice deviceWithSlots(int count)
    {
        KyDevice device;
        device.gobo2.wheel.active = true;
        for (int i = 0; i < count; ++i)
            device.gobo2.addSlot(KyIcon{"s" + std::to_string(i), {}, 100 + i});
        return device;
    }

private slots:
    void init()
    {
        files.install();
        answerer = new ModalAnswerer(this);
    }
    void cleanup() { delete answerer; }

    void slotsComeFromPicturesAndSortByValueWhenThePageIsLeft()
    {
        KyDevice device;
        TDeviceForm form(device, nullptr);
        QVERIFY(showActive(&form));
        QWidget* page = selectPage(form, "Gobo 1");
        auto* palette = page->findChild<TPStringGrid*>();
        QVERIFY(groupWithTitle(page, "Paleta Gobo"));
        click(buttonWithText(page, "Aktywny"));
        QVERIFY(device.gobo1.wheel.active);

        for (const char* name : {"blue", "red", "green"}) {
            files.paths.push_back(writePicture(dir.path(), QString("%1.bmp").arg(name), QColor(name)));
            click(buttonWithText(page, "Dodaj"));
        }
        QCOMPARE(files.filters, QStringList(3, "Bitmaps (*.bmp)"));
        QCOMPARE(files.suffixes, QStringList(3, "bmp"));
        QCOMPARE(slotList(device.gobo1), QStringList({"blue 0", "red 0", "green 0"}));
        QCOMPARE(vt::imageFromBmp(device.gobo1.slotAt(1).picture).pixelColor(3, 3), QColor("red"));
        QCOMPARE(palette->currentRow(), 2);
        QCOMPARE(page->findChild<QLabel*>("Preview")->pixmap().toImage().pixelColor(3, 3), QColor("green"));
        QVERIFY(showActive(&form));

        typeInCell(palette, 0, 2, "30");
        typeInCell(palette, 1, 2, "10");
        typeInCell(palette, 2, 2, "20");
        QVERIFY(palette->editing());
        QCOMPARE(slotList(device.gobo1), QStringList({"blue 30", "red 10", "green 20"}));

        selectPage(form, "Gobo 2");
        QCOMPARE(slotList(device.gobo1), QStringList({"red 10", "green 20", "blue 30"}));
        selectPage(form, "Gobo 1");
        QCOMPARE(paletteRows(palette), QStringList({"1 red 10", "2 green 20", "3 blue 30"}));
        QVERIFY(answerer->seen.isEmpty());
    }

    void slotValuesOutOfRangeWarnOnEnterOnlyAndChangeNothing()
    {
        KyDevice device = deviceWithSlots(2);
        TDeviceForm form(device, nullptr);
        QVERIFY(showActive(&form));
        QWidget* page = selectPage(form, "Gobo 2");
        auto* palette = page->findChild<TPStringGrid*>();

        answerer->expectMessage("OK");
        typeInCell(palette, 1, 2, "256");
        QCOMPARE(answerer->seen, QStringList{"Nieprawidłowa wartość DMX\nPoprawne wartości : 0-255"});
        QCOMPARE(device.gobo2.slotAt(1).value, 101);
        QVERIFY(palette->editing());
        QCOMPARE(palette->editor()->text(), QStringLiteral("101"));
        QVERIFY(showActive(&form));

        // Leaving the grid commits quietly; a name goes in as it was typed.
        typeInCell(palette, 0, 1, "Łuk", false);
        click(page->findChild<QLineEdit*>("Nazwa"));
        QVERIFY(!palette->editing());
        QCOMPARE(device.gobo2.slotAt(0).name, std::string("\xA3uk"));
        typeInCell(palette, 0, 2, "256", false);
        click(page->findChild<QLineEdit*>("Nazwa"));
        QVERIFY(!palette->editing());
        QCOMPARE(device.gobo2.slotAt(0).value, 100);
        QCOMPARE(palette->text(0, 2), QStringLiteral("100"));
        QCOMPARE(answerer->seen.size(), 1);

        // A refused value keeps the selection where it was.
        answerer->expectMessage("OK");
        typeInCell(palette, 0, 2, "x", false);
        clickCell(palette, 1, 1);
        QCOMPARE(answerer->seen.size(), 2);
        QCOMPARE(palette->currentRow(), 0);
        QVERIFY(!palette->editing());
    }

    void fullWheelsChangedSlotsAndUnreadablePictures()
    {
        QString notAPicture = dir.filePath("broken.bmp");
        QFile broken(notAPicture);
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("BM not a picture");
        broken.close();

        KyDevice device = deviceWithSlots(24);
        TDeviceForm form(device, nullptr);
        QVERIFY(showActive(&form));
        QWidget* page = selectPage(form, "Gobo 2");
        auto* palette = page->findChild<TPStringGrid*>();

        files.paths.push_back(writePicture(dir.path(), "cyan.bmp", QColor("cyan")));
        click(buttonWithText(page, "Dodaj"));
        QCOMPARE(files.modes.size(), 1);
        QCOMPARE(device.gobo2.slotCount(), std::size_t(24));

        clickCell(palette, 1, 1);
        files.paths.push_back(dir.filePath("cyan.bmp"));
        click(buttonWithText(page, "Zmień"));
        QCOMPARE(device.gobo2.slotAt(1).name, std::string("cyan"));
        QCOMPARE(device.gobo2.slotAt(1).value, 101);
        QVERIFY(!device.gobo2.slotAt(1).picture.empty());

        answerer->expectMessage("Cancel");
        files.paths.push_back(notAPicture);
        click(buttonWithText(page, "Zmień"));
        QCOMPARE(answerer->seen, QStringList{"Nieprawidłowy format pliku grafiki !!!"});
        QCOMPARE(device.gobo2.slotAt(1).name, std::string("cyan"));

        click(buttonWithText(page, "Usuń"));
        QCOMPARE(device.gobo2.slotCount(), std::size_t(23));
        QCOMPARE(device.gobo2.slotAt(1).name, std::string("s2"));

        // The device icon is taken the same way.
        files.paths.push_back(dir.filePath("cyan.bmp"));
        QWidget* general = selectPage(form, "Ogólne");
        click(buttonWithText(general, "Zmień"));
        QCOMPARE(vt::imageFromBmp(device.icon).pixelColor(0, 0), QColor("cyan"));
        answerer->expectMessage("Cancel");
        files.paths.push_back(notAPicture);
        click(buttonWithText(general, "Zmień"));
        QCOMPARE(answerer->seen.size(), 2);
        QVERIFY(!device.icon.empty());
    }

    void anInactiveWheelCannotBeUsed()
    {
        KyDevice device = deviceWithSlots(1);
        device.gobo2.wheel.active = false;
        device.gobo2.control1.active = true;
        TDeviceForm form(device, nullptr);
        QVERIFY(showActive(&form));
        QWidget* page = selectPage(form, "Gobo 2");
        QList<QWidget*> unusable = {page->findChild<TPStringGrid*>(), buttonWithText(page, "Dodaj"),
                                    buttonWithText(page, "Zmień"), buttonWithText(page, "Usuń"),
                                    buttonWithText(groupWithTitle(page, "Kontroler 1"), "Aktywny"),
                                    buttonWithText(groupWithTitle(page, "Kontroler 2 "), "Aktywny"),
                                    groupWithTitle(page, "Kontroler 1")->findChild<QLineEdit*>("Kanał")};
        for (QWidget* w : unusable)
            QVERIFY(!w->isEnabled());
        QVERIFY(page->findChild<QLabel*>("Preview")->pixmap().isNull());

        click(buttonWithText(page, "Aktywny"));
        for (QWidget* w : unusable)
            QVERIFY(w->isEnabled());
    }

    void dimmerPackEntriesWithTheirLimits()
    {
        KyDevice device;
        TDeviceForm form(device, nullptr);
        QVERIFY(showActive(&form));
        QWidget* page = selectPage(form, "Dimmery");
        auto* grid = page->findChild<TPStringGrid*>();
        QCOMPARE(grid->rowCount(), 1);
        QVERIFY(!grid->checkBoxContains(0, 5, grid->checkBoxRect(0, 5).center()));

        click(buttonWithText(page, "Dodaj"));
        click(buttonWithText(page, "Dodaj"));
        QCOMPARE(device.dimmers.dimmCount(), std::size_t(2));
        QCOMPARE(grid->currentRow(), 1);
        QStringList row;
        for (int c = 0; c < 5; ++c)
            row << grid->text(1, c);
        QCOMPARE(row, QStringList({"2", "", "1", "0", "255"}));
        QVERIFY(device.dimmers.dimmAt(1).active);

        struct Refused {
            int column;
            QString text, warning;
        };
        for (const Refused& r : {Refused{2, "0", "Nieprawidłowy numer kanału\nPoprawne wartości : 1-32"},
                                 Refused{3, "300", "Nieprawidłowa wartość DMX\nPoprawne wartości : 0-255"}}) {
            answerer->expectMessage("OK");
            typeInCell(grid, 0, r.column, r.text);
            QCOMPARE(answerer->seen.last(), r.warning);
            QTest::keyClick(grid->editor(), Qt::Key_Escape);
        }
        QCOMPARE(device.dimmers.dimmAt(0), device.dimmers.dimmAt(1));
        typeInCell(grid, 0, 2, "32");
        typeInCell(grid, 0, 4, "100");
        typeInCell(grid, 0, 1, "Ściana");
        QTest::keyClick(grid->editor(), Qt::Key_Escape);
        QCOMPARE(device.dimmers.dimmAt(0).channel, 32);
        QCOMPARE(int(device.dimmers.dimmAt(0).maxValue), 100);
        QCOMPARE(device.dimmers.dimmAt(0).name, std::string("\x8C" "ciana"));

        // Only a left click inside the box toggles; the column can never be selected.
        QRect box = grid->checkBoxRect(1, 5);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, box.center());
        QVERIFY(device.dimmers.dimmAt(1).isIntensity);
        QVERIFY(grid->currentColumn() != 5);
        QTest::mouseClick(grid->viewport(), Qt::RightButton, {}, box.center());
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(box.right() + 4, box.center().y()));
        QVERIFY(device.dimmers.dimmAt(1).isIntensity);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, box.center());
        QVERIFY(!device.dimmers.dimmAt(1).isIntensity);
        QVERIFY(!device.dimmers.dimmAt(0).isIntensity);

        for (int i = 0; i < 40; ++i)
            click(buttonWithText(page, "Dodaj"));
        QCOMPARE(device.dimmers.dimmCount(), std::size_t(32));
        clickCell(grid, 0, 1);
        click(buttonWithText(page, "Usuń"));
        QCOMPARE(device.dimmers.dimmCount(), std::size_t(31));
        QCOMPARE(device.dimmers.dimmAt(0).channel, 1);
        QCOMPARE(grid->text(30, 0), QStringLiteral("31"));
    }
};

QTEST_MAIN(DeviceListsTest)
#include "FdeviceLists_test.moc"
