#include "fakeruntime.h"
#include "runtime/runtimeerror.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace pomvexa::testing {
namespace {

const CallLog frameCalls = {
    "form foreColor 0",         "form line 10 10 517 10",  "form line 10 10 10 358",
    "form line 522 5 522 362",  "form line 522 362 5 362", "form fillColor 16777215",
    "form line 5 5 522 5",      "form line 5 5 5 363",     "form line 517 10 517 358",
    "form line 517 358 10 358",
};

CallLog concat(CallLog first, const CallLog& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

class Form1Test : public ::testing::Test {
protected:
    void SetUp() override {
        game.form.Form_Load();
        game.takeLog();
    }

    void tick(int times = 1) {
        for (int i = 0; i < times; ++i)
            game.form.Timer1_Timer();
    }

    FakeForm1 game;
};

TEST(Form1Load, SetsDefaultLevelSeedsAndDrawsFrameThenFace) {
    FakeForm1 game;
    game.form.Form_Load();

    const CallLog faceCalls = {
        "Picture1 fillStyle 0",    "Picture1 fillColor 65535", "Picture1 circle 48 48 45",
        "Picture1 fillColor 0",    "Picture1 circle 60 35 10", "Picture1 circle 65 35 10",
        "Picture1 circle 47 55 8", "Picture1 drawWidth 2",     "Picture1 arc 48 50 30 3 6 1",
    };
    EXPECT_EQ(game.log,
              concat(concat({"mnumoderate checked 1", "seedRandom"}, frameCalls), faceCalls));
    EXPECT_EQ(game.form.currentLevelInterval(), 500);
    EXPECT_EQ(game.form.currentScore(), 0);
    EXPECT_EQ(game.form.currentJumpCount(), 0);
    EXPECT_EQ(game.timer.value, 0);
}

TEST_F(Form1Test, ClickBeforeFirstStartNeitherBeepsNorScores) {
    game.form.Picture1_Click();
    EXPECT_EQ(game.runtime.beeps, 0);
    EXPECT_EQ(game.form.currentScore(), 0);
}

TEST_F(Form1Test, StartClearsRedrawsFrameResetsAndStartsTimerAtLevelInterval) {
    game.form.mnustartgame_Click();
    EXPECT_EQ(game.log, concat(concat({"form cls"}, frameCalls), {"Timer1 interval 500"}));
}

TEST_F(Form1Test, TickDrawsFiveRandomsThenColoursMovesAndCounts) {
    game.form.mnustartgame_Click();
    game.takeLog();
    game.runtime.randoms = {0.5F, 0.25F, 1.0F / 256, 2.0F / 256, 3.0F / 256};
    tick();
    // left floor(0.5 * 391 + 20) = 215, top floor(0.25 * 231 + 20) = 77.
    EXPECT_EQ(game.log, (CallLog{"nextRandom", "nextRandom", "nextRandom", "nextRandom",
                                 "nextRandom", "form foreColor 197121", "Picture1 move 215 77"}));
    EXPECT_EQ(game.form.currentJumpCount(), 1);
}

TEST_F(Form1Test, ClickDuringRoundBeepsBeforeScoring) {
    game.form.mnustartgame_Click();
    game.takeLog();
    game.form.Picture1_Click();
    EXPECT_EQ(game.log, CallLog{"soundBeep"});
    EXPECT_EQ(game.form.currentScore(), 1);
}

TEST_F(Form1Test, RoundMakesThirtyJumpsThenStopsAndShowsTheScore) {
    game.form.mnustartgame_Click();
    tick(10);
    for (int i = 0; i < 3; ++i)
        game.form.Picture1_Click(); // three clicks between two jumps score three
    tick(19);
    EXPECT_TRUE(game.runtime.messages.empty());
    EXPECT_EQ(game.timer.value, 500);

    game.takeLog();
    game.runtime.randoms = {0, 0, 0, 0, 0};
    tick();
    const CallLog last = game.takeLog();
    ASSERT_EQ(last.size(), 9U);
    EXPECT_EQ(last[5], "form foreColor 0");
    EXPECT_EQ(last[6], "Picture1 move 20 20");
    EXPECT_EQ(last[7], "Timer1 interval 0");
    EXPECT_EQ(last[8], "showMessage 你的成绩:3 0");
    EXPECT_EQ(game.form.currentJumpCount(), 30);

    // Ended: clicks do nothing and no tick comes; the score stays until the next Start.
    game.form.Picture1_Click();
    EXPECT_EQ(game.runtime.beeps, 3);
    EXPECT_EQ(game.form.currentScore(), 3);
}

TEST_F(Form1Test, ScoreOfZeroIsShownAsSingleDigit) {
    game.form.mnustartgame_Click();
    tick(30);
    EXPECT_EQ(game.runtime.messages, std::vector<std::string>{"你的成绩:0"});
}

TEST_F(Form1Test, StartDuringRoundResetsWithoutMessage) {
    game.form.mnustartgame_Click();
    tick(12);
    game.form.Picture1_Click();
    game.form.mnustartgame_Click();
    EXPECT_EQ(game.form.currentScore(), 0);
    EXPECT_EQ(game.form.currentJumpCount(), 0);
    EXPECT_TRUE(game.runtime.messages.empty());
    tick(29);
    EXPECT_TRUE(game.runtime.messages.empty());
    tick();
    EXPECT_EQ(game.runtime.messages, std::vector<std::string>{"你的成绩:0"});
}

TEST_F(Form1Test, LevelChoiceDuringRoundAppliesFromNextStart) {
    game.form.mnustartgame_Click();
    game.takeLog();
    game.form.mnueasy_Click();
    EXPECT_EQ(game.log, (CallLog{"mnumoderate checked 0", "mnueasy checked 1"}));
    EXPECT_EQ(game.timer.value, 500);
    game.form.mnustartgame_Click();
    EXPECT_EQ(game.timer.value, 1000);
}

TEST_F(Form1Test, AboutAndHelpBothShowTheAboutBox) {
    game.form.about_Click();
    game.form.help_Click();
    EXPECT_EQ(game.log, (CallLog{"frmAbout show", "frmAbout show"}));
}

TEST_F(Form1Test, ExitUnloadsTheWindow) {
    game.form.mnuexit_Click();
    EXPECT_EQ(game.log, CallLog{"form unload"});
}

TEST_F(Form1Test, ScoreOverflowBeepsRaisesAndKeepsTheMaximum) {
    game.form.mnustartgame_Click();
    for (int i = 0; i < std::numeric_limits<std::int16_t>::max(); ++i)
        game.form.Picture1_Click();
    ASSERT_EQ(game.form.currentScore(), 32767);
    const int beepsBefore = game.runtime.beeps;
    try {
        game.form.Picture1_Click();
        FAIL() << "the 32768th click must raise Overflow";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.number(), 6);
        EXPECT_EQ(error.text(), "Overflow");
    }
    EXPECT_EQ(game.runtime.beeps, beepsBefore + 1);
    EXPECT_EQ(game.form.currentScore(), 32767);
    // The round goes on to its end and reports the kept score.
    tick(30);
    EXPECT_EQ(game.runtime.messages, std::vector<std::string>{"你的成绩:32767"});
}

// Level choices, in any order, leave only the last one checked and set its interval.
struct LevelCase {
    const char* name;
    std::vector<void (Form1::*)()> choices;
    std::int32_t expectedInterval;
    const char* expectedChecked;
};

void PrintTo(const LevelCase& level, std::ostream* out) {
    *out << level.name;
}

class Form1LevelTest : public Form1Test, public ::testing::WithParamInterface<LevelCase> {};

TEST_P(Form1LevelTest, LastChoiceIsCheckedAndSetsNextRoundInterval) {
    const LevelCase& level = GetParam();
    for (auto choice : level.choices)
        (game.form.*choice)();

    const std::pair<const char*, const FakeMenuItem*> items[] = {
        {"mnueasy", &game.easy},
        {"mnumoderate", &game.moderate},
        {"mnuhard", &game.hard},
        {"mnuimpossible", &game.impossible},
    };
    for (const auto& [name, item] : items)
        EXPECT_EQ(item->checked, std::string(name) == level.expectedChecked) << name;
    EXPECT_EQ(game.timer.value, 0) << "a level choice never touches the timer";
    game.form.mnustartgame_Click();
    EXPECT_EQ(game.timer.value, level.expectedInterval);
}

INSTANTIATE_TEST_SUITE_P(
    Choices, Form1LevelTest,
    ::testing::Values(
        LevelCase{"none", {}, 500, "mnumoderate"},
        LevelCase{"moderate", {&Form1::mnumoderate_Click}, 700, "mnumoderate"},
        LevelCase{"easy", {&Form1::mnueasy_Click}, 1000, "mnueasy"},
        LevelCase{"hard", {&Form1::mnuhard_Click}, 400, "mnuhard"},
        LevelCase{"impossible", {&Form1::mnuimpossible_Click}, 250, "mnuimpossible"},
        LevelCase{"hardTwice", {&Form1::mnuhard_Click, &Form1::mnuhard_Click}, 400, "mnuhard"},
        LevelCase{"allThenEasy",
                  {&Form1::mnuimpossible_Click, &Form1::mnuhard_Click, &Form1::mnumoderate_Click,
                   &Form1::mnueasy_Click},
                  1000,
                  "mnueasy"},
        LevelCase{"easyThenImpossible",
                  {&Form1::mnueasy_Click, &Form1::mnuimpossible_Click},
                  250,
                  "mnuimpossible"}),
    [](const auto& info) { return std::string(info.param.name); });

// Where a jump lands and which colour it paints, for given random values.
struct JumpCase {
    const char* name;
    float random;
    float expectedLeft;
    float expectedTop;
    Colour expectedColour;
};

void PrintTo(const JumpCase& jump, std::ostream* out) {
    *out << jump.name;
}

class Form1JumpTest : public Form1Test, public ::testing::WithParamInterface<JumpCase> {};

TEST_P(Form1JumpTest, RandomValueGivesPositionAndColour) {
    const JumpCase& jump = GetParam();
    game.form.mnustartgame_Click();
    game.runtime.randoms.assign(5, jump.random);
    tick();
    EXPECT_EQ(game.picture.left, jump.expectedLeft);
    EXPECT_EQ(game.picture.top, jump.expectedTop);
    EXPECT_EQ(game.canvas.foreColor, jump.expectedColour);
}

const float largestBelowOne = std::nextafter(1.0F, 0.0F);

INSTANTIATE_TEST_SUITE_P(
    Extremes, Form1JumpTest,
    ::testing::Values(JumpCase{"zero", 0.0F, 20, 20, 0},
                      JumpCase{"largestBelowOne", largestBelowOne, 410, 250, 16777215},
                      // 0.5 rounds to even 0, 1.5 to 2, 255.5 to 256 which counts as 255.
                      JumpCase{"halfRoundsToEvenZero", 0.5F / 256, 20, 20, 0},
                      JumpCase{"oneAndHalfRoundsToTwo", 1.5F / 256, 22, 21, 2 * 65793},
                      JumpCase{"topTieCountsAsFull", 255.5F / 256, 410, 250, 16777215}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace pomvexa::testing
