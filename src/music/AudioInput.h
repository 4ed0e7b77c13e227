#pragma once
// The computer's audio inputs through ALSA (PulseAudio and PipeWire answer through their
// ALSA plugins), and a WAV file played at its own pace in their place for rehearsal. A
// machine without a sound card lists only "default", whose opening then fails with a reason.

#include "music/AudioBeats.h"

#include <memory>
#include <string>
#include <vector>

struct KyAudioDevice {
    std::string name;        // what ALSA opens: "default", "hw:CARD=PCH,DEV=0", ...
    std::string description; // one line, for the device list
};

// "default" first, then every capture device ALSA names.
std::vector<KyAudioDevice> audioInputDevices();

// Null with a Polish reason in `error` when the device cannot be opened for capture.
std::unique_ptr<KyAudioStream> openAudioInput(const std::string& device, std::string& error);

// A WAV file delivered in real time, as if it came in through the input.
std::unique_ptr<KyAudioStream> openAudioFile(const std::string& path, std::string& error);
