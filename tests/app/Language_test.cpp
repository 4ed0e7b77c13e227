// The windows in English: no text of the Polish catalogue is left on any widget of the main
// window and its tool windows, and the catalogue itself is complete.

#include "app/Fmain.h"
#include "common/PTranslation.h"
#include "support/ModalAnswerer.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QXmlStreamReader>

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

} // namespace

class LanguageTest : public QObject {
    Q_OBJECT

private slots:
    void catalogueIsComplete()
    {
        const Catalogue catalogue = readCatalogue();
        QVERIFY(!catalogue.polish.isEmpty());
        QVERIFY2(catalogue.unfinished.isEmpty(), qPrintable(catalogue.unfinished.join(QLatin1Char('|'))));
    }

    void englishWindowsKeepNoPolishText()
    {
        const Catalogue catalogue = readCatalogue();
        vt::installLanguage(QStringLiteral("en"));
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
                                     "DimmersAction", "BlackoutAction"})
                if (auto* action = form.findChild<QAction*>(QLatin1String(name)))
                    action->trigger();
            QApplication::processEvents();
            QStringList left = answerer.seen;
            for (const QWidget* window : QApplication::topLevelWidgets())
                for (const QString& text : shownTexts(window))
                    if (catalogue.polish.contains(text))
                        left << text;
            left.removeDuplicates();
            left.removeIf([&](const QString& text) { return !catalogue.polish.contains(text); });
            QVERIFY2(left.isEmpty(), qPrintable(left.join(QLatin1Char('|'))));
            QCOMPARE(form.findChild<QAction*>(QStringLiteral("SequenceAction"))->text(), QStringLiteral("&Sequences"));
        }
        fs::remove_all(dir);
    }
};

QTEST_MAIN(LanguageTest)
#include "Language_test.moc"
