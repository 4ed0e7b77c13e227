#pragma once
// What the sequence editor does to the show, without its window: the working copy that
// recording writes into, its scene list and times, the preview, and the stored sequences it
// saves, renames and erases. Every member is called under the show lock, since the tick
// plays the working copy and the stored sequences.

#include "dmx/Universe.h"
#include "sequence/SequenceStore.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class KyChange;
class KyEditSpace;
class KyUsb;

class KySequenceEdit {
public:
    static constexpr std::size_t kMaxScenes = 255;
    static constexpr std::uint32_t kNewSceneTime = 20;
    static constexpr std::uint32_t kMaxSceneTime = 60000;
    // The steps of the time groups "min", "sek" and "0.1 sek".
    static constexpr std::uint32_t kMinute = 1200, kSecond = 20, kTenth = 1;

    KySequenceEdit(KyEditSpace& dmx, KySequenceStore& store);

    // Opening: recording on, a fresh working copy at its first scene. Closing: the preview
    // stopped, recording off, the stored sequences sorted by name.
    void open();
    void close();

    // The working copy has never been stored, so saving asks for a name first.
    bool isNew() const { return isNew_; }
    const KySequence& workingCopy() const;
    int currentScene() const;

    void setFade(bool fade) { working().fade = fade; }
    void startNew();
    // The stored sequence of that row, with its id, becomes the working copy.
    void load(std::size_t row);
    // Copies the working copy over the stored sequence with its id. False, with nothing
    // changed, when there is none (never stored, or erased since): it must be saved as new.
    bool save();
    // Stores the working copy under `name` and a new id, and loads it back from the store.
    void saveAs(const std::string& name);
    void rename(std::size_t row, const std::string& name);
    // Erases the stored sequence of that row; once none are left the working copy starts anew.
    void erase(std::size_t row);

    void previousScene();
    void nextScene();
    // Appends a copy of the current scene and moves to it; false at the scene limit.
    bool addScene();
    // False when it would leave no scene.
    bool eraseScene();

    // Adds (`up`) or takes `step` ticks from the current scene's time, to every scene while
    // the time is global; false when the result would leave 1..60000 or there is no scene.
    bool stepTime(std::uint32_t step, bool up);
    // Checking gives every scene the current scene's time; unchecking changes nothing.
    void setGlobalTime(bool global);
    bool globalTime() const { return globalTime_; }
    std::uint32_t currentSceneTime() const;

    void startPreview();
    // Pauses a playing preview; true when it did. A preview that does not play stays as it
    // is, so that recording goes on.
    bool pausePreview();
    void stopPreview();
    bool previewPlaying() const;

    // What the working copy became since the last mark, as one change that puts back (and
    // makes again) its scenes, fade, identity, the time mode, the current scene and the
    // universe's values of the channels of the scenes it changed; null when no scene, the fade
    // nor the identity changed. Either way the mark moves to now. Opening marks.
    std::unique_ptr<KyChange> takeChange();
    void mark();

private:
    class Change;
    // The working copy and the editor's place in it, as a change holds each side.
    struct Side {
        std::vector<KyScene> scenes; // the changed stretch only
        std::size_t sceneCount = 0;
        std::int32_t id = 0;
        std::string name;
        bool fade = false;
        bool isNew = true;
        bool globalTime = false;
        int currentScene = 0;
    };
    struct Mark {
        KySequence sequence;
        bool isNew = true;
        bool globalTime = false;
        int currentScene = 0;
        KyUniverse::Universe universe{};
    };
    // Puts `to` in place of the stretch that holds `from` at `first`; false when the working
    // copy no longer has `from`'s scene count, or `to` is a stored sequence that is gone.
    bool restore(std::size_t first, const Side& from, const Side& to);

    KySequence& working();
    void replaceWorkingCopy(const KySequence& sequence, bool isNew);

    KyEditSpace& dmx_;
    KySequenceStore& store_;
    bool isNew_ = true;
    bool globalTime_ = false;
    Mark mark_;
};

// A working copy that was never stored: no id, no name, one scene of one second.
KySequence newWorkingCopy();

// The time groups' texts for a scene time: minutes, then seconds and hundredths with two
// digits ("0", "01", "00" for one second).
std::array<std::string, 3> sceneTimeTexts(std::uint32_t ticks);

// A scene's channels and values in ascending channel order.
std::vector<std::pair<std::int32_t, std::uint8_t>> sceneContents(const KyScene& scene);

// The editor's tick in place of the main tick, under the show lock: a playing preview steps
// the working copy and the current scene follows it; otherwise the current scene is written
// over the universe, held channels included. Nothing is cleared, so earlier values stay.
// Then the frame goes out, and a failed one runs one reconnection step. Allocates nothing.
void editorPlayback(KyEditSpace& dmx);
void editorTick(KyEditSpace& dmx, KyUsb& usb, bool& inputChanged);
