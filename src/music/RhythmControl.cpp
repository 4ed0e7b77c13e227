#include "music/RhythmControl.h"

#include "common/Translatable.h"
#include "music/AudioInput.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace {

struct SourceWords {
    KyRhythmSource source;
    const char* key;
    const char* name;
};
constexpr SourceWords kSources[] = {
    {KyRhythmSource::Module, "module", "moduł"},
    {KyRhythmSource::Audio, "audio", "audio"},
    {KyRhythmSource::Tap, "tap", "tap"},
};

const SourceWords& wordsFor(KyRhythmSource source)
{
    for (const SourceWords& words : kSources)
        if (words.source == source)
            return words;
    return kSources[0];
}

} // namespace

const char* rhythmSourceKey(KyRhythmSource source)
{
    return wordsFor(source).key;
}

KyRhythmSource rhythmSourceFromKey(std::string_view key)
{
    for (const SourceWords& words : kSources)
        if (key == words.key)
            return words.source;
    return KyRhythmSource::Module;
}

const char* rhythmSourceName(KyRhythmSource source)
{
    return wordsFor(source).name;
}

std::string tempoNumber(double bpm)
{
    std::array<char, 32> number{};
    if (bpm > 0)
        std::snprintf(number.data(), number.size(), "%.1f", bpm);
    else
        std::snprintf(number.data(), number.size(), "---");
    return number.data();
}

std::string tempoCaption(double bpm, KyRhythmSource source)
{
    return tempoNumber(bpm) + " BPM (" + rhythmSourceName(source) + ")";
}

int levelPercent(float rms)
{
    if (!(rms > 0))
        return 0;
    const double decibels = 20 * std::log10(double(rms));
    return int(std::lround(std::clamp((decibels + 60) / 60, 0.0, 1.0) * 100));
}

KyRhythmControl::KyRhythmControl(KyBeatSource& beats, KyAudioBeats& audio, std::mutex& showLock, std::string audioFile)
    : beats_(beats), audio_(audio), showLock_(showLock), audioFile_(std::move(audioFile))
{
}

bool KyRhythmControl::apply(const KyRhythmChoice& choice)
{
    choice_ = choice;
    bool listening = true;
    if (choice.source == KyRhythmSource::Audio) {
        listening = listen(audioFile_.empty() ? choice.device : audioFile_);
    } else {
        audio_.stop();
        listening_.clear();
        problem_.clear();
    }
    std::lock_guard lock(showLock_);
    beats_.setSource(listening ? choice.source : KyRhythmSource::Module);
    return listening;
}

std::string KyRhythmControl::trouble() const
{
    if (choice_.source != KyRhythmSource::Audio)
        return {};
    if (!problem_.empty())
        return problem_;
    if (audio_.state() != KyAudioBeats::Ended)
        return {};
    return audioFile_.empty() ? VT_TRANSLATABLE("Core", "Wejście audio przestało odpowiadać.")
                              : VT_TRANSLATABLE("Core", "Plik odtworzony do końca.");
}

bool KyRhythmControl::listen(const std::string& input)
{
    if (input == listening_ && audio_.state() == KyAudioBeats::Listening)
        return true;
    audio_.stop();
    listening_.clear();
    problem_.clear();
    auto stream = audioFile_.empty() ? openAudioInput(input, problem_) : openAudioFile(input, problem_);
    if (!stream)
        return false;
    audio_.start(std::move(stream));
    listening_ = input;
    return true;
}
