#include "app/ShowFolder.h"

#include "app/DataFolder.h"

#include <QCoreApplication>
#include <QMessageBox>

#include <filesystem>

namespace {

// Only an installed copy has a demo show to offer.
void offerDemoShow(const std::string& demoDirectory, const std::string& dataDirectory)
{
    std::error_code error;
    if (!std::filesystem::is_directory(demoDirectory, error))
        return;
    auto answer = QMessageBox::question(
        nullptr, QCoreApplication::translate("ShowFolder", "Potwierdzenie"),
        QCoreApplication::translate("ShowFolder",
                                    "To pierwsze uruchomienie programu.\nPokaz będzie zapisywany w folderze\n%1\n\n"
                                    "Wczytać do niego pokaz przykładowy?")
            .arg(QString::fromStdString(dataDirectory)),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    if (answer != QMessageBox::Yes)
        return;
    std::string reason;
    if (!copyDemoShow(demoDirectory, dataDirectory, reason))
        QMessageBox::warning(nullptr, QCoreApplication::translate("ShowFolder", "Błąd"),
                             QCoreApplication::translate("ShowFolder", "Nie udało się skopiować pokazu przykładowego.\n%1")
                                 .arg(QString::fromStdString(reason)));
}

} // namespace

void settleDataDirectory(StartOptions& options, const std::string& executableDirectory,
                         const std::string& userDataDirectory)
{
    if (!options.dataDirectory.empty())
        return;
    options.dataDirectory = defaultDataDirectory(executableDirectory, userDataDirectory);
    if (options.dataDirectory != userDataDirectory)
        return;
    switch (ensureFolder(userDataDirectory)) {
    case FolderState::Existing:
        break;
    case FolderState::Created:
        offerDemoShow(sharedDataDirectory(executableDirectory) + "/demo", userDataDirectory);
        break;
    case FolderState::Failed:
        // The show still starts; the exit save then names each file it could not write.
        QMessageBox::warning(nullptr, QCoreApplication::translate("ShowFolder", "Błąd"),
                             QCoreApplication::translate("ShowFolder", "Nie można utworzyć folderu danych %1.")
                                 .arg(QString::fromStdString(userDataDirectory)));
        break;
    }
}
