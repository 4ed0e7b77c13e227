#include "cue/CueEdit.h"

#include "common/Change.h"
#include "cue/Seque.h"
#include "generator/GeneratorScale.h"

#include <algorithm>

namespace {

int indexOfSequence(const KySeque& store, std::int32_t id)
{
    const auto& sequences = store.sequences();
    auto it = std::find_if(sequences.begin(), sequences.end(), [id](const auto& s) { return s->id == id; });
    return it == sequences.end() ? -1 : static_cast<int>(it - sequences.begin());
}

int indexOfPulses(std::uint32_t pulses)
{
    auto it = std::find(kZonePulses.begin(), kZonePulses.end(), pulses);
    return it == kZonePulses.end() ? -1 : static_cast<int>(it - kZonePulses.begin());
}

} // namespace

KyCueEdit::KyCueEdit(KyCue& live, KySeque& store) : live_(live), store_(store) {}

KyZoneRow KyCueEdit::zoneRow(int zone) const
{
    const KySeqEngine& engine = live_.zoneEngine(zone);
    KyZoneRow row;
    if (engine.sequence->id == 0)
        return row;
    row.empty = false;
    row.active = engine.active;
    row.sequenceRow = indexOfSequence(store_, engine.sequence->id);
    row.fade = engine.sequence->fade;
    row.speed = engine.speed;
    row.music = engine.music;
    row.pulsesItem = indexOfPulses(engine.beatsPerStep);
    return row;
}

std::array<KyZoneRow, KyCueEdit::kZones> KyCueEdit::zoneRows() const
{
    std::array<KyZoneRow, kZones> rows;
    for (int zone = 0; zone < kZones; ++zone)
        rows[std::size_t(zone)] = zoneRow(zone);
    return rows;
}

KyCueEditView KyCueEdit::refresh()
{
    KyCueEditView view;
    view.liveRow = std::size_t(std::max(store_.indexOfCue(live_), 0));
    view.name = live_.name;
    view.cueSpeed = live_.speed;
    view.generatorSpeedPosition = generatorSpeedPosition(live_.generatorSpeed);
    view.amplitudePosition = generatorAmplitudePosition(live_.generatorAmplitude);
    setGeneratorAmplitude(view.amplitudePosition);
    return view;
}

void KyCueEdit::followCueSpeed()
{
    for (int zone = 0; zone < kZones; ++zone)
        live_.zoneEngine(zone).speed = offsets_[std::size_t(zone)] + live_.speed;
}

void KyCueEdit::rereadZones()
{
    readOffsets();
    isNew_ = live_.id == 0;
}

void KyCueEdit::readOffsets()
{
    for (int zone = 0; zone < kZones; ++zone)
        offsets_[std::size_t(zone)] = live_.zoneEngine(zone).speed - live_.speed;
}

void KyCueEdit::chooseSequence(int zone, std::size_t sequenceRow)
{
    KySeqEngine& engine = live_.zoneEngine(zone);
    engine = KySeqEngine(store_.sharedSequenceAt(sequenceRow));
    if (live_.playState == KyCue::Playing)
        engine.play();
    if (live_.generatorState == KyCue::Playing) {
        engine.stopGenerators();
        engine.playGenerators();
    }
}

void KyCueEdit::eraseZone(int zone)
{
    live_.zoneEngine(zone) = KySeqEngine();
}

void KyCueEdit::setActive(int zone, bool active)
{
    live_.zoneEngine(zone).active = active;
}

void KyCueEdit::setZoneSpeed(int zone, int speed)
{
    live_.zoneEngine(zone).speed = speed;
    offsets_[std::size_t(zone)] = speed - live_.speed;
}

void KyCueEdit::setMusic(int zone, bool music)
{
    live_.zoneEngine(zone).music = music;
}

void KyCueEdit::setPulses(int zone, std::size_t item)
{
    live_.zoneEngine(zone).beatsPerStep = kZonePulses[item];
}

void KyCueEdit::setCueSpeed(int position)
{
    live_.setSpeed(position, true);
}

void KyCueEdit::setGeneratorSpeed(int position)
{
    live_.setGeneratorSpeed(generatorSpeedFactor(position), true);
}

void KyCueEdit::setGeneratorAmplitude(int position)
{
    live_.setGeneratorAmplitude(generatorAmplitudeFactor(position));
}

void KyCueEdit::open()
{
    live_.dropMissingSequences(store_);
    mark();
}

namespace {

bool sameSettings(const KySeqEngine& a, const KySeqEngine& b)
{
    return a.sequence == b.sequence && a.active == b.active && a.speed == b.speed && a.music == b.music &&
           a.beatsPerStep == b.beatsPerStep;
}

} // namespace

class KyCueEdit::Change : public KyChange {
public:
    Change(KyCueEdit& edit, std::vector<Zone> before, std::vector<Zone> after)
        : edit_(edit), before_(std::move(before)), after_(std::move(after))
    {
    }
    bool undo() override { return edit_.restore(after_, before_); }
    bool redo() override { return edit_.restore(before_, after_); }

private:
    KyCueEdit& edit_;
    std::vector<Zone> before_, after_;
};

void KyCueEdit::mark()
{
    for (int zone = 0; zone < kZones; ++zone)
        markedZones_[std::size_t(zone)] = live_.zoneEngine(zone);
    markedOffsets_ = offsets_;
}

std::unique_ptr<KyChange> KyCueEdit::takeChange()
{
    std::vector<Zone> before, after;
    for (int zone = 0; zone < kZones; ++zone) {
        const auto z = std::size_t(zone);
        if (sameSettings(markedZones_[z], live_.zoneEngine(zone)))
            continue;
        before.push_back({zone, markedZones_[z], markedOffsets_[z]});
        after.push_back({zone, live_.zoneEngine(zone), offsets_[z]});
    }
    mark();
    if (before.empty())
        return nullptr;
    return std::make_unique<Change>(*this, std::move(before), std::move(after));
}

// A zone's engine goes back whole when its sequence changes, so that it plays from the start
// as a chosen sequence does; otherwise only the settings go back and the playback runs on.
bool KyCueEdit::restore(const std::vector<Zone>& from, const std::vector<Zone>& to)
{
    for (std::size_t i = 0; i < from.size(); ++i) {
        const KySequence& wanted = *to[i].engine.sequence;
        if (live_.zoneEngine(from[i].index).sequence != from[i].engine.sequence ||
            (wanted.id != 0 && store_.findSharedSequence(wanted.id) != to[i].engine.sequence))
            return false;
    }
    for (const Zone& zone : to) {
        KySeqEngine& engine = live_.zoneEngine(zone.index);
        if (engine.sequence != zone.engine.sequence) {
            engine = zone.engine;
            engine.rewind();
            if (live_.playState == KyCue::Playing)
                engine.play();
            else
                engine.stop();
        } else {
            engine.active = zone.engine.active;
            engine.speed = zone.engine.speed;
            engine.music = zone.engine.music;
            engine.beatsPerStep = zone.engine.beatsPerStep;
        }
        offsets_[std::size_t(zone.index)] = zone.offset;
    }
    mark();
    return true;
}

void KyCueEdit::close()
{
    store_.sortCues();
}

bool KyCueEdit::isLive(std::size_t row) const
{
    return KyCue::sameId(store_.cueAt(row), live_);
}

void KyCueEdit::load(std::size_t row)
{
    const std::uint8_t noted = live_.playState;
    live_.stop();
    live_ = store_.cueAt(row);
    readOffsets();
    switch (noted) {
    case KyCue::Playing:
        live_.stop(); // every zone starts again from its first scene
        live_.play();
        break;
    case KyCue::Paused:
        live_.play();
        live_.pause();
        break;
    default:
        live_.stop();
        break;
    }
    switch (live_.generatorState) {
    case KyCue::Playing:
        live_.stopGenerators();
        live_.playGenerators();
        break;
    case KyCue::Paused:
        live_.pauseGenerators();
        break;
    default:
        live_.stopGenerators();
        break;
    }
    isNew_ = false;
}

void KyCueEdit::startNew()
{
    live_ = KyCue();
    rereadZones();
}

bool KyCueEdit::save()
{
    KyCue* stored = isNew_ ? nullptr : store_.findCue(live_.id);
    if (!stored)
        return false;
    // The live cue's generator speed is the one in use already, so the assignment leaves it.
    *stored = live_;
    return true;
}

void KyCueEdit::saveAs(const std::string& name)
{
    live_.name = name;
    store_.addCue(live_);
    isNew_ = false;
}

void KyCueEdit::rename(std::size_t row, const std::string& name)
{
    KyCue& stored = store_.cueAt(row);
    stored.name = name;
    live_ = stored;
    readOffsets();
    isNew_ = false;
}

void KyCueEdit::erase(std::size_t row)
{
    store_.eraseCue(row);
    const std::size_t left = store_.cueCount();
    if (left == 0) {
        live_ = KyCue();
        isNew_ = true;
    } else {
        live_ = store_.cueAt(std::min(row, left - 1));
    }
    readOffsets();
}

std::vector<std::string> storedSequenceNames(const KySeque& store)
{
    std::vector<std::string> names;
    for (const auto& sequence : store.sequences())
        names.push_back(sequence->name);
    return names;
}

std::vector<std::string> storedCueNames(const KySeque& store)
{
    std::vector<std::string> names;
    for (const auto& cue : store.cues())
        names.push_back(cue.name);
    return names;
}
