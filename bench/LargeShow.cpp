#include "LargeShow.h"

#include "app/Configuration.h"
#include "common/Cp1250.h"
#include "cue/CueFile.h"
#include "library/LibraryFile.h"
#include "sequence/SequenceFile.h"

#include <cstdlib>
#include <filesystem>

namespace large_show {
namespace {

constexpr int kDeviceTypes = 500;
constexpr int kDevices = 512;
constexpr int kPages = 4;
constexpr int kSequences = 1000;
constexpr int kScenes = 50;
constexpr int kChannels = 24;
constexpr int kCues = 200;
constexpr int kFigures = 20;

// The same numbers on every run.
class Numbers {
public:
    explicit Numbers(std::uint32_t seed) : state_(seed * 2654435761u + 1) {}
    std::uint32_t next()
    {
        state_ = state_ * 1664525u + 1013904223u;
        return state_ >> 8;
    }
    std::uint8_t byte() { return static_cast<std::uint8_t>(next()); }
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint32_t>(n)); }

private:
    std::uint32_t state_;
};

std::string cp1250(const std::string& utf8)
{
    return vt::utf8ToCp1250Lossy(utf8);
}

void putU16(KyPicture& out, std::uint32_t v)
{
    out.push_back(std::uint8_t(v));
    out.push_back(std::uint8_t(v >> 8));
}

void putU32(KyPicture& out, std::uint32_t v)
{
    putU16(out, v & 0xFFFF);
    putU16(out, v >> 16);
}

// A 24-bit BMP file: a frame of the background colour around a coloured square.
KyPicture picture(int size, Numbers& numbers)
{
    const std::uint32_t rowBytes = (std::uint32_t(size) * 3 + 3) / 4 * 4;
    const std::uint32_t pixelBytes = rowBytes * std::uint32_t(size);
    KyPicture bmp;
    bmp.reserve(54 + pixelBytes);
    bmp.push_back('B');
    bmp.push_back('M');
    putU32(bmp, 54 + pixelBytes);
    putU32(bmp, 0);
    putU32(bmp, 54);
    putU32(bmp, 40);
    putU32(bmp, std::uint32_t(size));
    putU32(bmp, std::uint32_t(size));
    putU16(bmp, 1);
    putU16(bmp, 24);
    putU32(bmp, 0);
    putU32(bmp, pixelBytes);
    putU32(bmp, 2835);
    putU32(bmp, 2835);
    putU32(bmp, 0);
    putU32(bmp, 0);
    const std::uint8_t colour[3] = {numbers.byte(), numbers.byte(), numbers.byte()};
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const bool frame = x < 2 || y < 2 || x >= size - 2 || y >= size - 2;
            for (std::uint8_t c : colour)
                bmp.push_back(frame ? 0xF0 : std::uint8_t(c ^ (x * 8) ^ (y * 4)));
        }
        bmp.resize(bmp.size() + rowBytes - std::uint32_t(size) * 3);
    }
    return bmp;
}

KyDimmer dimmer(const char* name, std::int32_t channel)
{
    KyDimmer d;
    d.active = true;
    d.channel = channel;
    d.name = name;
    return d;
}

KyGobo wheel(std::int32_t channel, const char* slotName, Numbers& numbers)
{
    KyGobo w;
    w.wheel = dimmer("Koło", channel);
    for (int slot = 0; slot < 12; ++slot)
        w.slots.push_back({cp1250(slotName + std::to_string(slot + 1)), picture(16, numbers), slot * 21});
    return w;
}

// A moving head of 16 channels: intensity, 16-bit pan and tilt, colour and gobo wheels.
KyDevice deviceType(int n)
{
    Numbers numbers{std::uint32_t(n)};
    KyDevice d;
    const char* families[] = {"Głowica", "Skaner", "Reflektor", "Łuk LED", "Ściana"};
    d.name = cp1250(std::string(families[n % 5]) + " " + std::to_string(1000 + n));
    d.description = {cp1250("Typ urządzenia nr " + std::to_string(n)), "DMX 16"};
    d.icon = picture(32, numbers);
    d.reset.values = {{16, 255}};
    d.reset.active = true;
    d.shutter = {true, 8, 255, 0};
    d.intensity = dimmer("Jasność", 1);
    d.strobe = dimmer("Strob", 9);
    d.blackout.values = {{1, 0}};
    d.blackout.active = true;
    d.lampOn.values = {{16, 200}};
    d.lampOn.active = true;
    d.lampOff.values = {{16, 0}};
    d.lampOff.active = true;
    d.panTilt = {true, false, 3, 2, 5, 4, dimmer("Prędkość", 10), {}};
    d.color1 = wheel(6, "Kolor ", numbers);
    d.gobo1 = wheel(7, "Gobo ", numbers);
    d.optic.optic1 = dimmer("Zoom", 11);
    d.optic.optic2 = dimmer("Fokus", 12);
    for (int channel = 13; channel <= 15; ++channel) {
        KyDimm entry;
        static_cast<KyDimmer&>(entry) = dimmer("Dimmer", channel);
        d.dimmers.addDimm(entry);
    }
    return d;
}

void buildLibrary(KyShow& show)
{
    for (int n = 0; n < kDeviceTypes; ++n)
        show.library.addDevice(deviceType(n));
    for (int i = 0; i < kDevices; ++i) {
        KyClubDevice device(show.library.deviceAt(std::size_t(i % kDeviceTypes)));
        device.startAddress = (i % 32) * 16 + 1;
        device.name = cp1250("Urządzenie " + std::to_string(i + 1));
        device.panInverted = i % 3 == 0;
        device.page = i / 128;
        device.iconLeft = (i % 16) * (KyDevIcon::kWidth + 4) + 4;
        device.iconTop = (i % 128) / 16 * (KyDevIcon::kHeight + 4) + 4;
        show.library.club.addClubDevice(device);
    }
}

// Two 16-bit heads (pan and tilt linked, figures running on some sequences) and sixteen
// single channels, all on consecutive channels from `base`.
KyScene scene(int sequence, int index, int base, Numbers& numbers)
{
    KyScene::ChannelMap channels;
    KyScene::GeneratorMap generators;
    for (int head = 0; head < 2; ++head) {
        const int pan = base + 4 * head, tilt = pan + 2;
        channels[pan] = KyChStatus{numbers.byte(), 2, 1, pan + 1, tilt};
        channels[pan + 1] = KyChStatus{numbers.byte(), 1, 1, 0, tilt};
        channels[tilt] = KyChStatus{numbers.byte(), 2, 2, tilt + 1, tilt};
        channels[tilt + 1] = KyChStatus{numbers.byte(), 1, 2, 0, tilt};
    }
    for (int c = 8; c < kChannels; ++c)
        channels[base + c] = KyChStatus{numbers.byte(), 0, 0, 0, 0};
    for (const auto& entry : channels) {
        KyGenerator g;
        if (entry.second.pairRole != 0 && entry.second.kind == 2 && sequence % 3 != 0) {
            g.enabled = 1;
            g.amplitude = 40 + (index / 10) * 8;
            g.speed = 60 + sequence % 100;
            g.phase = entry.second.pairRole == 2 ? 90 : 0;
            g.phaseModifier = (entry.first - base) * 15;
        }
        generators[entry.first] = g;
    }
    KyScene s;
    s.assign(std::move(channels), std::move(generators));
    s.sceneTime = std::uint32_t(10 + (sequence + index) % 40);
    return s;
}

std::string sequenceName(int n)
{
    const char* words[] = {"Ściemnianie", "żółty pościg", "Ambient", "Błysk", "chase", "Łuna", "Zielony", "ćma"};
    return cp1250(std::string(words[n % 8]) + " " + std::to_string(n));
}

void buildSequences(KyShow& show)
{
    for (int n = 0; n < kSequences; ++n) {
        Numbers numbers{std::uint32_t(100000 + n)};
        KySequence seq;
        seq.fade = n % 2 == 0;
        seq.name = sequenceName(n);
        seq.scenes.reserve(kScenes);
        const int base = (n * 8) % (512 - kChannels);
        for (int i = 0; i < kScenes; ++i)
            seq.scenes.push_back(scene(n, i, base, numbers));
        show.seque.addSequence(seq);
    }
}

void buildCues(KyShow& show)
{
    for (int n = 0; n < kCues; ++n) {
        KyCue cue;
        cue.name = cp1250((n % 2 ? "Pokaz " : "Ściana ") + std::to_string(n + 1));
        for (int zone = 0; zone < KyCue::kZones; ++zone) {
            KySeqEngine& engine = cue.zoneEngine(zone);
            engine = KySeqEngine(show.seque.sharedSequenceAt(std::size_t((n * 7 + zone * 101) % kSequences)));
            engine.speed = (n + zone) % 21 - 10;
            engine.beatsPerStep = 1u << (zone % 5);
            engine.music = zone % 4 == 0;
            engine.active = zone != 9 || n % 2 == 0;
        }
        cue.setGeneratorSpeed(0.5 + (n % 8) * 0.25, false);
        cue.setGeneratorAmplitude((n % 10) * 0.1);
        show.seque.addCue(cue);
    }
}

void buildPanel(KyShow& show)
{
    for (int zone = 0; zone < KyPanel::kZones; ++zone)
        for (int page = 0; page < KySeqButtons::kPages; ++page)
            for (int b = 0; b < KySeqButtons::kButtons; ++b) {
                KyButton& button = show.panel.seqButtons[std::size_t(zone)].pages[std::size_t(page)][std::size_t(b)];
                button.id = (zone * 50 + page * 5 + b) % kSequences + 1;
                button.flash = b == 4;
                button.musicPulses = b == 3 ? 2 : 0;
            }
    for (int page = 0; page < KyCueButtons::kPages; ++page)
        for (int b = 0; b < KyCueButtons::kButtons; ++b)
            show.panel.cueButtons.pages[std::size_t(page)][std::size_t(b)].id = (page * 20 + b) % kCues + 1;
}

void buildRest(KyShow& show)
{
    for (int n = 0; n < kFigures; ++n) {
        KyPanTiltGen figure{cp1250("Figura " + std::to_string(n + 1)), {}, {}};
        figure.pan.enabled = figure.tilt.enabled = 1;
        figure.pan.amplitude = 20 + 5 * n;
        figure.tilt.phase = (n * 45) % 360;
        show.genList.append(figure);
    }
    show.pageNames.clear();
    for (int page = 0; page < kPages; ++page)
        show.pageNames.push_back("Strona " + std::to_string(page + 1));
    for (std::size_t zone = 0; zone < show.zoneNames.size(); ++zone)
        show.zoneNames[zone] = "Strefa " + std::to_string(zone + 1);
}

} // namespace

void build(KyShow& show)
{
    buildLibrary(show);
    buildSequences(show);
    buildCues(show);
    buildPanel(show);
    buildRest(show);
    show.rebuildIcons();
}

bool write(const std::string& directory, std::string* error)
{
    KyShow show(DataPaths::in(directory));
    build(show);
    const DataPaths& p = show.paths();
    return saveLibrary(show.library, p.library, error) && show.library.club.save(p.club, error) &&
           show.genList.save(p.generators, error) && saveSequences(show.seque, p.sequences, error) &&
           saveCues(show.seque, p.cues, error) && show.panel.save(p.panel, error) &&
           saveConfiguration(p.configuration, show.pageNames, show.zoneNames, error);
}

TemporaryShow::TemporaryShow(const std::string& prefix)
{
    directory_ = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
    if (!mkdtemp(directory_.data()) || !write(directory_))
        std::abort();
}

TemporaryShow::~TemporaryShow()
{
    std::error_code ignored;
    std::filesystem::remove_all(directory_, ignored);
}

std::uintmax_t filesSize(const std::string& directory)
{
    const DataPaths p = DataPaths::in(directory);
    std::uintmax_t total = 0;
    for (const std::string* path : {&p.library, &p.club, &p.generators, &p.sequences, &p.cues, &p.panel, &p.configuration}) {
        std::error_code ec;
        const auto size = std::filesystem::file_size(*path, ec);
        if (!ec)
            total += size;
    }
    return total;
}

} // namespace large_show
