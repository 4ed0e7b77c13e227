#include "sequence/SequenceEdit.h"

#include "common/Change.h"
#include "dmx/Usb.h"
#include "sequence/EditSpace.h"

#include <algorithm>
#include <cstdio>
#include <set>

KySequence newWorkingCopy()
{
    KySequence sequence;
    KyScene scene;
    scene.sceneTime = KySequenceEdit::kNewSceneTime;
    sequence.appendScene(scene);
    return sequence;
}

KySequenceEdit::KySequenceEdit(KyEditSpace& dmx, KySequenceStore& store) : dmx_(dmx), store_(store) {}

// The preview engine plays the edited sequence object itself, so the working copy is always
// replaced in place, never rebound.
KySequence& KySequenceEdit::working()
{
    return *dmx_.editedSequence();
}

const KySequence& KySequenceEdit::workingCopy() const
{
    return *dmx_.editedSequence();
}

int KySequenceEdit::currentScene() const
{
    return dmx_.currentScene;
}

void KySequenceEdit::replaceWorkingCopy(const KySequence& sequence, bool isNew)
{
    working() = sequence;
    dmx_.currentScene = 0;
    isNew_ = isNew;
}

void KySequenceEdit::open()
{
    dmx_.recordingMode = true;
    replaceWorkingCopy(newWorkingCopy(), true);
    mark();
}

void KySequenceEdit::close()
{
    stopPreview();
    dmx_.recordingMode = false;
    store_.sortSequences();
}

void KySequenceEdit::startNew()
{
    replaceWorkingCopy(newWorkingCopy(), true);
}

void KySequenceEdit::load(std::size_t row)
{
    if (row < store_.sequenceCount())
        replaceWorkingCopy(store_.sequenceAt(row), false);
}

bool KySequenceEdit::save()
{
    KySequence* stored = isNew_ ? nullptr : store_.findSequence(working().id);
    if (!stored || working().id == 0)
        return false;
    *stored = working();
    return true;
}

void KySequenceEdit::saveAs(const std::string& name)
{
    working().name = name;
    store_.addSequence(working());
    // The new sequence sits last until the editor closes and sorts the list.
    replaceWorkingCopy(store_.sequenceAt(store_.sequenceCount() - 1), false);
}

void KySequenceEdit::rename(std::size_t row, const std::string& name)
{
    if (row >= store_.sequenceCount())
        return;
    KySequence& stored = store_.sequenceAt(row);
    stored.name = name;
    // Renaming the sequence being edited keeps its unsaved edits; another one is loaded.
    if (stored.id == working().id) {
        working().name = name;
        isNew_ = false;
    } else {
        replaceWorkingCopy(stored, false);
    }
}

void KySequenceEdit::erase(std::size_t row)
{
    if (row >= store_.sequenceCount())
        return;
    store_.eraseSequence(row);
    if (store_.sequenceCount() == 0)
        startNew();
}

void KySequenceEdit::previousScene()
{
    const int count = static_cast<int>(working().sceneCount());
    if (count > 0)
        dmx_.currentScene = dmx_.currentScene <= 0 ? count - 1 : dmx_.currentScene - 1;
}

void KySequenceEdit::nextScene()
{
    const int count = static_cast<int>(working().sceneCount());
    if (count > 0)
        dmx_.currentScene = dmx_.currentScene + 1 >= count ? 0 : dmx_.currentScene + 1;
}

bool KySequenceEdit::addScene()
{
    KySequence& sequence = working();
    if (sequence.sceneCount() >= kMaxScenes)
        return false;
    const auto current = static_cast<std::size_t>(dmx_.currentScene);
    KyScene scene = current < sequence.sceneCount() ? sequence.sceneAt(current) : newWorkingCopy().sceneAt(0);
    sequence.appendScene(scene);
    dmx_.currentScene = static_cast<int>(sequence.sceneCount()) - 1;
    return true;
}

bool KySequenceEdit::eraseScene()
{
    KySequence& sequence = working();
    const auto current = static_cast<std::size_t>(dmx_.currentScene);
    if (sequence.sceneCount() < 2 || current >= sequence.sceneCount())
        return false;
    sequence.eraseScene(current);
    if (current >= sequence.sceneCount())
        dmx_.currentScene = static_cast<int>(sequence.sceneCount()) - 1;
    return true;
}

std::uint32_t KySequenceEdit::currentSceneTime() const
{
    const KySequence& sequence = workingCopy();
    const auto current = static_cast<std::size_t>(dmx_.currentScene);
    return current < sequence.sceneCount() ? sequence.sceneAt(current).sceneTime : 0;
}

bool KySequenceEdit::stepTime(std::uint32_t step, bool up)
{
    if (static_cast<std::size_t>(dmx_.currentScene) >= working().sceneCount())
        return false;
    const std::uint32_t t = currentSceneTime();
    // A time read from a file may lie beyond the limit; the sum must not wrap round.
    if (up ? std::uint64_t{t} + step > kMaxSceneTime : t <= step)
        return false;
    const std::uint32_t stepped = up ? t + step : t - step;
    if (globalTime_)
        working().setAllSceneTimes(stepped);
    else
        working().sceneAt(static_cast<std::size_t>(dmx_.currentScene)).sceneTime = stepped;
    return true;
}

void KySequenceEdit::setGlobalTime(bool global)
{
    globalTime_ = global;
    if (global && static_cast<std::size_t>(dmx_.currentScene) < working().sceneCount())
        working().setAllSceneTimes(currentSceneTime());
}

void KySequenceEdit::startPreview()
{
    KySeqEngine& preview = dmx_.previewEngine();
    preview.play();
    preview.playGenerators();
}

bool KySequenceEdit::pausePreview()
{
    KySeqEngine& preview = dmx_.previewEngine();
    if (preview.playing)
        preview.pause();
    return preview.playing;
}

void KySequenceEdit::stopPreview()
{
    dmx_.previewEngine().stop();
    dmx_.currentScene = 0;
}

bool KySequenceEdit::previewPlaying() const
{
    return dmx_.previewEngine().playing;
}

namespace {

bool sameStoredFields(const KyGenerator& a, const KyGenerator& b)
{
    return a.enabled == b.enabled && a.masterDirection == b.masterDirection && a.speedModifier == b.speedModifier &&
           a.amplitudeModifier == b.amplitudeModifier && a.phaseModifier == b.phaseModifier &&
           a.direction == b.direction && a.phaseFlip == b.phaseFlip && a.amplitude == b.amplitude &&
           a.speed == b.speed && a.phase == b.phase;
}

// Whether the scenes hold the same time, records, values and stored generator fields; the
// generators' running state does not count.
bool sameScene(const KyScene& a, const KyScene& b)
{
    if (a.sceneTime != b.sceneTime || !std::ranges::equal(a.values(), b.values()))
        return false;
    if (a.sharedShape() != b.sharedShape() && !a.shape().sameRecords(b.shape()))
        return false;
    const auto ga = a.generators(), gb = b.generators();
    return std::equal(ga.begin(), ga.end(), gb.begin(), gb.end(), [](const auto& x, const auto& y) {
        return x.first == y.first && sameStoredFields(x.second, y.second);
    });
}

void addChannels(const std::vector<KyScene>& scenes, std::set<int>& channels)
{
    for (const KyScene& scene : scenes)
        scene.forEachEntry([&](std::int32_t channel, const KyChStatus&) { channels.insert(channel); });
}

} // namespace

class KySequenceEdit::Change : public KyChange {
public:
    // A universe channel's value on either side.
    struct Level {
        int channel;
        std::uint8_t before, after;
    };

    Change(KySequenceEdit& edit, std::size_t first, Side before, Side after, std::vector<Level> levels)
        : edit_(edit), first_(first), before_(std::move(before)), after_(std::move(after)), levels_(std::move(levels))
    {
    }
    bool undo() override { return apply(after_, before_, &Level::before); }
    bool redo() override { return apply(before_, after_, &Level::after); }

private:
    bool apply(const Side& from, const Side& to, std::uint8_t Level::*value)
    {
        if (!edit_.restore(first_, from, to))
            return false;
        for (const Level& level : levels_)
            edit_.dmx_.setChannel(level.channel, level.*value);
        edit_.mark();
        return true;
    }

    KySequenceEdit& edit_;
    std::size_t first_;
    Side before_, after_;
    std::vector<Level> levels_;
};

void KySequenceEdit::mark()
{
    mark_.sequence = working();
    mark_.isNew = isNew_;
    mark_.globalTime = globalTime_;
    mark_.currentScene = dmx_.currentScene;
    mark_.universe = dmx_.data();
}

std::unique_ptr<KyChange> KySequenceEdit::takeChange()
{
    const KySequence& then = mark_.sequence;
    const KySequence& now = working();
    const std::size_t n = then.sceneCount(), m = now.sceneCount();
    std::size_t first = 0;
    while (first < n && first < m && sameScene(then.sceneAt(first), now.sceneAt(first)))
        ++first;
    std::size_t kept = 0; // equal scenes at the end
    while (first + kept < n && first + kept < m && sameScene(then.sceneAt(n - 1 - kept), now.sceneAt(m - 1 - kept)))
        ++kept;
    const bool sameScenes = first == n && n == m;
    if (sameScenes && then.fade == now.fade && then.id == now.id && mark_.isNew == isNew_) {
        // The marked copy holds what the working copy holds: only the place moves on.
        mark_.globalTime = globalTime_;
        mark_.currentScene = dmx_.currentScene;
        mark_.universe = dmx_.data();
        return nullptr;
    }
    auto sideOf = [&](const KySequence& s, std::size_t count, bool isNew, bool global, int scene) {
        const auto begin = s.scenes.begin() + static_cast<std::ptrdiff_t>(first);
        return Side{{begin, begin + static_cast<std::ptrdiff_t>(count - first - kept)},
                    count, s.id, s.name, s.fade, isNew, global, scene};
    };
    Side before = sideOf(then, n, mark_.isNew, mark_.globalTime, mark_.currentScene);
    Side after = sideOf(now, m, isNew_, globalTime_, dmx_.currentScene);
    std::set<int> channels;
    addChannels(before.scenes, channels);
    addChannels(after.scenes, channels);
    std::vector<Change::Level> levels;
    for (int channel : channels) {
        const auto i = static_cast<std::size_t>(channel);
        if (KyUniverse::inRange(channel) && mark_.universe[i] != dmx_.data()[i])
            levels.push_back({channel, mark_.universe[i], dmx_.data()[i]});
    }
    auto change = std::make_unique<Change>(*this, first, std::move(before), std::move(after), std::move(levels));
    mark();
    return change;
}

bool KySequenceEdit::restore(std::size_t first, const Side& from, const Side& to)
{
    KySequence& sequence = working();
    const bool otherSequence = from.id != to.id || from.isNew != to.isNew;
    if (sequence.sceneCount() != from.sceneCount || (otherSequence && !to.isNew && !store_.findSequence(to.id)))
        return false;
    const auto begin = sequence.scenes.begin() + static_cast<std::ptrdiff_t>(first);
    sequence.scenes.erase(begin, begin + static_cast<std::ptrdiff_t>(from.scenes.size()));
    sequence.scenes.insert(sequence.scenes.begin() + static_cast<std::ptrdiff_t>(first), to.scenes.begin(),
                           to.scenes.end());
    sequence.fade = to.fade;
    // Saving as a new sequence since does not make an edit of the copy go back to the old
    // identity; only a change that loaded or started a sequence puts the identity back.
    if (otherSequence) {
        sequence.id = to.id;
        sequence.name = to.name;
        isNew_ = to.isNew;
    }
    globalTime_ = to.globalTime;
    dmx_.currentScene = to.currentScene;
    return true;
}

std::array<std::string, 3> sceneTimeTexts(std::uint32_t ticks)
{
    char seconds[8];
    char hundredths[8];
    std::snprintf(seconds, sizeof seconds, "%02u", ticks % 1200 / 20);
    std::snprintf(hundredths, sizeof hundredths, "%02u", ticks % 20 * 5);
    return {std::to_string(ticks / 1200), seconds, hundredths};
}

std::vector<std::pair<std::int32_t, std::uint8_t>> sceneContents(const KyScene& scene)
{
    std::vector<std::pair<std::int32_t, std::uint8_t>> contents;
    contents.reserve(scene.entryCount());
    scene.forEachEntry([&](std::int32_t channel, const KyChStatus& status) { contents.emplace_back(channel, status.value); });
    return contents;
}

void editorPlayback(KyEditSpace& dmx)
{
    KySeqEngine& preview = dmx.previewEngine();
    if (preview.playing) {
        dmx.currentScene = preview.step(dmx, false, false);
        preview.generatorStep(dmx);
        return;
    }
    const KySequence& sequence = *dmx.editedSequence();
    const auto current = static_cast<std::size_t>(dmx.currentScene);
    if (current >= sequence.sceneCount())
        return;
    sequence.sceneAt(current).forEachEntry(
        [&](std::int32_t channel, const KyChStatus& status) { dmx.setChannel(channel, status.value); });
}

void editorTick(KyEditSpace& dmx, KyUsb& usb, bool& inputChanged)
{
    editorPlayback(dmx);
    if (!usb.sendFrame(dmx.data(), inputChanged))
        usb.reconnectStep();
}
