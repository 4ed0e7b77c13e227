#include "remote/RemoteServer.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>
#include <QUrlQuery>
#include <QWebSocket>
#include <QWebSocketServer>

#include <algorithm>
#include <chrono>

namespace {

const char* const kUpgraded = "vantoreUpgraded";

qint64 steadyMilliseconds()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

QByteArray reason(int status)
{
    switch (status) {
    case 200: return "OK";
    case 400: return "Bad Request";
    case 403: return "Forbidden";
    case 404: return "Not Found";
    case 405: return "Method Not Allowed";
    case 431: return "Request Header Fields Too Large";
    default: return "Service Unavailable";
    }
}

// The request line and head of one HTTP request.
struct Request {
    QByteArray method;
    QUrl target;
    bool wantsWebSocket = false;
};

Request parseHead(const QByteArray& head)
{
    Request request;
    const QList<QByteArray> lines = head.split('\n');
    const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
    if (first.size() != 3 || !first[2].startsWith("HTTP/1."))
        return request;
    request.method = first[0];
    request.target = QUrl(QStringLiteral("http://remote") + QString::fromLatin1(first[1]), QUrl::StrictMode);
    for (const QByteArray& line : lines) {
        const int colon = line.indexOf(':');
        if (colon > 0 && line.left(colon).trimmed().toLower() == "upgrade")
            request.wantsWebSocket = line.mid(colon + 1).trimmed().toLower() == "websocket";
    }
    return request;
}

} // namespace

bool KyCommandRate::admit(qint64 nowMs)
{
    // times_[next_] is the oldest of the last kCommands once that many were accepted.
    if (seen_ == kCommands && nowMs - times_[std::size_t(next_)] < 1000)
        return false;
    times_[std::size_t(next_)] = nowMs;
    next_ = (next_ + 1) % kCommands;
    seen_ = std::min(seen_ + 1, kCommands);
    return true;
}

TRemoteServer::TRemoteServer(QObject* parent, KyRemoteLimits limits)
    : QObject(parent), limits_(limits), tcp_(new QTcpServer(this)),
      webSockets_(new QWebSocketServer(QStringLiteral("Vantorel"), QWebSocketServer::NonSecureMode, this))
{
    connect(tcp_, &QTcpServer::newConnection, this, &TRemoteServer::acceptConnections);
    connect(webSockets_, &QWebSocketServer::newConnection, this, &TRemoteServer::acceptWebSocket);
}

// The windows that listen may be going already.
TRemoteServer::~TRemoteServer()
{
    blockSignals(true);
    close();
}

bool TRemoteServer::listen(quint16 port, const QHostAddress& address)
{
    close();
    return tcp_->listen(address, port);
}

void TRemoteServer::close()
{
    tcp_->close();
    for (QTcpSocket* socket : tcp_->findChildren<QTcpSocket*>())
        if (!socket->property(kUpgraded).toBool())
            socket->abort();
    std::vector<Client> clients;
    clients.swap(clients_);
    for (Client& client : clients) {
        client.socket->disconnect(this);
        client.socket->abort();
        client.socket->deleteLater();
    }
    if (!clients.empty())
        emit clientsChanged(0);
}

bool TRemoteServer::isListening() const
{
    return tcp_->isListening();
}

quint16 TRemoteServer::port() const
{
    return tcp_->serverPort();
}

QString TRemoteServer::errorString() const
{
    return tcp_->errorString();
}

void TRemoteServer::setCode(const QString& code)
{
    if (code == code_)
        return;
    code_ = code;
    std::vector<Client> clients;
    clients.swap(clients_);
    for (Client& client : clients) {
        client.socket->disconnect(this);
        client.socket->close(QWebSocketProtocol::CloseCodePolicyViolated, QStringLiteral("Nowy kod dostępu"));
        client.socket->deleteLater();
    }
    if (!clients.empty())
        emit clientsChanged(0);
}

// Every byte is compared, so the time taken tells nothing about a near guess.
bool TRemoteServer::codeMatches(const QString& given) const
{
    const QByteArray a = given.toUtf8();
    const QByteArray b = code_.toUtf8();
    if (b.isEmpty() || a.size() != b.size())
        return false;
    char difference = 0;
    for (qsizetype i = 0; i < a.size(); ++i)
        difference |= char(a[i] ^ b[i]);
    return difference == 0;
}

void TRemoteServer::broadcast(const QByteArray& text)
{
    const QString message = QString::fromUtf8(text);
    for (Client& client : clients_)
        client.socket->sendTextMessage(message);
}

// ---- HTTP

void TRemoteServer::acceptConnections()
{
    while (QTcpSocket* socket = tcp_->nextPendingConnection()) {
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        if (pending_ >= limits_.pendingRequests) {
            ++counters_.overCapacity;
            socket->abort();
            continue;
        }
        ++pending_;
        connect(socket, &QObject::destroyed, this, [this, socket] {
            if (!socket->property(kUpgraded).toBool())
                --pending_;
        });
        // The head is only peeked at, so that a WebSocket handshake stays in the socket.
        socket->setReadBufferSize(limits_.requestBytes + 1);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readRequest(socket); });
        QTimer::singleShot(limits_.requestMilliseconds, socket, [socket] {
            if (!socket->property(kUpgraded).toBool())
                socket->abort();
        });
    }
}

void TRemoteServer::readRequest(QTcpSocket* socket)
{
    const QByteArray head = socket->peek(limits_.requestBytes + 1);
    const qsizetype end = head.indexOf("\r\n\r\n");
    if (end < 0) {
        if (head.size() > limits_.requestBytes) {
            ++counters_.badRequests;
            answer(socket, 431, "text/plain", {});
        }
        return;
    }
    const Request request = parseHead(head.left(end));
    if (!request.target.isValid()) {
        ++counters_.badRequests;
        return answer(socket, 400, "text/plain", {});
    }
    if (!codeMatches(QUrlQuery(request.target).queryItemValue(QStringLiteral("code")))) {
        ++counters_.wrongCode;
        return answer(socket, 403, "text/plain; charset=utf-8", tr("Brak dostępu: zły kod.\n").toUtf8());
    }
    if (request.method != "GET")
        return answer(socket, 405, "text/plain", {});
    const QString path = request.target.path();
    if (path == QStringLiteral("/ws") && request.wantsWebSocket) {
        if (clientCount() >= limits_.clients) {
            ++counters_.overCapacity;
            return answer(socket, 503, "text/plain", {});
        }
        return upgrade(socket);
    }
    if (path == QStringLiteral("/"))
        return answer(socket, 200, "text/html; charset=utf-8", page_);
    answer(socket, 404, "text/plain", {});
}

void TRemoteServer::answer(QTcpSocket* socket, int status, const QByteArray& type, const QByteArray& body)
{
    socket->disconnect(this);
    socket->readAll();
    QByteArray response = "HTTP/1.1 " + QByteArray::number(status) + ' ' + reason(status) + "\r\n";
    response += "Content-Type: " + type + "\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n";
    response += "Cache-Control: no-store\r\nX-Content-Type-Options: nosniff\r\nConnection: close\r\n\r\n";
    socket->write(response + body);
    socket->disconnectFromHost();
}

void TRemoteServer::upgrade(QTcpSocket* socket)
{
    socket->disconnect(this);
    socket->setProperty(kUpgraded, true);
    --pending_;
    socket->setReadBufferSize(0);
    // A press is a few bytes that must not wait for the acknowledgement of the last state.
    socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    webSockets_->handleConnection(socket);
}

// ---- WebSocket clients

void TRemoteServer::acceptWebSocket()
{
    while (QWebSocket* socket = webSockets_->nextPendingConnection()) {
        if (clientCount() >= limits_.clients) {
            ++counters_.overCapacity;
            socket->close(QWebSocketProtocol::CloseCodePolicyViolated, QStringLiteral("Za dużo połączeń"));
            socket->deleteLater();
            continue;
        }
        socket->setParent(this);
        socket->setMaxAllowedIncomingFrameSize(quint64(limits_.messageBytes));
        socket->setMaxAllowedIncomingMessageSize(quint64(limits_.messageBytes));
        connect(socket, &QWebSocket::textMessageReceived, this, [this, socket](const QString& text) { receive(socket, text); });
        connect(socket, &QWebSocket::binaryMessageReceived, this, [this] { ++counters_.malformed; });
        connect(socket, &QWebSocket::disconnected, this, [this, socket] { drop(socket); });
        clients_.push_back({socket, {}});
        if (greeting_)
            socket->sendTextMessage(QString::fromUtf8(greeting_()));
        emit clientsChanged(clientCount());
    }
}

TRemoteServer::Client* TRemoteServer::clientOf(const QWebSocket* socket)
{
    auto found = std::find_if(clients_.begin(), clients_.end(), [socket](const Client& c) { return c.socket == socket; });
    return found == clients_.end() ? nullptr : &*found;
}

void TRemoteServer::receive(QWebSocket* socket, const QString& text)
{
    Client* client = clientOf(socket);
    if (!client)
        return;
    if (!client->rate.admit(steadyMilliseconds())) {
        ++counters_.flooded;
        return;
    }
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        ++counters_.malformed;
        return;
    }
    if (!handler_ || !handler_(document.object()))
        ++counters_.unknown;
}

void TRemoteServer::drop(QWebSocket* socket)
{
    if (socket->closeCode() == QWebSocketProtocol::CloseCodeTooMuchData)
        ++counters_.oversize;
    std::erase_if(clients_, [socket](const Client& c) { return c.socket == socket; });
    socket->deleteLater();
    emit clientsChanged(clientCount());
}
