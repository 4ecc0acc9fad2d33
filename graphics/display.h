// The display: the 640 x 480 8-bit screen, its back surface, off-screen surfaces with colour keys,
// clippers, fills, locks and the flip that puts the back surface on the screen.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/win_types.h"

// A surface is an 8-bit (or 16-bit) SDL surface; every 8-bit surface shares the display's one
// palette object, so copies between them move palette indices unchanged. game/ and app/ only pass
// surfaces around, so they see the type without including SDL.
struct SDL_Surface;
struct SDL_Palette;
using DisplaySurface = SDL_Surface*;

// Memory and capability flags that callers pass through unchanged (DirectDraw values).
constexpr unsigned DDSCAPS_OFFSCREENPLAIN = 0x40;
constexpr unsigned DDSCAPS_SYSTEMMEMORY = 0x800;
constexpr unsigned DDSCAPS_VIDEOMEMORY = 0x4000;

// The header of a clip region as it is handed to a clipper: dwSize 32, iType RDH_RECTANGLES,
// nCount rectangles, nRgnSize = nCount x 16, rcBound the union of the rectangles (it starts at
// 64000, 64000, -64000, -64000 and only widens).
struct RGNDATAHEADER {
    uint32_t dwSize;
    uint32_t iType;
    uint32_t nCount;
    uint32_t nRgnSize;
    RECT rcBound;
};
constexpr uint32_t RDH_RECTANGLES = 1;

// The palette file DisplayInit reads from the data folder for the first colours of an 8-bit
// display.
constexpr const char* DISPLAY_PALETTE_FILE = "mainPalette.PAL";

// A clipper: the region it was given. Every copy and fill into the surface it is attached to is
// trimmed to the union of its rectangles (no rectangle: nothing is drawn). The surface owns its
// clipper (kept in the SDL surface's userdata, which nothing else may use); attaching another
// clipper frees the one before.
struct DisplayClipper {
    RGNDATAHEADER header;
    RECT* rects; // header.nCount rectangles, owned by the clipper
};

// How the 640 x 480 picture is brought to the output's size (letterboxed to 4:3 in every mode).
// Sharp: nearest neighbour up by the smallest whole factor that reaches the output, then linear
// filtering down to it, so pixels keep even widths and edges stay crisp at 1.25x or 1.6x; a
// renderer that cannot draw into a texture shows nearest instead. Nearest: every output pixel
// takes the nearest picture pixel (uneven widths at fractional scales). Integer: the largest whole
// multiple that fits (at least 1), centred with black borders.
constexpr int DISPLAY_SCALE_SHARP = 0;
constexpr int DISPLAY_SCALE_NEAREST = 1;
constexpr int DISPLAY_SCALE_INTEGER = 2;

// ---- process lifetime: settings read by DisplayInit ----
// One of DISPLAY_SCALE_*, DISPLAY_SCALE_SHARP unless changed; read at set-up and whenever the
// output changes size (window resize, full screen toggle). DisplaySetScaleMode applies it at once.
extern int DisplayScaleMode;

// ---- made by DisplayInit, released by DisplayShutdown ----
extern DisplaySurface PrimarySurface; // what the player sees: a copy of the last flipped picture
extern DisplaySurface BackSurface;    // every screen draws here between DisplayFill and DisplayFlip
extern SDL_Palette* DisplayPalette;   // the one palette object of every 8-bit surface; 16-bit: null
extern DisplayClipper* BackClipper;   // attached to BackSurface: the whole screen
extern DisplayClipper* WindowClipper; // windowed mode only, attached to PrimarySurface
extern int ScreenWidth;               // pixels, 640 for the game
extern int ScreenHeight;              // pixels, 480 for the game
extern int ScreenBpp;                 // bits per pixel of the display, 8 for the game
extern int PixelFormat;               // RGB bit count of the primary; 15 selects 5.5.5 packing
extern int Windowed;                  // 1: a resizable window instead of full screen
// The size the window takes whenever the display goes into a window (set-up or Alt+Enter):
// 640 x 480 unless the program remembered another; follows the player's resizing. Not reset by
// DisplayShutdown, so the program can remember it for the next run.
extern int DisplayWindowedWidth, DisplayWindowedHeight;
// -1 until a display is shut down; then 1 when it ended in a window, 0 full screen.
extern int DisplayEndedWindowed;
// Inclusive clip bounds of the screen, read by SpriteMove and the raster routines.
extern int ClipMinX, ClipMinY, ClipMaxX, ClipMaxY;

// ---- held only between a lock and its unlock ----
extern uint8_t* PrimaryMemory; // null unless DisplayLockPrimary holds the primary
extern int PrimaryPitch;       // bytes per row of PrimaryMemory
extern uint8_t* BackMemory;    // null unless DisplayLockBack holds the back surface
extern int BackPitch;          // bytes per row of BackMemory

// Sets up the display on MainWindow (8 or 16 bits per pixel): desktop full screen with a
// width x height logical size, or a resizable window when windowed is 1. Returns 0 at the first
// failing step, leaving what was made for DisplayShutdown. A display already set up is shut down
// first.
int DisplayInit(int width, int height, int bitsPerPixel, int windowed);
// Why the latest DisplayInit returned 0 (the window system's own words where it refused); "" when
// it succeeded.
const char* DisplayError();
// Releases everything DisplayInit made and puts the globals back to their starting values, so
// DisplayInit may run again; nothing of the display may be used in between. Call it while
// MainWindow still exists.
int DisplayShutdown();
// Presents BackSurface (and keeps a copy of it in PrimarySurface). 0 without presenting while a
// surface is held locked, or when presenting fails a few times over.
int DisplayFlip();
// Sets DisplayScaleMode and lays out the picture anew for it, effective from the next flip (at
// the next set-up when no display is set up). 0, changing nothing, for a mode that is not one of
// DISPLAY_SCALE_*.
int DisplaySetScaleMode(int mode);
// Presents PrimarySurface again as it is, with the display palette as it is now: makes drawing
// into the locked primary and palette changes between flips visible.
int DisplayShowPrimary();
// Switches between desktop full screen and the resizable window (Alt+Enter); updates Windowed.
// 0 when no display is set up.
int DisplayToggleFullScreen();
// Fills rect (null = whole surface) with colour & 0xFFFF, trimmed by the surface's clipper.
int DisplayFill(DisplaySurface surface, int colour, const RECT* rect);
int DisplayFillRect(int left, int top, int right, int bottom, int colour, DisplaySurface surface);
// An off-screen surface of the display's depth whose colour key is colourKey & 0xFFFF.
DisplaySurface DisplayCreateSurface(int width, int height, unsigned memoryFlags, int colourKey);
// Frees a surface made by DisplayCreateSurface (and the clipper attached to it, if any).
void DisplayDestroySurface(DisplaySurface surface);
// Attaches a new clipper holding rectCount rectangles to the surface; null on failure.
DisplayClipper* DisplayAttachClipper(DisplaySurface surface, int rectCount, const RECT* rects);
// The copy that stands in for a surface blit: the source rectangle of src into the destination
// rectangle of dst, stretched (nearest neighbour) when the sizes differ, skipping src's colour-key
// pixels when useColourKey is 1, trimmed to dst's clipper (or to dst's edges without one).
// Returns 1 when copied (also when nothing was left after trimming), 0 on bad arguments.
int DisplayBlit(DisplaySurface src, const RECT* srcRect, DisplaySurface dst, const RECT* dstRect,
                int useColourKey);
uint8_t* DisplayLockSurface(DisplaySurface surface, int* pitch);
int DisplayUnlockSurface(DisplaySurface surface);
uint8_t* DisplayLockPrimary();
// Unlocks the primary and shows what was drawn into it.
int DisplayUnlockPrimary();
uint8_t* DisplayLockBack();
int DisplayUnlockBack();
// Waits for the start of the next refresh of the display; 1.
int DisplayWaitVBlank();

// ---- test seam ----
// 1: the next DisplayInit presents through an SDL renderer even where the window's own surface
// would cost less (no GPU), so that way can be checked on any machine. 0 unless changed.
extern int DisplayForceRenderer;
// The picture as the flips left it on the output (the window's surface or the renderer's), the
// whole output row by row as 0xAARRGGBB, and its size. 0 when no display is set up.
int DisplayReadOutput(std::vector<uint32_t>* pixels, int* width, int* height);
