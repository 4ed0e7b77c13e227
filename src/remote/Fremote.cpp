#include "remote/Fremote.h"

#include "common/PShownTimer.h"
#include "common/PToolWindow.h"
#include "panel/DeskActions.h"
#include "remote/QrCode.h"

#include <QAction>
#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QNetworkInterface>
#include <QPixmap>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSettings>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int kQrScale = 5;

QSettings userSettings()
{
    return QSettings(QStringLiteral("Vantorel"), QStringLiteral("Vantorel"));
}

void saveSetting(const char* key, const QVariant& value)
{
    userSettings().setValue(QLatin1String(key), value);
}

// The IPv4 addresses of this computer that a phone on the same network may reach; the
// loopback address when there is none.
QStringList reachableAddresses()
{
    QStringList addresses;
    for (const QHostAddress& address : QNetworkInterface::allAddresses())
        if (address.protocol() == QAbstractSocket::IPv4Protocol && !address.isLoopback())
            addresses << address.toString();
    if (addresses.isEmpty())
        addresses << QStringLiteral("127.0.0.1");
    return addresses;
}

QString urlFor(const QString& host, std::uint16_t port, const QString& code)
{
    return QStringLiteral("http://%1:%2/?code=%3").arg(host).arg(port).arg(code);
}

} // namespace

KyRemoteSettings loadRemoteSettings()
{
    const QSettings settings = userSettings();
    KyRemoteSettings loaded;
    loaded.enabled = settings.value(QStringLiteral("remote/enabled"), false).toBool();
    const int port = settings.value(QStringLiteral("remote/port"), KyRemoteSettings::kDefaultPort).toInt();
    loaded.port = port >= 1 && port <= 65535 ? std::uint16_t(port) : KyRemoteSettings::kDefaultPort;
    loaded.code = settings.value(QStringLiteral("remote/code")).toString();
    return loaded;
}

QString newAccessCode()
{
    return QStringLiteral("%1").arg(QRandomGenerator::system()->bounded(1000000), 6, 10, QLatin1Char('0'));
}

bool isAccessCode(const QString& text)
{
    return text.size() == 6 && std::all_of(text.begin(), text.end(), [](QChar c) { return c >= '0' && c <= '9'; });
}

TRemoteForm::TRemoteForm(const KyRemoteModel& model, TDeskActions& desk, const KyRemoteStart& start, QWidget* parent)
    : QWidget(parent, vt::kToolWindowFlags), desk_(new TRemoteDesk(model, desk, this)),
      settings_(loadRemoteSettings()), enabled_(new QCheckBox(TRemoteForm::tr("Zdalny pulpit włączony"), this)),
      port_(new QSpinBox(this)), code_(new QLabel(this)), newCode_(new QPushButton(TRemoteForm::tr("Nowy kod"), this)),
      addresses_(new QLabel(this)), qr_(new QLabel(this)), devices_(new QLabel(this)), problem_(new QLabel(this))
{
    setWindowTitle(TRemoteForm::tr("Zdalny pulpit"));
    if (!isAccessCode(settings_.code)) {
        settings_.code = newAccessCode();
        saveSetting("remote/code", settings_.code);
    }
    if (start.port) {
        settings_.enabled = true;
        settings_.port = *start.port;
    }
    if (isAccessCode(QString::fromStdString(start.code)))
        settings_.code = QString::fromStdString(start.code);

    port_->setRange(1, 65535);
    port_->setValue(settings_.port);
    QFont large = code_->font();
    large.setPointSize(large.pointSize() * 2);
    large.setBold(true);
    code_->setFont(large);
    code_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    addresses_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    problem_->setStyleSheet(QStringLiteral("color: red;"));
    problem_->setWordWrap(true);
    qr_->setAlignment(Qt::AlignCenter);

    auto* form = new QFormLayout;
    form->addRow(TRemoteForm::tr("Port:"), port_);
    auto* codeRow = new QHBoxLayout;
    codeRow->addWidget(code_);
    codeRow->addWidget(newCode_);
    codeRow->addStretch();
    form->addRow(TRemoteForm::tr("Kod dostępu:"), codeRow);
    form->addRow(TRemoteForm::tr("Adresy:"), addresses_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(enabled_);
    layout->addLayout(form);
    layout->addWidget(qr_);
    layout->addWidget(devices_);
    layout->addWidget(problem_);

    enabled_->setChecked(settings_.enabled);
    connect(enabled_, &QCheckBox::toggled, this, &TRemoteForm::EnabledBoxToggled);
    connect(port_, &QSpinBox::editingFinished, this, &TRemoteForm::PortBoxEditingFinished);
    connect(newCode_, &QPushButton::clicked, this, &TRemoteForm::NewCodeButtonClick);
    connect(&desk_->server(), &TRemoteServer::clientsChanged, this, &TRemoteForm::showDevices);
    // Addresses come and go with the networks.
    connect(timerWhileShown(this, 2000), &QTimer::timeout, this, &TRemoteForm::showAccess);
    desk_->server().setCode(settings_.code);
    apply();
}

QString TRemoteForm::pageUrl() const
{
    return urlFor(reachableAddresses().front(), settings_.port, settings_.code);
}

void TRemoteForm::EnabledBoxToggled(bool on)
{
    settings_.enabled = on;
    saveSetting("remote/enabled", on);
    apply();
}

void TRemoteForm::PortBoxEditingFinished()
{
    if (port_->value() == settings_.port)
        return;
    settings_.port = std::uint16_t(port_->value());
    saveSetting("remote/port", settings_.port);
    apply();
}

void TRemoteForm::NewCodeButtonClick()
{
    settings_.code = newAccessCode();
    saveSetting("remote/code", settings_.code);
    desk_->server().setCode(settings_.code);
    showAccess();
}

void TRemoteForm::apply()
{
    TRemoteServer& server = desk_->server();
    server.close();
    problem_->clear();
    if (settings_.enabled && !server.listen(settings_.port))
        problem_->setText(TRemoteForm::tr("Nie można otworzyć portu %1: %2").arg(settings_.port).arg(server.errorString()));
    showAccess();
    showDevices();
}

void TRemoteForm::showAccess()
{
    const bool on = desk_->server().isListening();
    code_->setText(settings_.code);
    QStringList urls;
    for (const QString& address : reachableAddresses())
        urls << urlFor(address, settings_.port, settings_.code);
    addresses_->setText(on ? urls.join(QLatin1Char('\n')) : TRemoteForm::tr("(wyłączony)"));
    const QImage qr = on ? qrCodeImage(pageUrl(), kQrScale) : QImage();
    qr_->setPixmap(QPixmap::fromImage(qr));
    qr_->setVisible(on);
}

void TRemoteForm::showDevices()
{
    devices_->setText(TRemoteForm::tr("Połączone urządzenia: %1").arg(desk_->server().clientCount()));
}

TRemoteForm* installRemote(QMainWindow& mainWindow, const KyRemoteModel& model, TDeskActions& desk,
                           const KyRemoteStart& start)
{
    desk.bindControls(deskControlsOf(mainWindow));
    auto* form = new TRemoteForm(model, desk, start, &mainWindow);
    vt::addToSystemMenu(mainWindow, form, QStringLiteral("RemoteAction"));
    return form;
}
