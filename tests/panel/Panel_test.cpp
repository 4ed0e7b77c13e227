#include "cue/Dmx_space.h"
#include "cue/Seque.h"
#include "panel/Panel.h"

#include <gtest/gtest.h>

namespace {

// A store with sequences 1-3 and cues 1-2, a universe and the panel over them.
struct PanelFixture : ::testing::Test {
    KySeque store;
    KyDmxSpace dmx;
    KyPanel panel{store, dmx};

    PanelFixture()
    {
        for (const char* name : {"Jeden", "Dwa", "Trzy"}) {
            KySequence seq;
            seq.name = name;
            store.addSequence(seq);
        }
        for (const char* name : {"Cue A", "Cue B"}) {
            KyCue cue;
            cue.name = name;
            store.addCue(cue);
        }
    }

    KyButton& seqButton(int zone, int page, int k)
    {
        return panel.seqButtons[std::size_t(zone)].pages[std::size_t(page)][std::size_t(k)];
    }
    KyButton& cueButton(int page, int k) { return panel.cueButtons.pages[std::size_t(page)][std::size_t(k)]; }
    int litCount()
    {
        int n = 0;
        for (auto& column : panel.seqButtons)
            for (auto& page : column.pages)
                for (auto& b : page)
                    n += b.lit;
        for (auto& page : panel.cueButtons.pages)
            for (auto& b : page)
                n += b.lit;
        return n;
    }
};

} // namespace

TEST_F(PanelFixture, ToggleLightsOneButtonPerColumnAcrossItsPages)
{
    seqButton(3, 2, 1).id = 1;
    seqButton(3, 0, 4).id = 2;
    seqButton(4, 0, 0).id = 3;
    KySeqButtons& zone4 = panel.seqButtons[3];

    zone4.page = 0;
    EXPECT_EQ(zone4.toggle(0).outcome, KyToggle::NothingDone); // empty button
    EXPECT_EQ(litCount(), 0);

    panel.seqButtons[4].toggle(0);
    zone4.page = 2;
    KyToggle t = zone4.toggle(1);
    EXPECT_EQ(t.outcome, KyToggle::Selected);
    EXPECT_EQ(t.id, 1);
    zone4.page = 0;
    t = zone4.toggle(4);
    EXPECT_EQ(t.outcome, KyToggle::Selected);
    EXPECT_EQ(t.id, 2);
    EXPECT_FALSE(seqButton(3, 2, 1).lit);
    EXPECT_TRUE(seqButton(3, 0, 4).shownLit());
    EXPECT_TRUE(seqButton(4, 0, 0).lit); // another zone keeps its button

    t = zone4.toggle(4);
    EXPECT_EQ(t.outcome, KyToggle::NoneSelected);
    EXPECT_EQ(litCount(), 1);
}

TEST_F(PanelFixture, EmptyButtonsAreNeverLitOrShownLit)
{
    KyButton b;
    b.light();
    EXPECT_FALSE(b.lit);
    b.id = 5;
    b.light();
    EXPECT_TRUE(b.shownLit());
    b.id = 0;
    EXPECT_FALSE(b.shownLit());
}

TEST_F(PanelFixture, RefreshEmptiesButtonsWhoseSequenceIsGone)
{
    KySeqButtons& zone1 = panel.seqButtons[0];
    zone1.page = 1;
    zone1.button(0).id = 2;
    zone1.button(1).id = 2;
    zone1.button(2).id = 99;
    store.eraseSequence(1); // "Dwa"
    zone1.button(1).id = 3;
    auto captions = zone1.refresh();
    EXPECT_EQ(captions[0], kMissingCaption);
    EXPECT_EQ(captions[1], "Trzy");
    EXPECT_EQ(captions[2], kMissingCaption);
    EXPECT_EQ(captions[3], kMissingCaption);
    EXPECT_EQ(zone1.button(0).id, 0);
    EXPECT_EQ(zone1.button(2).id, 0);
    EXPECT_EQ(zone1.pageLetter(), 'B');
}

TEST_F(PanelFixture, CueRefreshDarkensALitButtonWhoseCueIsNotLive)
{
    KyCueButtons& cues = panel.cueButtons;
    cues.button(0).id = 1;
    cues.button(1).id = 2;
    cues.toggle(1);
    dmx.liveCue().id = 2;
    auto captions = cues.refresh();
    EXPECT_EQ(captions[0], "Cue A");
    EXPECT_TRUE(cues.button(1).shownLit());

    dmx.liveCue().id = 1; // the cue editor loaded another cue
    cues.refresh();
    EXPECT_EQ(litCount(), 0);
}

TEST_F(PanelFixture, AssigningASequenceClearsTheOptionsAssigningACueKeepsThem)
{
    KySeqButtons& zone2 = panel.seqButtons[1];
    zone2.button(3) = KyButton{false, true, 8, 1};
    zone2.assign(3, store.findSequence(3));
    EXPECT_EQ(zone2.button(3).id, 3);
    EXPECT_FALSE(zone2.button(3).flash);
    EXPECT_EQ(zone2.button(3).musicPulses, 0);

    panel.cueButtons.button(0) = KyButton{false, true, 4, 1};
    panel.cueButtons.assign(0, nullptr);
    EXPECT_EQ(panel.cueButtons.button(0).id, 0);
    EXPECT_TRUE(panel.cueButtons.button(0).flash);
    EXPECT_EQ(panel.cueButtons.button(0).musicPulses, 4);
}

TEST_F(PanelFixture, ModuleListsAreOrderedByZonePageAndButton)
{
    seqButton(2, 7, 3) = KyButton{false, false, 16, 3};
    seqButton(9, 9, 4) = KyButton{false, true, 2, 42}; // not stored
    cueButton(4, 19).id = 77;                          // ids of cues are given as stored

    auto entries = panel.sequenceEntries();
    ASSERT_EQ(entries.size(), 500u);
    EXPECT_EQ(entries[2 * 50 + 7 * 5 + 3], (KyPanel::SequenceEntry{3, 16}));
    EXPECT_EQ(entries[499], (KyPanel::SequenceEntry{0, 2}));
    auto cues = panel.cueEntries();
    ASSERT_EQ(cues.size(), 200u);
    EXPECT_EQ(cues[4 * 20 + 19], 77);
}

TEST_F(PanelFixture, FileHoldsCueButtonsFirstAndRoundTripsEveryRecord)
{
    int n = 0;
    for (auto& page : panel.cueButtons.pages)
        for (auto& b : page)
            {
                b = KyButton{false, n % 3 == 0, n, 1000 + n};
                ++n;
            }
    for (auto& column : panel.seqButtons)
        for (auto& page : column.pages)
            for (auto& b : page)
                {
                    b = KyButton{false, n % 2 == 0, -n, 2000 + n};
                    ++n;
                }
    seqButton(0, 0, 0).lit = true;
    panel.seqButtons[5].page = 6;

    vt::Bytes bytes = panel.toBytes();
    ASSERT_EQ(bytes.size(), 6300u);
    // Button 0 of zone 1 follows the 200 cue buttons: flash 1, pulses -200, id 2200.
    const vt::Bytes record = {1, 0x38, 0xFF, 0xFF, 0xFF, 0x98, 0x08, 0, 0};
    EXPECT_TRUE(std::equal(record.begin(), record.end(), bytes.begin() + 200 * 9));

    KySeque otherStore;
    KyPanel again(otherStore, dmx);
    EXPECT_EQ(again.fromBytes(bytes), vt::LoadStatus::Complete);
    EXPECT_EQ(again.toBytes(), bytes);
    EXPECT_FALSE(again.seqButtons[0].pages[0][0].lit);
    EXPECT_EQ(again.seqButtons[5].page, 0);
}

TEST_F(PanelFixture, ShortOrLongFilesKeepTheRecordsTheyHoldAndCountAsDamaged)
{
    seqButton(5, 5, 2).id = 3;
    cueButton(0, 1).id = 1;
    const vt::Bytes whole = panel.toBytes();

    vt::Bytes cut(whole.begin(), whole.begin() + 9 + 5); // one record and part of the next
    EXPECT_EQ(panel.fromBytes(cut), vt::LoadStatus::Incomplete);
    EXPECT_EQ(cueButton(0, 1).id, 0);
    EXPECT_EQ(seqButton(5, 5, 2).id, 0);

    vt::Bytes longer = whole;
    longer.push_back(0);
    EXPECT_EQ(panel.fromBytes(longer), vt::LoadStatus::Incomplete);
    EXPECT_EQ(cueButton(0, 1).id, 1);
    EXPECT_EQ(seqButton(5, 5, 2).id, 3);
}
