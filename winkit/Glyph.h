// Small 16-colour pictures for buttons, held as text, and their rendering at
// any size. Portable: no <windows.h>.
#pragma once

#include <cstdint>
#include <vector>

#include "winkit/Color.h"

namespace winkit {

// A picture of `size` × `size` pixels. Each row is a string of `size`
// characters: a hexadecimal digit names a colour of the standard 16-colour
// palette (0 black, 1 maroon, ... 9 red, ... F white); '.' is transparent.
struct Glyph16 {
    int size;
    const char* const* rows;
};

// The standard 16-colour palette entry for a hexadecimal digit.
Color PaletteColor(char digit);

// The picture scaled to `size` × `size` pixels, as premultiplied 32-bit
// pixels (0xAARRGGBB), top row first. Each target pixel averages the source
// pixels it covers (4 × 4 samples), so edges stay smooth at 150 % and the
// picture is unchanged at its own size.
std::vector<std::uint32_t> RenderGlyph(const Glyph16& glyph, int size);

}  // namespace winkit
