// Readability at play size, measured on the generated sheets: the bases' letters, the genome log's
// pages, and the verdict badges, which animate, against the panel they are drawn over.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "tests/tools/sheet.h"
#include "tools/assetgen/sheets.h"

namespace {

// Relative luminance of a palette entry, on linearised sRGB, and the contrast ratio of two.
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

// A bounding box grown pixel by pixel; empty while right < left.
struct Box {
    int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
    void Add(int x, int y)
    {
        left = std::min(left, x), top = std::min(top, y);
        right = std::max(right, x), bottom = std::max(bottom, y);
    }
};

TEST(Readability, LettersOfThePiecesReadAtPlaySize)
{
    // A piece's letter is the dark ink reached from the middle of its button: at least 8 pixels
    // high, clear of the rim, bordered only by pixels that stand out from it, and a T has a bar
    // over the middle half of its top and one stem under it, not the "II" the font gave.
    const DataSheet chromo(CHROMO_SHEET);
    ASSERT_FALSE(chromo.pixels.empty());
    for (int n = 0; n < 200; ++n) {
        SCOPED_TRACE("piece cell " + std::to_string(n));
        auto lum = [&](int x, int y) {
            return Luminance(chromo.palette[chromo.CellAt(n % CHROMO_SHEET.columns,
                                                          n / CHROMO_SHEET.columns, x, y)]);
        };
        std::vector<bool> ink(32 * 32, false);
        std::vector<std::pair<int, int>> todo;
        for (int y = 13; y <= 18; ++y)
            for (int x = 13; x <= 18; ++x)
                todo.push_back({x, y});
        Box box;
        while (!todo.empty()) {
            auto [x, y] = todo.back();
            todo.pop_back();
            if (x < 0 || y < 0 || x >= 32 || y >= 32 || ink[y * 32 + x] || lum(x, y) >= 0.05)
                continue;
            ink[y * 32 + x] = true;
            box.Add(x, y);
            todo.insert(todo.end(), {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}});
        }
        const int width = box.right - box.left + 1, height = box.bottom - box.top + 1;
        ASSERT_TRUE(height >= 8 && height <= 12 && width <= 10) << width << " x " << height;
        for (int y = box.top - 1; y <= box.bottom + 1; ++y)
            for (int x = box.left - 1; x <= box.right + 1; ++x)
                for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
                    if (!ink[y * 32 + x] && ink[(y + dy) * 32 + x + dx]) {
                        ASSERT_GE(Contrast(lum(x, y), lum(x + dx, y + dy)), 3.0) << x << ", " << y;
                    }
        if (n < 150)
            continue; // cells 150-199 are the T
        for (int y = box.top; y <= box.top + 1; ++y)
            for (int x = box.left + width / 4; x <= box.right - width / 4; ++x)
                ASSERT_TRUE(ink[y * 32 + x]) << "no bar at " << x << ", " << y;
        std::vector<int> stem;
        for (int x = box.left, y = box.top + height * 3 / 4; x <= box.right; ++x)
            if (ink[y * 32 + x])
                stem.push_back(x);
        ASSERT_FALSE(stem.empty());
        EXPECT_EQ(stem.back() - stem.front() + 1, int(stem.size())) << "more than one stem";
        EXPECT_TRUE(stem.front() >= box.left + width / 3 && stem.back() <= box.right - width / 3);
    }
}

TEST(Readability, GenomeLogPagesShowTheirLettersAndTickInTheirOwnBoxOnly)
{
    // Each page fills only its own box, which the notebook page (cell 0 of row 4), drawn over
    // the pages found, leaves see-through inside its rule lines; no two entries look alike.
    const DataSheet memo(MEMO_SHEET);
    ASSERT_TRUE(memo.width >= 10 * 129 && memo.height >= 5 * 257);
    ArtPaletteBuild();
    std::set<std::vector<int>> entries;
    for (int page = 0; page < 40; ++page) {
        SCOPED_TRACE("log page " + std::to_string(page));
        int codon[3];
        ASSERT_EQ(MemoCodonOfPage(page, codon), 1);
        const int x0 = MemoBoxLeft(page / 10), y0 = MemoBoxTop(page % 10);
        auto at = [&](int x, int y) {
            return memo.CellAt(page % MEMO_SHEET.columns, page / MEMO_SHEET.columns, x, y);
        };
        std::vector<int> box, count(PALETTE_SIZE, 0);
        for (int y = 0; y < 256; ++y)
            for (int x = 0; x < 128; ++x) {
                if (x < x0 || x >= x0 + MEMO_BOX_WIDTH || y < y0 || y >= y0 + MEMO_BOX_HEIGHT) {
                    ASSERT_EQ(at(x, y), ART_KEY_SPRITE) << x << ", " << y;
                    continue;
                }
                box.push_back(at(x, y));
                ++count[size_t(at(x, y))];
                ASSERT_NE(at(x, y), ART_KEY_SPRITE);
                ASSERT_EQ(memo.CellAt(0, 4, x, y), ART_KEY_SPRITE) << x << ", " << y;
            }
        EXPECT_NE(memo.CellAt(0, 4, x0 - 1, y0 + 5), ART_KEY_SPRITE);
        EXPECT_NE(memo.CellAt(0, 4, x0 + 5, y0 - 1), ART_KEY_SPRITE);
        entries.insert(box);

        // The letters are the dark shades of the bases' colours, at least 8 rows high; what else
        // is not the box's wash (its commonest colour) is the tick, which keeps off the letters.
        auto isLetter = [&](int index) {
            return std::any_of(codon, codon + 3, [&](int kind) {
                const ArtRamp r = PieceRamp(kind);
                return index >= ArtRampFirst[r] && index < ArtRampFirst[r] + ArtRampLength[r] / 2;
            });
        };
        const int wash = int(std::max_element(count.begin(), count.end()) - count.begin());
        Box letters, tick;
        for (int y = y0; y < y0 + MEMO_BOX_HEIGHT; ++y)
            for (int x = x0; x < x0 + MEMO_BOX_WIDTH; ++x) {
                if (isLetter(at(x, y)))
                    letters.Add(x, y);
                else if (at(x, y) != wash)
                    tick.Add(x, y);
            }
        EXPECT_GE(letters.bottom - letters.top + 1, 8) << "cap height";
        ASSERT_GE(tick.right, tick.left) << "no tick";
        EXPECT_TRUE(tick.left > letters.right || tick.right < letters.left ||
                    tick.top > letters.bottom || tick.bottom < letters.top)
            << "the tick is drawn over the letters";
    }
    EXPECT_EQ(entries.size(), 40u) << "two entries show the same letters";
}

TEST(Readability, VerdictBadgesAnimateAndStandOutFromThePanelBehindThem)
{
    // The game draws the badges at (513, 48), over the top of the face box and the panel above.
    // Every pixel of a badge's edge, and the dark ink of its name across its middle, must reach
    // 3:1 against the background picture at the same place on every shown frame. A row's 25
    // frames all show the badge, at full size in mid-animation and gone small by the last; the
    // sprites' sequence 0 shows cell 25 of rows 0 and 8, which must be blank.
    const DataSheet bonus(BONUS_SHEET), background(BACKGROUND_SHEET);
    ASSERT_TRUE(bonus.width >= 26 * 65 && bonus.height >= 13 * 65);
    ASSERT_FALSE(background.pixels.empty());
    auto behind = [&](int x, int y) {
        return Luminance(background.palette[background.At(513 + x + 1, 48 + y + 1)]);
    };
    for (int row = 0; row < 13; ++row) {
        std::vector<int> opaque(26, 0);
        for (int cell = 0; cell < 26; ++cell) {
            SCOPED_TRACE("verdict " + std::to_string(row + 1) + " cell " + std::to_string(cell));
            auto index = [&](int x, int y) {
                const bool inside = x >= 0 && y >= 0 && x < 64 && y < 64;
                return inside ? bonus.CellAt(cell, row, x, y) : int(ART_KEY_SPRITE);
            };
            int weak = 0, ink = 0;
            std::string first;
            for (int y = 0; y < 64; ++y)
                for (int x = 0; x < 64; ++x) {
                    if (index(x, y) == ART_KEY_SPRITE)
                        continue;
                    ++opaque[size_t(cell)];
                    const double lum = Luminance(bonus.palette[index(x, y)]);
                    const bool edge =
                        index(x + 1, y) == ART_KEY_SPRITE || index(x - 1, y) == ART_KEY_SPRITE ||
                        index(x, y + 1) == ART_KEY_SPRITE || index(x, y - 1) == ART_KEY_SPRITE;
                    const bool name = x >= 16 && x < 48 && y >= 20 && y <= 31 && lum < 0.03;
                    ink += name;
                    if ((edge || name) && Contrast(lum, behind(x, y)) < 3.0 && weak++ == 0)
                        first = std::to_string(x) + ", " + std::to_string(y);
                }
            EXPECT_EQ(weak, 0) << "pixels that melt into the panel, the first at " << first;
            EXPECT_TRUE(cell == 25 || opaque[size_t(cell)] > 0) << "a frame shows nothing";
            if (cell >= 8 && cell <= 20) {
                EXPECT_GE(ink, 30) << "no dark name across the badge";
            }
        }
        EXPECT_GT(opaque[12], 2 * opaque[24]) << "verdict " << row + 1;
        EXPECT_TRUE((row != 0 && row != 8) || opaque[25] == 0) << "verdict " << row + 1;
    }
}

} // namespace
