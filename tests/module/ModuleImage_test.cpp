#include "ModuleShow.h"

#include "module/ModuleData.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr std::size_t kSequenceTable = 768;

struct ModuleImage : ::testing::Test {
    ModuleShow show;
    KySequeDM selection() { return KySequeDM(show.store, show.panel); }
};

struct EmptyLayout {
    int generation;
    std::uint32_t base;
    std::array<std::uint32_t, 13> sections; // header offsets 0-48, as image offsets
    std::size_t end;
    int blocks;
};

} // namespace

// An empty selection still has the channel tables, empty zone lists and the zone names.
TEST_F(ModuleImage, EmptySelectionLaysOutEverySection)
{
    const EmptyLayout layouts[] = {
        {12, 0, {256, 768, 768, 1792, 2304, 2816, 2816, 2816, 2816, 2816, 3328, 3840, 3878}, 3911, 16},
        {11, 1280, {256, 768, 768, 1024, 1280, 1792, 1792, 1792, 1792, 1792, 2304, 2816, 2854}, 2876, 12},
    };
    for (const EmptyLayout& layout : layouts) {
        SCOPED_TRACE(layout.generation);
        const KyModuleImage image = show.build(selection(), layout.generation, "MODUL");
        ASSERT_EQ(image.refusal, KyImageRefusal::None);
        EXPECT_EQ(image.endOffset, layout.end);
        EXPECT_EQ(image.counts.blockCount, layout.blocks);
        ASSERT_EQ(image.bytes.size(), std::size_t(layout.blocks) * 256);
        const vt::Bytes& b = image.bytes;
        for (std::size_t i = 0; i < layout.sections.size(); ++i)
            EXPECT_EQ(le(b, 4 * i, 4), layout.base + layout.sections[i]) << "header offset " << 4 * i;
        EXPECT_EQ(b[219], 1);
        EXPECT_EQ(le(b, 220, 4), layout.base + std::uint32_t(layout.blocks));
        EXPECT_EQ(std::string(b.begin() + 224, b.begin() + 240), std::string("MODUL") + std::string(11, '\0'));
        EXPECT_EQ(b[layout.sections[3] + 1], 0xFF); // the cue count less one

        const std::size_t zones = layout.sections[9];
        for (std::size_t z = 0; z < 10; ++z)
            EXPECT_EQ(b[zones + 51 * z], 0xFF);
        const std::size_t names = layout.sections[11];
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[names])), "WSZYSTKIE STREFY");
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[names + 17])), "1");
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[names + 35])), "10");
        const int width = layout.generation < 12 ? 2 : 3;
        const std::size_t table = layout.sections[12];
        EXPECT_EQ(le(b, table, width), layout.base + names);
        EXPECT_EQ(le(b, table + std::size_t(width), width), layout.base + names + 17);
        EXPECT_EQ(le(b, table + std::size_t(10 * width), width), layout.base + names + 35);
    }
}

TEST_F(ModuleImage, SixteenBitHeadsMarkTheirChannelPairs)
{
    struct Head {
        std::int32_t start, pan, panFine, tilt, tiltFine;
        bool eightBit;
        std::map<std::size_t, std::uint8_t> marked; // image offset, byte
    };
    const Head heads[] = {
        {1, 1, 2, 3, 4, false, {{256, 0xC1}, {257, 0x01}, {258, 0xC1}, {259, 0x01}}},
        {1, 2, 1, 3, 4, false, {{256, 0x81}, {257, 0x41}, {258, 0xC1}, {259, 0x01}}}, // fine below coarse
        {1, 1, 5, 3, 3, false, {{256, 0xC4}, {260, 0x04}}}, // tilt on one channel makes no pair
        {256, 1, 2, 1, 1, false, {{511, 0xC1}, {512, 0x01}}},
        {257, 1, 2, 1, 1, false, {{512, 0xC1}, {513, 0x01}}},
        {512, 1, 2, 1, 1, false, {}}, // the fine channel lies beyond the universe
        {1, 1, 2, 3, 4, true, {}},
    };
    for (const Head& head : heads) {
        SCOPED_TRACE(head.start);
        ModuleShow rig;
        KyDevice type;
        type.panTilt = {false, head.eightBit, head.panFine, head.pan, head.tiltFine, head.tilt, {}, {}};
        rig.install(type, head.start);
        const KyModuleImage image = rig.build(KySequeDM(rig.store, rig.panel));
        for (std::size_t at = 256; at < 768; ++at) {
            auto it = head.marked.find(at);
            EXPECT_EQ(image.bytes[at], it == head.marked.end() ? 0xC0 : it->second) << at;
        }
    }
}

TEST_F(ModuleImage, SceneWritesItsChannelsByHalves)
{
    show.addSequence({sceneWith({{5, 7}, {300, 9}}, 0x0123)});
    show.addCue({{0, 1}});
    for (int generation : {12, 11}) {
        KySequeDM data = selection();
        data.addCue(0);
        const KyModuleImage image = show.build(data, generation);
        const std::size_t scenes = 1024; // the table's 6 bytes, aligned
        EXPECT_EQ(slice(image.bytes, scenes, 9), (vt::Bytes{0x23, 0x01, 0x03, 1, 5, 7, 1, 44, 9}));
        const std::uint32_t base = generation < 12 ? 1280 : 0;
        EXPECT_EQ(le(image.bytes, kSequenceTable, generation < 12 ? 2 : 4), base + scenes);
    }
}

TEST_F(ModuleImage, SequenceTableEntriesPerGeneration)
{
    show.addSequence({sceneWith({{0, 1}}), sceneWith({{0, 2}}), sceneWith({{0, 3}})}, true);
    show.addSequence({sceneWith({{1, 1}})});
    show.addCue({{0, 1}, {1, 2}});
    KySequeDM data = selection();
    data.addCue(0);
    // Three scenes of 6 bytes from 0x400, then the second sequence's at 0x412.
    const KyModuleImage wide = show.build(data, 12);
    EXPECT_EQ(slice(wide.bytes, kSequenceTable, 12),
              (vt::Bytes{0x00, 0x04, 0, 0, 3, 127, 0x12, 0x04, 0, 0, 1, 0}));

    const KyModuleImage old = show.build(data, 11);
    EXPECT_EQ(slice(old.bytes, kSequenceTable, 8), (vt::Bytes{0x00, 0x09, 3, 127, 0x12, 0x09, 1, 0}));
}

TEST_F(ModuleImage, CueRecordsHoldTheirZonesAndGeneratorSettings)
{
    const std::int32_t first = show.addSequence({sceneWith({{0, 1}})});
    const std::int32_t second = show.addSequence({sceneWith({{1, 1}})});
    // Zones 2 and 5 play; zone 2 the sequence with the higher id, so module number 1.
    const std::size_t index = show.addCue({{1, second}, {4, first}});
    KyCue& cue = show.store.cueAt(index);
    cue.zoneEngine(1).speed = -20;
    cue.zoneEngine(1).beatsPerStep = 8;
    cue.zoneEngine(1).music = true;
    cue.zoneEngine(4).active = false;
    KySequeDM data = selection();
    data.addCue(index);
    const KyModuleImage image = show.build(data);
    const std::size_t record = le(image.bytes, 8, 4) + 1024;
    EXPECT_EQ(le(image.bytes, le(image.bytes, 8, 4), 4), record);

    const vt::Bytes groups = slice(image.bytes, record, 60);
    for (std::size_t i = 0; i < 60; ++i)
        if ((i < 6 || i > 11) && (i < 24 || i > 29))
            EXPECT_EQ(groups[i], 0) << i;
    EXPECT_EQ(slice(groups, 6, 6), (vt::Bytes{3 | 4, 8, 0xEC, 128, 0, 1}));
    EXPECT_EQ(slice(groups, 24, 6), (vt::Bytes{0, 1, 0, 128, 0, 0}));
}

TEST_F(ModuleImage, GeneratorSettingsBecomeSliderBytes)
{
    struct Case {
        double amplitude, speed;
        std::uint8_t amplitudeByte, speedByte;
    };
    const Case cases[] = {
        {1.0, 1.0, 128, 0},      {0.5, 0.125, 64, 0x9C}, {0.0, 2.0, 0, 34},
        {1.7, 4.0, 128, 101},    {-1, 0.01, 0, 0x9C},    {std::nan(""), std::nan(""), 0, 0x9C},
        {0.333, 0.5, 42, 0xC7},
    };
    show.addSequence({sceneWith({{0, 1}})});
    show.addCue({{0, 1}});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.speed);
        KySequeDM data = selection();
        data.addCue(0);
        data.cues[0].generatorAmplitude = c.amplitude;
        data.cues[0].generatorSpeed = c.speed;
        const KyModuleImage image = show.build(data);
        const std::size_t record = le(image.bytes, 8, 4) + 1024;
        EXPECT_EQ(image.bytes[record + 3], c.amplitudeByte);
        EXPECT_EQ(image.bytes[record + 4], c.speedByte);
    }
}

TEST_F(ModuleImage, CueOrderListPerGeneration)
{
    show.addCue({}, "A");
    show.addCue({}, "B");
    KySequeDM data = selection();
    data.addCue(0);
    data.addCue(1);
    data.addCue(0);

    const KyModuleImage wide = show.build(data, 12);
    const std::size_t x = le(wide.bytes, 12, 4);
    const std::size_t y = x + 512;
    EXPECT_EQ(wide.bytes[x + 1], 2);
    // Each 4-byte entry is overwritten by the next from its third byte on.
    EXPECT_EQ(y, 0xA00u);
    EXPECT_EQ(slice(wide.bytes, x + 2, 8), (vt::Bytes{0x00, 0x0A, 0x04, 0x0A, 0x08, 0x0A, 0, 0}));
    EXPECT_EQ(slice(wide.bytes, y, 12), (vt::Bytes{1, 5, 0, 0, 1, 5, 0, 1, 1, 5, 0, 2}));
    const std::size_t cueTable = le(wide.bytes, 8, 4);
    EXPECT_EQ(le(wide.bytes, cueTable + 8, 4), cueTable + 1024 + 120);

    const KyModuleImage old = show.build(data, 11);
    const std::size_t oldX = le(old.bytes, 12, 4) - 1280;
    EXPECT_EQ(le(old.bytes, oldX + 2, 2), 1280 + oldX + 256);
    EXPECT_EQ(le(old.bytes, oldX + 4, 2), 1280 + oldX + 256 + 2);
    EXPECT_EQ(le(old.bytes, le(old.bytes, 8, 4) - 1280 + 4, 2), le(old.bytes, 8, 4) + 256 + 120);
}

// Names end in a zero byte; the table after them points at each.
TEST_F(ModuleImage, NameTablesPointAtTheNames)
{
    show.addSequence({sceneWith({{0, 1}})}, false, "Fala");
    show.addSequence({sceneWith({{0, 1}})}, false, "B\xB3ysk");
    show.addCue({{0, 1}, {1, 2}}, "Pokaz");
    KySequeDM data = selection();
    data.addCue(0);
    for (int generation : {12, 11}) {
        const KyModuleImage image = show.build(data, generation);
        const std::uint32_t base = generation < 12 ? 1280 : 0;
        const int width = generation < 12 ? 2 : 3;
        auto nameAt = [&](std::uint32_t address) {
            return std::string(reinterpret_cast<const char*>(&image.bytes.at(address - base)));
        };
        const std::uint32_t cueTable = le(image.bytes, 24, 4) - base;
        EXPECT_EQ(nameAt(le(image.bytes, 20, 4)), "Pokaz");
        EXPECT_EQ(nameAt(le(image.bytes, cueTable, width)), "Pokaz");
        EXPECT_EQ(cueTable, le(image.bytes, 20, 4) - base + 6);
        const std::uint32_t sequenceTable = le(image.bytes, 32, 4) - base;
        EXPECT_EQ(nameAt(le(image.bytes, sequenceTable, width)), "Fala");
        EXPECT_EQ(nameAt(le(image.bytes, sequenceTable + std::uint32_t(width), width)), "B\xB3ysk");
    }
}

// The pan channel's sub-record, then the tilt channel's; the pair's figure carries on
// from the previous scene only when both axes keep their settings.
TEST_F(ModuleImage, GeneratorSubRecordsFollowTheChannels)
{
    auto headScene = [](std::int32_t panAmplitude) {
        KyScene scene = sceneWith({{10, 100}, {11, 50}, {12, 0}});
        KyChStatus pan{100, 0, 1, 0, 11};
        KyChStatus tilt{50, 0, 2, 0, 11};
        scene.setStatus(10, pan);
        scene.setStatus(11, tilt);
        KyGenerator& p = scene.generatorFor(10);
        KyGenerator& t = scene.generatorFor(11);
        p.enabled = t.enabled = 1;
        p.setAmplitude(panAmplitude);
        p.setPhase(90);
        p.phaseModifier = 10;
        p.partnerSpeed = 1.0; // running state: what a file gives, not what the pair plays
        t.setSpeed(85);
        t.phaseFlip = 1;
        t.direction = 0;
        return scene;
    };
    show.addSequence({headScene(128), headScene(128), headScene(64)});
    show.addCue({{0, 1}});
    KySequeDM data = selection();
    data.addCue(0);
    const KyModuleImage image = show.build(data);
    // Pan: speed 255 (three times tilt's), so its phase modifier counts three times:
    // trunc(120 × 1600 / 360) = 533, + 1200 = 1733 mod 1600 = 133. Tilt: phase 0 + 800
    // flipped + 1200 = 2000 mod 1600 = 400.
    const vt::Bytes continuing{10, 0x80, 0x00, 0xFF, 133, 0x80, 128, 11, 0x80, 0x00, 0x55, 0x90, 0x01, 128};
    const vt::Bytes record{0x14, 0x00, 0x05, 3, 10, 100, 11, 50, 12, 0, 2};
    std::size_t at = 1024;
    for (int scene = 0; scene < 3; ++scene) {
        SCOPED_TRACE(scene);
        EXPECT_EQ(slice(image.bytes, at, record.size()), record);
        vt::Bytes figure = continuing;
        // Scene 1 carries on from scene 0; scene 0 follows scene 2, whose pan amplitude differs.
        if (scene != 1)
            figure[1] = figure[8] = 0xC0;
        if (scene == 2)
            figure[6] = 64;
        EXPECT_EQ(slice(image.bytes, at + record.size(), 14), figure);
        at += record.size() + 14;
    }
}

TEST_F(ModuleImage, ZoneListsTakeThePanelThenTheCues)
{
    const std::int32_t a = show.addSequence({sceneWith({{0, 1}})});
    const std::int32_t b = show.addSequence({sceneWith({{0, 1}})});
    const std::int32_t c = show.addSequence({sceneWith({{0, 1}})});
    show.panel.seqButtons[0].pages[0][0] = {false, false, 4, a};
    show.panel.seqButtons[0].pages[1][2] = {false, false, 8, b};
    show.addCue({{0, a}, {3, b}});
    show.addCue({{0, c}});
    KySequeDM data = selection();
    data.addCue(0);
    data.addCue(1);
    data.addPanel();
    const KyModuleImage image = show.build(data);
    const std::size_t numbers = le(image.bytes, 36, 4);
    const std::size_t pulses = le(image.bytes, 40, 4);
    EXPECT_EQ(slice(image.bytes, numbers, 4), (vt::Bytes{0, 1, 2, 0xFF}));
    EXPECT_EQ(slice(image.bytes, pulses, 3), (vt::Bytes{4, 8, 0}));
    EXPECT_EQ(slice(image.bytes, numbers + 51 * 3, 2), (vt::Bytes{1, 0xFF}));
    EXPECT_EQ(image.bytes[numbers + 51], 0xFF);
}

// Fifty entries fill a zone's slot; more would run into the next zone's. The image is built
// all the same, and says which zones lost how many.
TEST_F(ModuleImage, ZoneListStopsAtFiftyEntries)
{
    for (int i = 0; i < 53; ++i)
        show.addSequence({sceneWith({{0, 1}})});
    for (std::size_t zone : {0, 4})
        for (int page = 0; page < 10; ++page)
            for (int button = 0; button < 5; ++button)
                show.panel.seqButtons[zone].pages[std::size_t(page)][std::size_t(button)].id = page * 5 + button + 1;
    show.addCue({{0, 51}, {4, 52}, {1, 53}});
    show.addCue({{0, 53}});
    KySequeDM data = selection();
    data.addPanel();
    data.addCue(0);
    data.addCue(1);
    const KyModuleImage image = show.build(data);
    ASSERT_EQ(image.refusal, KyImageRefusal::None);
    const std::size_t numbers = le(image.bytes, 36, 4);
    EXPECT_EQ(image.bytes[numbers + 49], 49);
    EXPECT_EQ(image.bytes[numbers + 50], 0xFF);
    EXPECT_EQ(image.bytes[numbers + 51], 52); // the next zone's list in its own slot
    ASSERT_EQ(image.zoneCuts.size(), 2u);
    EXPECT_EQ(image.zoneCuts[0].zone, 0);
    EXPECT_EQ(image.zoneCuts[0].dropped, 2);
    EXPECT_EQ(image.zoneCuts[1].zone, 4);
    EXPECT_EQ(image.zoneCuts[1].dropped, 1);
}

// The partner speed that counts is the one the pair plays at, not the one a file stored. A
// phase modifier of 7 tells them apart: with the pan at three times the tilt's speed it
// adds 21°, with the stored 1.0 it would add 7 × 255 ≡ 345° (mod 360).
TEST_F(ModuleImage, PhaseModifierScalesWithThePartnersPlayingSpeed)
{
    KyScene scene = sceneWith({{10, 100}, {11, 50}});
    scene.setStatus(10, KyChStatus{100, 0, 1, 0, 11});
    scene.setStatus(11, KyChStatus{50, 0, 2, 0, 11});
    KyGenerator& pan = scene.generatorFor(10);
    KyGenerator& tilt = scene.generatorFor(11);
    pan.enabled = tilt.enabled = 1;
    pan.setPhase(90);
    pan.phaseModifier = 7;
    pan.partnerSpeed = 1.0;
    tilt.setSpeed(85);
    show.addSequence({scene});
    show.addCue({{0, 1}});
    KySequeDM data = selection();
    data.addCue(0);
    const KyModuleImage image = show.build(data);
    // 111° is trunc(111 × 1600 / 360) = 493 units, + 1200 = 1693 mod 1600 = 93.
    const std::size_t panRecord = 1024 + 9; // after the scene time, flags and two channels
    EXPECT_EQ(slice(image.bytes, panRecord, 7), (vt::Bytes{10, 0x80, 0x00, 0xFF, 93, 0x80, 128}));
}

TEST_F(ModuleImage, ChannelFlagsMarkBlackoutAndIntensity)
{
    KyDevice type;
    type.blackout.active = true;
    type.blackout.setValue(2, 0);
    type.blackout.setValue(4, 0);
    type.intensity.active = true;
    type.intensity.channel = 1;
    KyDimm dimm;
    dimm.channel = 4;
    dimm.isIntensity = true;
    type.dimmers.addDimm(dimm);
    show.install(type, 10);
    show.install(type, 511); // channels beyond the universe are left out
    const KyModuleImage image = show.build(selection());
    const std::size_t flags = le(image.bytes, 16, 4);
    EXPECT_EQ(slice(image.bytes, flags + 8, 6), (vt::Bytes{0, 0x01, 0x80, 0, 0x81, 0}));
    EXPECT_EQ(image.bytes[flags + 510], 0x01);
    EXPECT_EQ(image.bytes[flags + 511], 0x80);
}

TEST_F(ModuleImage, HeaderCarriesTheIdentifierAndTheSerialInput)
{
    KyImageSettings settings;
    settings.identifier = "A-LONG-IDENTIFIER-TEXT";
    settings.serialInput = true;
    const KyModuleImage image = buildImage(selection(), show.library.club, show.zoneNames, settings);
    EXPECT_EQ(image.bytes[218], 1);
    EXPECT_EQ(std::string(image.bytes.begin() + 224, image.bytes.begin() + 240), "A-LONG-IDENTIFIE");
    EXPECT_EQ(image.bytes[240], 0);
}

TEST_F(ModuleImage, TooManyCuesOrSequencesAreRefused)
{
    show.addCue({}, "A");
    KySequeDM data = selection();
    for (int i = 0; i < 128; ++i)
        data.addCue(0);
    EXPECT_EQ(show.build(data, 11).refusal, KyImageRefusal::None);
    data.addCue(0);
    const KyModuleImage refused = show.build(data);
    EXPECT_EQ(refused.refusal, KyImageRefusal::TooManyCues);
    EXPECT_TRUE(refused.bytes.empty());
    EXPECT_EQ(refusalMessages(refused.refusal), (std::vector<std::string>{"Zbyt duża liczba CUE", "BRAK PAMIĘCI"}));

    KySequeDM sequences = selection();
    sequences.sequences.resize(256);
    EXPECT_EQ(show.build(sequences).refusal, KyImageRefusal::TooManySequences);
    EXPECT_EQ(refusalMessages(KyImageRefusal::TooManySequences).front(), "Zbyt duża liczba sekwencji");
}

// The image ends with the zone names, so a long zone name sets its end exactly.
TEST_F(ModuleImage, ImageSizeLimitPerGeneration)
{
    struct Limit {
        int generation;
        std::size_t largest;
    };
    for (const Limit& limit : {Limit{11, 64255}, Limit{12, 2097151}}) {
        SCOPED_TRACE(limit.generation);
        const std::size_t emptyEnd = show.build(selection(), limit.generation).endOffset;
        show.zoneNames[0] = std::string(limit.largest - emptyEnd + 1, 'x');
        const KyModuleImage largest = show.build(selection(), limit.generation);
        ASSERT_EQ(largest.refusal, KyImageRefusal::None);
        EXPECT_EQ(largest.endOffset, limit.largest);
        EXPECT_EQ(largest.counts.blockCount, maxBlocksFor(limit.generation));
        EXPECT_EQ(le(largest.bytes, 220, 4), std::uint32_t(maxBlocksFor(limit.generation) + imageBaseFor(limit.generation)));
        show.zoneNames[0] += 'x';
        const KyModuleImage tooLarge = show.build(selection(), limit.generation);
        EXPECT_EQ(tooLarge.refusal, KyImageRefusal::TooLarge);
        EXPECT_EQ(refusalMessages(tooLarge.refusal), std::vector<std::string>{"BRAK PAMIĘCI"});
        show.zoneNames[0] = "1";
    }
}

// Whatever would land beyond the module's whole memory is dropped, and the image refused.
TEST_F(ModuleImage, SelectionBeyondTheWholeMemoryIsRefused)
{
    show.addCue({}, std::string(std::size_t{5} << 20, 'x'));
    KySequeDM data = selection();
    data.addCue(0);
    EXPECT_EQ(show.build(data).refusal, KyImageRefusal::TooLarge);
}

TEST(BlockCounts, FollowTheSizeAndTheGeneration)
{
    struct Case {
        std::size_t size;
        int generation, blocks, sectors;
    };
    const Case cases[] = {
        {0, 12, 0, 1},     {1, 12, 1, 1},       {256, 12, 1, 1},    {257, 12, 2, 1},
        {64255, 11, 251, 1}, {251 * 256, 12, 251, 1}, {252 * 256, 12, 252, 2}, {2097151, 12, 8192, 33},
        {3000, 99, 12, 1}, {3000, -1, 12, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        const KyBlockCounts counts = blockCountFor(c.size, c.generation);
        EXPECT_EQ(counts.blockCount, c.blocks);
        EXPECT_EQ(counts.eraseCount, c.sectors);
    }
}
