#pragma once
// Plays one sequence into the universe, one step per 50 ms tick: scene timing, fades or
// jumps, looping, speed scaling, music-driven stepping and the scenes' figure generators.

#include "sequence/Sequence.h"

#include <cstdint>
#include <memory>

class KyUniverse;

// The fade's start levels and per-entry steps toward the next scene, kept between ticks
// while an engine stays in one scene at one speed. Only engines that play get room for them
// (the live cue's and the preview), since stored cues hold thousands of engines. The room
// belongs to the engine object: assigning another engine to it keeps the room and forgets
// what it held, and a copy starts without room.
class KyFadeSteps {
public:
    static constexpr std::size_t kEntries = 512;

    KyFadeSteps() = default;
    KyFadeSteps(const KyFadeSteps&) {}
    KyFadeSteps& operator=(const KyFadeSteps&)
    {
        forget();
        return *this;
    }

    void makeRoom();
    bool hasRoom() const { return room_ != nullptr; }
    // The steps of `current` toward `next` at `span`, or null until `store` has filled them.
    bool holds(std::uint64_t current, std::uint64_t next, float span) const
    {
        return room_ && current_ == current && next_ == next && span_ == span;
    }
    float* from() { return room_->from; }
    float* step() { return room_->step; }
    void store(std::uint64_t current, std::uint64_t next, float span)
    {
        current_ = current;
        next_ = next;
        span_ = span;
    }
    void forget() { current_ = next_ = 0; }

private:
    struct Room {
        float from[kEntries];
        float step[kEntries];
    };
    std::unique_ptr<Room> room_;
    std::uint64_t current_ = 0, next_ = 0;
    float span_ = 0;
};

class KySeqEngine {
public:
    // An engine with nothing to play is bound to its own fresh, empty placeholder.
    KySeqEngine();
    explicit KySeqEngine(std::shared_ptr<KySequence> sequence);

    std::int32_t sequenceId = 0;
    std::shared_ptr<KySequence> sequence; // never empty
    bool playing = false;
    bool paused = false;
    bool sceneEnd = false;
    float previousFactor = 1.0f;
    std::int32_t sceneIndex = 0;
    std::uint32_t tick = 0;
    std::uint32_t duration = 0;
    std::uint32_t beatCount = 0;
    bool generatorsPlaying = false;
    bool generatorsPaused = false;
    std::int32_t speed = 0;
    std::uint32_t beatsPerStep = 1;
    bool active = true;
    bool music = false;

    void play();
    void pause() { paused = true; }
    void stop();
    // Back to the start of the first scene, as a newly made engine stands; the play state
    // and the settings stay.
    void rewind();
    void playGenerators();
    void pauseGenerators() { generatorsPaused = true; }
    void stopGenerators();

    // One tick of scene playback; returns the index of the scene shown in it.
    std::int32_t step(KyUniverse& dmx, bool musicOn, bool pulse);
    // One tick of the figure generators of the current scene, over what `step` wrote.
    void generatorStep(KyUniverse& dmx);
    // Clamps `speed` to -100..100 in place and gives the factor that scales scene times.
    float speedFactor();
    // Gives the engine room to keep its fade's steps between ticks (window thread only).
    void keepFadeSteps() { fadeSteps_.makeRoom(); }

private:
    // The scene index made valid again if the sequence lost scenes while bound.
    std::size_t currentSceneIndex();
    void output(KyUniverse& dmx, std::size_t current);
    // `entered` holds the previous scene's records of the pair on the first tick of a newly
    // entered scene, and is empty otherwise.
    void moveFigure(const KyScene::PanTiltPair& pair, const KyScene::PairRecords* entered, double speedFactor);
    void advanceTime();
    void changeScene();

    KyFadeSteps fadeSteps_;
};
