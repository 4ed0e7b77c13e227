#include "app/Show.h"

#include "app/Configuration.h"
#include "cue/CueFile.h"
#include "library/LibraryFile.h"
#include "sequence/SequenceFile.h"

namespace {

// Copies the file aside before anything can overwrite it; says where the copy is.
std::string setAside(const std::string& path)
{
    std::string copy = vt::setAsideDamaged(path);
    return copy.empty() ? "Nie udało się zrobić jego kopii." : "Kopia: " + copy;
}

void setAsideIfIncomplete(vt::LoadStatus status, const std::string& path, std::vector<std::string>& warnings)
{
    if (status == vt::LoadStatus::Incomplete)
        warnings.push_back("Plik " + vt::baseName(path) + " jest uszkodzony i nie został wczytany w całości.\n" +
                           setAside(path));
}

std::string failureUnless(bool saved, const std::string& path, const std::string& reason)
{
    return saved ? std::string() : "Nie można zapisać pliku " + vt::baseName(path) + ": " + reason;
}

} // namespace

KyShow::KyShow(DataPaths paths, SerialPortLister ports)
    : usb(std::move(ports)), pageNames{"Strona 1"}, paths_(std::move(paths))
{
    for (int i = 0; i < 10; ++i)
        zoneNames[static_cast<std::size_t>(i)] = std::to_string(i + 1);
    usb.blackoutOverride = &blackout;
}

void KyShow::loadAll(std::vector<std::string>& warnings)
{
    // The direct-access window reads its file when it is created, before the other files.
    setAsideIfIncomplete(panel.load(paths_.panel), paths_.panel, warnings);
    setAsideIfIncomplete(loadConfiguration(paths_.configuration, pageNames, zoneNames), paths_.configuration, warnings);
    vt::LoadStatus libraryStatus = loadLibrary(library, paths_.library);
    setAsideIfIncomplete(libraryStatus, paths_.library, warnings);
    std::size_t dropped = 0;
    vt::LoadStatus clubStatus = library.club.load(paths_.club, &dropped);
    setAsideIfIncomplete(clubStatus, paths_.club, warnings);
    // Devices whose types a damaged or missing library lacks would be gone for good with
    // the next save of the installation.
    if (clubStatus == vt::LoadStatus::Complete && libraryStatus != vt::LoadStatus::Complete && dropped > 0)
        warnings.push_back("Urządzenia z pliku " + vt::baseName(paths_.club) +
                           ", których typów nie ma w bibliotece, zostały pominięte: " + std::to_string(dropped) +
                           ".\n" + setAside(paths_.club));
    // A generators file with a wrong magic throws and ends the start-up.
    setAsideIfIncomplete(genList.load(paths_.generators), paths_.generators, warnings);
    rebuildIcons();
    setAsideIfIncomplete(loadSequences(seque, paths_.sequences), paths_.sequences, warnings);
    setAsideIfIncomplete(loadCues(seque, paths_.cues), paths_.cues, warnings);
}

std::vector<std::string> KyShow::saveAtExit()
{
    std::vector<std::string> failures;
    auto note = [&](std::string failure) {
        if (!failure.empty())
            failures.push_back(std::move(failure));
    };
    std::string reason;
    // The direct-access window is destroyed, and writes its file, before the others are saved.
    note(failureUnless(panel.save(paths_.panel, &reason), paths_.panel, reason));
    note(failureUnless(saveSequences(seque, paths_.sequences, &reason), paths_.sequences, reason));
    note(saveCues());
    note(saveClub());
    note(failureUnless(genList.save(paths_.generators, &reason), paths_.generators, reason));
    note(failureUnless(saveConfiguration(paths_.configuration, pageNames, zoneNames, &reason), paths_.configuration,
                       reason));
    return failures;
}

void KyShow::rebuildIcons()
{
    icons.build(library.club, pageNames.size());
}

std::string KyShow::saveLibrary()
{
    std::string reason;
    return failureUnless(::saveLibrary(library, paths_.library, &reason), paths_.library, reason);
}

std::string KyShow::saveClub()
{
    std::string reason;
    return failureUnless(library.club.save(paths_.club, &reason), paths_.club, reason);
}

std::string KyShow::saveCues()
{
    std::string reason;
    return failureUnless(::saveCues(seque, paths_.cues, &reason), paths_.cues, reason);
}

void KyShow::tick()
{
    std::lock_guard lock(showLock_);
    tickLocked();
}

void KyShow::tickLocked()
{
    if (closeState_ == Running) {
        cueTick(dmx.liveCue(), dmx, musicMode, inputChanged);
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
