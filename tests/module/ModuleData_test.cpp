#include "ModuleShow.h"

#include "module/ModuleData.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::int32_t> sequenceIds(const KySequeDM& data)
{
    std::vector<std::int32_t> ids;
    for (const KySequence& s : data.sequences)
        ids.push_back(s.id);
    return ids;
}

std::vector<std::string> cueNames(const KySequeDM& data)
{
    std::vector<std::string> names;
    for (const KyCueDM& c : data.cues)
        names.push_back(c.name);
    return names;
}

struct Selection : ::testing::Test {
    ModuleShow show;
    Selection()
    {
        for (int i = 0; i < 4; ++i)
            show.addSequence({sceneWith({{i, 1}})});
        show.addCue({{2, 3}, {0, 1}}, "A");
        show.addCue({{1, 2}}, "B");
    }
};

} // namespace

TEST_F(Selection, CueKeepsOnlyZonesWithASequence)
{
    KyCue& stored = show.store.cueAt(0);
    stored.zoneEngine(2).speed = 40;
    stored.zoneEngine(2).beatsPerStep = 4;
    stored.zoneEngine(2).music = true;
    stored.generatorAmplitude = 0.5;
    const KyCueDM cue(stored);
    ASSERT_EQ(cue.zoneEntries.size(), 2u);
    EXPECT_EQ(cue.zoneEntries[0], (KySeqEngProp{1, 0, 0, 1, true, false}));
    EXPECT_EQ(cue.zoneEntries[1], (KySeqEngProp{3, 2, 40, 4, true, true}));
    EXPECT_EQ(cue.generatorAmplitude, 0.5);
    EXPECT_EQ(cue.name, "A");
}

// "Cue" takes in the sequences of the selected cues; removing a cue leaves them in until
// the next "Cue".
TEST_F(Selection, SequencesFollowTheCuesAdded)
{
    KySequeDM data(show.store, show.panel);
    data.addCue(1);
    data.addCue(0);
    EXPECT_EQ(sequenceIds(data), (std::vector<std::int32_t>{1, 2, 3}));
    data.removeCue(0);
    EXPECT_EQ(cueNames(data), std::vector<std::string>{"A"});
    EXPECT_EQ(sequenceIds(data), (std::vector<std::int32_t>{1, 2, 3}));
    data.addCue(0);
    EXPECT_EQ(sequenceIds(data), (std::vector<std::int32_t>{1, 3}));
    data.addCue(7); // no such row
    EXPECT_EQ(data.cues.size(), 2u);
}

TEST_F(Selection, MovingStopsAtTheEdges)
{
    KySequeDM data(show.store, show.panel);
    data.addCue(0);
    data.addCue(1);
    data.addCue(1);
    data.cues[2].name = "C";
    EXPECT_FALSE(data.moveUp(0));
    EXPECT_FALSE(data.moveDown(2));
    EXPECT_TRUE(data.moveDown(0));
    EXPECT_TRUE(data.moveUp(2));
    EXPECT_EQ(cueNames(data), (std::vector<std::string>{"B", "C", "A"}));
}

// Each assigned cue button adds its cue, the first stored cue standing in for one that is
// gone; pressing twice adds them twice. The panel's sequences stay in after a later "Cue".
TEST_F(Selection, PanelAddsItsCuesAndSequences)
{
    show.panel.cueButtons.pages[0][3].id = 2;
    show.panel.cueButtons.pages[4][0].id = 99;
    show.panel.seqButtons[5].pages[2][1].id = 4;
    KySequeDM data(show.store, show.panel);
    data.addPanel();
    data.addPanel();
    EXPECT_EQ(cueNames(data), (std::vector<std::string>{"B", "A", "B", "A"}));
    EXPECT_EQ(sequenceIds(data), (std::vector<std::int32_t>{1, 2, 3, 4}));
    data.addCue(1);
    EXPECT_EQ(sequenceIds(data), (std::vector<std::int32_t>{1, 2, 3, 4}));
    EXPECT_TRUE(data.includePanel);
}

TEST(SelectionWithoutCues, PanelStillTakesItsSequences)
{
    ModuleShow show;
    show.addSequence({sceneWith({{0, 1}})});
    show.panel.cueButtons.pages[0][0].id = 5;
    show.panel.seqButtons[0].pages[0][0].id = 1;
    KySequeDM data(show.store, show.panel);
    data.addPanel();
    EXPECT_TRUE(data.cues.empty());
    EXPECT_EQ(sequenceIds(data), std::vector<std::int32_t>{1});
}
