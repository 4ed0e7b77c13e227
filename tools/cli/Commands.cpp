#include "Commands.h"

#include "ShowJson.h"

#include "app/Show.h"
#include "common/Cp1250.h"
#include "cue/CueFile.h"
#include "cue/CueStart.h"
#include "library/LibraryFile.h"
#include "module/ModuleImage.h"
#include "sequence/SequenceFile.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <istream>
#include <ostream>
#include <thread>

namespace fs = std::filesystem;

namespace {

// A show that takes the members of a document, with the text its configuration file gets.
struct LoadedShow {
    KyShow& show;
    std::string configurationText;
};

// One data file: its member in the document, how the loaded show becomes that member and
// back, and how the program writes the file.
struct DataFile {
    const char* member;
    std::string DataPaths::*path;
    Json (*toJson)(const KyShow& show, const std::string& path);
    void (*fromJson)(const Json& j, LoadedShow& loaded);
    bool (*save)(const LoadedShow& loaded, const std::string& path, std::string* error);
};

std::string fileText(const std::string& path)
{
    vt::Bytes bytes;
    vt::readWholeFile(path, bytes);
    return std::string(bytes.begin(), bytes.end());
}

// In the order a document lists them: the start-up's order, the panel last.
const DataFile kDataFiles[] = {
    {"configuration", &DataPaths::configuration,
     [](const KyShow& show, const std::string& path) {
         return configurationToJson(show.pageNames, show.zoneNames, fileText(path));
     },
     [](const Json& j, LoadedShow& loaded) {
         loaded.configurationText = configurationFromJson(j, loaded.show.pageNames, loaded.show.zoneNames);
     },
     [](const LoadedShow& loaded, const std::string& path, std::string* error) {
         const std::string& text = loaded.configurationText;
         return vt::writeFileAtomically(path, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()),
                                        error);
     }},
    {"library", &DataPaths::library, [](const KyShow& show, const std::string&) { return libraryToJson(show.library); },
     [](const Json& j, LoadedShow& loaded) { libraryFromJson(j, loaded.show.library); },
     [](const LoadedShow& loaded, const std::string& path, std::string* error) {
         return saveLibrary(loaded.show.library, path, error);
     }},
    {"club", &DataPaths::club, [](const KyShow& show, const std::string&) { return clubToJson(show.library.club); },
     [](const Json& j, LoadedShow& loaded) {
         clubFromJson(j, loaded.show.library.club, loaded.show.library.devices);
     },
     [](const LoadedShow& loaded, const std::string& path, std::string* error) {
         return loaded.show.library.club.save(path, error);
     }},
    {"generators", &DataPaths::generators,
     [](const KyShow& show, const std::string&) { return genListToJson(show.genList); },
     [](const Json& j, LoadedShow& loaded) { genListFromJson(j, loaded.show.genList); },
     [](const LoadedShow& loaded, const std::string& path, std::string* error) {
         return loaded.show.genList.save(path, error);
     }},
    {"sequences", &DataPaths::sequences,
     [](const KyShow& show, const std::string&) { return sequencesToJson(show.seque); },
     [](const Json& j, LoadedShow& loaded) { sequencesFromJson(j, loaded.show.seque); },
     [](const LoadedShow& loaded, const std::string& path, std::string* error) {
         return saveSequences(loaded.show.seque, path, error);
     }},
    {"cues", &DataPaths::cues, [](const KyShow& show, const std::string&) { return cuesToJson(show.seque); },
     [](const Json& j, LoadedShow& loaded) { cuesFromJson(j, loaded.show.seque); },
     [](const LoadedShow& loaded, const std::string& path, std::string* error) {
         return saveCues(loaded.show.seque, path, error);
     }},
    {"panel", &DataPaths::panel, [](const KyShow& show, const std::string&) { return panelToJson(show.panel); },
     [](const Json& j, LoadedShow& loaded) { panelFromJson(j, loaded.show.panel); },
     [](const LoadedShow& loaded, const std::string& path, std::string* error) {
         return loaded.show.panel.save(path, error);
     }},
};

const DataFile* dataFileNamed(const std::string& name)
{
    for (const DataFile& file : kDataFiles)
        if (fs::path(DataPaths::in(".").*file.path).filename() == name)
            return &file;
    return nullptr;
}

void requireDirectory(const std::string& dir)
{
    std::error_code ec;
    if (!fs::is_directory(dir, ec))
        throw std::runtime_error(dir + ": no such directory");
}

// The start-up's loading; a file that ends the start-up ends the command.
void loadShow(KyShow& show, std::ostream& err)
{
    std::vector<std::string> warnings;
    show.loadAll(warnings);
    for (const auto& warning : warnings)
        err << warning << '\n';
}

void print(std::ostream& out, const Json& document)
{
    out << document.dump(2) << '\n';
}

void dumpDirectory(const std::string& dir, std::ostream& out, std::ostream& err)
{
    requireDirectory(dir);
    KyShow show(DataPaths::in(dir));
    std::vector<const DataFile*> present;
    for (const DataFile& file : kDataFiles)
        if (fs::exists(show.paths().*file.path))
            present.push_back(&file);
    loadShow(show, err);
    Json document = Json::object();
    for (const DataFile* file : present)
        document[file->member] = file->toJson(show, show.paths().*file->path);
    print(out, document);
}

void warnDamaged(vt::LoadStatus status, const std::string& path, std::ostream& err)
{
    if (status == vt::LoadStatus::Missing)
        throw std::runtime_error(path + ": no such file");
    if (status == vt::LoadStatus::Unreadable)
        throw std::runtime_error(path + ": cannot be read");
    if (status == vt::LoadStatus::Incomplete)
        err << path << ": damaged; what could be read is shown\n";
}

void dumpFile(const std::string& path, std::ostream& out, std::ostream& err)
{
    const fs::path p(path);
    Json document = Json::object();
    if (p.extension() == ".dev") {
        KyDevice device;
        warnDamaged(loadDeviceFile(device, path), path, err);
        document["device"] = deviceToJson(device);
    } else if (p.extension() == ".vtg") {
        KyGenList figures;
        warnDamaged(figures.load(path), path, err);
        document["generators"] = genListToJson(figures);
    } else if (const DataFile* file = dataFileNamed(p.filename().string())) {
        if (!fs::exists(p))
            throw std::runtime_error(path + ": no such file");
        // Loaded with the files beside it, so that what it refers to resolves.
        KyShow show(DataPaths::in(p.has_parent_path() ? p.parent_path().string() : "."));
        loadShow(show, err);
        document[file->member] = file->toJson(show, show.paths().*file->path);
    } else {
        throw UsageError(path + ": not a .dev, .vtg or data file");
    }
    print(out, document);
}

Json readDocument(std::istream& in)
{
    Json document = Json::parse(in, nullptr, false);
    if (document.is_discarded())
        throw std::runtime_error("the input is not a JSON document");
    if (!document.is_object())
        throw std::runtime_error("the input is not a JSON object");
    for (const auto& member : document.items())
        if (std::none_of(std::begin(kDataFiles), std::end(kDataFiles),
                         [&](const DataFile& file) { return member.key() == file.member; }))
            throw std::runtime_error(member.key() + ": not a data file of the show");
    return document;
}

// Lets the ticks follow each other every 50 ms, as in the program, when they go to a rig;
// a tick that comes late runs at once and the next keeps the period from there.
class TickPace {
public:
    explicit TickPace(bool paced) : paced_(paced) {}

    void awaitTick()
    {
        if (!paced_)
            return;
        std::this_thread::sleep_until(next_);
        next_ = std::max(next_ + kPeriod, std::chrono::steady_clock::now());
    }

private:
    static constexpr std::chrono::milliseconds kPeriod{50};
    bool paced_;
    std::chrono::steady_clock::time_point next_ = std::chrono::steady_clock::now();
};

void saveOrRefuse(const DataFile& file, const LoadedShow& loaded)
{
    const std::string& path = loaded.show.paths().*file.path;
    std::string reason;
    if (!file.save(loaded, path, &reason))
        throw std::runtime_error("cannot write " + path + ": " + reason);
}

} // namespace

void dumpCommand(const CliOptions& options, std::ostream& out, std::ostream& err)
{
    if (options.file.empty())
        dumpDirectory(options.dataDir, out, err);
    else
        dumpFile(options.file, out, err);
}

void loadCommand(const CliOptions& options, std::istream& in, std::ostream& err)
{
    const Json document = readDocument(in);
    requireDirectory(options.dataDir);
    KyShow show(DataPaths::in(options.dataDir));
    loadShow(show, err);
    LoadedShow loaded{show, {}};
    // Every member is taken before any file is written, so a refused document writes nothing.
    for (const DataFile& file : kDataFiles)
        if (document.contains(file.member))
            file.fromJson(document[file.member], loaded);
    for (const DataFile& file : kDataFiles)
        if (document.contains(file.member))
            saveOrRefuse(file, loaded);
}

void rewriteCommand(const CliOptions& options, std::ostream& err)
{
    requireDirectory(options.dataDir);
    KyShow show(DataPaths::in(options.dataDir));
    loadShow(show, err);
    auto failures = show.saveAtExit();
    if (std::string failure = show.saveLibrary(); !failure.empty())
        failures.push_back(failure);
    for (const auto& failure : failures)
        err << failure << '\n';
    if (!failures.empty())
        throw std::runtime_error("not every file could be written");
}

void renderCommand(const CliOptions& options, std::ostream& out, std::ostream& err)
{
    requireDirectory(options.dataDir);
    KyShow show(DataPaths::in(options.dataDir));
    loadShow(show, err);
    const KyCue* stored = nullptr;
    if (options.cueId) {
        stored = show.seque.findCue(*options.cueId);
        if (!stored)
            throw std::runtime_error("no stored cue with the id " + std::to_string(*options.cueId));
    } else {
        auto name = vt::utf8ToCp1250(*options.cueName);
        const auto& cues = show.seque.cues();
        auto it = std::find_if(cues.begin(), cues.end(), [&](const KyCue& cue) { return name && cue.name == *name; });
        if (it == cues.end())
            throw std::runtime_error("no stored cue named \"" + *options.cueName + "\"");
        stored = &*it;
    }
    {
        std::lock_guard lock(show.showLock());
        startCue(show.dmx.liveCue(), stored);
        show.musicMode = options.music;
    }
    static constexpr char kHex[] = "0123456789abcdef";
    std::string line(2 * KyDmxSpace::kChannels + 1, '\n');
    TickPace pace(options.olaUniverse.has_value());
    if (options.olaUniverse)
        show.ola.setTarget({true, *options.olaUniverse, options.olaPort.value_or(KyOlaTarget::kDefaultPort)});
    for (long tick = 1; tick <= options.ticks; ++tick) {
        pace.awaitTick();
        {
            std::lock_guard lock(show.showLock());
            show.inputChanged = options.pulses.count(tick) != 0;
        }
        show.tick();
        const auto& universe = show.dmx.data();
        for (std::size_t i = 0; i < universe.size(); ++i) {
            line[2 * i] = kHex[universe[i] >> 4];
            line[2 * i + 1] = kHex[universe[i] & 0xF];
        }
        out << line;
    }
    if (options.olaUniverse && options.ticks > 0 && !show.ola.awaitLastFrameSent(std::chrono::seconds(2)))
        throw std::runtime_error("the OLA daemon on port " + std::to_string(show.ola.target().port) +
                                 " did not take the frames");
}

// The selection is made as the programming window's buttons make it: one "Cue" per id, in
// order, then "Panel".
void imageCommand(const CliOptions& options, std::ostream& err)
{
    requireDirectory(options.dataDir);
    KyShow show(DataPaths::in(options.dataDir));
    loadShow(show, err);
    KySequeDM data(show.seque, show.panel);
    for (std::int32_t id : options.cueIds) {
        const auto& cues = show.seque.cues();
        auto it = std::find_if(cues.begin(), cues.end(), [&](const KyCue& cue) { return cue.id == id; });
        if (it == cues.end())
            throw std::runtime_error("no stored cue with the id " + std::to_string(id));
        data.addCue(static_cast<std::size_t>(it - cues.begin()));
    }
    if (options.panel)
        data.addPanel();
    KyImageSettings settings;
    settings.firmwareGeneration = *options.generation;
    settings.serialInput = options.serialInput;
    auto identifier = vt::utf8ToCp1250(options.identifier);
    if (!identifier)
        throw std::runtime_error("--id: a character that code page 1250 cannot hold");
    if (identifier->size() > kIdentifierLength)
        throw std::runtime_error("--id: at most " + std::to_string(kIdentifierLength) + " characters");
    settings.identifier = *identifier;
    const KyModuleImage image = buildImage(data, show.library.club, show.zoneNames, settings);
    if (image.refusal != KyImageRefusal::None)
        throw std::runtime_error(refusalMessages(image.refusal).front());
    std::string reason;
    if (!vt::writeFileAtomically(options.out, image.bytes, &reason))
        throw std::runtime_error("cannot write " + options.out + ": " + reason);
}
