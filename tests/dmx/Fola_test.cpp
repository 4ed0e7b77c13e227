// The "Wyjście OLA" window driven through its controls, with a stand-in daemon.

#include "FakeOlaDaemon.h"
#include "dmx/Fola.h"

#include <QCheckBox>
#include <QLabel>
#include <QSettings>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTest>

using namespace std::chrono_literals;

class OlaFormTest : public QObject {
    Q_OBJECT

    static QSettings settings() { return QSettings(QStringLiteral("Vantorel"), QStringLiteral("Vantorel")); }

    static void typeNumber(QSpinBox* edit, int value)
    {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, QString::number(value));
        QTest::keyClick(edit, Qt::Key_Return);
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { QSettings(QStringLiteral("Vantorel"), QStringLiteral("Vantorel")).clear(); }

    // Each control takes effect at once, as the user's own choice, and the state line follows
    // the daemon.
    void controlsSendAndAreRemembered()
    {
        FakeOlaDaemon daemon;
        KyOlaOutput ola(daemon.connector());
        TOlaForm form(ola);
        form.show();
        QCOMPARE(form.windowTitle(), QStringLiteral("Wyjście OLA"));
        QVERIFY(!form.enabledCheck()->isChecked());
        QCOMPARE(form.universeEdit()->value(), 1);
        QCOMPARE(form.portEdit()->value(), 9010);
        QCOMPARE(form.stateLabel()->text(), QStringLiteral("Brak połączenia z OLA"));

        typeNumber(form.universeEdit(), 300);
        typeNumber(form.portEdit(), 9100);
        QTest::mouseClick(form.enabledCheck(), Qt::LeftButton);
        QCOMPARE(ola.target(), (KyOlaTarget{true, 300, 9100}));
        QCOMPARE(loadOlaTarget(), ola.target());
        QTRY_COMPARE(form.stateLabel()->text(), QStringLiteral("Połączono z OLA, uniwersum 300"));

        daemon.setUp(false);
        ola.frameBuilt(uniformFrame(1)); // the send finds the daemon gone
        QTRY_COMPARE(form.stateLabel()->text(), QStringLiteral("Brak połączenia z OLA"));

        QTest::mouseClick(form.enabledCheck(), Qt::LeftButton);
        QVERIFY(!ola.target().enabled);
        QCOMPARE(settings().value("ola/enabled").toBool(), false);
        QCOMPARE(settings().value("ola/universe").toInt(), 300);
    }

    // The window shows what this run sends to, which the command line may have chosen, and
    // keeps it out of the settings until the user changes something.
    void commandLineChoiceIsShownButNotKept()
    {
        saveOlaTarget({false, 4, 9200});
        FakeOlaDaemon daemon;
        KyOlaOutput ola(daemon.connector());
        ola.setTarget(withStartOverrides(loadOlaTarget(), 9u, std::nullopt));
        TOlaForm form(ola);
        form.show();
        QVERIFY(form.enabledCheck()->isChecked());
        QCOMPARE(form.universeEdit()->value(), 9);
        QCOMPARE(form.portEdit()->value(), 9200);
        typeNumber(form.universeEdit(), 9); // unchanged
        form.close();
        QCOMPARE(loadOlaTarget(), (KyOlaTarget{false, 4, 9200}));
    }

    // Values edited by hand into the settings file come back within range.
    void damagedSettingsComeBackWithinRange()
    {
        settings().setValue("ola/universe", "70000");
        settings().setValue("ola/port", "port");
        QCOMPARE(loadOlaTarget(), (KyOlaTarget{false, 65535, 9010}));
    }
};

QTEST_MAIN(OlaFormTest)
#include "Fola_test.moc"
