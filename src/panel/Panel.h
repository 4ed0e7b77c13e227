#pragma once
// The direct-access panel: one-click sequence buttons for each zone and a block of cue
// buttons, ten pages each, and their file panel.vt2. The window draws what these decide.

#include "common/Files.h"
#include "common/Stream.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

class KyDmxSpace;
class KySeque;
class KySequence;
class KyCue;

class KyButton {
public:
    bool lit = false;
    bool flash = false;         // sequence buttons: momentary
    std::int32_t musicPulses = 0; // sequence buttons: 0, or pulses per scene change
    std::int32_t id = 0;        // the sequence or cue; 0 for an empty button

    // What the face shows: an empty button is never shown lit.
    bool shownLit() const { return lit && id != 0; }
    void light()
    {
        if (id != 0)
            lit = true;
    }
    void unlight() { lit = false; }

    // The 9-byte record; the lit state is not stored. A record cut short leaves the
    // button as it was and fails the reader.
    void write(vt::ByteWriter& w) const;
    bool read(vt::ByteReader& r);
};

// What a press on a button did to its group.
struct KyToggle {
    enum Outcome { NothingDone, NoneSelected, Selected };
    Outcome outcome = NothingDone;
    std::int32_t id = 0; // the selected id, for Selected
};

// The caption of a button whose sequence or cue is gone.
inline constexpr const char* kMissingCaption = "___v___";

// A column of sequence buttons for one zone.
class KySeqButtons {
public:
    static constexpr int kPages = 10;
    static constexpr int kButtons = 5;
    using Captions = std::array<std::string, kButtons>;

    explicit KySeqButtons(const KySeque& store) : store_(&store) {}

    std::int32_t page = 0; // 0-9, shown as A-J
    std::array<std::array<KyButton, kButtons>, kPages> pages;

    KyButton& button(int k) { return pages[std::size_t(page)][std::size_t(k)]; }
    char pageLetter() const { return static_cast<char>('A' + page); }
    // Resolves the shown page's ids against the store: a button whose sequence is gone
    // becomes empty. Returns the captions (cp1250) for the window.
    Captions refresh();
    void unlightAll();
    KyToggle toggle(int k);
    // Clears the flash and music options too.
    void assign(int k, const KySequence* sequence);

private:
    const KySeque* store_;
};

// The cue buttons.
class KyCueButtons {
public:
    static constexpr int kPages = 10;
    static constexpr int kButtons = 20;
    using Captions = std::array<std::string, kButtons>;

    KyCueButtons(KySeque& store, const KyDmxSpace& dmx) : store_(&store), dmx_(&dmx) {}

    std::int32_t page = 0;
    std::array<std::array<KyButton, kButtons>, kPages> pages;

    KyButton& button(int k) { return pages[std::size_t(page)][std::size_t(k)]; }
    // As for the sequence buttons; a lit button whose cue is no longer the live one goes
    // dark, with every other cue button.
    Captions refresh();
    void unlightAll();
    KyToggle toggle(int k);
    // The flash and music options stay.
    void assign(int k, const KyCue* cue);

private:
    KySeque* store_;
    const KyDmxSpace* dmx_;
};

class KyPanel {
public:
    static constexpr int kZones = 10;
    static constexpr std::size_t kRecordSize = 9;
    static constexpr std::size_t kRecords = KyCueButtons::kPages * KyCueButtons::kButtons +
                                            kZones * KySeqButtons::kPages * KySeqButtons::kButtons;

    KyPanel(KySeque& store, const KyDmxSpace& dmx);
    KyPanel(const KyPanel&) = delete;
    KyPanel& operator=(const KyPanel&) = delete;

    KyCueButtons cueButtons;
    std::array<KySeqButtons, kZones> seqButtons; // zone 1 first

    // The module memory's view: 500 entries, zone by zone, page by page, button by button,
    // with the id only while its sequence is stored; and 200 cue ids, page by page.
    struct SequenceEntry {
        std::int32_t id = 0;
        std::int32_t musicPulses = 0;
        friend bool operator==(const SequenceEntry&, const SequenceEntry&) = default;
    };
    std::vector<SequenceEntry> sequenceEntries() const;
    std::vector<std::int32_t> cueEntries() const;

    // 700 records, the cue buttons first. Reading leaves every button dark and every page
    // at A; a file shorter than that fills the buttons it holds and leaves the rest empty.
    // Shorter and longer files are Incomplete.
    vt::Bytes toBytes() const;
    vt::LoadStatus fromBytes(std::span<const std::uint8_t> data);
    vt::LoadStatus load(const std::string& path);
    bool save(const std::string& path, std::string* error = nullptr) const;

private:
    const KySeque& store_;
};
