// The window "Import urządzeń": listing Debian's definitions, searching, the preview, the
// import into the library window and on into the device editor, and a file of one's own.

#include "common/PText.h"
#include "library/Fdevice.h"
#include "library/Ffixtureimport.h"
#include "library/Flibrary.h"
#include "support/ModalAnswerer.h"
#include "LibraryUiSupport.h"
#include "QxfSupport.h"

#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <fstream>

namespace {

constexpr int kListingTimeout = 60000; // the sanitized build reads slowly

QList<QTreeWidgetItem*> visibleModels(QTreeWidget* tree)
{
    QList<QTreeWidgetItem*> models;
    for (int m = 0; m < tree->topLevelItemCount(); ++m) {
        QTreeWidgetItem* maker = tree->topLevelItem(m);
        for (int i = 0; i < maker->childCount(); ++i)
            if (!maker->isHidden() && !maker->child(i)->isHidden())
                models << maker->child(i);
    }
    return models;
}

int modelCount(QTreeWidget* tree)
{
    int count = 0;
    for (int m = 0; m < tree->topLevelItemCount(); ++m)
        count += tree->topLevelItem(m)->childCount();
    return count;
}

// Searches for the words and picks the one model found.
bool pick(TFixtureImportForm& form, const QString& words, const QString& model)
{
    form.searchField()->setText(words);
    QList<QTreeWidgetItem*> found = visibleModels(form.fixtureTree());
    if (found.size() != 1 || found.front()->text(0) != model)
        return false;
    form.fixtureTree()->setCurrentItem(found.front());
    return true;
}

QStringList modeTexts(QListWidget* list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

void selectMode(QListWidget* list, const QString& text)
{
    list->clearSelection();
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->text() == text)
            list->item(i)->setSelected(true);
}

} // namespace

class FixtureImportTest : public QObject {
    Q_OBJECT
    FileDialogAnswers files;

private slots:
    void init() { files.install(); }

    void listsSearchesPreviewsAndImportsWithPictures()
    {
        if (!haveQxfData())
            QSKIP("qlcplus-data is not installed (apt install qlcplus-data)");
        TFixtureImportForm form(nullptr);
        QCOMPARE(form.windowTitle(), QStringLiteral("Import urządzeń"));
        QVERIFY(form.notice()->isHidden());
        QTRY_VERIFY_WITH_TIMEOUT(!form.listing(), kListingTimeout);
        QCOMPARE(modelCount(form.fixtureTree()), static_cast<int>(listQxfFiles(kQxfFolder).size()));
        QVERIFY(form.progress()->isHidden());

        QVERIFY(pick(form, QStringLiteral("chauvet LEGEND 330sr"), QStringLiteral("Legend 330SR Spot")));
        QCOMPARE(modeTexts(form.modeList()),
                 (QStringList{QStringLiteral("21 channel (21 kan.)"), QStringLiteral("27 channel (27 kan.)")}));
        selectMode(form.modeList(), QStringLiteral("21 channel (21 kan.)"));
        QString preview = form.preview()->toPlainText();
        QVERIFY2(preview.contains(QStringLiteral("Pan/Tilt: 1 Pan, 3 Tilt, 2 Fine Pan, 4 Fine Tilt")), qPrintable(preview));
        QVERIFY2(preview.contains(QStringLiteral("Kolor 1: 8 Color Wheel — Open (3), Color 1 (11)")), qPrintable(preview));
        QVERIFY2(preview.contains(QStringLiteral("Kolor 2: 9 Cyan, 10 Magenta, 11 Yellow")), qPrintable(preview));

        form.importButton()->click();
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QCOMPARE(form.imported().size(), std::size_t(1));
        const KyDevice& type = form.imported().front();
        // Cut to the field, the mode whole: the types of the fixture's modes differ.
        QCOMPARE(vt::fromCp1250(type.name), QStringLiteral("Chauvet Leg… (21 channel)"));
        QImage swatch = QImage::fromData(type.color1.slotAt(1).picture.data(),
                                         static_cast<int>(type.color1.slotAt(1).picture.size()), "BMP");
        QCOMPARE(swatch.size(), QSize(TQxfPictures::kSlotSize, TQxfPictures::kSlotSize));
        QCOMPARE(swatch.pixelColor(5, 5), QColor(0xd9, 0x26, 0x1c));
        for (std::size_t slot = 0; slot < type.gobo1.slotCount(); ++slot) {
            const auto& bytes = type.gobo1.slotAt(slot).picture;
            QImage gobo = QImage::fromData(bytes.data(), static_cast<int>(bytes.size()), "BMP");
            QCOMPARE(gobo.size(), QSize(TQxfPictures::kSlotSize, TQxfPictures::kSlotSize));
        }
        QImage icon = QImage::fromData(type.icon.data(), static_cast<int>(type.icon.size()), "BMP");
        QCOMPARE(icon.size(), QSize(TQxfPictures::kIconSize, TQxfPictures::kIconSize));
    }

    void searchHidesMakersWithoutAMatchAndARefusedModeIsShown()
    {
        if (!haveQxfData())
            QSKIP("qlcplus-data is not installed (apt install qlcplus-data)");
        TFixtureImportForm form(nullptr);
        // Searched for while the list still fills: makers read later show only with a match.
        form.searchField()->setText(QStringLiteral("no such fixture anywhere"));
        QTRY_VERIFY_WITH_TIMEOUT(!form.listing(), kListingTimeout);
        QVERIFY(visibleModels(form.fixtureTree()).isEmpty());
        for (int m = 0; m < form.fixtureTree()->topLevelItemCount(); ++m)
            QVERIFY(form.fixtureTree()->topLevelItem(m)->isHidden());
        form.searchField()->setText(QStringLiteral("chauvet 27"));
        for (QTreeWidgetItem* item : visibleModels(form.fixtureTree()))
            QCOMPARE(item->parent()->text(0), QStringLiteral("Chauvet"));
        QVERIFY(pick(form, QStringLiteral("legend 330sr"), QStringLiteral("Legend 330SR Spot")));
        form.searchField()->clear();
        QCOMPARE(visibleModels(form.fixtureTree()).size(), modelCount(form.fixtureTree()));
    }

    void importedTypeIsSelectedInTheLibraryAndOpensInTheEditor()
    {
        if (!haveQxfData())
            QSKIP("qlcplus-data is not installed (apt install qlcplus-data)");
        KyLibrary library;
        std::mutex lock;
        TLibraryForm form(library, lock, nullptr);
        QCOMPARE(form.fixtureImportButton()->text(), QStringLiteral("Import urządzeń"));
        QStringList editorCaptions;
        bool picked = false;
        ModalAnswerer answerer;
        answerer.onDialog([&](QDialog* dialog) {
            if (auto* importer = qobject_cast<TFixtureImportForm*>(dialog)) {
                picked = QTest::qWaitFor([&] { return !importer->listing(); }, kListingTimeout) &&
                         pick(*importer, QStringLiteral("botex 620"), QStringLiteral("DPX 620 III"));
                importer->importButton()->click();
            } else if (auto* editor = qobject_cast<TDeviceForm*>(dialog)) {
                editorCaptions << editor->windowTitle();
                editor->cancelButton()->click();
            } else {
                dialog->reject();
            }
        });
        QVERIFY(showActive(&form));
        click(form.fixtureImportButton());
        QVERIFY(picked);
        QCOMPARE(library.deviceCount(), std::size_t(1));
        QCOMPARE(form.deviceGrid()->currentRow(), 0);
        // Cut to the 25 characters of a type name; the description keeps the whole.
        QCOMPARE(form.deviceGrid()->text(0, 1), QStringLiteral("Botex DPX 620… (Normal)"));
        QCOMPARE(library.deviceAt(0)->dimmers.dimmCount(), std::size_t(6));
        QVERIFY(form.description()->toPlainText().startsWith(QStringLiteral("Botex DPX 620 III (Normal)\nDimmer, 6")));
        QVERIFY(showActive(&form));
        click(form.propertiesButton());
        QCOMPARE(editorCaptions, QStringList{QStringLiteral("Botex DPX 620… (Normal)")});
    }

    void withoutTheLibraryItSaysHowToGetItAndReadsAFile()
    {
        QTemporaryDir dir;
        TFixtureImportForm form(nullptr, dir.filePath(QStringLiteral("fixtures")));
        QVERIFY(form.notice()->text().contains(QStringLiteral("apt install qlcplus-data")));
        QVERIFY(!form.importButton()->isEnabled());

        std::string path = dir.filePath(QStringLiteral("own.qxf")).toStdString();
        std::ofstream(path) << "<FixtureDefinition><Manufacturer>Own</Manufacturer><Model>Par</Model>"
                               "<Type>Color Changer</Type><Channel Name=\"D\" Preset=\"IntensityDimmer\"/>"
                               "<Mode Name=\"1ch\"><Channel Number=\"0\">D</Channel></Mode></FixtureDefinition>";
        files.paths = {QString::fromStdString(path), dir.filePath(QStringLiteral("missing.qxf"))};
        form.fileButton()->click();
        QCOMPARE(files.filters, QStringList{QStringLiteral("Definicje urządzeń (*.qxf)")});
        QCOMPARE(modeTexts(form.modeList()), QStringList{QStringLiteral("1ch (1 kan.)")});
        QVERIFY(form.preview()->toPlainText().contains(QStringLiteral("Intensywność: 1 D")));

        form.fileButton()->click();
        QVERIFY(form.modeList()->count() == 0);
        QVERIFY(form.preview()->toPlainText().startsWith(QStringLiteral("Nie można odczytać pliku")));
        QVERIFY(!form.importButton()->isEnabled());
    }
};

QTEST_MAIN(FixtureImportTest)
#include "Ffixtureimport_test.moc"
