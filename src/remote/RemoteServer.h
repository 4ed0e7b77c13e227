#pragma once
// The web remote's network side, on the window thread: one TCP port serves the page over
// HTTP and turns GET /ws into a WebSocket. Every request must carry the access code
// (?code=NNNNNN); without it the answer is 403 and the connection is closed. Clients send
// commands as small JSON objects and receive the desk's state; what a command means is the
// handler's business. Nothing here ever blocks: a slow or hostile client costs only itself.

#include <QHostAddress>
#include <QObject>

#include <array>
#include <functional>
#include <vector>

class QJsonObject;
class QTcpServer;
class QTcpSocket;
class QWebSocket;
class QWebSocketServer;

struct KyRemoteLimits {
    int clients = 16;              // WebSocket connections at once
    int pendingRequests = 16;      // HTTP requests being read at once
    qint64 messageBytes = 4096;    // a larger message closes its connection
    int requestBytes = 4096;       // the HTTP request head
    int requestMilliseconds = 5000; // a request head must arrive within this
};

// What was refused since the server was made.
struct KyRemoteCounters {
    int wrongCode = 0;    // requests without the right code
    int malformed = 0;    // messages that are not a JSON object, or binary
    int unknown = 0;      // JSON objects that the handler did not take
    int flooded = 0;      // commands over the rate, dropped
    int oversize = 0;     // connections closed for a message over the limit
    int overCapacity = 0; // connections refused because all places were taken
    int badRequests = 0;  // HTTP requests that could not be read
};

// At most kCommands in any second: the times of the last kCommands accepted commands.
class KyCommandRate {
public:
    static constexpr int kCommands = 50;
    // Whether a command at `nowMs` (a steady clock in milliseconds) may run; counts it if so.
    bool admit(qint64 nowMs);

private:
    std::array<qint64, kCommands> times_{};
    int next_ = 0;
    int seen_ = 0;
};

class TRemoteServer : public QObject {
    Q_OBJECT
public:
    // Takes a command; false for a message it does not know, which is then counted.
    using Handler = std::function<bool(const QJsonObject&)>;

    explicit TRemoteServer(QObject* parent = nullptr, KyRemoteLimits limits = {});
    ~TRemoteServer() override;

    void setHandler(Handler handler) { handler_ = std::move(handler); }
    // What every new client receives first.
    void setGreeting(std::function<QByteArray()> greeting) { greeting_ = std::move(greeting); }
    // The page: index.html with its style and script put in, served on GET /.
    void setPage(QByteArray page) { page_ = std::move(page); }

    bool listen(quint16 port, const QHostAddress& address = QHostAddress::Any);
    // Closes the port and every connection.
    void close();
    bool isListening() const;
    quint16 port() const;
    QString errorString() const;

    // A new code closes the connections made with the old one.
    void setCode(const QString& code);
    const QString& code() const { return code_; }

    int clientCount() const { return int(clients_.size()); }
    const KyRemoteCounters& counters() const { return counters_; }
    void broadcast(const QByteArray& text);

signals:
    void clientsChanged(int count);

private:
    struct Client {
        QWebSocket* socket = nullptr;
        KyCommandRate rate;
    };

    void acceptConnections();
    void readRequest(QTcpSocket* socket);
    void answer(QTcpSocket* socket, int status, const QByteArray& type, const QByteArray& body);
    void upgrade(QTcpSocket* socket);
    void acceptWebSocket();
    void receive(QWebSocket* socket, const QString& text);
    void drop(QWebSocket* socket);
    bool codeMatches(const QString& given) const;
    Client* clientOf(const QWebSocket* socket);

    KyRemoteLimits limits_;
    KyRemoteCounters counters_;
    QTcpServer* tcp_ = nullptr;
    QWebSocketServer* webSockets_ = nullptr;
    int pending_ = 0;
    std::vector<Client> clients_;
    QString code_;
    QByteArray page_;
    Handler handler_;
    std::function<QByteArray()> greeting_;
};
