#pragma once
// The pages window: adds, renames and removes the pages of the main window that carry the
// device icons. The page captions and the page control's tabs change together.

#include "library/Club.h"

#include <QDialog>

#include <mutex>
#include <string>
#include <vector>

class QPushButton;
class TPIconPages;
class TPStringGrid;

class TFloorsForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMaxPages = 10;
    enum Column { Number, Name, DeviceCount };

    // `pageNames` are the captions (cp1250) of the tabs of `pageControl`; `pagesAdded` counts
    // the pages added since the program started, and names the next one.
    TFloorsForm(TPIconPages& pageControl, std::vector<std::string>& pageNames, KyClub& club, std::mutex& showLock,
                int& pagesAdded, QWidget* owner);

    TPStringGrid* pageGrid() const { return pageGrid_; }
    QPushButton* addButton() const { return addButton_; }
    QPushButton* eraseButton() const { return eraseButton_; }
    QPushButton* closeButton() const { return closeButton_; }

private:
    int pageCount() const { return static_cast<int>(pageNames_.size()); }
    int devicesOn(int page) const;
    void refresh();

    void PageGridSelect(int row);
    bool PageGridCommit(int row, const QString& caption);
    void AddButtonClick();
    void EraseButtonClick();

    TPIconPages& pageControl_;
    std::vector<std::string>& pageNames_;
    KyClub& club_;
    std::mutex& showLock_;
    int& pagesAdded_;
    TPStringGrid* pageGrid_;
    QPushButton* addButton_;
    QPushButton* eraseButton_;
    QPushButton* closeButton_;
};
