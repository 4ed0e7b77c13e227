#pragma once
// The open and save questions for files, asked through one place so that every window
// uses the same dialog and tests can answer without one.

#include <QFileDialog>
#include <QString>

#include <functional>

namespace vt {

struct FileRequest {
    QFileDialog::AcceptMode mode = QFileDialog::AcceptOpen; // a save asks before overwriting
    QString filter;                                         // e.g. "urządzenie DMX (*.dev)"
    QString defaultSuffix;
    QString folder;       // where the dialog starts; empty for the working directory
    QString proposedName; // the file name offered by a save
};

// The chosen path, or an empty string when the operator cancelled.
QString chooseFile(QWidget* owner, const FileRequest& request);

// Replaces the dialog, for tests; an empty chooser brings the dialog back.
using FileChooser = std::function<QString(QWidget* owner, const FileRequest& request)>;
void setFileChooser(FileChooser chooser);

} // namespace vt
