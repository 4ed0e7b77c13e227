#include "app/DataFolder.h"

#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

#ifndef VANTOREL_SHARED_FROM_BIN
#define VANTOREL_SHARED_FROM_BIN "../share/vantorel"
#endif

std::string sharedDataDirectory(const std::string& executableDirectory)
{
    return (fs::path(executableDirectory) / VANTOREL_SHARED_FROM_BIN).lexically_normal().string();
}

std::string defaultDataDirectory(const std::string& executableDirectory, const std::string& userDataDirectory)
{
    std::error_code error;
    // Root may write anywhere, so writing alone cannot tell an installed copy from a portable one.
    bool installed = fs::is_directory(sharedDataDirectory(executableDirectory), error);
    bool writable = ::access(executableDirectory.c_str(), W_OK | X_OK) == 0;
    return writable && !installed ? executableDirectory : userDataDirectory;
}

FolderState ensureFolder(const std::string& directory)
{
    std::error_code error;
    if (fs::is_directory(directory, error))
        return FolderState::Existing;
    return fs::create_directories(directory, error) && !error ? FolderState::Created : FolderState::Failed;
}

bool copyDemoShow(const std::string& demoDirectory, const std::string& dataDirectory, std::string& error)
{
    std::error_code listing;
    for (const auto& entry : fs::directory_iterator(demoDirectory, listing)) {
        std::error_code copying;
        if (entry.is_regular_file(copying))
            fs::copy_file(entry.path(), fs::path(dataDirectory) / entry.path().filename(),
                          fs::copy_options::skip_existing, copying);
        if (copying) {
            error = entry.path().filename().string() + ": " + copying.message();
            return false;
        }
    }
    if (listing)
        error = demoDirectory + ": " + listing.message();
    return !listing;
}
