#include "app/Show.h"
#include "common/Cp1250.h"
#include "music/TestAudio.h"
#include "library/LibraryFile.h"
#include "module/ModuleImage.h"
#include "sequence/SequenceFile.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using Json = nlohmann::ordered_json;

namespace {

const char* const kDataFiles[] = {"library.vt2", "club.vt2",  "sequences.vt2", "cues.vt2",
                                  "generators.vt2", "panel.vt2", "vt2.cnf"};

class Folder {
public:
    Folder()
    {
        std::string pattern = (fs::temp_directory_path() / "vt-cli-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp");
        path_ = pattern;
    }
    ~Folder() { fs::remove_all(path_); }
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;

    fs::path operator/(const std::string& name) const { return path_ / name; }
    std::string str() const { return path_.string(); }

private:
    fs::path path_;
};

std::string contents(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeFile(const fs::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

struct CliRun {
    int status = -1;
    std::string out, err;
};

// Runs the tool with `args` (quoted for the shell), stdin from `input` when given.
CliRun cli(const std::vector<std::string>& args, const std::string& input = "/dev/null")
{
    static Folder outputs;
    std::string command = "'" VANTOREL_CLI "'";
    for (const auto& arg : args)
        command += " '" + arg + "'";
    command += " <'" + input + "' >'" + (outputs / "out").string() + "' 2>'" + (outputs / "err").string() + "'";
    const int raw = std::system(command.c_str());
    CliRun run;
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = contents(outputs / "out");
    run.err = contents(outputs / "err");
    return run;
}

CliRun loadInto(const Folder& dir, const std::string& json)
{
    return cli({"load", "--data-dir", dir.str()}, json);
}

void expectSameFiles(const Folder& a, const Folder& b)
{
    for (const char* name : kDataFiles) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(fs::exists(a / name));
        EXPECT_EQ(contents(a / name), contents(b / name));
    }
}

// Dumps `source`, loads the document into an empty folder and expects every file back.
void expectDumpLoadIdentity(const Folder& source)
{
    CliRun dump = cli({"dump", "--data-dir", source.str()});
    ASSERT_EQ(dump.status, 0) << dump.err;
    Folder scratch, copy;
    writeFile(scratch / "show.json", dump.out);
    CliRun load = loadInto(copy, (scratch / "show.json").string());
    ASSERT_EQ(load.status, 0) << load.err;
    expectSameFiles(source, copy);
    EXPECT_EQ(cli({"dump", "--data-dir", copy.str()}).out, dump.out);
}

KyPicture picture(std::size_t n)
{
    KyPicture bytes(n);
    for (std::size_t i = 0; i < n; ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 37 + 11);
    return bytes;
}

// A show the program wrote: pictures of every length modulo three, names with cp1250
// letters, the five bytes cp1250 leaves unassigned and a zero byte inside, a cue with an
// amplitude that is no short decimal, and a configuration file with settings of its own.
void writeProgramShow(const Folder& dir)
{
    KyShow show(DataPaths::in(dir.str()));
    KyDevice type;
    type.name = "G\xB3owica";
    type.icon = picture(1078);
    for (std::size_t n : {0, 1, 2, 3})
        type.gobo1.addSlot(KyIcon{"Slot " + std::to_string(n), picture(n), int(n) * 10});
    type.color1.addSlot(KyIcon{"\x81\x83\x88\x90\x98", picture(5), 7});
    type.reset.setValue(3, 255);
    show.library.addDevice(type);
    show.library.club.addClubDevice(KyClubDevice(show.library.deviceAt(0)));
    KySequence seq;
    seq.name = std::string("ab\0cd", 5);
    KyScene scene;
    scene.setStatus(4, KyChStatus{9, 0, 0, 0, 0});
    seq.appendScene(scene);
    show.seque.addSequence(seq);
    KyCue cue;
    cue.zoneEngine(2) = KySeqEngine(show.seque.sharedSequenceAt(0));
    cue.zoneEngine(2).speed = -40;
    cue.generatorAmplitude = 0.37;
    cue.name = "\x8C\xE6";
    show.seque.addCue(cue);
    show.genList.append(KyPanTiltGen{"fig", {}, {}});
    show.panel.seqButtons[3].pages[2][1] = KyButton{false, true, 8, 1};
    show.pageNames = {"Jeden", "Dwa"};
    writeFile(dir / "vt2.cnf", "; settings of another tool\n[OTHER]\nkey=value\n");
    ASSERT_TRUE(show.saveAtExit().empty());
    ASSERT_TRUE(show.saveLibrary().empty());
}

std::string universeLine(std::initializer_list<std::pair<int, int>> values)
{
    std::string line(1024, '0');
    const char* hex = "0123456789abcdef";
    for (auto [channel, value] : values) {
        line[2 * channel] = hex[value >> 4];
        line[2 * channel + 1] = hex[value & 15];
    }
    return line + "\n";
}

} // namespace

TEST(Cli, DemoShowComesBackByteForByte)
{
    Folder demo;
    ASSERT_EQ(loadInto(demo, VANTOREL_DEMO_SHOW).status, 0);
    expectDumpLoadIdentity(demo);
}

TEST(Cli, FilesWithPicturesAndOddNamesComeBackByteForByte)
{
    Folder dir;
    writeProgramShow(dir);
    expectDumpLoadIdentity(dir);
}

TEST(Cli, DumpOfOneFileMatchesItsPartOfTheShow)
{
    Folder dir;
    writeProgramShow(dir);
    Json whole = Json::parse(cli({"dump", "--data-dir", dir.str()}).out);
    for (const char* name : {"club.vt2", "cues.vt2", "vt2.cnf"}) {
        CliRun one = cli({"dump", (dir / name).string()});
        ASSERT_EQ(one.status, 0) << one.err;
        Json part = Json::parse(one.out);
        ASSERT_EQ(part.size(), 1u);
        EXPECT_EQ(part.begin().value(), whole[part.begin().key()]) << name;
    }
    KyShow show(DataPaths::in(dir.str()));
    std::vector<std::string> warnings;
    show.loadAll(warnings);
    ASSERT_TRUE(saveDeviceFile(*show.library.deviceAt(0), (dir / "head.dev").string()));
    CliRun device = cli({"dump", (dir / "head.dev").string()});
    ASSERT_EQ(device.status, 0) << device.err;
    EXPECT_EQ(Json::parse(device.out)["device"], whole["library"]["devices"][0]);
}

TEST(Cli, RewriteWritesAnOlderSequenceFileInTheNewestLayout)
{
    Folder dir;
    vt::ByteWriter old; // no magic, no versions, three-field channel records, no generators
    old.i32(1);         // nextSequenceId
    old.i32(1);         // one sequence
    old.i32(1);         // its id
    old.i32(1);         // one scene
    old.i32(1);         // one channel
    old.i32(7);
    old.u8(200);
    old.u8(0);
    old.i32(0);
    old.u32(20); // sceneTime
    old.boolean(true);
    old.str("ab");
    const vt::Bytes older = old.take();
    writeFile(dir / "sequences.vt2", std::string(older.begin(), older.end()));

    CliRun rewrite = cli({"rewrite", "--data-dir", dir.str()});
    ASSERT_EQ(rewrite.status, 0) << rewrite.err;
    EXPECT_EQ(rewrite.err, "");
    for (const char* name : kDataFiles)
        EXPECT_TRUE(fs::exists(dir / name)) << name;
    const std::string newest = contents(dir / "sequences.vt2");
    // 12 bytes of sequence header, a scene of 4 + 4 + (4 + 15) + 4 + 4 bytes with no generator
    // entries (the older layout had none), the fade and the name.
    ASSERT_EQ(newest.size(), 20u + 12u + 35u + 1u + 6u);
    EXPECT_EQ(newest.substr(0, 8), std::string("vt2 seq\0", 8));
    KySeque store;
    ASSERT_EQ(sequencesFromBytes(store, vt::Bytes(newest.begin(), newest.end())), vt::LoadStatus::Complete);
    ASSERT_EQ(store.sequenceCount(), 1u);
    EXPECT_EQ(store.sequenceAt(0).sceneAt(0).statusOf(7).value, 200);
    EXPECT_TRUE(store.sequenceAt(0).fade);
    EXPECT_EQ(store.sequenceAt(0).name, "ab");
}

// Cue 1: channel 0 fades from 0 to 200 over a 10-tick scene, then a one-tick scene at 200
// fades to 0 and the loop starts again. Cue 2: channel 5 steps from 10 to 20 on music.
void writeRenderShow(const Folder& dir)
{
    KyShow show(DataPaths::in(dir.str()));
    KySequence fade;
    fade.fade = true;
    for (auto [value, time] : {std::pair{0, 10u}, std::pair{200, 1u}}) {
        KyScene scene;
        scene.setStatus(0, KyChStatus{std::uint8_t(value), 0, 0, 0, 0});
        scene.sceneTime = time;
        fade.appendScene(scene);
    }
    KySequence steps;
    for (int value : {10, 20}) {
        KyScene scene;
        scene.setStatus(5, KyChStatus{std::uint8_t(value), 0, 0, 0, 0});
        scene.sceneTime = 1000;
        steps.appendScene(scene);
    }
    show.seque.addSequence(fade);
    show.seque.addSequence(steps);
    KyCue fadeCue;
    fadeCue.name = "Fade";
    fadeCue.zoneEngine(0) = KySeqEngine(show.seque.sharedSequenceAt(0));
    show.seque.addCue(fadeCue);
    KyCue musicCue;
    musicCue.zoneEngine(0) = KySeqEngine(show.seque.sharedSequenceAt(1));
    musicCue.zoneEngine(0).music = true;
    show.seque.addCue(musicCue);
    ASSERT_TRUE(show.saveAtExit().empty());
}

TEST(Cli, RenderPlaysTheCueAsItsPanelButtonStartsIt)
{
    Folder dir;
    writeRenderShow(dir);
    struct Case {
        std::vector<std::string> args;
        int channel;
        std::vector<int> values; // one per tick
    };
    const Case cases[] = {
        {{"--cue-id", "1", "--ticks", "14"}, 0, {0, 20, 40, 60, 80, 100, 120, 140, 160, 180, 200, 0, 0, 20}},
        {{"--cue", "Fade", "--ticks", "3"}, 0, {0, 20, 40}},
        // The scene changes in the tick whose pulse completes its count, with music on only.
        {{"--cue-id", "2", "--ticks", "5", "--music", "--pulses", "3,4"}, 5, {10, 10, 10, 20, 10}},
        {{"--cue-id", "2", "--ticks", "4", "--pulses", "3"}, 5, {10, 10, 10, 10}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args{"render", "--data-dir", dir.str()};
        args.insert(args.end(), c.args.begin(), c.args.end());
        CliRun render = cli(args);
        ASSERT_EQ(render.status, 0) << render.err;
        std::string expected;
        for (int value : c.values)
            expected += universeLine({{c.channel, value}});
        EXPECT_EQ(render.out, expected) << c.args[1];
    }
}

TEST(Cli, UsageErrorsExitWithTwo)
{
    Folder dir;
    const std::vector<std::string> lines[] = {
        {},
        {"play"},
        {"dump"},
        {"dump", "--data-dir", dir.str(), (dir / "club.vt2").string()},
        {"dump", (dir / "notes.txt").string()},
        {"load"},
        {"rewrite", "--data-dir", dir.str(), "extra"},
        {"rewrite", "--data-dir", dir.str(), "--ticks", "3"},
        {"render", "--data-dir", dir.str()},
        {"render", "--data-dir", dir.str(), "--cue-id", "1", "--cue", "A"},
        {"render", "--data-dir", dir.str(), "--cue-id", "x"},
        {"render", "--data-dir", dir.str(), "--cue-id", "1", "--ticks", "-1"},
        {"render", "--data-dir", dir.str(), "--cue-id", "1", "--pulses", "2,0"},
        {"render", "--data-dir", dir.str(), "--cue-id", "1", "--pulses", "2,"},
        {"render", "--data-dir", dir.str(), "--cue-id"},
        {"beats"},
        {"beats", "--data-dir", dir.str(), (dir / "a.wav").string()},
        {"beats", (dir / "a.wav").string(), "--ticks", "3"},
        {"render", "--data-dir", dir.str(), "--cue-id", "1", "--panel"},
        {"image", "--data-dir", dir.str(), "--out", (dir / "x.sav").string()},
        {"image", "--data-dir", dir.str(), "--generation", "12"},
        {"image", "--data-dir", dir.str(), "--generation", "-1", "--out", (dir / "x.sav").string()},
        {"image", "--data-dir", dir.str(), "--generation", "12", "--out", "x.sav", "--ticks", "3"},
        {"dump", "--data-dir", dir.str(), "--cue-id", "1"},
        {"render", "--data-dir", dir.str(), "--cue-id", "1", "--ola-universe", "0"},
        {"render", "--data-dir", dir.str(), "--cue-id", "1", "--ola-universe", "65536"},
        {"render", "--data-dir", dir.str(), "--cue-id", "1", "--ola-port", "9010"},
        {"dump", "--data-dir", dir.str(), "--ola-universe", "1"},
    };
    for (const auto& args : lines) {
        CliRun run = cli(args);
        EXPECT_EQ(run.status, 2) << testing::PrintToString(args);
        EXPECT_NE(run.err.find("usage: vantorel-cli"), std::string::npos);
        EXPECT_EQ(run.out, "");
    }
}

TEST(Cli, DamagedFileIsReportedAndSetAside)
{
    Folder dir;
    writeProgramShow(dir);
    std::string club = contents(dir / "club.vt2");
    club.resize(club.size() - 2);
    writeFile(dir / "club.vt2", club);

    CliRun dump = cli({"dump", "--data-dir", dir.str()});
    EXPECT_EQ(dump.status, 0);
    EXPECT_EQ(dump.err, "Plik club.vt2 jest uszkodzony i nie został wczytany w całości.\nKopia: " +
                            (dir / "club.vt2.damaged").string() + "\n");
    EXPECT_EQ(contents(dir / "club.vt2.damaged"), club);
    EXPECT_EQ(Json::parse(dump.out)["club"]["clubDevices"].size(), 0u);
}

TEST(Cli, GeneratorsFileThatEndsTheStartUpEndsEveryCommand)
{
    Folder dir;
    writeFile(dir / "generators.vt2", std::string("vt2 gen!\1\0\0\0\0\0\0\0", 16));
    const std::vector<std::string> commands[] = {
        {"dump", "--data-dir", dir.str()},
        {"rewrite", "--data-dir", dir.str()},
        {"render", "--data-dir", dir.str(), "--cue-id", "1"},
        {"load", "--data-dir", dir.str()},
    };
    Folder scratch;
    writeFile(scratch / "panel.json", R"({"panel": {}})");
    for (const auto& args : commands) {
        CliRun run = cli(args, (scratch / "panel.json").string());
        EXPECT_EQ(run.status, 1) << args[0];
        EXPECT_EQ(run.err, "vantorel-cli: unsupported 'generators.vt2' file format\n");
        EXPECT_EQ(run.out, "");
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "."), fs::directory_iterator()), 1);
}

TEST(Cli, RefusedDocumentWritesNothing)
{
    const std::pair<const char*, const char*> documents[] = {
        {"[1, 2]", "not a JSON object"},
        {R"({"configuration": {"pageNames": ["A"]}, "sequences": {"sequences": [{"id": 1, "name": "夜"}]}})",
         "sequences.sequences[0].name: a character that code page 1250 cannot hold"},
        {R"({"library": {"devices": [{"colour1": {}}]}})", "library.devices[0].colour1: unknown member"},
        {R"({"club": {"clubDevices": [{"typeId": 4}]}})", "club.clubDevices[0].typeId: no device type 4"},
        {R"({"cues": {"nextCueId": 1, "cues": [{"id": 1, "zones": [{}, {"sequenceId": 3}]}]}})",
         "cues.cues[0].zones[1].sequenceId: no stored sequence 3"},
        {R"({"sequences": {"nextSequenceId": 1, "sequences": [{"id": 2}]}})", "nextSequenceId: below the id 2"},
        {R"({"panel": {"cueButtons": {"pages": [[{"id": 1.5}]]}}})", "expected an integer"},
        {R"({"library": {"devices": [{"icon": "AB=="}], "lastId": 0}, "club": {"clubDevices": []}})", ""},
        {R"({"library": {"devices": [{"icon": "A=B="}]}})", "icon: expected a picture in base64"},
        {R"({"sequences": {"sequences": [{"id": 1, "scenes": [{"channels": {"07": {}}}]}]}})",
         "\"07\" is not a channel number"},
        {R"({"configuration": {"zoneNames": ["1","2","3","4","5","6","7","8","9","10","11"]}})", "more than 10"},
        {R"({"events": {}})", "events: not a data file of the show"},
    };
    for (const auto& [document, message] : documents) {
        Folder dir, scratch;
        writeFile(scratch / "show.json", document);
        CliRun run = loadInto(dir, (scratch / "show.json").string());
        if (*message == '\0') { // a valid document for contrast
            EXPECT_EQ(run.status, 0) << run.err;
            continue;
        }
        EXPECT_EQ(run.status, 1) << document;
        EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_TRUE(fs::is_empty(dir / ".")) << document;
    }
}

// The live tracker over a whole file: one beat per line, then the tempo; a file that cannot
// be read is one line on standard error and exit 1.
TEST(Cli, BeatsPrintsTheBeatTimesAndTheTempo)
{
    Folder dir;
    const auto track = testaudio::makeTrack(testaudio::Style::Drums, {{128, 20}});
    const auto wav = dir / "track.wav";
    testaudio::writeWav(wav.string(), track);
    CliRun run = cli({"beats", wav.string()});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    std::istringstream lines(run.out);
    std::vector<double> beats;
    std::string line, last;
    while (std::getline(lines, line)) {
        last = line;
        if (line.starts_with("tempo:"))
            break;
        ASSERT_EQ(line.size() - line.find('.'), 4u) << line; // three decimals
        beats.push_back(std::stod(line));
    }
    EXPECT_EQ(last, "tempo: 128.0 BPM");
    EXPECT_FALSE(std::getline(lines, line));
    EXPECT_GE(testaudio::fMeasure(track.beats, beats, 0.07, track.beats[4]), 0.9);

    auto bytes = testaudio::wavBytes(track);
    bytes.resize(bytes.size() / 2);
    writeFile(dir / "cut.wav", std::string(bytes.begin(), bytes.end()));
    auto floats = testaudio::wavBytes(track);
    floats[20] = 3;
    writeFile(dir / "float.wav", std::string(floats.begin(), floats.end()));
    writeFile(dir / "notes.wav", "not audio at all");
    const std::pair<std::string, std::string> refused[] = {
        {"cut.wav", "truncated WAV file"},
        {"float.wav", "not PCM audio"},
        {"notes.wav", "not a WAV file"},
        {"missing.wav", "cannot open"},
    };
    for (const auto& [name, reason] : refused) {
        CliRun bad = cli({"beats", (dir / name).string()});
        EXPECT_EQ(bad.status, 1) << name;
        EXPECT_EQ(bad.out, "") << name;
        EXPECT_NE(bad.err.find(reason), std::string::npos) << bad.err;
        EXPECT_EQ(std::count(bad.err.begin(), bad.err.end(), '\n'), 1) << bad.err;
    }
}

// One --cue-id per press of "Cue", then "Panel": the bytes the programming window would send.
TEST(Cli, ImageIsWhatTheProgrammingWindowBuilds)
{
    Folder dir;
    writeProgramShow(dir);
    const fs::path out = dir / "klub.sav";
    CliRun run = cli({"image", "--data-dir", dir.str(), "--cue-id", "1", "--cue-id", "1", "--panel", "--generation",
                      "11", "--id", "Klub Łódź", "--serial-input", "--out", out.string()});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");

    KyShow show(DataPaths::in(dir.str()));
    std::vector<std::string> warnings;
    show.loadAll(warnings);
    KySequeDM data(show.seque, show.panel);
    data.addCue(0);
    data.addCue(0);
    data.addPanel();
    KyImageSettings settings;
    settings.firmwareGeneration = 11;
    settings.identifier = "Klub \xA3\xF3\x64\x9F";
    settings.serialInput = true;
    const KyModuleImage image = buildImage(data, show.library.club, show.zoneNames, settings);
    ASSERT_EQ(image.refusal, KyImageRefusal::None);
    EXPECT_EQ(contents(out), std::string(image.bytes.begin(), image.bytes.end()));
    EXPECT_EQ(static_cast<std::uint8_t>(contents(out)[218]), 1);
}

TEST(Cli, RefusedImageWritesNothing)
{
    Folder dir;
    writeProgramShow(dir);
    const fs::path out = dir / "klub.sav";
    std::vector<std::string> tooMany{"image", "--data-dir", dir.str(), "--generation", "12", "--out", out.string()};
    for (int i = 0; i < 129; ++i)
        tooMany.insert(tooMany.end(), {"--cue-id", "1"});
    const std::pair<std::vector<std::string>, std::string> refusals[] = {
        {tooMany, "vantorel-cli: Zbyt duża liczba CUE\n"},
        {{"image", "--data-dir", dir.str(), "--cue-id", "9", "--generation", "12", "--out", out.string()},
         "vantorel-cli: no stored cue with the id 9\n"},
        {{"image", "--data-dir", dir.str(), "--generation", "12", "--id", "SEVENTEEN-LETTERS", "--out", out.string()},
         "vantorel-cli: --id: at most 16 characters\n"},
    };
    for (const auto& [args, message] : refusals) {
        CliRun run = cli(args);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, message);
        EXPECT_FALSE(fs::exists(out));
    }
}

// Every mode of a real definition becomes a type in the show's library, each named on its own
// line with what it left out on the error stream; a refused mode or an unreadable file says so
// and changes nothing it refused.
TEST(Cli, ImportFixtureAddsOneTypePerModeToTheLibrary)
{
    const std::string definition = "/usr/share/qlcplus/fixtures/Chauvet/Chauvet-Legend-330SR-Spot.qxf";
    if (!fs::exists(definition))
        GTEST_SKIP() << "qlcplus-data is not installed";
    Folder dir;
    CliRun run = cli({"import-fixture", "--data-dir", dir.str(), definition});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "1\tChauvet Leg… (21 channel)\n2\tChauvet Leg… (27 channel)\n");
    EXPECT_NE(run.err.find("2\tPominięto: Fine Dimmer\n"), std::string::npos) << run.err;
    KyLibrary library;
    ASSERT_EQ(loadLibrary(library, (dir / "library.vt2").string()), vt::LoadStatus::Complete);
    ASSERT_EQ(library.deviceCount(), 2u);
    EXPECT_EQ(library.deviceAt(1)->name, vt::utf8ToCp1250Lossy("Chauvet Leg… (27 channel)"));
    EXPECT_TRUE(library.deviceAt(0)->panTilt.active);

    // The named good mode is added, the unknown one named as the failure.
    run = cli({"import-fixture", "--data-dir", dir.str(), definition, "--mode", "21 channel", "--mode", "Nope"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "3\tChauvet Leg… (21 channel)\n");
    EXPECT_NE(run.err.find("vantorel-cli: not imported: mode \"Nope\": no such mode\n"), std::string::npos) << run.err;

    const std::string before = contents(dir / "library.vt2");
    writeFile(dir / "broken.qxf", "<FixtureDefinition><Manufacturer>Acme");
    run = cli({"import-fixture", "--data-dir", dir.str(), (dir / "broken.qxf").string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind("vantorel-cli: cannot read ", 0), 0u) << run.err;
    EXPECT_EQ(contents(dir / "library.vt2"), before);
}
