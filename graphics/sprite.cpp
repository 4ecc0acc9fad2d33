// Sprites: creation, frame loading, animation, movement, drawing and overlap tests of the game's
// on-screen objects. Frames are display surfaces copied with the display's keyed blit.
#include "graphics/sprite.h"

#include <SDL.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

// Float to int toward zero. Positions far outside the int range (a sprite left moving for ages)
// are pinned near the ends of the range instead of overflowing; such a sprite is off screen
// either way.
static int Trunc(float value)
{
    constexpr float limit = 1.0e9f;
    if (!(value > -limit)) { // also catches NaN
        return value > 0 ? static_cast<int>(limit) : -static_cast<int>(limit);
    }
    if (value > limit) {
        return static_cast<int>(limit);
    }
    return static_cast<int>(value);
}

// The frame that a draw shows, or null when frameIndex names no surface (a sequence holding a
// frame number the sprite never had, or a destroyed sprite).
static DisplaySurface CurrentFrame(const Sprite* sprite)
{
    if (sprite->frameIndex < 0 || sprite->frameIndex >= sprite->frameCount ||
        sprite->frameIndex >= SPRITE_MAX_FRAMES) {
        return nullptr;
    }
    return sprite->frames[sprite->frameIndex];
}

int SpriteCreate(Sprite* sprite, int x, int y, int width, int height, int frameCount,
                 unsigned attributes, unsigned memoryFlags, int colourKey, int bitsPerPixel)
{
    if (sprite == nullptr || frameCount < 1 || frameCount > SPRITE_MAX_FRAMES) {
        return 0;
    }
    std::memset(sprite, 0, sizeof(*sprite));
    sprite->attributes = attributes;
    sprite->x = static_cast<float>(x);
    sprite->y = static_cast<float>(y);
    sprite->width = width;
    sprite->height = height;
    sprite->frameCount = frameCount;
    sprite->bitsPerPixel = bitsPerPixel;
    for (int i = 0; i < frameCount; ++i) {
        // A refused surface fails the creation at once; the surfaces made so far stay in the
        // record, so SpriteDestroy still gives them back.
        sprite->frames[i] = DisplayCreateSurface(width, height, memoryFlags, colourKey);
        if (sprite->frames[i] == nullptr) {
            return 0;
        }
    }
    return 1;
}

int SpriteClone(const Sprite* source, Sprite* destination)
{
    if (source == nullptr || destination == nullptr || source == destination) {
        return 0;
    }
    *destination = *source;
    destination->attributes |= SPRITE_CLONE;
    return 1;
}

int SpriteDestroy(Sprite* sprite)
{
    if (sprite == nullptr) {
        return 0;
    }
    bool owner = (sprite->attributes & SPRITE_CLONE) == 0;
    for (DisplaySurface& frame : sprite->frames) {
        if (owner && frame != nullptr) {
            DisplayDestroySurface(frame);
        }
        frame = nullptr; // a second destroy finds nothing to give back
    }
    for (int*& sequence : sprite->sequences) {
        if (owner) {
            std::free(sequence);
        }
        sequence = nullptr;
    }
    return 1;
}

// The keyed copy of the current frame to (x, y) stretched to drawWidth x drawHeight. The display's
// blit copies unstretched when the rectangle has the frame's size and trims to the clipper.
static int DrawFrame(const Sprite* sprite, int drawWidth, int drawHeight,
                     DisplaySurface destination)
{
    if (sprite == nullptr) {
        return 0;
    }
    if ((sprite->attributes & SPRITE_VISIBLE) == 0) {
        return 1;
    }
    DisplaySurface frame = CurrentFrame(sprite);
    if (frame == nullptr) {
        return 0;
    }
    RECT source{0, 0, sprite->width, sprite->height};
    RECT target{Trunc(sprite->x), Trunc(sprite->y),
                Trunc(sprite->x + static_cast<float>(drawWidth)),
                Trunc(sprite->y + static_cast<float>(drawHeight))};
    return DisplayBlit(frame, &source, destination, &target, 1);
}

int SpriteDraw(const Sprite* sprite, DisplaySurface destination)
{
    return sprite ? DrawFrame(sprite, sprite->width, sprite->height, destination) : 0;
}

int SpriteDrawScaled(const Sprite* sprite, int drawWidth, int drawHeight,
                     DisplaySurface destination)
{
    return DrawFrame(sprite, drawWidth, drawHeight, destination);
}

int SpriteDraw16(const Sprite* sprite, DisplaySurface destination)
{
    return SpriteDraw(sprite, destination);
}

int SpriteDrawScaled16(const Sprite* sprite, int drawWidth, int drawHeight,
                       DisplaySurface destination)
{
    return SpriteDrawScaled(sprite, drawWidth, drawHeight, destination);
}

// Copies one cell of bytesPerPixel-deep pixels into frames[frame]. Everything is checked before a
// byte moves: the image must hold pixels of that depth, the cell must lie wholly inside it, and
// the frame must be one of the sprite's surfaces, of that depth and at least the sprite's size.
static int LoadFrame(Sprite* sprite, const BitmapImage* image, int frame, int cellX, int cellY,
                     int mode, int bytesPerPixel)
{
    if (sprite == nullptr || image == nullptr || image->pixels == nullptr) {
        return 0;
    }
    const BITMAPINFOHEADER& info = image->infoHeader;
    if (info.biBitCount != bytesPerPixel * 8 || info.biWidth <= 0 || info.biHeight <= 0) {
        return 0;
    }
    if (frame < 0 || frame >= sprite->frameCount || frame >= SPRITE_MAX_FRAMES) {
        return 0;
    }
    DisplaySurface surface = sprite->frames[frame];
    int width = sprite->width;
    int height = sprite->height;
    if (surface == nullptr || width <= 0 || height <= 0 || surface->w < width ||
        surface->h < height || surface->format->BytesPerPixel != bytesPerPixel) {
        return 0;
    }

    int64_t left = cellX;
    int64_t top = cellY;
    if (mode == 0) { // cells of the sprite's size between one-pixel lines, framed on the left/top
        left = left * (width + 1) + 1;
        top = top * (height + 1) + 1;
    }
    if (left < 0 || top < 0 || left + width > info.biWidth || top + height > info.biHeight) {
        return 0;
    }

    int pitch = 0;
    uint8_t* target = DisplayLockSurface(surface, &pitch);
    if (target == nullptr) {
        return 0;
    }
    int64_t imageRow = static_cast<int64_t>(info.biWidth) * bytesPerPixel;
    const uint8_t* source = image->pixels + top * imageRow + left * bytesPerPixel;
    size_t rowBytes = static_cast<size_t>(width) * bytesPerPixel;
    if (bytesPerPixel == 2) {
        pitch &= ~1; // 16-bit rows start on a pixel boundary
    }
    for (int row = 0; row < height; ++row) {
        std::memcpy(target, source, rowBytes);
        target += pitch;
        source += imageRow;
    }
    DisplayUnlockSurface(surface);
    sprite->attributes |= SPRITE_LOADED;
    return 1;
}

int SpriteLoadFrame(Sprite* sprite, const BitmapImage* image, int frame, int cellX, int cellY,
                    int mode)
{
    return LoadFrame(sprite, image, frame, cellX, cellY, mode, 1);
}

int SpriteLoadFrame16(Sprite* sprite, const BitmapImage* image, int frame, int cellX, int cellY,
                      int mode)
{
    return LoadFrame(sprite, image, frame, cellX, cellY, mode, 2);
}

int SpriteLoadSequence(Sprite* sprite, int index, int length, const int* values)
{
    if (sprite == nullptr || index < 0 || index >= SPRITE_MAX_SEQUENCES || length < 1 ||
        values == nullptr) {
        return 0;
    }
    // An array already stored under the index is replaced, not freed: clones made earlier may
    // still be playing it.
    sprite->sequences[index] = nullptr;
    auto* sequence =
        static_cast<int*>(std::malloc((static_cast<size_t>(length) + 1) * sizeof(int)));
    if (sequence == nullptr) {
        return 0;
    }
    std::memcpy(sequence, values, static_cast<size_t>(length) * sizeof(int));
    sequence[length] = SEQUENCE_END;
    sprite->sequences[index] = sequence;
    return 1;
}

int SpriteSetSequence(Sprite* sprite, int index)
{
    if (sprite == nullptr || index < 0 || index >= SPRITE_MAX_SEQUENCES) {
        return 0;
    }
    sprite->sequenceIndex = index;
    sprite->sequencePos = 0;
    return 1;
}

int SpriteSetAnimSpeed(Sprite* sprite, int ticks)
{
    if (sprite == nullptr) {
        return 0;
    }
    sprite->ticksPerFrame = ticks;
    return 1;
}

int SpriteSetFrame(Sprite* sprite, int frame)
{
    if (sprite == nullptr) {
        return 0;
    }
    sprite->frameIndex = frame;
    return 1;
}

// One step of a sequence: the position advances before the element is read, so the first step
// after SpriteSetSequence shows element 1. At the end a looping sequence wraps to element 0 and a
// play-once sequence holds its last element.
static int StepSequence(Sprite* sprite)
{
    int index = sprite->sequenceIndex;
    if (index < 0 || index >= SPRITE_MAX_SEQUENCES || sprite->sequences[index] == nullptr) {
        return 0; // nothing to play; the shown frame stays
    }
    const int* sequence = sprite->sequences[index];
    int length = 0;
    while (sequence[length] != SEQUENCE_END) {
        ++length;
    }
    if (length == 0) {
        return 0;
    }
    int pos = sprite->sequencePos + 1;
    // A position at or past the end (also one left over from a longer sequence that was stored
    // under the same index) counts as reaching the end.
    if (pos < 0 || pos >= length) {
        pos = (sprite->attributes & SPRITE_PLAY_ONCE) ? length - 1 : 0;
    }
    sprite->sequencePos = pos;
    sprite->frameIndex = sequence[pos];
    return 1;
}

int SpriteAnimate(Sprite* sprite)
{
    if (sprite == nullptr) {
        return 0;
    }
    if (sprite->attributes & SPRITE_STILL) {
        sprite->frameIndex = 0;
    } else if (sprite->attributes & SPRITE_CYCLE_FRAMES) {
        if (++sprite->tickCounter >= sprite->ticksPerFrame) {
            sprite->tickCounter = 0;
            if (++sprite->frameIndex >= sprite->frameCount) {
                sprite->frameIndex = 0;
            }
        }
    } else if (sprite->attributes & SPRITE_SEQUENCES) {
        if (++sprite->tickCounter >= sprite->ticksPerFrame) {
            sprite->tickCounter = 0;
            return StepSequence(sprite);
        }
    }
    return 1;
}

int SpriteSetPosition(Sprite* sprite, int x, int y)
{
    if (sprite == nullptr) {
        return 0;
    }
    sprite->x = static_cast<float>(x);
    sprite->y = static_cast<float>(y);
    return 1;
}

int SpriteGetPosition(const Sprite* sprite, int* x, int* y)
{
    if (sprite == nullptr || x == nullptr || y == nullptr) {
        return 0;
    }
    *x = Trunc(sprite->x);
    *y = Trunc(sprite->y);
    return 1;
}

int SpriteSetVelocity(Sprite* sprite, int vx, int vy)
{
    if (sprite == nullptr) {
        return 0;
    }
    sprite->velocityX = static_cast<float>(vx);
    sprite->velocityY = static_cast<float>(vy);
    return 1;
}

int SpriteMove(Sprite* sprite)
{
    if (sprite == nullptr) {
        return 0;
    }
    sprite->x += sprite->velocityX;
    sprite->y += sprite->velocityY;
    float minX = static_cast<float>(ClipMinX);
    float maxX = static_cast<float>(ClipMaxX);
    float minY = static_cast<float>(ClipMinY);
    float maxY = static_cast<float>(ClipMaxY);
    float width = static_cast<float>(sprite->width);
    float height = static_cast<float>(sprite->height);
    if (sprite->attributes & SPRITE_WRAP) {
        // Leaving wholly past one bound, the sprite comes in just outside the other.
        if (sprite->x > maxX) {
            sprite->x = minX - width;
        } else if (sprite->x < minX - width) {
            sprite->x = maxX;
        }
        if (sprite->y > maxY) {
            sprite->y = minY - height;
        } else if (sprite->y < minY - height) {
            sprite->y = maxY;
        }
    } else if (sprite->attributes & SPRITE_BOUNCE) {
        // Only the velocity turns; the position is not pulled back inside.
        if (sprite->x > maxX - width || sprite->x < minX) {
            sprite->velocityX = -sprite->velocityX;
        }
        if (sprite->y > maxY - height || sprite->y < minY) {
            sprite->velocityY = -sprite->velocityY;
        }
    }
    return 1;
}

int SpriteShow(Sprite* sprite)
{
    if (sprite == nullptr) {
        return 0;
    }
    sprite->attributes |= SPRITE_VISIBLE;
    return 1;
}

int SpriteHide(Sprite* sprite)
{
    if (sprite == nullptr) {
        return 0;
    }
    sprite->attributes &= ~SPRITE_VISIBLE;
    return 1;
}

int SpriteCollide(const Sprite* a, const Sprite* b)
{
    if (a == nullptr || b == nullptr) {
        return 0;
    }
    // KEPT: boxes of about three quarters of each sprite's size, not the sprites' own, so touching
    // corners do not count; the catcher's touch box is its sprite's reduced box.
    int halfWidthA = (a->width >> 1) - (a->width >> 3);
    int halfHeightA = (a->height >> 1) - (a->height >> 3);
    int halfWidthB = (b->width >> 1) - (b->width >> 3);
    int halfHeightB = (b->height >> 1) - (b->height >> 3);
    int64_t centreXA = Trunc(a->x + static_cast<float>(halfWidthA));
    int64_t centreYA = Trunc(a->y + static_cast<float>(halfHeightA));
    int64_t centreXB = Trunc(b->x + static_cast<float>(halfWidthB));
    int64_t centreYB = Trunc(b->y + static_cast<float>(halfHeightB));
    return std::llabs(centreXB - centreXA) < halfWidthA + halfWidthB &&
           std::llabs(centreYB - centreYA) < halfHeightA + halfHeightB;
}
