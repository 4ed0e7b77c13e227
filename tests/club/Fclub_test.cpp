// The installation window over a library of its own, and the main window's action around it.

#include "app/Fmain.h"
#include "club/Fclub.h"
#include "club/PDevIcon.h"
#include "library/LibraryFile.h"
#include "support/ModalAnswerer.h"
#include "library/LibraryUiSupport.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>

#include <filesystem>

namespace {

// A type whose highest channel is `channels`, with or without pan/tilt.
KyDevice typeWith(const std::string& name, int channels, bool panTilt)
{
    KyDevice type;
    type.name = name;
    type.intensity.active = true;
    type.intensity.channel = channels;
    type.panTilt.active = panTilt;
    return type;
}

const std::vector<std::string> kPages = {"Scena", "Bar"};

// What the install dialog is to do: pick a type row and a page, then confirm or cancel.
struct InstallAnswer {
    int typeRow = -1; // -1 keeps what the dialog proposes
    int page = -1;
    QString start;
    bool confirm = true;
};

} // namespace

class ClubFormTest : public QObject {
    Q_OBJECT
    KyLibrary library;
    std::mutex lock;
    ModalAnswerer* answerer = nullptr;
    InstallAnswer install;
    // What each install dialog offered: its type row and page.
    QList<std::pair<int, int>> offered;

    void installAt(int typeIndex, int start, int page = 0)
    {
        KyClubDevice device(library.deviceAt(std::size_t(typeIndex)));
        device.startAddress = start;
        device.page = page;
        library.club.addClubDevice(device);
    }

    // Fills in and closes any install dialog that opens.
    void answerInstallDialogs(ModalAnswerer& modal)
    {
        modal.onDialog([this](QDialog* dialog) {
            auto* form = qobject_cast<TNewDeviceForm*>(dialog);
            if (!form)
                return dialog->reject();
            offered << std::make_pair(form->typeGrid()->currentRow(), form->pageList()->currentIndex());
            if (install.typeRow >= 0)
                form->typeGrid()->setCurrentCell(install.typeRow, 1);
            if (install.page >= 0)
                form->pageList()->setCurrentIndex(install.page);
            if (!install.start.isEmpty())
                form->startEdit()->setText(install.start);
            install.confirm ? form->okButton()->click() : form->cancelButton()->click();
        });
    }

private slots:
    void init()
    {
        library.club.clubDevices.clear();
        library.devices.clear();
        library.lastId = 0;
        library.addDevice(typeWith("Par", 8, false));
        library.addDevice(typeWith("Head", 12, true));
        install = {};
        offered.clear();
        answerer = new ModalAnswerer(this);
        answerInstallDialogs(*answerer);
    }
    void cleanup() { delete answerer; }

    void theGridShowsEachDeviceAndAnEmptyRowForNone()
    {
        TClubForm empty(library, kPages, lock, nullptr);
        QCOMPARE(empty.windowTitle(), QStringLiteral("Konfiguracja DMX"));
        TPStringGrid* grid = empty.deviceGrid();
        QStringList headers;
        for (int c = 0; c < grid->columnCount(); ++c)
            headers << grid->horizontalHeaderItem(c)->text();
        QCOMPARE(headers, QStringList({"Lp.", "Nazwa", "Start", "End", "Urządzenie", "Pan", "Tilt", "Pan->Tilt",
                                       "Strona"}));
        QCOMPARE(grid->rowCount(), 1);
        QCOMPARE(grid->text(0, TClubForm::Number), QString());

        installAt(1, 20, 1);
        library.club.clubDevices[0]->name = "Lewa \xA3"; // "Lewa Ł"
        library.club.clubDevices[0]->tiltInverted = true;
        installAt(0, 1, 5); // a page that does not exist shows none
        TClubForm form(library, kPages, lock, nullptr);
        grid = form.deviceGrid();
        QStringList row;
        for (int c = 0; c < grid->columnCount(); ++c)
            row << grid->text(0, c);
        QCOMPARE(row, QStringList({"1", "Lewa Ł", "20", "31", "Head", "", "", "", "Bar"}));
        QCOMPARE(grid->text(1, TClubForm::Page), QString());
        QVERIFY(grid->checkBoxContains(0, TClubForm::Tilt, grid->checkBoxRect(0, TClubForm::Tilt).center()));
        QVERIFY(!grid->checkBoxContains(1, TClubForm::Pan, grid->checkBoxRect(1, TClubForm::Pan).center()));
        // Only the name column takes the selection.
        QVERIFY(!(grid->item(0, TClubForm::Start)->flags() & Qt::ItemIsSelectable));
        QVERIFY(grid->item(0, TClubForm::Name)->flags() & Qt::ItemIsSelectable);
    }

    // The window opens tall enough for every device up to the screen, and wide enough for every
    // column, the longest name whole.
    void theWindowOpensLargeEnoughForItsDevices()
    {
        library.devices[0]->name = "Wash LED RGBW Zoom";
        for (int i = 0; i < 12; ++i)
            installAt(0, 1 + 8 * i);
        for (auto& device : library.club.clubDevices)
            device->name = "Lampa nad barem 12";
        for (int many : {12, 80}) {
            for (int i = static_cast<int>(library.club.clubDeviceCount()); i < many; ++i)
                installAt(1, 100 + i);
            TClubForm form(library, kPages, lock, nullptr);
            form.show();
            QVERIFY(QTest::qWaitForWindowExposed(&form));
            TPStringGrid* grid = form.deviceGrid();
            QVERIFY2(!grid->horizontalScrollBar()->isVisible(), qPrintable(QString::number(many)));
            for (int column : {int(TClubForm::Name), int(TClubForm::Type)}) {
                const QString text = grid->item(0, column)->text();
                QVERIFY2(grid->columnWidth(column) >= grid->fontMetrics().horizontalAdvance(text), qPrintable(text));
            }
            const QRect screen = form.screen()->availableGeometry();
            QVERIFY(form.frameGeometry().height() <= screen.height());
            if (many == 12)
                QVERIFY(!grid->verticalScrollBar()->isVisible());
            else
                QVERIFY(form.height() >= screen.height() * 3 / 4);
        }
    }

    void checkBoxesSwitchTheFlagsOfPanTiltDevicesOnly()
    {
        installAt(1, 1);
        installAt(0, 20);
        TClubForm form(library, kPages, lock, nullptr);
        QVERIFY(showActive(&form));
        TPStringGrid* grid = form.deviceGrid();
        auto clickBox = [grid](int row, int column) {
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->checkBoxRect(row, column).center());
        };
        const KyClubDevice& head = *library.club.clubDevices[0];
        const KyClubDevice& par = *library.club.clubDevices[1];

        clickBox(0, TClubForm::Pan);
        clickBox(0, TClubForm::Swap);
        QVERIFY(head.panInverted && !head.tiltInverted && head.panTiltSwapped);
        clickBox(0, TClubForm::Pan);
        QVERIFY(!head.panInverted);

        // No box is drawn for a device without pan/tilt, so its cells do not react.
        for (int column : {TClubForm::Pan, TClubForm::Tilt, TClubForm::Swap})
            clickBox(1, column);
        QVERIFY(!par.panInverted && !par.tiltInverted && !par.panTiltSwapped);
        QCOMPARE(grid->text(1, TClubForm::Pan), QString());
    }

    void addRemembersTheLastChoiceWithinOneOpening()
    {
        TClubForm form(library, kPages, lock, nullptr);
        QVERIFY(showActive(&form));
        install = {1, 1, {}, true};
        click(form.addButton());
        install = {-1, -1, {}, true};
        click(form.addButton());
        const QList<std::pair<int, int>> expected = {{0, 0}, {1, 1}};
        QCOMPARE(offered, expected);
        QCOMPARE(library.club.clubDeviceCount(), std::size_t(2));
        for (const auto& device : library.club.clubDevices) {
            QCOMPARE(device->typeId, library.deviceAt(1)->id);
            QCOMPARE(device->page, 1);
        }
        QCOMPARE(library.club.clubDevices[1]->startAddress, 13);
        QCOMPARE(form.deviceGrid()->currentRow(), 1);

        install.confirm = false;
        click(form.addButton());
        QCOMPARE(library.club.clubDeviceCount(), std::size_t(2));

        // A new opening starts again from the first type and page.
        TClubForm reopened(library, kPages, lock, nullptr);
        QVERIFY(showActive(&reopened));
        install.confirm = true;
        click(reopened.addButton());
        QCOMPARE(offered.last(), std::make_pair(0, 0));
    }

    void propertiesEditTheDeviceInPlaceAndEraseRemovesTheSelectedRow()
    {
        installAt(0, 1);
        installAt(1, 20);
        KyClubDevice* head = library.club.clubDevices[1].get();
        TClubForm form(library, kPages, lock, nullptr);
        QVERIFY(showActive(&form));

        clickCell(form.deviceGrid(), 1, TClubForm::Name);
        install = {-1, 1, QStringLiteral("100"), true};
        click(form.propertiesButton());
        QCOMPARE(library.club.clubDevices[1].get(), head);
        QCOMPARE(head->startAddress, 100);
        QCOMPARE(head->page, 1);
        QCOMPARE(form.deviceGrid()->text(1, TClubForm::End), QStringLiteral("111"));

        click(form.eraseButton());
        QCOMPARE(library.club.clubDeviceCount(), std::size_t(1));
        QCOMPARE(library.club.clubDevices[0]->typeId, library.deviceAt(0)->id);
        click(form.eraseButton());
        QCOMPARE(library.club.clubDeviceCount(), std::size_t(0));

        // With nothing installed, the buttons that need a device do nothing.
        click(form.eraseButton());
        click(form.propertiesButton());
        QCOMPARE(offered.size(), 1);
        QCOMPARE(form.deviceGrid()->text(0, TClubForm::Name), QString());
    }

    void theMainWindowSortsSavesAndRebuildsTheIconsAfterwards()
    {
        QTemporaryDir dir;
        {
            KyLibrary stored;
            stored.addDevice(typeWith("Par", 8, false));
            KyClubDevice device(stored.deviceAt(0));
            device.startAddress = 20;
            stored.club.addClubDevice(device);
            QVERIFY(saveLibrary(stored, dir.filePath("library.vt2").toStdString()));
            QVERIFY(stored.club.save(dir.filePath("club.vt2").toStdString()));
        }
        StartOptions options;
        options.dataDirectory = dir.path().toStdString();
        TMainForm main(options);
        KyShow& show = main.show();
        QCOMPARE(main.pageControl()->iconWidgets().size(), std::size_t(1));
        {
            std::lock_guard guard(show.showLock());
            show.icons.toggleSelection(0);
        }

        enum Step { Add, Adding, Close } step = Add;
        QStringList listedStarts;
        answerer->onDialog([&](QDialog* dialog) {
            if (auto* install = qobject_cast<TNewDeviceForm*>(dialog)) {
                install->startEdit()->setText("10");
                install->okButton()->click();
                step = Close;
            } else if (auto* club = qobject_cast<TClubForm*>(dialog)) {
                if (step == Add) {
                    step = Adding;
                    // Clicked from the dialog's own loop, so the install dialog is answered too.
                    QTimer::singleShot(0, club->addButton(), &QPushButton::click);
                } else if (step == Close) {
                    for (int row = 0; row < club->deviceGrid()->rowCount(); ++row)
                        listedStarts << club->deviceGrid()->text(row, TClubForm::Start);
                    club->closeButton()->click();
                }
            }
        });
        auto* action = main.findChild<QAction*>("ClubAction");
        QVERIFY(action->isEnabled());
        action->trigger();
        QCOMPARE(listedStarts, QStringList({"20", "10"}));
        QCOMPARE(show.library.club.clubDevices[0]->startAddress, 10);

        KyLibrary saved;
        QCOMPARE(loadLibrary(saved, dir.filePath("library.vt2").toStdString()), vt::LoadStatus::Complete);
        QCOMPARE(saved.club.load(dir.filePath("club.vt2").toStdString()), vt::LoadStatus::Complete);
        QCOMPARE(saved.club.clubDeviceCount(), std::size_t(2));
        QCOMPARE(saved.club.clubDevices[0]->startAddress, 10);
        QCOMPARE(saved.club.clubDevices[1]->startAddress, 20);
        QCOMPARE(main.pageControl()->iconWidgets().size(), std::size_t(2));
        QVERIFY(show.icons.selection().empty());

        // A save that fails names the file.
        std::filesystem::remove(dir.filePath("club.vt2").toStdString());
        std::filesystem::create_directory(dir.filePath("club.vt2").toStdString());
        answerer->onDialog([](QDialog* dialog) {
            if (auto* club = qobject_cast<TClubForm*>(dialog))
                return club->closeButton()->click();
            dialog->reject();
        });
        action->trigger();
        QVERIFY(!answerer->seen.isEmpty());
        QVERIFY(answerer->seen.last().startsWith("Nie można zapisać pliku club.vt2: "));
    }
};

QTEST_MAIN(ClubFormTest)
#include "Fclub_test.moc"
