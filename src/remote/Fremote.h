#pragma once
// "Zdalny pulpit": the web remote switched on and off, its port, the addresses where a phone
// finds it, the access code with its QR code, and the number of connected devices. The
// choices are the user's (QSettings); the command line may lay a port and a code over them
// for one run.

#include "remote/RemoteDesk.h"

#include <QWidget>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class QAction;
class QCheckBox;
class QLabel;
class QMainWindow;
class QPushButton;
class QSpinBox;

struct KyRemoteSettings {
    static constexpr std::uint16_t kDefaultPort = 9090;
    bool enabled = false;
    std::uint16_t port = kDefaultPort;
    QString code; // six digits
};

// For one run: --remote-port turns the remote on at that port, --remote-code sets the code.
struct KyRemoteStart {
    std::optional<std::uint16_t> port;
    std::string code;
};

KyRemoteSettings loadRemoteSettings();
QString newAccessCode();
bool isAccessCode(const QString& text);

class TRemoteForm : public QWidget {
    Q_OBJECT
public:
    TRemoteForm(const KyRemoteModel& model, TDeskActions& desk, const KyRemoteStart& start, QWidget* parent = nullptr);

    TRemoteDesk& desk() const { return *desk_; }
    QCheckBox* enabledBox() const { return enabled_; }
    QSpinBox* portBox() const { return port_; }
    QLabel* codeLabel() const { return code_; }
    QPushButton* newCodeButton() const { return newCode_; }
    QLabel* addressesLabel() const { return addresses_; }
    QLabel* qrLabel() const { return qr_; }
    QLabel* devicesLabel() const { return devices_; }
    QLabel* problemLabel() const { return problem_; }
    // The address a phone opens, on the first address of this computer.
    QString pageUrl() const;

private:
    void EnabledBoxToggled(bool on);
    void PortBoxEditingFinished();
    void NewCodeButtonClick();
    // Opens or closes the port as the settings say.
    void apply();
    void showAccess();
    void showDevices();

    TRemoteDesk* desk_;
    KyRemoteSettings settings_;
    QCheckBox* enabled_;
    QSpinBox* port_;
    QLabel* code_;
    QPushButton* newCode_;
    QLabel* addresses_;
    QLabel* qr_;
    QLabel* devices_;
    QLabel* problem_;
};

// Makes the window, binds the desk to the main window's controls and puts "Zdalny pulpit"
// into its System menu; the caller owns the window and docks it beside the other tool windows.
TRemoteForm* installRemote(QMainWindow& mainWindow, const KyRemoteModel& model, TDeskActions& desk,
                           const KyRemoteStart& start);
