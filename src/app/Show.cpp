#include "app/Show.h"

#include "app/Configuration.h"
#include "common/Translatable.h"
#include "cue/CueFile.h"
#include "library/LibraryFile.h"
#include "sequence/SequenceFile.h"

namespace {

// Copies the file aside before anything can overwrite it; says where the copy is.
std::string setAside(const std::string& path)
{
    std::string copy = vt::setAsideDamaged(path);
    return copy.empty() ? VT_TRANSLATABLE("Core", "Nie udało się zrobić jego kopii.")
                        : vt::filled(VT_TRANSLATABLE("Core", "Kopia: %1"), {copy});
}

} // namespace

KyShow::KyShow(DataPaths paths, SerialPortLister ports)
    : usb(std::move(ports)), pageNames{"Strona 1"}, paths_(std::move(paths))
{
    for (int i = 0; i < 10; ++i)
        zoneNames[static_cast<std::size_t>(i)] = std::to_string(i + 1);
    usb.blackoutOverride = &blackout;
    usb.frameOutput = &ola;
}

void KyShow::loadAll(std::vector<std::string>& warnings)
{
    // The direct-access window reads its file when it is created, before the other files.
    noteLoad(panel.load(paths_.panel), paths_.panel, warnings);
    noteLoad(loadConfiguration(paths_.configuration, pageNames, zoneNames), paths_.configuration, warnings);
    vt::LoadStatus libraryStatus = loadLibrary(library, paths_.library);
    noteLoad(libraryStatus, paths_.library, warnings);
    std::size_t dropped = 0;
    vt::LoadStatus clubStatus = library.club.load(paths_.club, &dropped);
    noteLoad(clubStatus, paths_.club, warnings);
    // Devices whose types a damaged or missing library lacks would be gone for good with
    // the next save of the installation.
    if (clubStatus == vt::LoadStatus::Complete && libraryStatus != vt::LoadStatus::Complete && dropped > 0)
        warnings.push_back(vt::filled(VT_TRANSLATABLE("Core", "Urządzenia z pliku %1, których typów nie ma w bibliotece, "
                                                              "zostały pominięte: %2.\n%3"),
                                      {vt::baseName(paths_.club), std::to_string(dropped), setAside(paths_.club)}));
    // A generators file with a wrong magic throws and ends the start-up.
    noteLoad(genList.load(paths_.generators), paths_.generators, warnings);
    rebuildIcons();
    noteLoad(loadSequences(seque, paths_.sequences), paths_.sequences, warnings);
    noteLoad(loadCues(seque, paths_.cues), paths_.cues, warnings);
}

void KyShow::noteLoad(vt::LoadStatus status, const std::string& path, std::vector<std::string>& warnings)
{
    if (status == vt::LoadStatus::Incomplete)
        warnings.push_back(
            vt::filled(VT_TRANSLATABLE("Core", "Plik %1 jest uszkodzony i nie został wczytany w całości.\n%2"),
                       {vt::baseName(path), setAside(path)}));
    if (status == vt::LoadStatus::Unreadable) {
        // Nothing of it could be copied aside either: the file itself is the only copy.
        std::string reason;
        vt::Bytes ignored;
        vt::readWholeFile(path, ignored, &reason);
        unreadable_.insert(path);
        warnings.push_back(vt::filled(VT_TRANSLATABLE("Core", "Nie można odczytać pliku %1: %2. Plik nie zostanie nadpisany."),
                                      {vt::baseName(path), reason}));
    }
}

std::string KyShow::save(const std::string& path, const std::function<bool(std::string*)>& write) const
{
    if (mustNotOverwrite(path))
        return {};
    std::string reason;
    return write(&reason) ? std::string() : vt::saveFailureMessage(path, reason);
}

std::string KyShow::saveSequences()
{
    vt::Bytes bytes;
    {
        std::lock_guard lock(showLock_);
        bytes = sequencesToBytes(seque);
    }
    return save(paths_.sequences,
                [&](std::string* reason) { return vt::writeFileAtomically(paths_.sequences, bytes, reason); });
}

std::vector<std::string> KyShow::saveAtExit()
{
    std::vector<std::string> failures;
    auto note = [&](std::string failure) {
        if (!failure.empty())
            failures.push_back(std::move(failure));
    };
    const DataPaths& p = paths_;
    // The direct-access window is destroyed, and writes its file, before the others are saved.
    note(save(p.panel, [&](std::string* reason) { return panel.save(p.panel, reason); }));
    note(saveSequences());
    note(saveCues());
    note(saveClub());
    note(save(p.generators, [&](std::string* reason) { return genList.save(p.generators, reason); }));
    note(save(p.configuration,
              [&](std::string* reason) { return saveConfiguration(p.configuration, pageNames, zoneNames, reason); }));
    return failures;
}

void KyShow::rebuildIcons()
{
    icons.build(library.club, pageNames.size());
}

std::string KyShow::saveLibrary()
{
    return save(paths_.library, [this](std::string* reason) { return ::saveLibrary(library, paths_.library, reason); });
}

std::string KyShow::saveClub()
{
    return save(paths_.club, [this](std::string* reason) { return library.club.save(paths_.club, reason); });
}

std::string KyShow::saveCues()
{
    return save(paths_.cues, [this](std::string* reason) { return ::saveCues(seque, paths_.cues, reason); });
}

void KyShow::tick()
{
    std::lock_guard lock(showLock_);
    tickLocked();
}

void KyShow::tickLocked()
{
    if (closeState_ == Running) {
        cueTick(dmx.liveCue(), dmx, musicMode, beats.pulse(KyClock::now(), inputChanged));
        sendOutputFrame();
    }
    if (closeState_ == CloseRequested) {
        usb.closePort();
        closeState_ = OutputClosed;
    }
}

void KyShow::sendOutputFrame()
{
    if (!usb.sendFrame(dmx.data(), inputChanged))
        usb.reconnectStep();
}

void KyShow::requestClose()
{
    std::lock_guard lock(showLock_);
    closeState_ = CloseRequested;
}

void KyShow::cancelClose()
{
    std::lock_guard lock(showLock_);
    if (closeState_ != Running)
        usb.reopenPort();
    closeState_ = Running;
}

std::uint8_t KyShow::closeState()
{
    std::lock_guard lock(showLock_);
    return closeState_;
}
