// Layer 2 of the face: ten ordinary noses and ten mutations.
#include "tools/assetgen/face_parts.h"

static const ArtColour CREASE = {96, 46, 30}; // the nose's lines, dark enough on every skin

static void NoseOrdinary(Canvas& c, int f)
{
    const float y = NOSE_Y;
    switch (f) {
        case 0: // button
            FaceStroke(c, FaceArc(CX, y + 2, 6.0f, 4.0f, 0.15f * PI, 0.85f * PI, 8), 2.0f, CREASE);
            for (float s : {-1.0f, 1.0f}) {
                FaceEllipse(c, CX + s * 3.2f, y + 3.5f, 1.6f, 1.1f, FaceFlat(CREASE));
            }
            break;
        case 1: // long and straight
            FaceStroke(c, {CX - 3, y - 16, CX - 2, y - 2, CX + 3, y + 5, CX, y + 7, CX - 4, y + 6},
                       1.8f, CREASE);
            break;
        case 2: // wide, flared
            FaceStroke(c, FaceArc(CX, y + 1, 10.0f, 6.0f, 0.1f * PI, 0.9f * PI, 10), 2.0f, CREASE);
            FaceStrokeBoth(c, FaceArc(CX - 9, y + 1, 3.5f, 4.5f, 0.4f * PI, 1.4f * PI, 6), 2.0f,
                           CREASE);
            break;
        case 3: // hooked bridge
            FaceStroke(c,
                       {CX + 1, y - 16, CX + 5, y - 8, CX + 7, y + 2, CX + 3, y + 6, CX - 3, y + 5},
                       2.0f, CREASE);
            FaceEllipse(c, CX - 3, y + 3, 1.5f, 1.0f, FaceFlat(CREASE));
            break;
        case 4: // small, with freckles across it
            FaceStroke(c, FaceArc(CX, y + 2, 4.0f, 3.0f, 0.1f * PI, 0.9f * PI, 8), 1.8f, CREASE);
            for (int i = 0; i < 12; ++i) {
                float s = i % 2 ? 1.0f : -1.0f;
                FaceCircle(c,
                           CX + s * (8.0f + 4.0f * static_cast<float>(i / 2 % 3) +
                                     1.0f * static_cast<float>(i / 6)),
                           y - 2.0f + 3.0f * static_cast<float>(i / 6) +
                               static_cast<float>(i / 2 % 3),
                           1.0f, FaceFlat(FaceRamp(RAMP_BROWN, 0.45f)));
            }
            break;
        case 5: // round, with rosy cheeks
            FaceStroke(c, FaceArc(CX, y, 6.0f, 5.5f, -0.1f * PI, 1.1f * PI, 10), 1.8f, CREASE);
            for (float s : {-1.0f, 1.0f}) {
                FaceEllipse(c, CX + s * 23.0f, y + 8.0f, 7.0f, 4.5f,
                            FaceFlat(FaceRamp(RAMP_PINK, 0.66f)));
            }
            break;
        case 6: // snub, turned up
            FaceStroke(c, {CX - 5, y + 1, CX - 2, y + 4, CX + 2, y + 4, CX + 5, y + 1}, 1.8f,
                       CREASE);
            for (float s : {-1.0f, 1.0f}) {
                FaceEllipse(c, CX + s * 2.6f, y + 1.5f, 1.4f, 1.8f, FaceFlat(CREASE));
            }
            break;
        case 7: // broad wings
            FaceStrokeBoth(
                c, {CX - 2, y - 12, CX - 5, y - 2, CX - 9, y + 2, CX - 7, y + 6, CX - 2, y + 5},
                2.0f, CREASE);
            break;
        case 8: // thin and pointed
            FaceStroke(c, {CX, y - 14, CX + 5, y + 4, CX - 1, y + 5}, 1.6f, CREASE);
            break;
        default: // big and round, shaded
            FaceStroke(c, FaceArc(CX, y + 1, 8.0f, 7.0f, -0.15f * PI, 1.15f * PI, 12), 2.0f,
                       CREASE);
            FaceStrokeBoth(c, {CX - 2, y - 14, CX - 4, y - 6}, 1.6f, CREASE);
            break;
    }
}

static void NoseSpecial(Canvas& c, int f)
{
    const float y = NOSE_Y;
    switch (f) {
        case 10: // the clown's red ball
            FaceCircle(c, CX, y, 9.0f, FaceLit(RAMP_RED, 0.6f, CX - 3, y - 3, 9, 9, 0.5f), 1.4f);
            break;
        case 11: // a broken hook with a sticking plaster
            FaceStroke(c,
                       {CX - 2, y - 16, CX + 6, y - 6, CX + 8, y + 2, CX + 3, y + 6, CX - 4, y + 5},
                       2.2f, CREASE);
            FaceRoundRect(c, CX + 3, y - 8, 7.0f, 2.8f, 1.4f, FaceFlat(FaceRamp(RAMP_CREAM, 0.75f)),
                          1.0f, FaceRamp(RAMP_BROWN, 0.4f));
            break;
        case 12: // alien slits
            for (float s : {-1.0f, 1.0f}) {
                FaceEllipse(c, CX + s * 3.0f, y + 2, 1.2f, 3.0f, FaceFlat(FaceRgb(24, 40, 20)));
            }
            break;
        case 13: // pig snout
            FaceEllipse(c, CX, y + 1, 10.0f, 7.5f, FaceLit(RAMP_PINK, 0.72f, CX - 3, y - 2, 10, 8),
                        1.4f);
            for (float s : {-1.0f, 1.0f}) {
                FaceEllipse(c, CX + s * 3.8f, y + 1, 1.8f, 3.0f,
                            FaceFlat(FaceRamp(RAMP_PINK, 0.15f)));
            }
            break;
        case 14: // a bird's beak
            FacePolygon(c, {CX - 9, y - 4, CX + 9, y - 4, CX, y + 12},
                        FaceLit(RAMP_AMBER, 0.6f, CX - 3, y, 9, 10), 1.4f);
            FaceStroke(c, {CX - 8, y - 1, CX + 8, y - 1}, 1.2f, FaceRamp(RAMP_AMBER, 0.3f));
            break;
        case 15: // carrot
            FacePolygon(c, {CX - 2, y - 5, CX - 2, y + 5, CX + 26, y + 2},
                        FaceLit(RAMP_GINGER, 0.65f, CX + 6, y - 2, 14, 6), 1.3f);
            for (float x : {CX + 6.0f, CX + 13.0f}) {
                FaceStroke(c, {x, y - 2, x + 1, y + 2}, 1.0f, FaceRamp(RAMP_GINGER, 0.3f));
            }
            break;
        case 16: // cat nose and whiskers
            FacePolygon(c, {CX - 5, y, CX + 5, y, CX, y + 5}, FaceFlat(FaceRamp(RAMP_PINK, 0.5f)),
                        1.0f);
            for (float s : {-1.0f, 1.0f}) {
                for (float d : {-4.0f, 0.0f, 4.0f}) {
                    FaceStroke(c, {CX + s * 10, y + 5, CX + s * 30, y + 3 + 1.6f * d}, 1.2f,
                               FaceRgb(60, 50, 50));
                }
            }
            break;
        case 17: // big red bulb
            FaceEllipse(c, CX, y + 1, 11.0f, 9.0f,
                        FaceLit(RAMP_PINK, 0.45f, CX - 4, y - 3, 11, 9, 0.45f), 1.4f);
            for (float s : {-1.0f, 1.0f}) {
                FaceEllipse(c, CX + s * 4.0f, y + 6, 2.0f, 1.2f,
                            FaceFlat(FaceRamp(RAMP_PINK, 0.12f)));
            }
            break;
        case 18: // robot vent with bolts
            FaceRoundRect(c, CX, y, 7.0f, 8.0f, 2.0f,
                          FaceLit(RAMP_STEEL, 0.55f, CX - 3, y - 3, 8, 9), 1.3f);
            for (float dy : {-4.0f, 0.0f, 4.0f}) {
                FaceStroke(c, {CX - 4, y + dy, CX + 4, y + dy}, 1.4f, FaceRamp(RAMP_STEEL, 0.15f));
            }
            break;
        default: // 19: a glowing crystal
            FacePolygon(c, {CX, y - 10, CX + 6, y, CX, y + 8, CX - 6, y},
                        FaceLit(RAMP_TEAL, 0.75f, CX - 2, y - 4, 6, 9, 0.5f), 1.3f);
            FaceStroke(c, {CX, y - 9, CX, y + 7}, 1.0f, FaceRamp(RAMP_TEAL, 0.95f));
            break;
    }
}

void FacePaintNose(Canvas& c, int f)
{
    if (f < 10) {
        NoseOrdinary(c, f);
    } else {
        NoseSpecial(c, f);
    }
}
