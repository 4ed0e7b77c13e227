#pragma once
// What the cue editor does to the show, without its window: the ten zone rows of the live
// cue with their speed offsets from the cue speed, and the stored cues it loads, saves,
// renames and erases. Every member is called under the show lock, since the tick plays the
// live cue.

#include "cue/Cue.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class KyChange;
class KySeque;

// What one zone row shows.
struct KyZoneRow {
    bool empty = true; // a placeholder: the number dimmed, every other control hidden
    bool active = true;
    int sequenceRow = -1; // in the store's sequence list; -1 when the sequence is not stored
    bool fade = false;
    int speed = 0; // the engine's own, that is the effective speed
    bool music = false;
    int pulsesItem = -1; // in kZonePulses; -1 for any other value

    friend bool operator==(const KyZoneRow&, const KyZoneRow&) = default;
};

// The items of a row's pulses list.
inline constexpr std::array<std::uint32_t, 5> kZonePulses = {1, 2, 4, 8, 16};

// What the periodic refresh shows.
struct KyCueEditView {
    std::size_t liveRow = 0; // the stored cue with the live cue's id, else the first row
    std::string name;
    int cueSpeed = 0;
    int generatorSpeedPosition = 0;
    int amplitudePosition = 100;
};

class KyCueEdit {
public:
    static constexpr int kZones = KyCue::kZones;

    KyCueEdit(KyCue& live, KySeque& store);

    // The live cue has not been stored under its current identity: saving asks for a name.
    bool isNew() const { return isNew_; }
    int speedOffset(int zone) const { return offsets_[std::size_t(zone)]; }
    KyZoneRow zoneRow(int zone) const;
    std::array<KyZoneRow, kZones> zoneRows() const;
    // What the periodic refresh shows; the generators' amplitude in use follows the live
    // cue's, at the step of the bar that shows it.
    KyCueEditView refresh();

    // The speed listener: every zone engine at its offset from the cue speed.
    void followCueSpeed();
    // After the live cue was replaced or changed elsewhere: the offsets from its zones, and
    // new when it carries no id.
    void rereadZones();

    // The zone gets a new engine on the stored sequence of that row (speed 0, one pulse per
    // step, active, no music), playing when the live cue plays; its generators start from the
    // beginning when the live cue's generators play. The offset stays.
    void chooseSequence(int zone, std::size_t sequenceRow);
    void eraseZone(int zone);
    void setActive(int zone, bool active);
    void setZoneSpeed(int zone, int speed);
    void setMusic(int zone, bool music);
    void setPulses(int zone, std::size_t item);

    void setCueSpeed(int position);
    void setGeneratorSpeed(int position);
    void setGeneratorAmplitude(int position);

    // Opening drops the zones whose sequences are no longer stored; closing sorts the cues.
    void open();
    void close();

    // Whether the stored cue of that row is the live cue, by id.
    bool isLive(std::size_t row) const;
    // The stored cue of that row over the live cue, in the play state the live cue had and
    // with its own generator state applied again.
    void load(std::size_t row);
    void startNew();
    // Copies the live cue over the stored cue with its id. False, with nothing changed, when
    // there is none (never stored, or erased since): it must be saved as a new cue.
    bool save();
    // Stores the live cue under `name` and a new id, as the last stored cue.
    void saveAs(const std::string& name);
    // Renames the stored cue, which then replaces the live cue.
    void rename(std::size_t row, const std::string& name);
    // The stored cue that takes the erased one's place (the new last one when the last was
    // erased) replaces the live cue; with none left the live cue starts anew.
    void erase(std::size_t row);

    // What the zones became since the last mark (their sequences, activity, speeds, music
    // and pulses), as one change that puts them back and makes them again; null when no zone
    // changed. Either way the mark moves to now. Opening marks. A change refuses when a zone
    // it touches no longer plays what it left there, or would get back a sequence no longer
    // stored.
    std::unique_ptr<KyChange> takeChange();
    void mark();

private:
    class Change;
    struct Zone {
        int index = 0;
        KySeqEngine engine;
        int offset = 0;
    };
    // Puts `to` in place of `from` in every zone; false, changing nothing, when a zone's target
    // is gone.
    bool restore(const std::vector<Zone>& from, const std::vector<Zone>& to);
    void readOffsets();

    KyCue& live_;
    KySeque& store_;
    std::array<int, kZones> offsets_{};
    bool isNew_ = true;
    std::array<KySeqEngine, kZones> markedZones_;
    std::array<int, kZones> markedOffsets_{};
};

std::vector<std::string> storedSequenceNames(const KySeque& store);
std::vector<std::string> storedCueNames(const KySeque& store);
