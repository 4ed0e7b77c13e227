#pragma once
// Plays one sequence into the universe, one step per 50 ms tick: scene timing, fades or
// jumps, looping, speed scaling, music-driven stepping and the scenes' figure generators.

#include "sequence/Sequence.h"

#include <cstdint>
#include <memory>

class KyDmxSpace;

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
    void playGenerators();
    void pauseGenerators() { generatorsPaused = true; }
    void stopGenerators();

    // One tick of scene playback; returns the index of the scene shown in it.
    std::int32_t step(KyDmxSpace& dmx, bool musicOn, bool pulse);
    // One tick of the figure generators of the current scene, over what `step` wrote.
    void generatorStep(KyDmxSpace& dmx);
    // Clamps `speed` to -100..100 in place and gives the factor that scales scene times.
    float speedFactor();

private:
    // The scene index made valid again if the sequence lost scenes while bound.
    std::size_t currentSceneIndex();
    void output(KyDmxSpace& dmx, std::size_t current);
    void moveFigure(const KyScene::PanTiltPair& pair, KyScene& previous, bool sceneJustEntered,
                    double speedFactor);
    void advanceTime();
    void changeScene();
};
