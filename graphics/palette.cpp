// The display palette and its shadow copy, palette text files, and the 16-bit pixel packings.
#include "graphics/palette.h"

#include "graphics/display.h"
#include "support/regular_file.h"

#include <SDL.h>

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <memory>

PALETTEENTRY PaletteEntries[PALETTE_SIZE];
int (*Rgb16Builder)(int red, int green, int blue) = nullptr;
unsigned PaletteVersion = 0;

// What the screen shows from the next flip on (flags included, which SDL's palette cannot hold);
// DisplayPalette, when there is one, carries the same colours.
static std::array<PALETTEENTRY, PALETTE_SIZE> DisplayColours{};

int Rgb16From565(int red, int green, int blue)
{
    return ((blue >> 3) & 0x1F) + ((green >> 2) & 0x3F) * 32 + ((red >> 3) & 0x1F) * 2048;
}

int Rgb16From555(int red, int green, int blue)
{
    return ((blue >> 3) & 0x1F) + ((green >> 3) & 0x1F) * 32 + ((red >> 3) & 0x1F) * 1024;
}

// Reads the next decimal number (optional sign) after any whitespace, keeping its low 8 bits
// however many digits it has. false at the end of the file or at anything else.
static bool ReadByteNumber(std::FILE* file, uint8_t* out)
{
    int c = std::fgetc(file);
    while (c != EOF && std::isspace(c)) {
        c = std::fgetc(file);
    }
    bool negative = false;
    if (c == '-' || c == '+') {
        negative = c == '-';
        c = std::fgetc(file);
    }
    if (c == EOF || !std::isdigit(c)) {
        return false;
    }
    unsigned value = 0;
    while (c != EOF && std::isdigit(c)) {
        value = (value * 10 + static_cast<unsigned>(c - '0')) & 0xFF;
        c = std::fgetc(file);
    }
    if (c != EOF) {
        std::ungetc(c, file);
    }
    *out = static_cast<uint8_t>(negative ? 0u - value : value);
    return true;
}

int PaletteLoadFile(const char* fileName, PALETTEENTRY* entries)
{
    if (fileName == nullptr || entries == nullptr) {
        return 0;
    }
    FileHandle file(FileOpenRegularStream(fileName));
    if (!file) {
        return 0;
    }
    for (int i = 0; i < PALETTE_SIZE; ++i) {
        uint8_t v[4];
        for (uint8_t& part : v) {
            if (!ReadByteNumber(file.get(), &part)) {
                return 1;
            }
        }
        entries[i] = PALETTEENTRY{v[0], v[1], v[2], v[3]};
    }
    return 1;
}

int PaletteSaveFile(const char* fileName, const PALETTEENTRY* entries)
{
    if (fileName == nullptr || entries == nullptr) {
        return 0;
    }
    const int fd = FileOpenRegular(fileName, O_WRONLY | O_CREAT | O_TRUNC, 0666);
    if (fd < 0) {
        return 0;
    }
    FileHandle file(fdopen(fd, "w"));
    if (!file) {
        close(fd);
        return 0;
    }
    for (int i = 0; i < PALETTE_SIZE; ++i) {
        const PALETTEENTRY& e = entries[i];
        if (std::fprintf(file.get(), "\n%d %d %d %d", e.peRed, e.peGreen, e.peBlue, e.peFlags) <
            0) {
            return 0;
        }
    }
    // A full disk shows up only when the buffer is written out.
    return std::fclose(file.release()) == 0 ? 1 : 0;
}

int PaletteSetDisplayEntries(int first, int count, const PALETTEENTRY* entries)
{
    if (entries == nullptr || first < 0 || count < 0 || count > PALETTE_SIZE - first) {
        return 0;
    }
    std::array<SDL_Color, PALETTE_SIZE> colours{};
    for (int i = 0; i < count; ++i) {
        DisplayColours[first + i] = entries[i];
        colours[i] = SDL_Color{entries[i].peRed, entries[i].peGreen, entries[i].peBlue, 255};
    }
    if (DisplayPalette != nullptr && count > 0) {
        SDL_SetPaletteColors(DisplayPalette, colours.data(), first, count);
    }
    ++PaletteVersion;
    return 1;
}

int PaletteGetDisplayEntries(int first, int count, PALETTEENTRY* out)
{
    if (out == nullptr || first < 0 || count < 0 || count > PALETTE_SIZE - first) {
        return 0;
    }
    std::memcpy(out, DisplayColours.data() + first, sizeof(PALETTEENTRY) * count);
    return 1;
}

int PaletteSetEntry(int index, const PALETTEENTRY* colour)
{
    if (!PaletteSetDisplayEntries(index, 1, colour)) {
        return 0;
    }
    PaletteEntries[index] = *colour;
    return 1;
}

int PaletteGetEntry(int index, PALETTEENTRY* out)
{
    if (out == nullptr || index < 0 || index >= PALETTE_SIZE) {
        return 0;
    }
    *out = PaletteEntries[index];
    return 1;
}

int PaletteSetAll(const PALETTEENTRY* entries)
{
    if (entries == nullptr) {
        return 0;
    }
    std::memmove(PaletteEntries, entries, sizeof PaletteEntries);
    return PaletteSetDisplayEntries(0, PALETTE_SIZE, PaletteEntries);
}

int PaletteCopyOut(PALETTEENTRY* out)
{
    if (out == nullptr) {
        return 0;
    }
    std::memmove(out, PaletteEntries, sizeof PaletteEntries);
    return 1;
}

int PaletteRotate(int first, int last)
{
    if (first < 0 || last <= first || last >= PALETTE_SIZE) {
        return 0;
    }
    const int count = last - first + 1;
    std::array<PALETTEENTRY, PALETTE_SIZE> work{};
    PaletteGetDisplayEntries(first, count, work.data());
    PaletteSetDisplayEntries(first + 1, count - 1, work.data());
    PaletteSetDisplayEntries(first, 1, &work[count - 1]);
    PaletteGetDisplayEntries(0, PALETTE_SIZE, PaletteEntries);
    return 1;
}
