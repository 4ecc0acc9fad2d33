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

int SpriteCreate(Sprite* sprite, int x, int y, int width, int height, int frameCount,
                 unsigned attributes, unsigned memoryFlags, int colourKey, int bitsPerPixel);
int SpriteClone(const Sprite* source, Sprite* destination);
int SpriteDestroy(Sprite* sprite);
int SpriteDraw(const Sprite* sprite, DisplaySurface destination);
int SpriteDrawScaled(const Sprite* sprite, int drawWidth, int drawHeight,
                     DisplaySurface destination);
// Copies one cell of an 8-bit image into frames[frame]. mode 0: cellX, cellY count cells of the
// sprite's size in a grid framed by one-pixel lines; other modes: pixel coordinates. 0 when the
// cell lies outside the picture or the frame cannot be locked.
int SpriteLoadFrame(Sprite* sprite, const BitmapImage* image, int frame, int cellX, int cellY,
                    int mode);
int SpriteLoadSequence(Sprite* sprite, int index, int length, const int* values);
int SpriteSetSequence(Sprite* sprite, int index);
int SpriteSetAnimSpeed(Sprite* sprite, int ticks);
int SpriteSetFrame(Sprite* sprite, int frame);
int SpriteAnimate(Sprite* sprite);
int SpriteSetPosition(Sprite* sprite, int x, int y);
int SpriteGetPosition(const Sprite* sprite, int* x, int* y);
int SpriteSetVelocity(Sprite* sprite, int vx, int vy);
int SpriteMove(Sprite* sprite);
int SpriteShow(Sprite* sprite);
int SpriteHide(Sprite* sprite);
int SpriteCollide(const Sprite* a, const Sprite* b);

// 16-bit twins.
int SpriteDraw16(const Sprite* sprite, DisplaySurface destination);
int SpriteDrawScaled16(const Sprite* sprite, int drawWidth, int drawHeight,
                       DisplaySurface destination);
int SpriteLoadFrame16(Sprite* sprite, const BitmapImage* image, int frame, int cellX, int cellY,
                      int mode);
