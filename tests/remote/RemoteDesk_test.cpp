// The remote inside the program: a phone's command runs the desk's own action, so the panel
// window and the main window show it as if the operator had pressed there; every phone sees
// every press at once; the "Zdalny pulpit" window keeps the user's choices.
#include "app/Fmain.h"
#include "common/PText.h"
#include "common/PTrackBar.h"
#include "panel/Fdirectaccess.h"
#include "panel/PPanelButton.h"
#include "remote/Fremote.h"
#include "support/ModalAnswerer.h"

#include <QAction>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTcpServer>
#include <QTest>
#include <QTimer>
#include <QWebSocket>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>

namespace fs = std::filesystem;

namespace {

const QString kCode = QStringLiteral("271828");

QSettings userSettings()
{
    return QSettings(QStringLiteral("Vantorel"), QStringLiteral("Vantorel"));
}

quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

QJsonObject command(const char* json)
{
    return QJsonDocument::fromJson(QByteArray(json)).object();
}

// A phone: the latest state it received.
struct Phone {
    std::unique_ptr<QWebSocket> socket = std::make_unique<QWebSocket>();
    QJsonObject state;
    QElapsedTimer sinceState;

    explicit Phone(quint16 port)
    {
        QObject::connect(socket.get(), &QWebSocket::textMessageReceived, [this](const QString& text) {
            state = QJsonDocument::fromJson(text.toUtf8()).object();
            sinceState.start();
        });
        socket->open(QUrl(QStringLiteral("ws://127.0.0.1:%1/ws?code=%2").arg(port).arg(kCode)));
        (void)QTest::qWaitFor([&] { return !state.isEmpty(); }, 5000);
    }
    void send(const char* json) { socket->sendTextMessage(QString::fromLatin1(json)); }
    // Runs the event loop until a state received meets `done` (QTest::qWaitFor would sleep
    // between its looks and so measure itself).
    bool waitFor(const std::function<bool()>& done, int ms = 1000)
    {
        QEventLoop loop;
        QObject::connect(socket.get(), &QWebSocket::textMessageReceived, &loop, [&] {
            if (done())
                loop.quit();
        });
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        if (!done())
            loop.exec();
        return done();
    }
    int cueLit() const { return state[QStringLiteral("cue")][QStringLiteral("lit")].toInt(); }
};

} // namespace

class RemoteDeskTest : public QObject {
    Q_OBJECT
    std::unique_ptr<fs::path> dir;
    std::unique_ptr<TMainForm> form;
    ModalAnswerer* answerer = nullptr;
    quint16 port = 0;

    KyShow& show() { return form->show(); }
    TRemoteForm* remote() { return form->findChild<TRemoteForm*>(); }
    TDirectAccessForm* panel() { return form->directAccessForm(); }
    bool run(const char* json) { return remote()->desk().run(command(json)); }

    // Two stored cues on page A's first buttons, a sequence on zone 2's first button (a flash
    // button on the second), and a manual hold on channel 10.
    void buildShow()
    {
        for (const char* name : {"Intro", "Finał"}) {
            KySequence sequence;
            sequence.name = vt::toCp1250(QString::fromUtf8(name));
            KyScene scene;
            scene.setStatus(0, KyChStatus{200, 0, 0, 0, 0});
            sequence.appendScene(scene);
            show().seque.addSequence(sequence);
        }
        const std::int32_t first = show().seque.sequenceAt(0).id;
        for (const char* name : {"Wejście", "Koniec"}) {
            KyCue cue;
            cue.name = vt::toCp1250(QString::fromUtf8(name));
            cue.zoneEngine(0) = KySeqEngine(show().seque.findSharedSequence(first));
            show().seque.addCue(cue);
        }
        auto& cues = show().panel.cueButtons;
        cues.assign(0, &show().seque.cueAt(0));
        cues.assign(1, &show().seque.cueAt(1));
        auto& zone = show().panel.seqButtons[1];
        zone.assign(0, &show().seque.sequenceAt(0));
        zone.assign(1, &show().seque.sequenceAt(1));
        zone.button(1).flash = true;
        std::lock_guard lock(show().showLock());
        show().dmx.setManual(10, 99);
    }

private slots:
    void init()
    {
        dir = std::make_unique<fs::path>(fs::temp_directory_path() / ("vt-remote-" + std::to_string(::getpid())));
        fs::remove_all(*dir);
        fs::create_directories(*dir);
        userSettings().clear();
        answerer = new ModalAnswerer(this);
        port = freePort();
        StartOptions options;
        options.dataDirectory = dir->string();
        options.remotePort = port;
        options.remoteCode = kCode.toStdString();
        form = std::make_unique<TMainForm>(options);
        form->QWidget::show();
        buildShow();
        panel()->show();
    }
    void cleanup()
    {
        form.reset();
        delete answerer;
        fs::remove_all(*dir);
    }

    void aPhonesCuePressIsThePanelsPress()
    {
        QVERIFY(run(R"({"cmd":"cue","page":0,"button":1})"));
        {
            std::lock_guard lock(show().showLock());
            QCOMPARE(show().dmx.liveCue().name, std::string("Koniec"));
            QCOMPARE(show().dmx.liveCue().zoneEngine(0).sequenceId, show().seque.sequenceAt(0).id);
        }
        QVERIFY(panel()->cueButton(1)->isLit());
        QCOMPARE(panel()->cueNameLabel()->text(), QStringLiteral("Koniec"));
        // Pressed again it loads an empty cue, as on the desk.
        QVERIFY(run(R"({"cmd":"cue","page":0,"button":1})"));
        QVERIFY(!panel()->cueButton(1)->isLit());
        std::lock_guard lock(show().showLock());
        QCOMPARE(show().dmx.liveCue().zoneEngine(0).sequenceId, 0);
    }

    void nextAndPreviousCueWalkTheAssignedButtons()
    {
        QVERIFY(run(R"({"cmd":"cueStep","step":1})"));
        QVERIFY(panel()->cueButton(0)->isLit());
        QVERIFY(run(R"({"cmd":"cueStep","step":1})"));
        QVERIFY(panel()->cueButton(1)->isLit());
        QVERIFY(run(R"({"cmd":"cueStep","step":1})")); // round to the first again
        QVERIFY(panel()->cueButton(0)->isLit());
        QVERIFY(run(R"({"cmd":"cueStep","step":-1})"));
        QVERIFY(panel()->cueButton(1)->isLit());
    }

    void aFlashButtonPlaysWhileHeldThenTheRememberedOneAgain()
    {
        QVERIFY(run(R"({"cmd":"seq","zone":1,"page":0,"button":0,"down":true})"));
        QVERIFY(run(R"({"cmd":"seq","zone":1,"page":0,"button":0,"down":false})"));
        QVERIFY(panel()->seqButton(1, 0)->isLit());
        QVERIFY(run(R"({"cmd":"seq","zone":1,"page":0,"button":1,"down":true})"));
        QVERIFY(panel()->seqButton(1, 1)->isLit());
        {
            std::lock_guard lock(show().showLock());
            QCOMPARE(show().dmx.liveCue().zoneEngine(1).sequenceId, show().seque.sequenceAt(1).id);
        }
        QVERIFY(run(R"({"cmd":"seq","zone":1,"page":0,"button":1,"down":false})"));
        QVERIFY(panel()->seqButton(1, 0)->isLit());
        std::lock_guard lock(show().showLock());
        QCOMPARE(show().dmx.liveCue().zoneEngine(1).sequenceId, show().seque.sequenceAt(0).id);
    }

    void pagesTransportAndSpeedShiftMoveThePanelWindow()
    {
        QVERIFY(run(R"({"cmd":"cuePage","page":3})"));
        QVERIFY(panel()->cuePageButton(3)->isChecked());
        QVERIFY(run(R"({"cmd":"zonePage","zone":4,"page":9})"));
        QCOMPARE(panel()->pageLetter(4)->text(), QStringLiteral("J"));
        QVERIFY(run(R"({"cmd":"pause"})"));
        {
            std::lock_guard lock(show().showLock());
            QCOMPARE(show().dmx.liveCue().playState, std::uint8_t(KyCue::Paused));
            QCOMPARE(show().dmx.liveCue().generatorState, std::uint8_t(KyCue::Paused));
        }
        QVERIFY(run(R"({"cmd":"speedShift","value":30})"));
        QCOMPARE(panel()->speedBar()->position(), 30);
        QCOMPARE(panel()->speedBar()->caption(), QStringLiteral("PRĘDKOŚĆ:  30"));
        std::lock_guard lock(show().showLock());
        QCOMPARE(show().dmx.liveCue().speed, 30);
    }

    void theMainWindowsControlsRunTheirOwnHandlers()
    {
        QVERIFY(run(R"({"cmd":"speedShift","value":20})"));
        QVERIFY(run(R"({"cmd":"cueSpeed","value":-40})"));
        QCOMPARE(form->findChild<TPTrackBar*>(QStringLiteral("CueSpeedTBar"))->position(), -40);
        QCOMPARE(panel()->speedBar()->position(), 0); // a reported speed resets the shift
        QVERIFY(run(R"({"cmd":"genSpeed","value":-100})"));
        QVERIFY(run(R"({"cmd":"genAmp","value":50})"));
        QVERIFY(run(R"({"cmd":"blackout","on":true})"));
        QVERIFY(form->findChild<QAction*>(QStringLiteral("BlackoutAction"))->isChecked());
        QVERIFY(run(R"({"cmd":"music","on":true})"));
        QVERIFY(form->findChild<QAction*>(QStringLiteral("MusicAction"))->isChecked());
        QVERIFY(run(R"({"cmd":"music","on":true})")); // already on: stays on
        QVERIFY(form->findChild<QAction*>(QStringLiteral("MusicAction"))->isChecked());
        QVERIFY(run(R"({"cmd":"manualOff"})"));
        QVERIFY(run(R"({"cmd":"tap"})"));
        {
            std::lock_guard lock(show().showLock());
            const KyCue& live = show().dmx.liveCue();
            QCOMPARE(live.speed, -40);
            QCOMPARE(live.generatorSpeed, 0.125);
            QCOMPARE(live.generatorAmplitude, 0.5);
            QVERIFY(show().usb.blackoutActive);
            QVERIFY(show().musicMode);
            QCOMPARE(show().dmx.heldCount(), 0);
            QCOMPARE(show().beats.source(), KyRhythmSource::Tap);
        }
        QVERIFY(run(R"({"cmd":"blackout","on":false})"));
        std::lock_guard lock(show().showLock());
        QVERIFY(!show().usb.blackoutActive);
    }

    void commandsWithWrongFieldsAreRefused_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::newRow("no cmd") << QByteArray(R"({"page":0,"button":0})");
        QTest::newRow("unknown cmd") << QByteArray(R"({"cmd":"launch"})");
        QTest::newRow("page out of range") << QByteArray(R"({"cmd":"cue","page":10,"button":0})");
        QTest::newRow("button out of range") << QByteArray(R"({"cmd":"cue","page":0,"button":20})");
        QTest::newRow("negative button") << QByteArray(R"({"cmd":"cue","page":0,"button":-1})");
        QTest::newRow("fraction") << QByteArray(R"({"cmd":"cue","page":0,"button":0.5})");
        QTest::newRow("number as text") << QByteArray(R"({"cmd":"cue","page":"0","button":0})");
        QTest::newRow("seq without down") << QByteArray(R"({"cmd":"seq","zone":0,"page":0,"button":0})");
        QTest::newRow("zone 10") << QByteArray(R"({"cmd":"zonePage","zone":10,"page":0})");
        QTest::newRow("step 0") << QByteArray(R"({"cmd":"cueStep","step":0})");
        QTest::newRow("amplitude over 100") << QByteArray(R"({"cmd":"genAmp","value":101})");
        QTest::newRow("blackout as number") << QByteArray(R"({"cmd":"blackout","on":1})");
        QTest::newRow("huge number") << QByteArray(R"({"cmd":"cueSpeed","value":1e300})");
    }
    void commandsWithWrongFieldsAreRefused()
    {
        QFETCH(QByteArray, json);
        QVERIFY(!remote()->desk().run(QJsonDocument::fromJson(json).object()));
        QVERIFY(!panel()->cueButton(0)->isLit());
        std::lock_guard lock(show().showLock());
        QCOMPARE(show().dmx.liveCue().speed, 0);
        QVERIFY(!show().usb.blackoutActive);
    }

    void theSequenceEditorKeepsThePanelCommandsOut()
    {
        form->findChild<QAction*>(QStringLiteral("SequenceAction"))->trigger();
        QTest::qWait(120); // the update pass disables the panel
        QVERIFY(run(R"({"cmd":"cue","page":0,"button":0})"));
        QVERIFY(!panel()->cueButton(0)->isLit());
        const QJsonObject state = QJsonDocument::fromJson(remote()->desk().state()).object();
        QVERIFY(!state[QStringLiteral("live")][QStringLiteral("panel")].toBool());
    }

    // Measured over a few presses each way; the median must stay under 100 ms, so that one
    // stall of a loaded test machine does not decide it.
    void everyPhoneSeesAPressWithin100ms()
    {
        Phone first(port), second(port);
        QCOMPARE(second.cueLit(), -1);
        QCOMPARE(second.state[QStringLiteral("cue")][QStringLiteral("names")][0].toString(), QStringLiteral("Wejście"));
        auto median = [](std::vector<qint64> times) {
            std::sort(times.begin(), times.end());
            return times[times.size() / 2];
        };
        std::vector<qint64> phoneToPhone, deskToPhone;
        QElapsedTimer clock;
        for (int k : {0, 1, 0, 1, 0}) {
            clock.start();
            first.send(k == 0 ? R"({"cmd":"cue","page":0,"button":0})" : R"({"cmd":"cue","page":0,"button":1})");
            QVERIFY(second.waitFor([&] { return second.cueLit() == k; }));
            phoneToPhone.push_back(clock.elapsed());
        }
        QCOMPARE(second.state[QStringLiteral("live")][QStringLiteral("name")].toString(), QStringLiteral("Wejście"));
        // A press on the desk reaches the phones too.
        for (int k : {1, 0, 1, 0, 1}) {
            clock.start();
            QTest::mousePress(panel()->cueButton(k), Qt::LeftButton);
            QVERIFY(second.waitFor([&] { return second.cueLit() == k; }));
            deskToPhone.push_back(clock.elapsed());
        }
        qInfo("A press seen by the other phone after %lld ms, a desk press after %lld ms (medians of 5)",
              median(phoneToPhone), median(deskToPhone));
        QVERIFY(median(phoneToPhone) < 100);
        QVERIFY(median(deskToPhone) < 100);
    }

    void theWindowSwitchesTheRemoteAndKeepsTheUsersChoices()
    {
        QAction* item = form->findChild<QAction*>(QStringLiteral("RemoteAction"));
        QVERIFY(item);
        QMenu* system = nullptr;
        for (QMenu* menu : form->menuBar()->findChildren<QMenu*>())
            if (menu->title() == QStringLiteral("System"))
                system = menu;
        QVERIFY(system && system->actions().contains(item));
        item->trigger();
        TRemoteForm* window = remote();
        QVERIFY(window->isVisible());
        QCOMPARE(window->windowTitle(), QStringLiteral("Zdalny pulpit"));
        // The command line's port and code hold for this run only.
        QVERIFY(window->enabledBox()->isChecked());
        QCOMPARE(window->codeLabel()->text(), kCode);
        QVERIFY(!window->qrLabel()->pixmap().isNull());
        QVERIFY(window->addressesLabel()->text().contains(QStringLiteral(":%1/?code=%2").arg(port).arg(kCode)));
        QVERIFY(!userSettings().value(QStringLiteral("remote/enabled")).toBool());
        QVERIFY(userSettings().value(QStringLiteral("remote/code")).toString() != kCode);

        Phone phone(port);
        QVERIFY(QTest::qWaitFor([&] { return window->devicesLabel()->text() == QStringLiteral("Połączone urządzenia: 1"); }));
        window->newCodeButton()->click();
        const QString code = window->codeLabel()->text();
        QVERIFY(isAccessCode(code) && code != kCode);
        QCOMPARE(userSettings().value(QStringLiteral("remote/code")).toString(), code);
        QVERIFY(QTest::qWaitFor([&] { return phone.socket->state() == QAbstractSocket::UnconnectedState; }));

        window->enabledBox()->setChecked(false);
        QVERIFY(!window->desk().server().isListening());
        QCOMPARE(userSettings().value(QStringLiteral("remote/enabled")).toBool(), false);
        QVERIFY(window->qrLabel()->isHidden());
        window->portBox()->setValue(port + 1 > 65535 ? port - 1 : port + 1);
        emit window->portBox()->editingFinished();
        window->enabledBox()->setChecked(true);
        QCOMPARE(window->desk().server().port(), quint16(window->portBox()->value()));
        QCOMPARE(userSettings().value(QStringLiteral("remote/port")).toInt(), window->portBox()->value());
        QVERIFY(userSettings().value(QStringLiteral("remote/enabled")).toBool());
    }
};

QTEST_MAIN(RemoteDeskTest)
#include "RemoteDesk_test.moc"
