#include "ImportFixture.h"

#include "app/DataPaths.h"
#include "common/Cp1250.h"
#include "common/Files.h"
#include "library/LibraryFile.h"
#include "library/QxfImport.h"

#ifdef VANTOREL_CLI_PICTURES
#include "library/QxfPictures.h"
#endif

#include <algorithm>
#include <filesystem>
#include <memory>
#include <ostream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

const char* const kSystemGobos = "/usr/share/qlcplus/gobos";

// Slot pictures and icons need Qt's image code; a build without it imports types without them.
std::unique_ptr<KyQxfPictures> picturesFor([[maybe_unused]] const std::string& file)
{
#ifdef VANTOREL_CLI_PICTURES
    fs::path folder = fs::absolute(file).parent_path();
    return std::make_unique<TQxfPictures>(std::vector<std::string>{
        qxfGoboFolderFor(folder.parent_path().string()), kSystemGobos, folder.string()});
#else
    return nullptr;
#endif
}

std::vector<const KyQxfMode*> chosenModes(const KyQxfFixture& fixture, const std::vector<std::string>& names,
                                          std::vector<std::string>& failures)
{
    std::vector<const KyQxfMode*> modes;
    if (names.empty()) {
        for (const KyQxfMode& mode : fixture.modes)
            modes.push_back(&mode);
        return modes;
    }
    for (const std::string& name : names) {
        auto it = std::find_if(fixture.modes.begin(), fixture.modes.end(),
                               [&](const KyQxfMode& mode) { return mode.name == name; });
        if (it == fixture.modes.end())
            failures.push_back("mode \"" + name + "\": no such mode");
        else
            modes.push_back(&*it);
    }
    return modes;
}

std::string refusalReason(const KyQxfImport& import)
{
    if (import.refusal == KyQxfImport::Refusal::TooManyChannels)
        return std::to_string(import.modeChannels) + " channels, at most " + std::to_string(kMaxImportChannels);
    return "no channel fits a function of a device type";
}

} // namespace

void importFixtureCommand(const CliOptions& options, std::ostream& out, std::ostream& err)
{
    std::error_code ec;
    if (!fs::is_directory(options.dataDir, ec))
        throw std::runtime_error(options.dataDir + ": no such directory");
    std::string error;
    auto fixture = readQxfFile(options.file, &error);
    if (!fixture)
        throw std::runtime_error("cannot read " + options.file + ": " + error);
    const std::string path = DataPaths::in(options.dataDir).library;
    KyLibrary library;
    vt::LoadStatus status = loadLibrary(library, path);
    if (status == vt::LoadStatus::Incomplete || status == vt::LoadStatus::Unreadable)
        throw std::runtime_error("cannot read " + path + " whole; nothing written");

    std::vector<std::string> failures;
    std::unique_ptr<KyQxfPictures> pictures = picturesFor(options.file);
    const std::string source = fs::path(options.file).filename().string();
    int added = 0;
    for (const KyQxfMode* mode : chosenModes(*fixture, options.modes, failures)) {
        KyQxfImport import = importQxfMode(*fixture, *mode, pictures.get(), source);
        if (!import.imported()) {
            failures.push_back("mode \"" + mode->name + "\": " + refusalReason(import));
            continue;
        }
        if (!library.addDevice(import.device))
            throw std::runtime_error("the library has no identifier left; nothing written");
        ++added;
        const std::string id = std::to_string(library.lastId);
        out << id << '\t' << vt::cp1250ToUtf8(import.device.name) << '\n';
        for (const std::string& channel : import.leftOut)
            err << id << "\tPominięto: " << channel << '\n';
    }
    std::string reason;
    if (added > 0 && !saveLibrary(library, path, &reason))
        throw std::runtime_error(vt::saveFailureMessage(path, reason));
    if (!failures.empty()) {
        std::string message = "not imported:";
        for (const std::string& failure : failures)
            message += (&failure == &failures.front() ? " " : "; ") + failure;
        throw std::runtime_error(message);
    }
}
