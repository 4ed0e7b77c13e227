// The device editor and its pages, driven through their controls.

#include "library/Fchanneldlg.h"
#include "library/Fdevedit.h"
#include "library/Fdevice.h"
#include "support/ModalAnswerer.h"
#include "LibraryUiSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSettings>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QUndoStack>

class DeviceFormTest : public QObject {
    Q_OBJECT

    static QWidget* selectPage(TDeviceForm& form, const QString& entry)
    {
        auto items = form.pageList()->findItems(entry, Qt::MatchExactly);
        if (items.isEmpty())
            return nullptr;
        QRect rect = form.pageList()->visualItemRect(items.front());
        QTest::mouseClick(form.pageList()->viewport(), Qt::LeftButton, {}, rect.center());
        return form.pageArea()->currentWidget();
    }

    static QLineEdit* field(QWidget* parent, const QString& caption)
    {
        return parent->findChild<QLineEdit*>(caption);
    }

private slots:
    // Pictures come in sets: the second dialog opens in the folder the first one was taken
    // from, in this run and the next.
    void pictureDialogsOpenInTheFolderLastUsed()
    {
        QSettings(QStringLiteral("Vantorel"), QStringLiteral("Vantorel")).remove(QStringLiteral("pictures/folder"));
        QTemporaryDir dir;
        const QString picture = dir.filePath(QStringLiteral("gobo.bmp"));
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(Qt::blue);
        QVERIFY(image.save(picture, "BMP"));
        QStringList folders;
        vt::setFileChooser([&](QWidget*, const vt::FileRequest& request) {
            folders << request.folder;
            return picture;
        });
        QVERIFY(devedit::askForPicture(nullptr));
        QVERIFY(devedit::askForPicture(nullptr));
        vt::setFileChooser({});
        QCOMPARE(folders.size(), 2);
        QCOMPARE(folders[1], QFileInfo(picture).absolutePath());
    }

    void pagesFollowTheListAndTheCaptionIsTheName()
    {
        KyDevice device;
        device.name = "Scanner \xA3"; // "Ł" in cp1250
        TDeviceForm form(device, nullptr);
        QCOMPARE(form.windowTitle(), QStringLiteral("Scanner Ł"));
        QStringList entries, headings;
        for (int i = 0; i < form.pageList()->count(); ++i) {
            entries << form.pageList()->item(i)->text();
            headings << form.page(i)->findChild<QLabel*>("Heading")->text();
        }
        QCOMPARE(entries, QStringList({"Ogólne", "Światło", "Pan/Tilt", "Kolor 1", "Kolor 2", "Gobo 1", "Gobo 2",
                                       "Efekt 1", "Efekt 2", "Optyka", "Dimmery"}));
        QCOMPARE(headings, QStringList({"Ogólne", "Światło", "Pan / Tilt", "Kolor 1", "Kolor 2", "Gobo 1", "Gobo 2",
                                        "Efekt 1 ", "Efekt 2", "Optyka", "Dimmer'y"}));
        QCOMPARE(form.pageArea()->currentWidget(), form.page(0));
        QVERIFY(showActive(&form));
        QCOMPARE(selectPage(form, "Optyka"), form.page(9));
    }

    void okNeedsAtLeastOneFunction()
    {
        ModalAnswerer answerer;
        KyDevice device;
        TDeviceForm form(device, nullptr);
        QVERIFY(showActive(&form));
        click(form.okButton());
        QCOMPARE(answerer.seen, QStringList{"Urządzenie jest puste !!!\nnie zdefiniowano żadnej funkcji."});
        QVERIFY(form.isVisible());

        QWidget* light = selectPage(form, "Światło");
        click(buttonWithText(groupWithTitle(light, "Intensywność"), "Aktywna"));
        QVERIFY(device.intensity.active);
        click(form.okButton());
        QVERIFY(!form.isVisible());
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QCOMPARE(answerer.seen.size(), 1);
    }

    void numberFieldsStoreOnlyNumbersInRange()
    {
        KyDevice device;
        device.strobe.active = true;
        TDeviceForm form(device, nullptr);
        QVERIFY(showActive(&form));
        QWidget* light = selectPage(form, "Światło");
        QGroupBox* strobe = groupWithTitle(light, "Strobo");
        QLineEdit* channel = field(strobe, "Kanał");
        QLineEdit* min = field(strobe, "Min");
        QLineEdit* off = field(strobe, "Off");

        struct Typed {
            QLineEdit* edit;
            QString text;
            int channel, min, off;
        };
        for (const Typed& t : {Typed{channel, "40", 1, 0, 0}, Typed{channel, "32", 32, 0, 0},
                               Typed{min, "abc", 32, 0, 0}, Typed{min, "255", 32, 255, 0},
                               Typed{min, "-1", 32, 255, 0}, Typed{off, "12", 32, 255, 12}}) {
            typeAndLeave(t.edit, t.text, form.cancelButton());
            QCOMPARE(t.edit->text(), t.text);
            QCOMPARE(device.strobe.channel, t.channel);
            QCOMPARE(int(device.strobe.minValue), t.min);
            QCOMPARE(int(device.strobe.offValue), t.off);
        }
        typeAndLeave(channel, "40", form.cancelButton());
        selectPage(form, "Ogólne");
        selectPage(form, "Światło");
        QCOMPARE(channel->text(), QStringLiteral("32"));
        QCOMPARE(min->text(), QStringLiteral("255"));
    }

    // Passing through a field stores nothing: a stored name longer than the field holds and
    // a channel of three digits read from a file stay whole.
    void fieldsPassedThroughKeepWhatTheFieldCannotShow()
    {
        KyDevice device;
        device.name = std::string(30, 'N');
        device.description = {std::string(1200, 'o')}; // more than the memo holds
        device.strobe.active = true;
        device.strobe.channel = 100;
        TDeviceForm form(device, nullptr);
        QVERIFY(showActive(&form));
        QLineEdit* name = field(form.page(0), "Nazwa");
        QCOMPARE(name->text().size(), 25);
        name->setFocus();
        QTest::keyClick(name, Qt::Key_Tab);
        QVERIFY(!name->hasFocus());
        auto* memo = form.page(0)->findChild<QPlainTextEdit*>("Opis");
        memo->setFocus();
        form.cancelButton()->setFocus();
        QLineEdit* channel = field(groupWithTitle(selectPage(form, "Światło"), "Strobo"), "Kanał");
        QCOMPARE(channel->text(), QStringLiteral("10"));
        channel->setFocus();
        QTest::keyClick(channel, Qt::Key_Tab);
        QVERIFY(!channel->hasFocus());
        QCOMPARE(device.name, std::string(30, 'N'));
        QCOMPARE(device.description, std::vector<std::string>{std::string(1200, 'o')});
        QCOMPARE(device.strobe.channel, 100);

        typeAndLeave(channel, "12", form.cancelButton());
        QCOMPARE(device.strobe.channel, 12);
    }

    void namesAreStoredAsCp1250()
    {
        KyDevice device;
        TDeviceForm form(device, nullptr);
        QVERIFY(showActive(&form));
        QLineEdit* name = field(form.page(0), "Nazwa");
        typeAndLeave(name, "Głowica €", form.cancelButton());
        QCOMPARE(device.name, std::string("G\xB3owica \x80"));
        // A character that cp1250 cannot hold cannot be typed.
        name->setFocus();
        name->end(false);
        typeText(name, "中");
        QCOMPARE(name->text(), QStringLiteral("Głowica €"));

        auto* memo = form.page(0)->findChild<QPlainTextEdit*>("Opis");
        memo->setFocus();
        typeText(memo, "Ruchoma g");
        QTest::keyClick(memo, Qt::Key_Return);
        typeText(memo, "łowa");
        QTest::keyClick(memo, Qt::Key_Return);
        form.cancelButton()->setFocus();
        QCOMPARE(device.description, (std::vector<std::string>{"Ruchoma g", "\xB3owa"}));
    }

    // Each field left is a step of the working copy; undone, the page shows the copy again.
    void editsOfTheCopyAreStepsOfTheUndoButtons()
    {
        KyDevice device;
        device.name = "Spot";
        device.strobe.active = true;
        device.strobe.channel = 3;
        TDeviceForm form(device, nullptr);
        QVERIFY(showActive(&form));
        QLineEdit* name = field(form.page(0), "Nazwa");
        typeAndLeave(name, "Wash", form.cancelButton());
        QUndoStack* stack = form.undoStack();
        QTRY_COMPARE(stack->count(), 1);
        QLineEdit* channel = field(groupWithTitle(selectPage(form, "Światło"), "Strobo"), "Kanał");
        typeAndLeave(channel, "7", form.cancelButton());
        QTRY_COMPARE(stack->count(), 2);
        QCOMPARE(stack->undoText(), QStringLiteral("zmianę: Światło"));

        stack->undo();
        QCOMPARE(device.strobe.channel, 3);
        QCOMPARE(channel->text(), QStringLiteral("3"));
        stack->undo();
        QCOMPARE(device.name, std::string("Spot"));
        stack->redo();
        stack->redo();
        QCOMPARE(device.name, std::string("Wash"));
        QCOMPARE(device.strobe.channel, 7);
        QCOMPARE(channel->text(), QStringLiteral("7"));
        QCoreApplication::processEvents();
        QCOMPARE(stack->count(), 2);
    }

    void panTiltFineChannelsAndControllersFollowTheFlags()
    {
        KyDevice device;
        TDeviceForm form(device, nullptr);
        QVERIFY(showActive(&form));
        QWidget* page = selectPage(form, "Pan/Tilt");
        QLineEdit* panFine = field(page, "PanFine");
        QLineEdit* tiltFine = field(page, "TiltFine");
        auto* controller = buttonWithText(groupWithTitle(page, "Kontroler 1 - Pan/Tilt"), "Aktywny");

        QVERIFY(!controller->isEnabled());
        click(controller);
        QVERIFY(!device.panTilt.control1.active);

        click(buttonWithText(page, "Aktywny"));
        QVERIFY(device.panTilt.active);
        QVERIFY(!panFine->isEnabled());
        QVERIFY(field(page, "Pan")->isEnabled());
        typeAndLeave(field(page, "Tilt"), "2", form.cancelButton());
        QCOMPARE(device.channelCount(), 2);

        click(buttonWithText<QRadioButton>(page, "16 bit"));
        QVERIFY(!device.panTilt.mode8bit);
        QVERIFY(panFine->isEnabled() && tiltFine->isEnabled());
        typeAndLeave(tiltFine, "10", form.cancelButton());
        QCOMPARE(device.channelCount(), 10);

        click(controller);
        QVERIFY(device.panTilt.control1.active);
        QVERIFY(field(groupWithTitle(page, "Kontroler 1 - Pan/Tilt"), "Nazwa")->isEnabled());
    }

    void mixerNamesAndActivatesItsComponents()
    {
        KyDevice device;
        TDeviceForm form(device, nullptr);
        QVERIFY(showActive(&form));
        QWidget* page = selectPage(form, "Kolor 2");
        auto names = [&] {
            return QStringList{QString::fromStdString(device.color2.component1.name),
                               QString::fromStdString(device.color2.component2.name),
                               QString::fromStdString(device.color2.component3.name)};
        };
        QCOMPARE(names(), QStringList({"Red", "Green", "Blue"}));
        QVERIFY(!page->findChild<QLabel*>("Component1")->isEnabled());

        click(buttonWithText(page, "Aktywny"));
        click(buttonWithText<QRadioButton>(page, "CMY"));
        QCOMPARE(names(), QStringList({"Cyan", "Magenta", "Yellow"}));
        QCOMPARE(page->findChild<QLabel*>("Component2")->text(), QStringLiteral("Magenta"));
        QVERIFY(device.color2.component1.active && device.color2.component3.active);
        QVERIFY(!device.color2.rgb);

        click(buttonWithText(page, "Aktywny"));
        QVERIFY(!device.color2.component1.active && !device.color2.component2.active &&
                !device.color2.component3.active);
    }

    void channelDialogOffersTheChannelsNotInTheList()
    {
        KyChValue list;
        for (int c : {1, 2, 5})
            list.setValue(c, 0);
        QWidget owner;
        owner.move(40, 60);
        int chosen = 0;
        TChannelDlgForm dialog(list, chosen, &owner);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Kanał"));
        QCOMPARE(dialog.pos(), owner.pos() + QPoint(150, 150));
        QStringList offered;
        for (int i = 0; i < dialog.channelList()->count(); ++i)
            offered << dialog.channelList()->itemText(i);
        QCOMPARE(offered.mid(0, 3), QStringList({"3", "4", "6"}));
        QCOMPARE(offered.size(), 29);
        QCOMPARE(dialog.channelList()->currentText(), QStringLiteral("3"));
        QVERIFY(showActive(&dialog));
        QCOMPARE(QApplication::focusWidget(), dialog.cancelButton());
        dialog.channelList()->setCurrentIndex(1);
        click(dialog.okButton());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(chosen, 4);

        for (int c = 1; c <= 32; ++c)
            list.setValue(c, 0);
        TChannelDlgForm full(list, chosen, &owner);
        QCOMPARE(full.channelList()->count(), 0);
        QVERIFY(!full.okButton()->isEnabled());
    }

    void channelValueListsAddEditAndErase()
    {
        ModalAnswerer answerer;
        QStringList offered;
        answerer.onDialog([&](QDialog* dialog) {
            auto* channels = qobject_cast<TChannelDlgForm*>(dialog);
            if (!channels)
                return dialog->reject();
            for (int i = 0; i < channels->channelList()->count(); ++i)
                offered << channels->channelList()->itemText(i);
            channels->channelList()->setCurrentIndex(1);
            channels->okButton()->click();
        });
        KyDevice device;
        device.reset.setValue(2, 20);
        device.reset.setValue(5, 50);
        TDeviceForm form(device, nullptr);
        QVERIFY(showActive(&form));
        QGroupBox* reset = groupWithTitle(form.page(0), "Reset");
        auto* grid = reset->findChild<TPStringGrid*>();
        QVERIFY(!grid->isEnabled());
        click(buttonWithText(reset, "Aktywny"));
        QVERIFY(device.reset.active && grid->isEnabled());

        click(buttonWithText(reset, "Dodaj"));
        QCOMPARE(offered.mid(0, 4), QStringList({"1", "3", "4", "6"}));
        QCOMPARE(device.reset.entryAt(1), std::make_pair(3, std::uint8_t(0)));
        QCOMPARE(grid->currentRow(), 1);
        QCOMPARE(grid->text(1, 0), QStringLiteral("3"));

        // A value out of range is refused and the cell shows the stored value again.
        answerer.expectMessage("OK");
        typeInCell(grid, 2, 1, "300");
        QCOMPARE(answerer.seen, QStringList{"Nieprawidłowa wartość DMX\nPoprawne wartości : 0-255"});
        QVERIFY(!grid->editing());
        QCOMPARE(grid->text(2, 1), QStringLiteral("50"));
        QCOMPARE(device.reset.values.at(5), std::uint8_t(50));

        typeInCell(grid, 2, 1, "255");
        QVERIFY(!grid->editing());
        QCOMPARE(device.reset.values.at(5), std::uint8_t(255));

        typeInCell(grid, 0, 1, "7", false);
        QTest::keyClick(grid->editor(), Qt::Key_Escape);
        QVERIFY(!grid->editing());
        QCOMPARE(grid->text(0, 1), QStringLiteral("20"));

        // Selecting another cell commits and keeps the current cell.
        typeInCell(grid, 0, 1, "9", false);
        clickCell(grid, 2, 0);
        QCOMPARE(device.reset.values.at(2), std::uint8_t(9));
        QCOMPARE(grid->currentRow(), 0);
        QVERIFY(!grid->editing());

        clickCell(grid, 1, 0);
        click(buttonWithText(reset, "Usuń"));
        QCOMPARE(device.reset.entryCount(), std::size_t(2));
        QVERIFY(!device.reset.values.contains(3));
        QCOMPARE(answerer.seen.size(), 1);
    }
};

QTEST_MAIN(DeviceFormTest)
#include "Fdevice_test.moc"
