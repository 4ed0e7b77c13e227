#pragma once
// "Import urządzeń": picks a fixture from a folder of fixture definitions (or any .qxf
// file), shows what each mode would become, and makes device types of the chosen modes.
// The folder is listed on a thread of its own, in batches, so the list fills while the
// operator already searches it.

#include "library/Device.h"
#include "library/Qxf.h"
#include "library/QxfPictures.h"

#include <QDialog>

#include <atomic>
#include <map>
#include <optional>
#include <thread>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

class TFixtureImportForm : public QDialog {
    Q_OBJECT
public:
    static const QString kSystemFolder;

    TFixtureImportForm(QWidget* owner, const QString& folder = kSystemFolder);
    ~TFixtureImportForm() override;

    // The types made by "Importuj", in the order of their modes.
    const std::vector<KyDevice>& imported() const { return imported_; }
    bool listing() const { return listing_; }

    QLineEdit* searchField() const { return search_; }
    QTreeWidget* fixtureTree() const { return tree_; }
    QListWidget* modeList() const { return modes_; }
    QPlainTextEdit* preview() const { return preview_; }
    QProgressBar* progress() const { return progress_; }
    QLabel* notice() const { return notice_; }
    QPushButton* importButton() const { return importButton_; }
    QPushButton* fileButton() const { return fileButton_; }

signals:
    void listed();

private:
    struct Entry {
        std::string path;
        std::string maker;
        std::string model;
    };

    void startListing(const QString& folder);
    void addEntries(const std::vector<Entry>& entries, int done, int total);
    void applyFilter();
    bool matches(const QTreeWidgetItem* item) const;
    void fixturePicked();
    bool openFixture(const QString& path);
    void showPreview();
    void ImportButtonClick();
    void FileButtonClick();

    QLineEdit* search_;
    QTreeWidget* tree_;
    QListWidget* modes_;
    QPlainTextEdit* preview_;
    QProgressBar* progress_;
    QLabel* notice_;
    QPushButton* importButton_;
    QPushButton* fileButton_;
    QPushButton* closeButton_;

    QString folder_;
    std::map<QString, QTreeWidgetItem*> makers_;
    std::optional<KyQxfFixture> fixture_;
    std::string fixtureFile_; // the chosen definition's file name, for the description
    TQxfPictures pictures_;
    std::vector<KyDevice> imported_;

    bool listing_ = false;
    std::atomic<bool> stop_{false};
    std::thread lister_;
};
