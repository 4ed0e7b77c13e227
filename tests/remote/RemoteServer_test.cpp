// The remote's server refuses what it must: requests without the code, malformed and
// oversized messages, floods and connections beyond its places; and the program's event loop
// goes on meanwhile.
#include "remote/RemoteServer.h"

#include <QElapsedTimer>
#include <QJsonObject>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>
#include <QWebSocket>

#include <memory>
#include <vector>

namespace {

const QString kCode = QStringLiteral("482913");

// The longest time the event loop went without running a 2 ms timer.
class LoopGap : public QObject {
public:
    LoopGap()
    {
        clock_.start();
        timer_.setInterval(2);
        connect(&timer_, &QTimer::timeout, this, [this] {
            longest_ = std::max(longest_, clock_.restart());
        });
        timer_.start();
    }
    qint64 longest() const { return longest_; }

private:
    QTimer timer_;
    QElapsedTimer clock_;
    qint64 longest_ = 0;
};

// The whole answer to a raw HTTP request, read until the server closes.
QByteArray httpAnswer(quint16 port, const QByteArray& request)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    if (!socket.waitForConnected(5000))
        return {};
    socket.write(request);
    QByteArray answer;
    (void)QTest::qWaitFor([&] {
        answer += socket.readAll();
        return socket.state() == QAbstractSocket::UnconnectedState;
    }, 5000);
    return answer + socket.readAll();
}

QByteArray get(quint16 port, const QByteArray& target)
{
    return httpAnswer(port, "GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
}

// A WebSocket client; connected() says whether the server took it.
struct Client {
    std::unique_ptr<QWebSocket> socket = std::make_unique<QWebSocket>();
    std::vector<QString> received;

    Client(quint16 port, const QString& code)
    {
        QObject::connect(socket.get(), &QWebSocket::textMessageReceived, [this](const QString& t) { received.push_back(t); });
        socket->open(QUrl(QStringLiteral("ws://127.0.0.1:%1/ws?code=%2").arg(port).arg(code)));
        (void)QTest::qWaitFor([&] {
            return socket->state() == QAbstractSocket::ConnectedState ||
                   socket->state() == QAbstractSocket::UnconnectedState;
        }, 5000);
    }
    bool connected() const { return socket->state() == QAbstractSocket::ConnectedState; }
    bool closedWithin(int ms) const
    {
        return QTest::qWaitFor([&] { return socket->state() == QAbstractSocket::UnconnectedState; }, ms);
    }
};

} // namespace

class RemoteServerTest : public QObject {
    Q_OBJECT
    std::unique_ptr<TRemoteServer> server;
    int commands = 0;

    quint16 port() const { return server->port(); }

    void start(KyRemoteLimits limits = {})
    {
        server = std::make_unique<TRemoteServer>(nullptr, limits);
        server->setCode(kCode);
        server->setPage("<html>pulpit</html>");
        server->setGreeting([] { return QByteArray("{\"hello\":1}"); });
        server->setHandler([this](const QJsonObject& command) {
            if (command.value(QStringLiteral("cmd")) != QStringLiteral("tap"))
                return false;
            ++commands;
            return true;
        });
        QVERIFY(server->listen(0, QHostAddress::LocalHost));
    }

private slots:
    void init()
    {
        commands = 0;
        start();
    }
    void cleanup() { server.reset(); }

    void theRightCodeGetsThePageAndTheSocket()
    {
        const QByteArray page = get(port(), "/?code=" + kCode.toLatin1());
        QVERIFY(page.startsWith("HTTP/1.1 200 OK\r\n"));
        QVERIFY(page.endsWith("<html>pulpit</html>"));
        QVERIFY(get(port(), "/other?code=" + kCode.toLatin1()).startsWith("HTTP/1.1 404"));

        Client client(port(), kCode);
        QVERIFY(client.connected());
        QVERIFY(QTest::qWaitFor([&] { return client.received.size() == 1; }, 2000));
        QCOMPARE(client.received.front(), QStringLiteral("{\"hello\":1}"));
        QCOMPARE(server->clientCount(), 1);
        client.socket->sendTextMessage(QStringLiteral("{\"cmd\":\"tap\"}"));
        QVERIFY(QTest::qWaitFor([&] { return commands == 1; }, 2000));
    }

    void aWrongOrMissingCodeGets403AndTheSocketClosed_data()
    {
        QTest::addColumn<QByteArray>("target");
        QTest::newRow("no code") << QByteArray("/");
        QTest::newRow("wrong code") << QByteArray("/?code=482914");
        QTest::newRow("code and more") << QByteArray("/?code=4829130");
        QTest::newRow("empty code") << QByteArray("/?code=");
        QTest::newRow("socket without code") << QByteArray("/ws");
        QTest::newRow("code of another field") << QByteArray("/?kod=482913");
    }
    void aWrongOrMissingCodeGets403AndTheSocketClosed()
    {
        QFETCH(QByteArray, target);
        const QByteArray answer = get(port(), target);
        QVERIFY2(answer.startsWith("HTTP/1.1 403 Forbidden\r\n"), answer.constData());
        QVERIFY(answer.contains("Connection: close"));
        QCOMPARE(server->counters().wrongCode, 1);
    }

    void aSocketWithTheWrongCodeIsNeverOpened()
    {
        Client client(port(), QStringLiteral("000000"));
        QVERIFY(!client.connected());
        QCOMPARE(server->clientCount(), 0);
        QCOMPARE(server->counters().wrongCode, 1);
    }

    void aNewCodeClosesTheConnectionsMadeWithTheOldOne()
    {
        Client client(port(), kCode);
        QVERIFY(client.connected());
        server->setCode(QStringLiteral("111111"));
        QVERIFY(client.closedWithin(2000));
        QVERIFY(get(port(), "/?code=" + kCode.toLatin1()).startsWith("HTTP/1.1 403"));
    }

    void malformedAndUnknownMessagesAreCountedAndTheConnectionGoesOn()
    {
        Client client(port(), kCode);
        QVERIFY(client.connected());
        const QStringList junk{QStringLiteral("{"), QStringLiteral("[1,2]"), QStringLiteral("\"tap\""),
                               QStringLiteral("null"), QStringLiteral("{\"cmd\":\"tap\"")};
        for (const QString& text : junk)
            client.socket->sendTextMessage(text);
        client.socket->sendBinaryMessage(QByteArray("\x01\x02", 2));
        client.socket->sendTextMessage(QStringLiteral("{\"cmd\":\"fly\"}"));
        client.socket->sendTextMessage(QStringLiteral("{\"command\":\"tap\"}"));
        client.socket->sendTextMessage(QStringLiteral("{\"cmd\":\"tap\"}"));
        QVERIFY(QTest::qWaitFor([&] { return commands == 1; }, 2000));
        QCOMPARE(server->counters().malformed, 6);
        QCOMPARE(server->counters().unknown, 2);
        QVERIFY(client.connected());
    }

    void aMessageOver4KBClosesItsConnectionAlone()
    {
        LoopGap gap;
        Client other(port(), kCode);
        Client client(port(), kCode);
        QVERIFY(client.connected());
        const QString padding(4096, QLatin1Char(' '));
        client.socket->sendTextMessage(QStringLiteral("{\"cmd\":\"tap\"}") + padding);
        QVERIFY(client.closedWithin(3000));
        QCOMPARE(commands, 0);
        QVERIFY(QTest::qWaitFor([&] { return server->counters().oversize == 1; }, 2000));
        // Exactly the limit still passes.
        other.socket->sendTextMessage(QStringLiteral("{\"cmd\":\"tap\"}") + padding.left(4096 - 13));
        QVERIFY(QTest::qWaitFor([&] { return commands == 1; }, 2000));
        QVERIFY(other.connected());
        QVERIFY2(gap.longest() < 50, qPrintable(QString::number(gap.longest())));
    }

    void aFloodIsCutTo50CommandsASecond()
    {
        Client client(port(), kCode);
        QVERIFY(client.connected());
        QTest::qWait(50);
        LoopGap gap;
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < 2000; ++i)
            client.socket->sendTextMessage(QStringLiteral("{\"cmd\":\"tap\"}"));
        client.socket->flush();
        QVERIFY(QTest::qWaitFor([&] { return commands + server->counters().flooded == 2000; }, 10000));
        // However long the sending took, no second held more than 50.
        const qint64 seconds = clock.elapsed() / 1000 + 1;
        QVERIFY2(commands >= 50 && commands <= 50 * seconds, qPrintable(QString::number(commands)));
        QVERIFY2(gap.longest() < 50, qPrintable(QString::number(gap.longest())));
        QTest::qWait(1050);
        const int before = commands;
        client.socket->sendTextMessage(QStringLiteral("{\"cmd\":\"tap\"}"));
        QVERIFY(QTest::qWaitFor([&] { return commands == before + 1; }, 2000));
    }

    void theRateAdmits50InAnySecond()
    {
        KyCommandRate rate;
        for (int i = 0; i < 50; ++i)
            QVERIFY(rate.admit(1000 + i));
        QVERIFY(!rate.admit(1100));
        QVERIFY(!rate.admit(1999));
        QVERIFY(rate.admit(2000)); // the first of the 50 is a second old
        QVERIFY(!rate.admit(2000));
        QVERIFY(rate.admit(2001));
    }

    void theSeventeenthConnectionIsRefusedUntilAPlaceIsFree()
    {
        LoopGap gap;
        std::vector<std::unique_ptr<Client>> clients;
        for (int i = 0; i < 16; ++i) {
            clients.push_back(std::make_unique<Client>(port(), kCode));
            QVERIFY(clients.back()->connected());
        }
        Client refused(port(), kCode);
        QVERIFY(!refused.connected());
        QCOMPARE(server->clientCount(), 16);
        QCOMPARE(server->counters().overCapacity, 1);
        clients.front()->socket->close();
        QVERIFY(QTest::qWaitFor([&] { return server->clientCount() == 15; }, 2000));
        Client admitted(port(), kCode);
        QVERIFY(admitted.connected());
        QVERIFY2(gap.longest() < 50, qPrintable(QString::number(gap.longest())));
    }

    void requestHeadsThatNeverEndAreDropped()
    {
        KyRemoteLimits limits;
        limits.requestMilliseconds = 300;
        start(limits);
        const QByteArray huge = "GET /?code=" + kCode.toLatin1() + " HTTP/1.1\r\nX: " + QByteArray(5000, 'a');
        QVERIFY(httpAnswer(port(), huge).startsWith("HTTP/1.1 431"));
        // A head that stops coming is closed after the time allowed.
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(httpAnswer(port(), "GET /?code=" + kCode.toLatin1() + " HTTP/1.1\r\n"), QByteArray());
        QVERIFY(clock.elapsed() >= 250 && clock.elapsed() < 3000);
        QVERIFY(get(port(), "/?code=" + kCode.toLatin1()).startsWith("HTTP/1.1 200"));
    }
};

QTEST_MAIN(RemoteServerTest)
#include "RemoteServer_test.moc"
