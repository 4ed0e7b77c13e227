#pragma once
// The installation window: lists the installed devices, adds, removes and edits them through
// the install dialog, and switches the pan/tilt orientation flags. Every change is made at
// once, under the show lock, because the tick reads the installed devices.

#include "library/Fnewdevice.h"
#include "library/Library.h"

#include <QDialog>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

class QPushButton;
class QVBoxLayout;
class TPEditHistory;
class TPStringGrid;

class TClubForm : public QDialog {
    Q_OBJECT
public:
    enum Column { Number, Name, Start, End, Type, Pan, Tilt, Swap, Page, ColumnCount };

    // `pageNames` are the main window's page captions (cp1250), in page order.
    TClubForm(KyLibrary& library, const std::vector<std::string>& pageNames, std::mutex& showLock, QWidget* owner);
    // Installing, changing and removing devices become steps of `history`, which the window's
    // two buttons take back and make again.
    void setHistory(TPEditHistory* history);

    TPStringGrid* deviceGrid() const { return deviceGrid_; }
    QPushButton* addButton() const { return addButton_; }
    QPushButton* eraseButton() const { return eraseButton_; }
    QPushButton* propertiesButton() const { return propertiesButton_; }
    QPushButton* closeButton() const { return closeButton_; }

private:
    KyClub& club() const { return library_.club; }
    void refresh();
    void showDevice(int row, const KyClubDevice& device);
    // The device of the grid's current row; none for the empty row.
    std::shared_ptr<KyClubDevice> currentDevice() const;

    void DeviceGridCheckClick(int row, int column);
    void AddButtonClick();
    int pageWidth() const;
    void EraseButtonClick();
    void PropertiesButtonClick();
    void commit(const QString& what);

    KyLibrary& library_;
    const std::vector<std::string>& pageNames_;
    std::mutex& showLock_;
    // The install dialog's last choice; a new window starts again from the first type and page.
    TNewDeviceChoice remembered_;
    TPEditHistory* history_ = nullptr;
    QVBoxLayout* buttonColumn_ = nullptr;
    TPStringGrid* deviceGrid_;
    QPushButton* addButton_;
    QPushButton* eraseButton_;
    QPushButton* propertiesButton_;
    QPushButton* closeButton_;
};
