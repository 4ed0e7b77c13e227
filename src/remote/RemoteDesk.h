#pragma once
// The web remote's desk: turns the phones' commands into the desk's actions (the same calls
// the panel window's buttons make) and sends every phone the desk's state, read from where
// the desk windows read it, whenever it changes.

#include "remote/RemoteServer.h"

#include <QByteArray>
#include <QObject>

#include <array>
#include <mutex>
#include <string>

class KyBeatSource;
class KyDmxSpace;
class KySeque;
class KyUsb;
class QJsonObject;
class QTimer;
class TDeskActions;

// What the remote shows besides the panel, as the main window holds it.
struct KyRemoteModel {
    KySeque& store;
    const KyDmxSpace& dmx;
    const KyUsb& usb;
    const KyBeatSource& beats;
    const bool& musicMode;
    const std::array<std::string, 10>& zoneNames; // cp1250
    std::mutex& showLock;
};

// The page for phones, whole, in the windows' language.
QByteArray remotePage();

class TRemoteDesk : public QObject {
    Q_OBJECT
public:
    TRemoteDesk(const KyRemoteModel& model, TDeskActions& desk, QObject* parent = nullptr);

    TRemoteServer& server() { return *server_; }
    // The state as JSON (UTF-8), as every phone receives it.
    QByteArray state() const;
    // Runs one command; false for an unknown one or one with a missing or wrong field.
    bool run(const QJsonObject& command);

private:
    bool runPanel(const QString& name, const QJsonObject& command);
    bool runDesk(const QString& name, const QJsonObject& command);
    // Sends the state to every phone when it differs from what they have.
    void push();
    // Once the event that changed the desk is handled.
    void pushSoon();

    KyRemoteModel model_;
    TDeskActions& desk_;
    TRemoteServer* server_;
    QTimer* pushTimer_;
    QByteArray sent_;
    bool pushPending_ = false;
};
