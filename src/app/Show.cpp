#include "app/Show.h"

#include "cue/CueFile.h"
#include "sequence/SequenceFile.h"

namespace {

// A file that did not load completely is copied aside before anything can overwrite it.
void noteIfDamaged(vt::LoadStatus status, const std::string& path, std::vector<std::string>& warnings)
{
    if (status != vt::LoadStatus::Incomplete)
        return;
    std::string copy = vt::setAsideDamaged(path);
    warnings.push_back("Plik " + vt::baseName(path) + " jest uszkodzony i nie został wczytany w całości.\nKopia: " +
                       copy);
}

void noteIfFailed(bool saved, const std::string& path, const std::string& error, std::vector<std::string>& failures)
{
    if (!saved)
        failures.push_back("Nie można zapisać pliku " + vt::baseName(path) + ": " + error);
}

} // namespace

KyShow::KyShow(DataPaths paths) : pageNames{"Strona 1"}, paths_(std::move(paths))
{
    for (int i = 0; i < 10; ++i)
        zoneNames[static_cast<std::size_t>(i)] = std::to_string(i + 1);
}

void KyShow::loadAll(std::vector<std::string>& warnings)
{
    // A generators file with a wrong magic throws and ends the start-up.
    noteIfDamaged(genList.load(paths_.generators), paths_.generators, warnings);
    noteIfDamaged(loadSequences(seque, paths_.sequences), paths_.sequences, warnings);
    noteIfDamaged(loadCues(seque, paths_.cues), paths_.cues, warnings);
}

std::vector<std::string> KyShow::saveAtExit()
{
    std::vector<std::string> failures;
    std::string error;
    noteIfFailed(saveSequences(seque, paths_.sequences, &error), paths_.sequences, error, failures);
    noteIfFailed(saveCues(seque, paths_.cues, &error), paths_.cues, error, failures);
    noteIfFailed(genList.save(paths_.generators, &error), paths_.generators, error, failures);
    return failures;
}

void KyShow::tick()
{
    std::lock_guard lock(showLock_);
    tickLocked();
}

void KyShow::tickLocked()
{
    if (closeState_ == Running)
        cueTick(dmx.liveCue(), dmx, musicMode, inputChanged);
    if (closeState_ == CloseRequested)
        closeState_ = OutputClosed;
}

void KyShow::requestClose()
{
    std::lock_guard lock(showLock_);
    closeState_ = CloseRequested;
}

void KyShow::cancelClose()
{
    std::lock_guard lock(showLock_);
    closeState_ = Running;
}

std::uint8_t KyShow::closeState()
{
    std::lock_guard lock(showLock_);
    return closeState_;
}
