// Readability at play size, measured on the generated sheets: the bases' letters stand free on
// their buttons and the T has its bar, the genome log's letters are tall enough with the tick
// beside them, and the verdict badges stand out from the panel they are drawn over.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "tests/tools/sheet.h"
#include "tools/assetgen/palette.h"
#include "tools/assetgen/sheets.h"

namespace {

// Relative luminance of a palette entry, on linearised sRGB.
double Luminance(const PALETTEENTRY& e)
{
    auto linear = [](int channel) {
        double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(e.peRed) + 0.7152 * linear(e.peGreen) + 0.0722 * linear(e.peBlue);
}

double Contrast(double a, double b)
{
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

// A bounding box grown pixel by pixel.
struct Box {
    int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1; // inclusive; empty while right < 0
    void Add(int x, int y)
    {
        left = std::min(left, x);
        top = std::min(top, y);
        right = std::max(right, x);
        bottom = std::max(bottom, y);
    }
    bool Empty() const
    {
        return right < 0;
    }
    bool Overlaps(const Box& o) const
    {
        return !Empty() && !o.Empty() && left <= o.right && o.left <= right && top <= o.bottom &&
               o.top <= bottom;
    }
};

TEST(Readability, BaseLettersStandFreeOnTheirButtonsAndTheTHasItsBarOnEveryFrame)
{
    const DataSheet chromo("chromoTile.bmp");
    ASSERT_FALSE(chromo.pixels.empty());
    constexpr int CELL = 32, COLUMNS = 25, FRAMES = 50;
    constexpr double INK = 0.05; // darker than this is the letter's ink (the button is light)
    for (int kind = 0; kind < 4; ++kind)
        for (int frame = 0; frame < FRAMES; ++frame) {
            SCOPED_TRACE("kind " + std::to_string(kind) + " frame " + std::to_string(frame));
            const int n = FRAMES * kind + frame;
            auto lum = [&](int x, int y) {
                return Luminance(
                    chromo.palette[chromo.CellAt(n % COLUMNS, n / COLUMNS, CELL, CELL, x, y)]);
            };
            // The letter: the ink reached from the middle of the button.
            std::vector<bool> letter(CELL * CELL, false);
            std::vector<std::pair<int, int>> todo;
            for (int y = 13; y <= 18; ++y)
                for (int x = 13; x <= 18; ++x)
                    if (lum(x, y) < INK)
                        todo.push_back({x, y});
            ASSERT_FALSE(todo.empty()) << "no letter in the middle of the button";
            Box box;
            while (!todo.empty()) {
                auto [x, y] = todo.back();
                todo.pop_back();
                if (x < 0 || y < 0 || x >= CELL || y >= CELL || letter[y * CELL + x] ||
                    lum(x, y) >= INK)
                    continue;
                letter[y * CELL + x] = true;
                box.Add(x, y);
                todo.insert(todo.end(), {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}});
            }
            const int width = box.right - box.left + 1, height = box.bottom - box.top + 1;
            // Tall enough to read, and on its own: it neither runs into the button's rim nor
            // touches anything that does not contrast with it.
            EXPECT_GE(height, 8);
            ASSERT_LE(width, 10);
            ASSERT_LE(height, 12);
            int touching = 0;
            for (int y = box.top - 1; y <= box.bottom + 1; ++y)
                for (int x = box.left - 1; x <= box.right + 1; ++x) {
                    if (letter[y * CELL + x])
                        continue;
                    for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                        const int ax = x + dx, ay = y + dy;
                        if (ax >= 0 && ay >= 0 && ax < CELL && ay < CELL &&
                            letter[ay * CELL + ax] && Contrast(lum(x, y), lum(ax, ay)) < 3.0) {
                            ++touching;
                            break;
                        }
                    }
                }
            EXPECT_EQ(touching, 0) << "pixels round the letter that do not stand out from it";
            if (kind != 3)
                continue;
            // A T, not "II": a bar across the top over the middle half, one stem under it.
            for (int y = box.top; y <= box.top + 1; ++y)
                for (int x = box.left + width / 4; x <= box.right - width / 4; ++x)
                    EXPECT_TRUE(letter[y * CELL + x]) << "no bar at " << x << ", " << y;
            const int stemRow = box.top + height * 3 / 4;
            std::vector<int> stem;
            for (int x = box.left; x <= box.right; ++x)
                if (letter[stemRow * CELL + x])
                    stem.push_back(x);
            ASSERT_FALSE(stem.empty()) << "no stem";
            EXPECT_EQ(stem.back() - stem.front() + 1, int(stem.size())) << "more than one stem";
            EXPECT_GE(stem.front(), box.left + width / 3);
            EXPECT_LE(stem.back(), box.right - width / 3);
        }
}

TEST(Readability, GenomeLogLettersAreTallEnoughAndTheTickStandsBesideThem)
{
    const DataSheet memo("memoTile.bmp");
    ASSERT_FALSE(memo.pixels.empty());
    ArtPaletteBuild();
    for (int page = 0; page < 40; ++page) {
        SCOPED_TRACE("page " + std::to_string(page));
        int codon[3];
        ASSERT_EQ(MemoCodonOfPage(page, codon), 1);
        // The letters are the dark shades of their bases' colours; whatever else is not the
        // box's wash (its commonest colour) is the tick.
        auto isLetter = [&](int index) {
            for (int kind : codon) {
                const ArtRamp ramp = PieceRamp(kind);
                if (index >= ArtRampFirst[ramp] &&
                    index < ArtRampFirst[ramp] + ArtRampLength[ramp] / 2)
                    return true;
            }
            return false;
        };
        const int x0 = MemoBoxLeft(page / 10), y0 = MemoBoxTop(page % 10);
        auto at = [&](int x, int y) { return memo.CellAt(page % 10, page / 10, 128, 256, x, y); };
        std::vector<int> count(PALETTE_SIZE, 0);
        for (int y = y0; y < y0 + MEMO_BOX_HEIGHT; ++y)
            for (int x = x0; x < x0 + MEMO_BOX_WIDTH; ++x)
                ++count[size_t(at(x, y))];
        const int wash = int(std::max_element(count.begin(), count.end()) - count.begin());
        Box letters, tick;
        for (int y = y0; y < y0 + MEMO_BOX_HEIGHT; ++y)
            for (int x = x0; x < x0 + MEMO_BOX_WIDTH; ++x) {
                const int v = at(x, y);
                if (isLetter(v))
                    letters.Add(x, y);
                else if (v != wash)
                    tick.Add(x, y);
            }
        ASSERT_FALSE(letters.Empty());
        EXPECT_GE(letters.bottom - letters.top + 1, 8) << "cap height";
        EXPECT_FALSE(tick.Empty()) << "no tick";
        EXPECT_FALSE(tick.Overlaps(letters)) << "the tick is drawn over the letters";
    }
}

TEST(Readability, VerdictBadgesStandOutFromThePanelBehindThem)
{
    const DataSheet bonus("bonusTile.BMP"), background("background.bmp");
    ASSERT_FALSE(bonus.pixels.empty());
    ASSERT_FALSE(background.pixels.empty());
    // The game draws the badges at (513, 48), over the top of the face box and the panel above.
    constexpr int CELL = 64, SCREEN_X = 513, SCREEN_Y = 48;
    auto behind = [&](int x, int y) {
        return Luminance(background.palette[background.At(SCREEN_X + x + 1, SCREEN_Y + y + 1)]);
    };
    for (int row = 0; row < 13; ++row) {
        SCOPED_TRACE("verdict " + std::to_string(row + 1));
        for (int cell = 0; cell < 25; ++cell) {
            auto index = [&](int x, int y) {
                if (x < 0 || y < 0 || x >= CELL || y >= CELL)
                    return int(ART_KEY_SPRITE); // beyond the sprite the panel shows
                return bonus.CellAt(cell, row, CELL, CELL, x, y);
            };
            auto lum = [&](int x, int y) { return Luminance(bonus.palette[index(x, y)]); };
            int weakEdge = 0, ink = 0, weakInk = 0;
            std::string first;
            for (int y = 0; y < CELL; ++y)
                for (int x = 0; x < CELL; ++x) {
                    if (index(x, y) == ART_KEY_SPRITE)
                        continue;
                    const bool edge =
                        index(x + 1, y) == ART_KEY_SPRITE || index(x - 1, y) == ART_KEY_SPRITE ||
                        index(x, y + 1) == ART_KEY_SPRITE || index(x, y - 1) == ART_KEY_SPRITE;
                    const double contrast = Contrast(lum(x, y), behind(x, y));
                    if (edge && contrast < 3.0) {
                        if (weakEdge++ == 0)
                            first = std::to_string(x) + ", " + std::to_string(y);
                    }
                    // The label's ink, the dark strokes across the middle of the badge: it must
                    // read against the panel as well as on its own ribbon.
                    if (x >= 16 && x < 48 && y >= 20 && y <= 31 && lum(x, y) < 0.03) {
                        ++ink;
                        weakInk += contrast < 3.0;
                    }
                }
            EXPECT_EQ(weakEdge, 0) << "cell " << cell << ": edge pixels that melt into the panel, "
                                   << "the first at " << first;
            EXPECT_EQ(weakInk, 0) << "cell " << cell;
            if (cell >= 8 && cell <= 20) {
                EXPECT_GE(ink, 30) << "cell " << cell << ": no dark label across the badge";
            }
        }
    }
}

} // namespace
