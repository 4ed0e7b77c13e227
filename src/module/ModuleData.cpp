#include "module/ModuleData.h"

#include "cue/Seque.h"

#include <set>

KyCueDM::KyCueDM(const KyCue& cue)
    : generatorAmplitude(cue.generatorAmplitude), generatorSpeed(cue.generatorSpeed), id(cue.id), speed(cue.speed),
      name(cue.name)
{
    for (int zone = 0; zone < KyCue::kZones; ++zone) {
        const KySeqEngine& engine = cue.zoneEngine(zone);
        if (engine.sequenceId == 0)
            continue;
        zoneEntries.push_back({engine.sequenceId, zone, engine.speed, static_cast<std::int32_t>(engine.beatsPerStep),
                               engine.active, engine.music});
    }
}

KySequeDM::KySequeDM(KySeque& store, const KyPanel& panel)
    : panelCues(panel.cueEntries()), panelSequences(panel.sequenceEntries()), store_(store)
{
}

void KySequeDM::addCue(std::size_t storeIndex)
{
    if (storeIndex >= store_.cueCount())
        return;
    cues.emplace_back(store_.cueAt(storeIndex));
    rebuildSequences();
}

void KySequeDM::addPanel()
{
    includePanel = true;
    if (store_.cueCount() > 0)
        for (std::int32_t id : panelCues)
            if (id != 0)
                cues.emplace_back(*store_.findCueOrFirst(id));
    rebuildSequences();
}

void KySequeDM::removeCue(std::size_t index)
{
    if (index < cues.size())
        cues.erase(cues.begin() + static_cast<std::ptrdiff_t>(index));
}

bool KySequeDM::moveUp(std::size_t index)
{
    if (index == 0 || index >= cues.size())
        return false;
    std::swap(cues[index - 1], cues[index]);
    return true;
}

bool KySequeDM::moveDown(std::size_t index)
{
    if (index + 1 >= cues.size())
        return false;
    std::swap(cues[index], cues[index + 1]);
    return true;
}

// Once the panel is in, its sequences stay in with every later cue: otherwise a cue added
// afterwards would silently take the panel's buttons out of the module again.
void KySequeDM::rebuildSequences()
{
    std::set<std::int32_t> ids;
    for (const KyCueDM& cue : cues)
        for (const KySeqEngProp& entry : cue.zoneEntries)
            ids.insert(entry.sequenceId);
    if (includePanel)
        for (const KyPanel::SequenceEntry& entry : panelSequences)
            if (entry.id != 0)
                ids.insert(entry.id);
    sequences.clear();
    for (std::int32_t id : ids)
        if (const KySequence* stored = store_.findSequence(id))
            sequences.push_back(*stored);
}
