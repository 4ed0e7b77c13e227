// The library window over a library of its own, and the main window's library action.

#include "app/Fmain.h"
#include "common/Cp1250.h"
#include "common/PPicture.h"
#include "common/PText.h"
#include "common/PUndo.h"
#include "library/Fdevice.h"
#include "library/Flibrary.h"
#include "library/LibraryChange.h"
#include "library/LibraryFile.h"
#include "support/ModalAnswerer.h"
#include "LibraryUiSupport.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>

#include <filesystem>
#include <fstream>

namespace {

std::string cp1250(const QString& text)
{
    return vt::toCp1250(text);
}

// A type as the editor leaves it: the mixer's components carry the names of its mode.
KyDevice typeNamed(const std::string& name)
{
    KyDevice type;
    type.name = name;
    type.intensity.active = true;
    type.color2.component1.name = "Red";
    type.color2.component2.name = "Green";
    type.color2.component3.name = "Blue";
    return type;
}

QStringList namesIn(const KyLibrary& library)
{
    QStringList out;
    for (const auto& type : library.devices)
        out << QString::fromStdString(vt::cp1250ToUtf8(type->name));
    return out;
}

void activate(QWidget* light, const QString& group, const QString& box)
{
    buttonWithText(groupWithTitle(light, group), box)->click();
}

} // namespace

class LibraryFormTest : public QObject {
    Q_OBJECT
    KyLibrary library;
    std::mutex lock;
    ModalAnswerer* answerer = nullptr;
    FileDialogAnswers files;
    QStringList editorCaptions;
    // What the device editor does when it opens; by default it confirms unchanged.
    std::function<void(TDeviceForm*)> inEditor;

    void add(const KyDevice& type) { library.addDevice(type); }

private slots:
    void init()
    {
        library.club.clubDevices.clear();
        library.devices.clear();
        library.lastId = 0;
        files.install();
        editorCaptions.clear();
        inEditor = [](TDeviceForm* editor) { editor->okButton()->click(); };
        answerer = new ModalAnswerer(this);
        answerer->onDialog([this](QDialog* dialog) {
            if (auto* editor = qobject_cast<TDeviceForm*>(dialog)) {
                editorCaptions << editor->windowTitle();
                return inEditor(editor);
            }
            dialog->reject();
        });
    }
    void cleanup() { delete answerer; }

    void newOnAnEmptyLibraryAddsTheFirstIdentifier()
    {
        TLibraryForm form(library, lock, nullptr);
        QCOMPARE(form.windowTitle(), QStringLiteral("Biblioteka urządzeń"));
        QCOMPARE(form.deviceGrid()->rowCount(), 1);
        QCOMPARE(form.deviceGrid()->horizontalHeaderItem(1)->text(), QStringLiteral("Nazwa"));
        inEditor = [](TDeviceForm* editor) {
            activate(editor->page(1), "Intensywność", "Aktywna");
            editor->okButton()->click();
        };
        QVERIFY(showActive(&form));
        click(form.newButton());
        QCOMPARE(editorCaptions, QStringList{"Nowe urządzenie"});
        QCOMPARE(library.deviceCount(), std::size_t(1));
        QCOMPARE(library.deviceAt(0)->id, 1);
        QCOMPARE(library.deviceAt(0)->name, cp1250("Nowe urządzenie"));
        QVERIFY(library.deviceAt(0)->intensity.active);
        QCOMPARE(form.deviceGrid()->currentRow(), 0);
        QCOMPARE(form.deviceGrid()->text(0, 0), QStringLiteral("1"));
        QCOMPARE(form.deviceGrid()->text(0, 1), QStringLiteral("Nowe urządzenie"));
    }

    void newFromCopiesTheCurrentTypeUnderANewIdentifier()
    {
        KyDevice scanner = typeNamed("Scanner");
        scanner.description = {"Ruchome lustro", "DMX 6 kan."};
        add(scanner);
        add(typeNamed("Alpha"));
        TLibraryForm form(library, lock, nullptr);
        QVERIFY(showActive(&form));
        QCOMPARE(form.description()->toPlainText(), QStringLiteral("Ruchome lustro\nDMX 6 kan."));
        clickCell(form.deviceGrid(), 1, 1);
        QCOMPARE(form.description()->toPlainText(), QString());

        clickCell(form.deviceGrid(), 0, 1);
        click(form.newFromButton());
        QCOMPARE(editorCaptions, QStringList{"Scanner"});
        QCOMPARE(namesIn(library), QStringList({"Scanner", "Alpha", "Scanner"}));
        QCOMPARE(library.deviceAt(2)->id, 3);
        KyDevice copy = *library.deviceAt(2);
        copy.id = 1;
        QCOMPARE(copy, *library.deviceAt(0));
        QCOMPARE(form.deviceGrid()->currentRow(), 2);
    }

    void propertiesEditTheTypeInPlaceForItsInstalledDevices()
    {
        add(typeNamed("Scanner"));
        library.club.addClubDevice(KyClubDevice(library.deviceAt(0)));
        library.club.addClubDevice(KyClubDevice(library.deviceAt(0)));
        KyDevice* type = library.deviceAt(0).get();
        TLibraryForm form(library, lock, nullptr);
        QVERIFY(showActive(&form));

        QString typed = "Skaner Ł";
        inEditor = [&typed](TDeviceForm* editor) {
            QVERIFY(showActive(editor));
            typeAndLeave(editor->page(0)->findChild<QLineEdit*>("Nazwa"), typed, editor->okButton());
            editor->okButton()->click();
        };
        click(form.propertiesButton());
        QCOMPARE(library.deviceAt(0).get(), type);
        QCOMPARE(type->id, 1);
        for (const auto& installed : library.club.clubDevices)
            QCOMPARE(installed->deviceType->name, cp1250("Skaner Ł"));
        QCOMPARE(form.deviceGrid()->text(0, 1), QStringLiteral("Skaner Ł"));

        // Cancelled changes never reach the library.
        typed = "Inna nazwa";
        inEditor = [&typed](TDeviceForm* editor) {
            QVERIFY(showActive(editor));
            typeAndLeave(editor->page(0)->findChild<QLineEdit*>("Nazwa"), typed, editor->cancelButton());
            editor->cancelButton()->click();
        };
        click(form.propertiesButton());
        QCOMPARE(type->name, cp1250("Skaner Ł"));
        QCOMPARE(library.lastId, 1);
    }

    void eraseRefusesInstalledTypesAndAsksFirst()
    {
        add(typeNamed("Scanner"));
        library.club.addClubDevice(KyClubDevice(library.deviceAt(0)));
        TLibraryForm form(library, lock, nullptr);
        form.show();
        click(form.eraseButton());
        QCOMPARE(answerer->seen, QStringList{"Nie można skasować urządzenia zainstalowanego w klubie !!!\n"
                                             "Aby usunać urządzenie z biblioteki usuń wszystkie urządzenia \n"
                                             "tego typu z konfiguracji klubu."});
        QCOMPARE(library.deviceCount(), std::size_t(1));

        library.club.eraseClubDevice(0);
        answerer->expectMessage("Cancel");
        click(form.eraseButton());
        QCOMPARE(answerer->seen.last(), QStringLiteral("Urządzenie będzie bezpowrotnie utracone\nCzy kontynuować ?"));
        QCOMPARE(library.deviceCount(), std::size_t(1));

        answerer->expectMessage("OK");
        click(form.eraseButton());
        QCOMPARE(library.deviceCount(), std::size_t(0));
        QCOMPARE(library.lastId, 1);
        QCOMPARE(form.deviceGrid()->rowCount(), 1);
        QCOMPARE(form.deviceGrid()->text(0, 1), QString());

        click(form.eraseButton());
        click(form.exportButton());
        QCOMPARE(answerer->seen.size(), 3);
        QVERIFY(files.modes.isEmpty());
    }

    // With a history the window's two buttons take back a copy, a change and an erasure.
    void stepsAreTakenBackByTheWindowsButtons()
    {
        add(typeNamed("Scanner"));
        auto types = std::make_shared<KyLibraryChange::Before>();
        TPEditHistory steps(lock,
                            {[this, types] { *types = KyLibraryChange::take(library); },
                             [this, types] { return KyLibraryChange::since(library, *types); }},
                            nullptr);
        TLibraryForm form(library, lock, nullptr);
        form.setHistory(&steps);
        QVERIFY(showActive(&form));
        click(form.newFromButton());
        inEditor = [](TDeviceForm* editor) {
            QVERIFY(showActive(editor));
            typeAndLeave(editor->page(0)->findChild<QLineEdit*>("Nazwa"), "Skaner", editor->okButton());
            editor->okButton()->click();
        };
        click(form.propertiesButton()); // the copy, current after it was added
        answerer->expectMessage("OK");
        click(form.eraseButton());
        QCOMPARE(namesIn(library), QStringList({"Scanner"}));

        auto button = [&](const QString& hint) {
            for (auto* b : form.findChildren<QToolButton*>())
                if (b->toolTip() == hint && b->isEnabled())
                    return b;
            return static_cast<QToolButton*>(nullptr);
        };
        QVERIFY(button("Cofnij usunięcie typu urządzenia"));
        button("Cofnij usunięcie typu urządzenia")->click();
        QCOMPARE(namesIn(library), QStringList({"Scanner", "Skaner"}));
        QCOMPARE(form.deviceGrid()->text(1, 1), QStringLiteral("Skaner"));
        button("Cofnij zmianę typu urządzenia")->click();
        QCOMPARE(namesIn(library), QStringList({"Scanner", "Scanner"}));
        button("Cofnij dodanie typu urządzenia")->click();
        QCOMPARE(namesIn(library), QStringList({"Scanner"}));
        QCOMPARE(library.lastId, 1);
        QCOMPARE(form.deviceGrid()->rowCount(), 1);
        button("Ponów dodanie typu urządzenia")->click();
        QCOMPARE(namesIn(library), QStringList({"Scanner", "Scanner"}));
        QCOMPARE(library.lastId, 2);
    }

    void exportedTypesImportAsEqualTypesWithANewIdentifier()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("export"));
        QString workingDirectory = QDir::currentPath();
        QDir::setCurrent(dir.path());

        KyDevice type = typeNamed("Spot \xA3\xF3\x64\x9F"); // "Spot Łódź"
        type.description = {"Opis"};
        const auto icon = *vt::bmpFromImage(QImage(writePicture(dir.path(), "icon.bmp", Qt::red)));
        type.icon.assign(icon.begin(), icon.end());
        type.gobo1.wheel.active = true;
        type.gobo1.addSlot(KyIcon{"red", type.icon, 10});
        type.dimmers.addDimm(KyDimm{});
        add(typeNamed("Other"));
        add(type);
        TLibraryForm form(library, lock, nullptr);
        QVERIFY(showActive(&form));
        clickCell(form.deviceGrid(), 1, 1);

        QString path = dir.filePath("export/spot.dev");
        files.paths = {path, path};
        click(form.exportButton());
        QCOMPARE(files.proposedNames, QStringList{"Spot Łódź"});
        QCOMPARE(files.modes.last(), QFileDialog::AcceptSave);
        QVERIFY(answerer->seen.isEmpty());
        vt::Bytes written;
        QCOMPARE(vt::readWholeFile(path.toStdString(), written), vt::ReadResult::Ok);
        QCOMPARE(written, deviceToBytes(*library.deviceAt(1)));

        click(form.importButton());
        QCOMPARE(files.modes.last(), QFileDialog::AcceptOpen);
        QCOMPARE(files.filters, QStringList(2, "urządzenie DMX (*.dev)"));
        QCOMPARE(files.suffixes, QStringList({"dev", "bin"}));
        QCOMPARE(files.folders, QStringList(2, QDir(dir.filePath("export")).absolutePath()));
        QCOMPARE(library.deviceCount(), std::size_t(3));
        KyDevice imported = *library.deviceAt(2);
        QCOMPARE(imported.id, 3);
        imported.id = library.deviceAt(1)->id;
        QCOMPARE(imported, *library.deviceAt(1));
        QCOMPARE(form.deviceGrid()->currentRow(), 2);

        // Cancelling the editor leaves the library as it was.
        files.paths = {path};
        inEditor = [](TDeviceForm* editor) { editor->cancelButton()->click(); };
        click(form.importButton());
        QCOMPARE(library.deviceCount(), std::size_t(3));
        QCOMPARE(library.lastId, 3);
        QDir::setCurrent(workingDirectory);
    }

    void exportWithoutAFileNameWarns()
    {
        add(typeNamed("AC/DC"));
        add(typeNamed("Spot"));
        TLibraryForm form(library, lock, nullptr);
        QVERIFY(showActive(&form));
        const QString warning = QStringLiteral("Niedozwolona nazawa urządzenia !!!\n"
                                               "Nazwa urządzenia nie może zawierać\n"
                                               "znaków takich jak : /, \\, !, $ itp.");
        click(form.exportButton());
        QCOMPARE(answerer->seen, QStringList{warning});
        QVERIFY(files.modes.isEmpty());

        clickCell(form.deviceGrid(), 1, 1);
        click(form.exportButton());
        QCOMPARE(files.modes.size(), 1);
        QCOMPARE(answerer->seen, QStringList(2, warning));
    }

    void theMainWindowSortsAndSavesTheLibraryWhenTheWindowCloses()
    {
        QTemporaryDir dir;
        StartOptions options;
        options.dataDirectory = dir.path().toStdString();
        TMainForm main(options);
        KyLibrary& shown = main.show().library;
        for (const char* name : {"Scanner", "zeta", "Alpha", "Scanner"})
            shown.addDevice(typeNamed(name));
        auto* action = main.findChild<QAction*>("LibraryAction");
        QVERIFY(action->isEnabled());
        answerer->onDialog([](QDialog* dialog) {
            if (auto* form = qobject_cast<TLibraryForm*>(dialog))
                return form->closeButton()->click();
            dialog->reject();
        });
        action->trigger();
        QCOMPARE(namesIn(shown), QStringList({"Alpha", "Scanner", "Scanner", "zeta"}));
        KyLibrary saved;
        QCOMPARE(loadLibrary(saved, dir.filePath("library.vt2").toStdString()), vt::LoadStatus::Complete);
        QCOMPARE(namesIn(saved), namesIn(shown));
        QCOMPARE(saved.lastId, 4);

        std::filesystem::remove(dir.filePath("library.vt2").toStdString());
        std::filesystem::create_directory(dir.filePath("library.vt2").toStdString());
        action->trigger();
        QVERIFY(answerer->seen.last().startsWith("Nie można zapisać pliku library.vt2: "));
    }
};

QTEST_MAIN(LibraryFormTest)
#include "Flibrary_test.moc"
