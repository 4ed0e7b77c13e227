// The windows in English: no text of the Polish catalogue is left on any widget of the main
// window, its tool windows and the dialogs they open, and the catalogue itself is complete.

#include "app/Caption.h"
#include "app/Fmain.h"
#include "common/Files.h"
#include "common/Fname.h"
#include "generator/Fgenlist.h"
#include "library/Fchanneldlg.h"
#include "common/PTranslation.h"
#include "dmx/OlaTarget.h"
#include "dmx/Usb.h"
#include "module/ModuleImage.h"
#include "panel/Fpicklist.h"
#include "remote/RemoteDesk.h"
#include "sequence/Fsceneprop.h"
#include "support/ModalAnswerer.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QXmlStreamReader>

#include <cerrno>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

struct Catalogue {
    QSet<QString> polish;   // source texts whose English differs
    QStringList unfinished; // source texts without a finished translation
};

Catalogue readCatalogue()
{
    Catalogue catalogue;
    QFile file(QStringLiteral(VANTOREL_SOURCE_DIR "/translations/vantorel_en.ts"));
    if (!file.open(QIODevice::ReadOnly))
        return catalogue;
    QXmlStreamReader xml(&file);
    QString source;
    QSet<QString> kept;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QStringLiteral("source")) {
            source = xml.readElementText();
        } else if (xml.name() == QStringLiteral("translation")) {
            const bool unfinished = xml.attributes().value(QStringLiteral("type")) == QStringLiteral("unfinished");
            const QString english = xml.readElementText();
            if (unfinished || english.isEmpty())
                catalogue.unfinished << source;
            else if (english != source)
                catalogue.polish.insert(source);
            else
                kept.insert(source);
        }
    }
    // A text that English keeps as it is somewhere ("16 bit" of a pan/tilt mode, while the
    // panel's "16 bit" counts beats) is no sign of a window left in Polish.
    catalogue.polish.subtract(kept);
    return catalogue;
}

// Every text a widget shows: captions, labels, buttons, actions and their hints, group and
// tab titles, column headers.
QStringList shownTexts(const QWidget* window)
{
    QStringList texts{window->windowTitle()};
    QList<const QWidget*> widgets{window};
    for (const QWidget* child : window->findChildren<QWidget*>())
        widgets << child;
    for (const QWidget* w : widgets) {
        texts << w->toolTip();
        for (const QAction* action : w->actions())
            texts << action->text() << action->toolTip();
        if (auto* label = qobject_cast<const QLabel*>(w))
            texts << label->text();
        if (auto* button = qobject_cast<const QAbstractButton*>(w))
            texts << button->text();
        if (auto* group = qobject_cast<const QGroupBox*>(w))
            texts << group->title();
        if (auto* menu = qobject_cast<const QMenu*>(w))
            texts << menu->title();
        if (auto* tabs = qobject_cast<const QTabWidget*>(w))
            for (int i = 0; i < tabs->count(); ++i)
                texts << tabs->tabText(i);
        if (auto* table = qobject_cast<const QTableWidget*>(w))
            for (int i = 0; i < table->columnCount(); ++i)
                if (const QTableWidgetItem* item = table->horizontalHeaderItem(i))
                    texts << item->text();
    }
    return texts;
}

bool holdsPolishLetter(const QString& text)
{
    static const QRegularExpression polishLetter(QStringLiteral("[ąćęłńóśźżĄĆĘŁŃÓŚŹŻ]"));
    return text.contains(polishLetter);
}

// The texts among `texts` the Polish catalogue holds, or that are made with one (they hold a
// Polish letter). The language menu is named in both languages, to be found in either.
QStringList polishAmong(QStringList texts, const Catalogue& catalogue)
{
    texts.removeDuplicates();
    texts.removeIf([&](const QString& text) {
        return text == QStringLiteral("Język / Language") ||
               (!catalogue.polish.contains(text) && !holdsPolishLetter(text));
    });
    return texts;
}

QAbstractButton* buttonCalled(const QWidget* window, const QString& caption)
{
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
        if (button->text().remove(QLatin1Char('&')) == caption)
            return button;
    return nullptr;
}

// Notes the texts of every dialog that comes up and opens, once each, the dialogs its buttons
// lead to; then closes it.
class DialogWalk {
public:
    explicit DialogWalk(ModalAnswerer& answerer)
    {
        answerer.onDialog([this](QDialog* dialog) { visit(dialog); });
    }

    QStringList texts;
    QSet<QString> seen; // the classes of the dialogs seen

private:
    void visit(QDialog* dialog)
    {
        texts << shownTexts(dialog);
        seen.insert(QString::fromLatin1(dialog->metaObject()->className()));
        // The device editor from the library, the fixture import, the new device of the installation.
        for (const QString& caption : {QStringLiteral("New"), QStringLiteral("Fixture import"), QStringLiteral("Add ...")})
            if (QAbstractButton* button = buttonCalled(dialog, caption); button && !pressed_.contains(caption)) {
                // Clicked after this answer: the answering timer does not run again inside itself.
                pressed_.insert(caption);
                QTimer::singleShot(0, button, &QAbstractButton::click);
                return;
            }
        dialog->reject();
    }

    QSet<QString> pressed_;
};

} // namespace

class LanguageTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { vt::installLanguage(QStringLiteral("en")); }

    void catalogueIsComplete()
    {
        const Catalogue catalogue = readCatalogue();
        QVERIFY(!catalogue.polish.isEmpty());
        QVERIFY2(catalogue.unfinished.isEmpty(), qPrintable(catalogue.unfinished.join(QLatin1Char('|'))));
    }

    void englishWindowsKeepNoPolishText()
    {
        const Catalogue catalogue = readCatalogue();
        const fs::path dir = fs::temp_directory_path() / ("vantorel-language-" + std::to_string(QCoreApplication::applicationPid()));
        fs::create_directories(dir);
        {
            // The messages of the start (no module found) are answered, their texts checked too.
            ModalAnswerer answerer;
            StartOptions options;
            options.dataDirectory = dir.string();
            TMainForm form(options);
            form.QWidget::show();
            // Every tool window that docks or floats beside the main window.
            for (const char* name : {"DmxSpaceAction", "OlaAction", "BeatSourceAction", "SequenceAction", "CueAction",
                                     "DirectPanelAction", "ResetAction", "LightAction", "LampAction", "PanTiltAction",
                                     "ColorAction", "MixerAction", "GoboAction", "EffectAction", "OpticAction",
                                     "DimmersAction", "BlackoutAction", "RemoteAction", "ControllersAction"})
                if (auto* action = form.findChild<QAction*>(QLatin1String(name)))
                    action->trigger();
            QApplication::processEvents();
            QStringList texts = answerer.seen + answerer.titles;
            for (const QWidget* window : QApplication::topLevelWidgets())
                texts << shownTexts(window);
            const QStringList left = polishAmong(texts, catalogue);
            QVERIFY2(left.isEmpty(), qPrintable(left.join(QLatin1Char('|'))));
            QCOMPARE(form.findChild<QAction*>(QStringLiteral("SequenceAction"))->text(), QStringLiteral("&Sequences"));
        }
        fs::remove_all(dir);
    }

    // The modal dialogs the main window opens without hardware, the dialogs they lead to, those
    // the tool windows open (pick lists, name, channel, scene, generator list), and the
    // message boxes of the menus.
    void englishDialogsKeepNoPolishText()
    {
        const Catalogue catalogue = readCatalogue();
        const fs::path dir = fs::temp_directory_path() / ("vantorel-dialogs-" + std::to_string(QCoreApplication::applicationPid()));
        fs::create_directories(dir);
        {
            ModalAnswerer answerer;
            DialogWalk walk(answerer);
            StartOptions options;
            options.dataDirectory = dir.string();
            TMainForm form(options);
            form.QWidget::show();
            for (const char* name : {"LibraryAction", "ClubAction", "FloorsAction", "DmxModuleAction", "AboutAction",
                                     "ExitAction"})
                form.findChild<QAction*>(QLatin1String(name))->trigger();
            for (QAction* language : form.findChild<QMenu*>(QStringLiteral("LanguageMenu"))->actions())
                if (language->text() == QStringLiteral("English"))
                    language->trigger();
            QApplication::processEvents();
            for (const char* dialog : {"TLibraryForm", "TDeviceForm", "TFixtureImportForm", "TClubForm", "TNewDeviceForm",
                                       "TFloorsForm", "TDmxModuleForm"})
                QVERIFY2(walk.seen.contains(QLatin1String(dialog)), dialog);
            QVERIFY(answerer.seen.contains(QStringLiteral("Exit the program?")));

            std::string name = "Scena";
            int row = 0;
            TNameForm nameForm(name, &form);
            TSeqListForm sequences(form.show().seque, row, &form);
            TCueListForm cues(form.show().seque, row, &form);
            TChannelDlgForm channel(KyChValue{}, row, &form);
            TScenePropForm scene({{0, 255}}, &form);
            TGenListForm generators(form.show().genList, (dir / "generators.vt2").string(), &form);
            QStringList texts = walk.texts + answerer.seen + answerer.titles;
            for (const QWidget* dialog :
                 std::initializer_list<const QWidget*>{&nameForm, &sequences, &cues, &channel, &scene, &generators})
                texts << shownTexts(dialog);
            const QStringList left = polishAmong(texts, catalogue);
            QVERIFY2(left.isEmpty(), qPrintable(left.join(QLatin1Char('|'))));
        }
        fs::remove_all(dir);
    }

    // A message the core makes in Polish shows in English, its pieces too; data stays as it is.
    void coreMessagesShowInEnglish()
    {
        const std::pair<std::string, QString> cases[] = {
            {vt::saveFailureMessage("/show/cues.vt2", vt::systemReason(EACCES)),
             QStringLiteral("Cannot save the file cues.vt2: permission denied")},
            {vt::systemReason(9999), QStringLiteral("system error 9999")},
            {olaStateText(true, 3), QStringLiteral("Connected to OLA, universe 3")},
            {noAccessMessage("/dev/ttyUSB0"),
             QStringLiteral("No access to the port /dev/ttyUSB0. Add the user to the dialout group and log in again.")},
            {vt::kTooManyCues, QStringLiteral("Too many cues")},
            {"Scena 1", QStringLiteral("Scena 1")}, // a name from the show's data
        };
        for (const auto& [polish, english] : cases)
            QCOMPARE(vt::coreText(polish), english);
    }

    // The caption says where the universe goes in one English sentence.
    void mainWindowCaptionReadsInEnglish()
    {
        const KyOlaTarget off{false, 12, 9010};
        const KyOlaTarget on{true, 12, 9010};
        const QString module = QStringLiteral("SIM-A");
        QCOMPARE(mainWindowCaption(true, module, on), QStringLiteral("Vantorel: SIM-A and OLA (universe 12)"));
        QCOMPARE(mainWindowCaption(true, module, off), QStringLiteral("Vantorel: SIM-A"));
        QCOMPARE(mainWindowCaption(false, module, on), QStringLiteral("Vantorel: OLA (universe 12)"));
        QCOMPARE(mainWindowCaption(false, module, off), QStringLiteral("Vantorel: no DMX module"));
    }

    // The phones' page speaks the windows' language too, its script's texts included.
    void remotePageIsServedInEnglish()
    {
        const QString page = QString::fromUtf8(remotePage());
        QVERIFY(!holdsPolishLetter(page));
        for (const char* english : {R"(<html lang="en">)", ">Pause<", "'Zone'", "'CUE SPEED:  '"})
            QVERIFY2(page.contains(QLatin1String(english)), english);
    }
};

QTEST_MAIN(LanguageTest)
#include "Language_test.moc"
