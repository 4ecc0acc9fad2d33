// The face-judging rules and the verdict table.
#include "game/judging.h"

#include <array>
#include <initializer_list>

#include "game/rule_sound.h"
#include "game/world.h"

// Sequence numbers of the bonus sprites; KEEP leaves the sprite as it is.
static constexpr int KEEP = -1;

struct Verdict {
    int points;
    int sequenceA; // BonusSpriteA shows the verdicts up to BONUS_A_LAST_VERDICT
    int sequenceB; // BonusSpriteB the rest
};

// Indexed by verdict.
static constexpr std::array<Verdict, VERDICT_COUNT> Verdicts = {{
    {0, KEEP, KEEP}, // nothing
    {50, VERDICT_SILLY, 0},
    {75, VERDICT_JOKER, 0},
    {100, VERDICT_JESTER, 0},
    {50, VERDICT_ODD, 0},
    {75, VERDICT_PIRATE, 0},
    {50, VERDICT_TIN, 0},
    {75, VERDICT_ROBOT, 0},
    {100, VERDICT_MECHA, 0},
    {50, 0, VERDICT_WEIRD - BONUS_A_LAST_VERDICT},
    {75, 0, VERDICT_ALIEN - BONUS_A_LAST_VERDICT},
    {100, 0, VERDICT_MARTIAN - BONUS_A_LAST_VERDICT},
    {10, 0, VERDICT_SMILE - BONUS_A_LAST_VERDICT},
    {10, 0, VERDICT_CUTE - BONUS_A_LAST_VERDICT},
}};

static bool In(int v, std::initializer_list<int> set)
{
    for (int member : set) {
        if (v == member) {
            return true;
        }
    }
    return false;
}

// The rules below are tried in this order; the order matters, as many faces meet several.
int JudgeVerdict(int a, int b, int c, int d)
{
    if (a == 19 && b == 19 && c == 19 && In(d, {0, 19})) {
        return VERDICT_MARTIAN;
    }
    if ((c == 19 && d == 0 &&
         ((b == 19 && !In(a, {11, 12, 13, 14, 18, 19})) || (a == 19 && b != 19))) ||
        (b == 19 && c == 19 && d == 19 && !In(a, {11, 13, 14, 15, 18, 19})) ||
        (a == 17 && c == 12 && d == 12) || (a == 17 && b == 15 && c == 12) ||
        (a == 17 && b == 15 && d == 12) ||
        (!In(a, {11, 13, 14, 15, 18}) && b == 15 && c == 12 && In(d, {12, 13}))) {
        return VERDICT_ALIEN;
    }
    if (!In(a, {11, 13, 14, 15, 18}) &&
        ((c == 12 && d == 13) || (b == 15 && d == 13 && !In(c, {10, 11, 16, 17})) ||
         (c == 12 && d == 12) || (b == 15 && c == 12) ||
         (b == 15 && d == 12 && !In(c, {10, 11, 16, 17})) ||
         (b == 19 && c == 19 && In(d, {0, 6, 7, 11, 12, 18})) ||
         (c == 19 && d == 19 && !In(b, {12, 14, 15, 16, 19})) ||
         (b == 19 && d == 19 && !In(c, {10, 11, 12, 14, 18})))) {
        return VERDICT_WEIRD;
    }
    if (a == 10 && In(b, {10, 11}) && In(c, {10, 17}) && d == 10) {
        return VERDICT_JESTER;
    }
    if (d == 10 &&
        (((a == 10 || In(b, {10, 11})) && In(c, {10, 17})) || (a == 10 && In(b, {10, 11})))) {
        return VERDICT_JOKER;
    }
    if (d == 10 && (a == 10 || In(b, {10, 11}) || In(c, {10, 17}))) {
        return VERDICT_SILLY;
    }
    if (d == 10 && ((b == 12 && In(c, {11, 17})) || (b == 11 && c == 11))) {
        return VERDICT_PIRATE;
    }
    if ((b == 12 && c == 11) || (b == 12 && d == 10) || (c == 11 && d == 10) ||
        (b == 12 && c == 17) || (b == 11 && In(c, {11, 17}))) {
        return VERDICT_ODD;
    }
    if (a == 12 && b == 14 && c == 18 && In(d, {14, 19})) {
        return VERDICT_MECHA;
    }
    if ((a == 12 && b == 14 && d == 14) || (a == 12 && b == 14 && c == 18) ||
        (a == 12 && c == 18 && d == 14) || (b == 14 && c == 18 && d == 14) ||
        (a == 12 && b == 14 && d == 19) || (a == 12 && c == 18 && d == 19)) {
        return VERDICT_ROBOT;
    }
    if ((a == 12 && b == 14) || (a == 12 && d == 14) || (a == 12 && d == 18) ||
        (a == 12 && d == 19) || (b == 14 && d == 14) || (b == 14 && c == 18) ||
        (b == 14 && d == 19) || (c == 18 && d == 14) || (c == 18 && d == 19)) {
        return VERDICT_TIN;
    }
    if ((d == 0 && !In(a, {5, 6, 10, 11, 12, 13, 15, 16, 17, 18}) &&
         !In(b, {9, 11, 12, 14, 16, 17, 18, 19}) && In(c, {0, 2, 7, 9, 19})) ||
        (d == 2 && In(a, {0, 1, 2, 3, 4, 6, 7, 8, 9}) && !In(b, {5, 9, 11, 12, 14, 15, 17, 19}) &&
         In(c, {0, 1, 2, 5, 7, 8, 13, 19})) ||
        (d == 4 && In(a, {0, 1, 2, 4, 6, 7, 8, 9}) && (b == 0 || In(a, {1, 2, 4, 7, 8})) &&
         In(c, {0, 1, 2, 5, 7, 8, 18})) ||
        (d == 6 && In(a, {0, 1, 2, 4, 5, 8, 9, 10, 19}) && In(b, {0, 1, 2, 3, 4, 6, 8}) &&
         In(c, {0, 1, 2, 7, 8, 10})) ||
        (In(d, {8, 17}) && In(a, {4, 6, 7, 8, 9}) && In(b, {0, 2, 4, 6, 7, 8, 9}) &&
         In(c, {0, 2, 5, 7, 8}))) {
        return VERDICT_SMILE;
    }
    if ((d == 1 && a <= 9 && !In(b, {10, 11, 12, 14, 15, 16, 17}) &&
         In(c, {0, 1, 2, 3, 6, 7, 8, 10})) ||
        (d == 3 && a <= 8 && !In(b, {5, 6, 9, 10, 11, 12, 14, 15, 17}) &&
         In(c, {0, 1, 2, 3, 6, 7, 8})) ||
        (d == 5 && a <= 8 && In(b, {0, 1, 2, 3, 4, 5, 7, 8, 9, 18}) &&
         In(c, {0, 2, 5, 6, 7, 8, 15, 16})) ||
        (d == 7 && (a <= 9 || a == 19) && In(b, {0, 1, 3, 4, 7, 8, 19}) &&
         In(c, {0, 1, 2, 3, 6, 7, 8, 9, 14, 15})) ||
        In(d, {9, 14, 18}) ||
        (d == 15 && a >= 1 && a <= 9 && In(b, {0, 1, 3, 4, 7, 8, 9, 14}) &&
         In(c, {0, 1, 2, 3, 4, 6, 7, 8, 9, 15})) ||
        (d == 19 && !In(a, {10, 11, 12, 13, 15, 16}) && (b <= 9 || In(b, {13, 14, 19})) &&
         (c <= 9 || c == 19))) {
        return VERDICT_CUTE;
    }
    return VERDICT_NOTHING;
}

int JudgeVerdictPoints(int verdict)
{
    return Verdicts[verdict].points;
}

int JudgeFace(const int frames[4])
{
    int verdict = JudgeVerdict(frames[0], frames[1], frames[2], frames[3]);
    const Verdict& row = Verdicts[verdict];
    FaceScore += row.points;
    if (row.sequenceA != KEEP) {
        SpriteSetSequence(&BonusSpriteA, row.sequenceA);
    }
    if (row.sequenceB != KEEP) {
        SpriteSetSequence(&BonusSpriteB, row.sequenceB);
    }
    RuleSoundPlay(verdict == VERDICT_NOTHING ? SoundFaceNothing : SoundFaceScored);
    return 1;
}
