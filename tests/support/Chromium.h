#pragma once
// A headless Chromium driven through its DevTools protocol, for tests of pages the program
// serves: one page per browser, scripts evaluated in it, screenshots taken of it. Each
// browser has a fresh profile and talks to nothing but the loopback address it is given.

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QWebSocket>

#include <stdexcept>

class ChromiumPage {
public:
    ChromiumPage(int width, int height)
    {
        const QStringList arguments{
            QStringLiteral("--headless"), QStringLiteral("--no-sandbox"), QStringLiteral("--disable-gpu"),
            QStringLiteral("--disable-quic"), QStringLiteral("--no-first-run"),
            QStringLiteral("--disable-background-networking"), QStringLiteral("--disable-component-update"),
            QStringLiteral("--disable-sync"), QStringLiteral("--disable-extensions"),
            QStringLiteral("--user-data-dir=") + profile_.path(), QStringLiteral("--remote-debugging-port=0"),
            QStringLiteral("--remote-debugging-address=127.0.0.1"),
            QStringLiteral("--window-size=%1,%2").arg(width).arg(height), QStringLiteral("about:blank")};
        browser_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        browser_.start(QStringLiteral("chromium"), arguments);
        if (!browser_.waitForStarted(10000))
            throw std::runtime_error("chromium did not start");
        // The browser writes its port and path once it listens.
        QFile active(profile_.filePath(QStringLiteral("DevToolsActivePort")));
        if (!QTest::qWaitFor([&] { return active.exists() && active.size() > 0; }, 30000) ||
            !active.open(QIODevice::ReadOnly))
            throw std::runtime_error("chromium did not open its DevTools port");
        const QList<QByteArray> lines = active.readAll().split('\n');
        socket_.open(QUrl(QStringLiteral("ws://127.0.0.1:%1%2").arg(QString::fromLatin1(lines.value(0)),
                                                                       QString::fromLatin1(lines.value(1)))));
        QObject::connect(&socket_, &QWebSocket::textMessageReceived, [this](const QString& text) {
            const QJsonObject message = QJsonDocument::fromJson(text.toUtf8()).object();
            if (message.contains(QStringLiteral("id")))
                answers_.insert(message.value(QStringLiteral("id")).toInt(), message);
        });
        if (!QTest::qWaitFor([&] { return socket_.state() == QAbstractSocket::ConnectedState; }, 10000))
            throw std::runtime_error("cannot reach chromium's DevTools");
        const QString target = call(QStringLiteral("Target.createTarget"), {{"url", "about:blank"}})
                                   .value(QStringLiteral("targetId")).toString();
        session_ = call(QStringLiteral("Target.attachToTarget"), {{"targetId", target}, {"flatten", true}})
                       .value(QStringLiteral("sessionId")).toString();
        call(QStringLiteral("Emulation.setDeviceMetricsOverride"),
             {{"width", width}, {"height", height}, {"deviceScaleFactor", 1}, {"mobile", true}}, session_);
    }

    ~ChromiumPage()
    {
        socket_.close();
        browser_.terminate();
        if (!browser_.waitForFinished(5000))
            browser_.kill();
        browser_.waitForFinished(5000);
    }

    void open(const QString& url)
    {
        call(QStringLiteral("Page.navigate"), {{"url", url}}, session_);
    }

    // The value of a JavaScript expression, or undefined on a failure.
    QJsonValue evaluate(const QString& expression)
    {
        const QJsonObject result = call(QStringLiteral("Runtime.evaluate"),
                                        {{"expression", expression}, {"returnByValue", true}}, session_);
        return result.value(QStringLiteral("result")).toObject().value(QStringLiteral("value"));
    }

    // Waits until the expression is true.
    bool waitFor(const QString& expression, int milliseconds = 10000)
    {
        return QTest::qWaitFor([&] { return evaluate(expression).toBool(); }, milliseconds);
    }

    QByteArray screenshotPng()
    {
        const QJsonObject result = call(QStringLiteral("Page.captureScreenshot"), {{"format", "png"}}, session_);
        return QByteArray::fromBase64(result.value(QStringLiteral("data")).toString().toLatin1());
    }

private:
    QJsonObject call(const QString& method, const QJsonObject& params, const QString& session = {})
    {
        const int id = ++lastId_;
        QJsonObject message{{"id", id}, {"method", method}, {"params", params}};
        if (!session.isEmpty())
            message.insert(QStringLiteral("sessionId"), session);
        socket_.sendTextMessage(QString::fromUtf8(QJsonDocument(message).toJson(QJsonDocument::Compact)));
        if (!QTest::qWaitFor([&] { return answers_.contains(id); }, 15000))
            throw std::runtime_error("chromium did not answer " + method.toStdString());
        return answers_.take(id).value(QStringLiteral("result")).toObject();
    }

    QTemporaryDir profile_;
    QProcess browser_;
    QWebSocket socket_;
    QString session_;
    QHash<int, QJsonObject> answers_;
    int lastId_ = 0;
};
