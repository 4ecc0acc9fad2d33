// Sprites: every on-screen object of the game, a fixed-size picture with up to 208 frames, a
// float position and velocity, attribute bits and up to 25 animation sequences.
#pragma once

#include <cstdint>

#include "graphics/bitmap.h"
#include "graphics/display.h"

constexpr int SPRITE_MAX_FRAMES = 208;
constexpr int SPRITE_MAX_SEQUENCES = 25;
constexpr int SEQUENCE_END = -1;

// Attribute bits.
constexpr unsigned SPRITE_STILL = 0x001;        // SpriteAnimate pins frameIndex to 0
constexpr unsigned SPRITE_CYCLE_FRAMES = 0x002; // loops through frames 0..frameCount-1
constexpr unsigned SPRITE_SEQUENCES = 0x004;    // plays sequences[sequenceIndex]
constexpr unsigned SPRITE_PLAY_ONCE = 0x008;    // with SPRITE_SEQUENCES: holds the last element
constexpr unsigned SPRITE_VISIBLE = 0x010;      // drawn only when set
constexpr unsigned SPRITE_BOUNCE = 0x020;       // SpriteMove reverses at the clip bounds
constexpr unsigned SPRITE_WRAP = 0x040;         // SpriteMove carries across to the other bound
constexpr unsigned SPRITE_LOADED = 0x080;       // a frame has been loaded; informational
constexpr unsigned SPRITE_CLONE = 0x100;        // frames and sequences belong to another sprite

// A sprite record. Records are plain values kept in globals; the sprite operations never allocate
// or free one. A sprite without SPRITE_CLONE owns its frame surfaces and sequence arrays.
struct Sprite {
    unsigned attributes;
    float x;         // left edge on the target surface, pixels
    float y;         // top edge, pixels
    float velocityX; // pixels per SpriteMove
    float velocityY;
    int width; // of every frame surface, pixels
    int height;
    int bitsPerPixel; // recorded only
    int frameIndex;
    int frameCount; // 1..SPRITE_MAX_FRAMES surfaces made at creation
    int sequenceIndex;
    int tickCounter; // SpriteAnimate calls since the last frame step
    int sequencePos;
    int ticksPerFrame;
    int* sequences[SPRITE_MAX_SEQUENCES]; // each ends with SEQUENCE_END; null where none
    DisplaySurface frames[SPRITE_MAX_FRAMES];
};

// Fills the record (whatever it held is overwritten) and makes frameCount surfaces of width x
// height with the colour key. 0 for a frame count outside 1..SPRITE_MAX_FRAMES (record untouched)
// or when a surface cannot be made (the surfaces made so far stay in the record).
int SpriteCreate(Sprite* sprite, int x, int y, int width, int height, int frameCount,
                 unsigned attributes, unsigned memoryFlags, int colourKey, int bitsPerPixel);
// Copies the whole record and marks the copy SPRITE_CLONE; the source must outlive the clone.
int SpriteClone(const Sprite* source, Sprite* destination);
// An owner gives back its surfaces and sequences, a clone only forgets them; either way the
// frames and sequences are null afterwards, so destroying twice is harmless.
int SpriteDestroy(Sprite* sprite);
// Keyed copy of the current frame at (trunc(x), trunc(y)), trimmed by the destination's clipper.
// 1 without drawing when hidden; 0 when the frame index names no surface.
int SpriteDraw(const Sprite* sprite, DisplaySurface destination);
// As SpriteDraw, the frame stretched to drawWidth x drawHeight.
int SpriteDrawScaled(const Sprite* sprite, int drawWidth, int drawHeight,
                     DisplaySurface destination);
// Copies one cell of an 8-bit image into frames[frame]. mode 0: cellX, cellY count cells of the
// sprite's size in a grid framed by one-pixel lines; other modes: pixel coordinates. 0, reading
// nothing, when the cell lies outside the picture, the image has no pixels of that depth, the
// frame is not one of the sprite's surfaces, or the frame cannot be locked.
int SpriteLoadFrame(Sprite* sprite, const BitmapImage* image, int frame, int cellX, int cellY,
                    int mode);
// Stores length (at least 1) frame indices and SEQUENCE_END under sequences[index] (0..24). An
// array stored there before is replaced, not freed: clones may still be playing it.
int SpriteLoadSequence(Sprite* sprite, int index, int length, const int* values);
// Starts sequence index (0..24) from its position 0; the shown frame changes on the next step.
int SpriteSetSequence(Sprite* sprite, int index);
int SpriteSetAnimSpeed(Sprite* sprite, int ticks);
int SpriteSetFrame(Sprite* sprite, int frame);
// One animation step by the first attribute that applies: STILL, CYCLE_FRAMES, SEQUENCES. 0 when
// the sequence to play was never stored (the shown frame stays).
int SpriteAnimate(Sprite* sprite);
int SpriteSetPosition(Sprite* sprite, int x, int y);
// The position truncated toward zero.
int SpriteGetPosition(const Sprite* sprite, int* x, int* y);
int SpriteSetVelocity(Sprite* sprite, int vx, int vy);
// Adds the velocity, then wraps or bounces at the clip bounds as the attributes say.
int SpriteMove(Sprite* sprite);
int SpriteShow(Sprite* sprite);
int SpriteHide(Sprite* sprite);
// 1 when the sprites' boxes, reduced to about three quarters of their size, overlap.
int SpriteCollide(const Sprite* a, const Sprite* b);

// 16-bit twins. SpriteLoadFrame16 copies two bytes per pixel from a 16-bit image into a 16-bit
// frame.
int SpriteDraw16(const Sprite* sprite, DisplaySurface destination);
int SpriteDrawScaled16(const Sprite* sprite, int drawWidth, int drawHeight,
                       DisplaySurface destination);
int SpriteLoadFrame16(Sprite* sprite, const BitmapImage* image, int frame, int cellX, int cellY,
                      int mode);
