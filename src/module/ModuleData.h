#pragma once
// What goes into the module's own memory: the cues the operator selected, in his order, the
// panel's assignments when he asked for them, and copies of the sequences all these play.

#include "cue/Cue.h"
#include "panel/Panel.h"
#include "sequence/Sequence.h"

#include <cstdint>
#include <string>
#include <vector>

class KySeque;

// One selected cue as the module sees it: only the zones that play a stored sequence.
struct KyCueDM {
    std::vector<KySeqEngProp> zoneEntries; // zone order, `zone` filled
    double generatorAmplitude = 1.0;
    double generatorSpeed = 1.0;
    std::int32_t id = 0;
    std::int32_t speed = 0; // kept, not written
    std::string name;       // cp1250

    KyCueDM() = default;
    explicit KyCueDM(const KyCue& cue);
};

class KySequeDM {
public:
    static constexpr std::size_t kPanelCues = 200;
    static constexpr std::size_t kPanelSequences = 500;

    // The panel's tables are copied now; later changes of the panel are not seen.
    KySequeDM(KySeque& store, const KyPanel& panel);

    // Copies of the stored sequences the selection needs, ascending id.
    std::vector<KySequence> sequences;
    bool includePanel = false;
    std::vector<std::int32_t> panelCues;                 // 200 cue-button ids, page by page
    std::vector<KyPanel::SequenceEntry> panelSequences; // 500, index zone × 50 + page × 5 + button
    std::vector<KyCueDM> cues;                           // the selection, in the operator's order

    // "Cue": appends the stored cue at `storeIndex` (ignored when there is none).
    void addCue(std::size_t storeIndex);
    // "Panel": appends the cue of every assigned cue button (the first stored cue for an id
    // that is gone), so pressing it twice adds them twice, and takes in the panel's sequences.
    void addPanel();
    // Neither removing nor moving changes the sequences.
    void removeCue(std::size_t index);
    // Swaps with the neighbour above or below; false at the edge.
    bool moveUp(std::size_t index);
    bool moveDown(std::size_t index);

private:
    void rebuildSequences();

    KySeque& store_;
};
