#include "club/Fclub.h"

#include "club/Icons.h"
#include "common/PStringGrid.h"
#include "common/PText.h"
#include "common/PToolWindow.h"
#include "common/PUndo.h"

#include <QGridLayout>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

// The orientation flag each check-box column switches.
bool KyClubDevice::* flagOf(int column)
{
    switch (column) {
    case TClubForm::Pan:
        return &KyClubDevice::panInverted;
    case TClubForm::Tilt:
        return &KyClubDevice::tiltInverted;
    default:
        return &KyClubDevice::panTiltSwapped;
    }
}

bool hasPanTilt(const KyClubDevice& device)
{
    return device.deviceType && device.deviceType->panTilt.active;
}

} // namespace

TClubForm::TClubForm(KyLibrary& library, const std::vector<std::string>& pageNames, std::mutex& showLock,
                     QWidget* owner)
    : QDialog(owner), library_(library), pageNames_(pageNames), showLock_(showLock),
      deviceGrid_(new TPStringGrid({TClubForm::tr("Lp."), TClubForm::tr("Nazwa"), TClubForm::tr("Start"),
                                    TClubForm::tr("End"), TClubForm::tr("Urządzenie"), TClubForm::tr("Pan"),
                                    TClubForm::tr("Tilt"), TClubForm::tr("Pan->Tilt"), TClubForm::tr("Strona")},
                                   this)),
      addButton_(new QPushButton(TClubForm::tr("Dodaj ..."), this)),
      eraseButton_(new QPushButton(TClubForm::tr("Usuń"), this)),
      propertiesButton_(new QPushButton(TClubForm::tr("Właściwości"), this)),
      closeButton_(new QPushButton(TClubForm::tr("&Zakończ"), this))
{
    setWindowTitle(TClubForm::tr("Konfiguracja DMX"));
    // Only the name column takes the selection, so the selection marks a row.
    for (int column = 0; column < ColumnCount; ++column)
        deviceGrid_->setColumnSelectable(column, column == Name);
    // The window opens wide and tall enough for every column and, within the screen, every device.
    deviceGrid_->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    auto* captions = new TPColumnCaptions(deviceGrid_,
                                          {{Start, End, TClubForm::tr("Adres")},
                                           {Pan, Tilt, TClubForm::tr("Invert")},
                                           {Swap, Swap, TClubForm::tr("Swap")}},
                                          this);
    captions->setObjectName(QStringLiteral("ColumnCaptions"));

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(TClubForm::tr("Zainstalowane urządzenia"), this), 0, 0);
    layout->addWidget(captions, 1, 0);
    layout->addWidget(deviceGrid_, 2, 0);
    auto* buttons = buttonColumn_ = new QVBoxLayout;
    for (QPushButton* b : {addButton_, eraseButton_, propertiesButton_}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    buttons->addStretch();
    closeButton_->setAutoDefault(false);
    buttons->addWidget(closeButton_);
    layout->addLayout(buttons, 2, 1);

    connect(deviceGrid_, &TPStringGrid::checkClicked, this, &TClubForm::DeviceGridCheckClick);
    connect(addButton_, &QPushButton::clicked, this, &TClubForm::AddButtonClick);
    connect(eraseButton_, &QPushButton::clicked, this, &TClubForm::EraseButtonClick);
    connect(propertiesButton_, &QPushButton::clicked, this, &TClubForm::PropertiesButtonClick);
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::accept);

    deviceGrid_->setCurrentCell(0, Name);
    refresh();
    vt::sizeToContents(this);
}

void TClubForm::refresh()
{
    int count = static_cast<int>(club().clubDeviceCount());
    deviceGrid_->setDataRowCount(count);
    for (int row = 0; row < deviceGrid_->rowCount(); ++row) {
        if (row < count) {
            showDevice(row, *club().clubDeviceAt(static_cast<std::size_t>(row)));
            continue;
        }
        for (int column = 0; column < ColumnCount; ++column) {
            deviceGrid_->setText(row, column, QString());
            deviceGrid_->setCheck(row, column, std::nullopt);
        }
    }
}

void TClubForm::showDevice(int row, const KyClubDevice& device)
{
    deviceGrid_->setText(row, Number, QString::number(row + 1));
    deviceGrid_->setText(row, Name, vt::fromCp1250(device.name));
    deviceGrid_->setText(row, Start, QString::number(device.startAddress));
    deviceGrid_->setText(row, End, QString::number(device.startAddress + device.channelCount() - 1));
    deviceGrid_->setText(row, Type, device.deviceType ? vt::fromCp1250(device.deviceType->name) : QString());
    bool drawn = hasPanTilt(device);
    for (int column : {Pan, Tilt, Swap})
        deviceGrid_->setCheck(row, column, drawn ? std::optional<bool>(device.*flagOf(column)) : std::nullopt);
    bool pageExists = device.page >= 0 && static_cast<std::size_t>(device.page) < pageNames_.size();
    deviceGrid_->setText(row, Page, pageExists ? vt::fromCp1250(pageNames_[std::size_t(device.page)]) : QString());
}

std::shared_ptr<KyClubDevice> TClubForm::currentDevice() const
{
    int row = deviceGrid_->currentRow();
    if (row < 0 || row >= static_cast<int>(club().clubDeviceCount()))
        return nullptr;
    return club().clubDeviceAt(static_cast<std::size_t>(row));
}

// The grid reports clicks only inside a drawn box, and boxes are drawn for pan/tilt devices.
void TClubForm::DeviceGridCheckClick(int row, int column)
{
    if (row >= static_cast<int>(club().clubDeviceCount()))
        return;
    KyClubDevice& device = *club().clubDeviceAt(static_cast<std::size_t>(row));
    {
        std::lock_guard lock(showLock_);
        bool& flag = device.*flagOf(column);
        flag = !flag;
    }
    commit(tr("zmianę orientacji"));
    showDevice(row, device);
}

void TClubForm::setHistory(TPEditHistory* history)
{
    history_ = history;
    history->addButtons(buttonColumn_, this, [this] { refresh(); });
}

void TClubForm::commit(const QString& what)
{
    if (history_)
        history_->commit(what);
}

void TClubForm::AddButtonClick()
{
    KyClubDevice device;
    device.page = remembered_.page;
    TNewDeviceForm dialog(device, library_, pageNames_, remembered_, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    {
        std::lock_guard lock(showLock_);
        const KyIconPoint place = firstFreeIconPlace(club(), device.page, pageWidth());
        device.iconLeft = place.x;
        device.iconTop = place.y;
        club().addClubDevice(device);
    }
    commit(tr("instalację urządzenia"));
    refresh();
    deviceGrid_->setCurrentCell(static_cast<int>(club().clubDeviceCount()) - 1, Name);
}

// The main window's pages, when the installation window belongs to it.
int TClubForm::pageWidth() const
{
    const auto* main = qobject_cast<const QMainWindow*>(parentWidget());
    if (main && main->centralWidget())
        return main->centralWidget()->width();
    return screen()->availableGeometry().width() / 2;
}

void TClubForm::EraseButtonClick()
{
    if (!currentDevice())
        return;
    {
        std::lock_guard lock(showLock_);
        club().eraseClubDevice(static_cast<std::size_t>(deviceGrid_->currentRow()));
    }
    commit(tr("usunięcie urządzenia"));
    refresh();
}

void TClubForm::PropertiesButtonClick()
{
    auto device = currentDevice();
    if (!device)
        return;
    KyClubDevice edited = *device;
    TNewDeviceForm dialog(edited, library_, pageNames_, remembered_, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    {
        // The object stays where it is, so the icons keep seeing the same device.
        std::lock_guard lock(showLock_);
        *device = edited;
    }
    commit(tr("zmianę urządzenia"));
    refresh();
}
