// The face layers, read back through the game's own loader: keys where nothing may show, and
// features that stay on every head.
#include <gtest/gtest.h>

#include "tests/tools/sheet.h"
#include "tools/assetgen/palette.h"

namespace {

TEST(FaceSheet, FaceLayersStackOnEveryHeadAndTheBlankLayerIsKey)
{
    // Ten cells of 128 x 128 across; rows 0-3 the ordinary pictures' layers, 4-7 the special
    // ones', row 8 the blank layer.
    const DataSheet face(FACE_SHEET);
    ASSERT_TRUE(face.width >= 10 * 129 && face.height >= 9 * 129);
    auto at = [&](int layer, int frame, int x, int y) {
        return face.CellAt(frame % 10, frame < 10 ? layer : layer + 4, x, y);
    };
    // Where every one of the twenty heads is opaque: the eyes, noses and mouths must keep to it,
    // or some head would show a feature floating off its face.
    std::vector<bool> onEveryHead(128 * 128, true);
    for (int frame = 0; frame < 20; ++frame)
        for (int y = 0; y < 128; ++y)
            for (int x = 0; x < 128; ++x)
                if (at(0, frame, x, y) == ART_KEY_FACE)
                    onEveryHead[size_t(y * 128 + x)] = false;
    for (int layer = 0; layer < 4; ++layer)
        for (int frame = 0; frame < 20; ++frame) {
            int shown = 0, astray = 0;
            for (int y = 0; y < 128; ++y)
                for (int x = 0; x < 128; ++x)
                    if (at(layer, frame, x, y) != ART_KEY_FACE) {
                        ++shown;
                        astray += layer > 0 && !onEveryHead[size_t(y * 128 + x)];
                    }
            EXPECT_GT(shown, 12) << "layer " << layer << " picture " << frame << " shows nothing";
            EXPECT_EQ(astray, 0) << "layer " << layer << " picture " << frame;
        }
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x)
            ASSERT_EQ(face.CellAt(0, 8, x, y), ART_KEY_FACE) << "blank layer at " << x;
}

} // namespace
