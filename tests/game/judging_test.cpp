// Face judging: the verdicts over every possible face, and what the first verdict that matches a
// face does to the score, the bonus sprites and the sound.
#include "game/judging.h"

#include <array>

#include "tests/game/world_fixture.h"

using JudgingTest = WorldTest;

TEST_F(JudgingTest, VerdictsOverEveryFaceFallAsTheRulesSay)
{
    std::array<int, VERDICT_COUNT> all{}, ordinary{};
    for (int a = 0; a < 20; ++a) {
        for (int b = 0; b < 20; ++b) {
            for (int c = 0; c < 20; ++c) {
                for (int d = 0; d < 20; ++d) {
                    int v = JudgeVerdict(a, b, c, d);
                    ASSERT_TRUE(v >= 0 && v < VERDICT_COUNT);
                    ++all[v];
                    if (a < 10 && b < 10 && c < 10 && d < 10) {
                        ++ordinary[v];
                    }
                }
            }
        }
    }
    const std::array<int, VERDICT_COUNT> wantAll = {120241, 1691, 148,  4,   2166, 19,   3197,
                                                    113,    2,    1749, 133, 2,    2896, 27639};
    const std::array<int, VERDICT_COUNT> wantOrdinary = {5435, 0, 0, 0, 0, 0,    0,
                                                         0,    0, 0, 0, 0, 1458, 3107};
    EXPECT_EQ(all, wantAll);
    EXPECT_EQ(ordinary, wantOrdinary);
}

TEST_F(JudgingTest, TheFirstMatchingVerdictScoresStartsItsBonusAndPlaysItsSound)
{
    struct Face {
        int frames[4];
        int points, sequenceA, sequenceB, sound;
    };
    const Face faces[] = {
        {{0, 0, 0, 0}, 10, 0, 4, ID_FACE_SCORED},      // verdict 12
        {{10, 10, 10, 10}, 100, 3, 0, ID_FACE_SCORED}, // verdict 3
        {{10, 0, 0, 10}, 50, 1, 0, ID_FACE_SCORED},    // verdict 1
        {{19, 19, 19, 19}, 100, 0, 3, ID_FACE_SCORED}, // verdict 11 before 10 and 9
        {{12, 14, 18, 19}, 100, 8, 0, ID_FACE_SCORED}, // verdict 8 before 7 and 6
        {{0, 12, 11, 10}, 75, 5, 0, ID_FACE_SCORED},   // verdict 5
        {{0, 0, 0, 10}, 0, 7, 2, ID_FACE_NOTHING},     // verdict 0 leaves the bonus sprites
    };
    for (const Face& f : faces) {
        SetUp();
        FaceScore = 5;
        BonusSpriteA.sequenceIndex = 7;
        BonusSpriteB.sequenceIndex = 2;
        BonusSpriteA.sequencePos = BonusSpriteB.sequencePos = 29;
        JudgeFace(f.frames);
        EXPECT_EQ(FaceScore, 5 + f.points);
        EXPECT_EQ(BonusSpriteA.sequenceIndex, f.sequenceA);
        EXPECT_EQ(BonusSpriteB.sequenceIndex, f.sequenceB);
        EXPECT_EQ(BonusSpriteA.sequencePos, f.sound == ID_FACE_SCORED ? 0 : 29) << "restarted";
        EXPECT_EQ(RuleSoundLast, f.sound);
        EXPECT_EQ(RuleSoundCount, 1);
    }
}
