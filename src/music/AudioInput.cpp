#include "music/AudioInput.h"

#include "common/Translatable.h"
#include "music/TapTempo.h"
#include "music/Wav.h"

#include <alsa/asoundlib.h>

#include <algorithm>
#include <cerrno>
#include <cstdarg>
#include <fstream>
#include <mutex>
#include <optional>
#include <thread>

namespace {

constexpr unsigned kCaptureRate = 44100;
constexpr unsigned kCaptureLatencyUs = 40000;
constexpr int kWaitMs = 100;

// ALSA prints its complaints on stderr by default; the program reports them its own way.
void quietAlsa(const char*, int, const char*, int, const char*, ...) {}

void silenceAlsa()
{
    static std::once_flag once;
    std::call_once(once, [] { snd_lib_error_set_handler(quietAlsa); });
}

class KyAlsaCapture : public KyAudioStream {
public:
    KyAlsaCapture(snd_pcm_t* pcm, int rate, int channels)
        : pcm_(pcm), rate_(rate), channels_(channels), buffer_(std::size_t(channels) * 1024)
    {
    }
    ~KyAlsaCapture() override { snd_pcm_close(pcm_); }

    int sampleRate() const override { return rate_; }

    long read(std::span<float> mono) override
    {
        const int ready = snd_pcm_wait(pcm_, kWaitMs);
        if (ready == 0)
            return 0;
        if (ready < 0)
            return snd_pcm_recover(pcm_, ready, 1) < 0 ? -1 : 0;
        const auto wanted = std::min(mono.size(), buffer_.size() / std::size_t(channels_));
        const snd_pcm_sframes_t got = snd_pcm_readi(pcm_, buffer_.data(), snd_pcm_uframes_t(wanted));
        if (got == -EAGAIN)
            return 0;
        if (got < 0)
            return snd_pcm_recover(pcm_, int(got), 1) < 0 ? -1 : 0;
        const float scale = 1.0f / (32768.0f * float(channels_));
        for (snd_pcm_sframes_t f = 0; f < got; ++f) {
            float sum = 0;
            for (int c = 0; c < channels_; ++c)
                sum += float(buffer_[std::size_t(f * channels_ + c)]);
            mono[std::size_t(f)] = sum * scale;
        }
        return long(got);
    }

private:
    snd_pcm_t* pcm_;
    int rate_;
    int channels_;
    std::vector<std::int16_t> buffer_;
};

class KyWavPlayback : public KyAudioStream {
public:
    explicit KyWavPlayback(const std::string& path) : file_(path, std::ios::binary), reader_(file_) {}

    bool opened() const { return file_.is_open(); }
    KyWavError error() const { return reader_.error(); }
    int sampleRate() const override { return reader_.format().sampleRate; }

    // Each block is handed over when it has played.
    long read(std::span<float> mono) override
    {
        if (!start_)
            start_ = KyClock::now();
        const auto tenth = std::size_t(sampleRate() / 100);
        const std::size_t frames = reader_.read(mono.first(std::min(mono.size(), tenth)));
        if (frames == 0)
            return -1;
        delivered_ += frames;
        std::this_thread::sleep_until(*start_ + std::chrono::duration_cast<KyClock::duration>(
                                                    std::chrono::duration<double>(double(delivered_) / sampleRate())));
        return long(frames);
    }

private:
    std::ifstream file_;
    KyWavReader reader_;
    std::optional<KyClock::time_point> start_;
    std::uint64_t delivered_ = 0;
};

const char* polishWavError(KyWavError error)
{
    switch (error) {
    case KyWavError::NotWav:
        return VT_TRANSLATABLE("Core", "to nie jest plik WAV");
    case KyWavError::NotPcm:
        return VT_TRANSLATABLE("Core", "dźwięk nie jest zapisany jako PCM");
    case KyWavError::Unsupported:
        return VT_TRANSLATABLE("Core", "nieobsługiwany format WAV");
    case KyWavError::Truncated:
        return VT_TRANSLATABLE("Core", "plik jest niepełny");
    case KyWavError::None:
        break;
    }
    return VT_TRANSLATABLE("Core", "błąd odczytu");
}

// ALSA's own texts are English; the operator reads Polish.
std::string polishAlsaError(int error)
{
    switch (-error) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return VT_TRANSLATABLE("Core", "nie ma takiego urządzenia");
    case EBUSY:
        return VT_TRANSLATABLE("Core", "urządzenie jest zajęte");
    case EACCES:
    case EPERM:
        return VT_TRANSLATABLE("Core", "brak uprawnień");
    case EINVAL:
        return VT_TRANSLATABLE("Core", "urządzenie nie nagrywa w żadnym z obsługiwanych formatów");
    default:
        return vt::filled(VT_TRANSLATABLE("Core", "błąd ALSA %1"), {std::to_string(error)});
    }
}

// One line of ALSA's description, which may span several.
std::string firstLine(const char* text)
{
    std::string line = text ? text : "";
    return line.substr(0, line.find('\n'));
}

int currentRate(snd_pcm_t* pcm)
{
    snd_pcm_hw_params_t* params = nullptr;
    snd_pcm_hw_params_alloca(&params);
    unsigned rate = kCaptureRate;
    if (snd_pcm_hw_params_current(pcm, params) == 0)
        snd_pcm_hw_params_get_rate(params, &rate, nullptr);
    return int(rate);
}

} // namespace

std::vector<KyAudioDevice> audioInputDevices()
{
    silenceAlsa();
    std::vector<KyAudioDevice> devices{{"default", VT_TRANSLATABLE("Core", "Domyślne wejście systemu")}};
    void** hints = nullptr;
    if (snd_device_name_hint(-1, "pcm", &hints) < 0)
        return devices;
    for (void** hint = hints; *hint; ++hint) {
        char* name = snd_device_name_get_hint(*hint, "NAME");
        char* description = snd_device_name_get_hint(*hint, "DESC");
        char* direction = snd_device_name_get_hint(*hint, "IOID");
        const bool capture = !direction || std::string(direction) == "Input";
        if (name && capture && std::string(name) != "default" && std::string(name) != "null")
            devices.push_back({name, firstLine(description)});
        std::free(name);
        std::free(description);
        std::free(direction);
    }
    snd_device_name_free_hint(hints);
    return devices;
}

std::unique_ptr<KyAudioStream> openAudioInput(const std::string& device, std::string& error)
{
    silenceAlsa();
    snd_pcm_t* pcm = nullptr;
    int result = snd_pcm_open(&pcm, device.c_str(), SND_PCM_STREAM_CAPTURE, SND_PCM_NONBLOCK);
    if (result >= 0) {
        int channels = 1;
        result = snd_pcm_set_params(pcm, SND_PCM_FORMAT_S16_LE, SND_PCM_ACCESS_RW_INTERLEAVED, 1, kCaptureRate, 1,
                                    kCaptureLatencyUs);
        if (result < 0) { // devices without conversion may insist on stereo
            channels = 2;
            result = snd_pcm_set_params(pcm, SND_PCM_FORMAT_S16_LE, SND_PCM_ACCESS_RW_INTERLEAVED, 2, kCaptureRate, 1,
                                        kCaptureLatencyUs);
        }
        if (result >= 0)
            result = snd_pcm_start(pcm);
        if (result >= 0)
            return std::make_unique<KyAlsaCapture>(pcm, currentRate(pcm), channels);
        snd_pcm_close(pcm);
    }
    error = vt::filled(VT_TRANSLATABLE("Core", "Nie można otworzyć wejścia audio \"%1\": %2"), {device, polishAlsaError(result)});
    return nullptr;
}

std::unique_ptr<KyAudioStream> openAudioFile(const std::string& path, std::string& error)
{
    auto playback = std::make_unique<KyWavPlayback>(path);
    if (!playback->opened()) {
        error = vt::filled(VT_TRANSLATABLE("Core", "Nie można otworzyć pliku %1"), {path});
        return nullptr;
    }
    if (playback->error() != KyWavError::None) {
        error = vt::filled(VT_TRANSLATABLE("Core", "Nie można odtworzyć pliku %1: %2"), {path, polishWavError(playback->error())});
        return nullptr;
    }
    return playback;
}
