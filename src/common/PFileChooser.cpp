#include "common/PFileChooser.h"

namespace vt {
namespace {

FileChooser& replacement()
{
    static FileChooser chooser;
    return chooser;
}

QString askWithDialog(QWidget* owner, const FileRequest& request)
{
    QFileDialog dialog(owner);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(request.mode);
    dialog.setFileMode(request.mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setNameFilter(request.filter);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.folder.isEmpty())
        dialog.setDirectory(request.folder);
    if (!request.proposedName.isEmpty())
        dialog.selectFile(request.proposedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front();
}

} // namespace

QString chooseFile(QWidget* owner, const FileRequest& request)
{
    return replacement() ? replacement()(owner, request) : askWithDialog(owner, request);
}

void setFileChooser(FileChooser chooser)
{
    replacement() = std::move(chooser);
}

} // namespace vt
