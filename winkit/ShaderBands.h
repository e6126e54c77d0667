// The gradient panel's shading, as arithmetic (portable: no <windows.h>).
//
// The panel is split into two halves along its shading direction. Each half
// shades from a start colour towards an end colour in 128 bands: band k
// (from 0) starts k/128 of the way along its half (at the nearest pixel;
// a later band wins a pixel two bands start on) and has the start colour
// plus k/128 of the difference to the end colour in each of red, green and
// blue, rounded to the nearest whole value (halves away from zero). The end
// colour itself is never reached: the last band has 127/128 of the way.
#pragma once

#include <span>

#include "winkit/Color.h"

namespace winkit {

constexpr int kShaderBands = 128;

struct ShaderColors {
    Color fromColor;        // first half, at its start
    Color toColor;          // first half shades towards this
    Color fromColorMirror;  // second half, at its start
    Color toColorMirror;    // second half shades towards this
};

// The colour of band `band` (0..127) of a half shading from `from` towards `to`.
Color BandColor(Color from, Color to, int band);

// The first pixel of band `band` (0..128) in a half `length` pixels long;
// band 128 gives `length`, the end of the last band.
int BandStart(int length, int band);

// One colour per pixel along the shading direction of a panel `line.size()`
// pixels long: the first half is line.size() / 2 pixels, the second the rest.
void ShadeLine(const ShaderColors& colors, std::span<Color> line);

}  // namespace winkit
