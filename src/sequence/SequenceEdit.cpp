#include "sequence/SequenceEdit.h"

#include "dmx/Usb.h"
#include "sequence/EditSpace.h"

#include <cstdio>

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
