#include "winkit/ShaderBands.h"

namespace winkit {
namespace {

// start + band/128 of (end - start), rounded half away from zero.
int BandChannel(int start, int end, int band) {
    int scaled = band * (end - start);
    int step = scaled >= 0 ? (scaled + kShaderBands / 2) / kShaderBands : -((-scaled + kShaderBands / 2) / kShaderBands);
    return start + step;
}

void ShadeHalf(Color from, Color to, std::span<Color> half) {
    int length = static_cast<int>(half.size());
    for (int band = 0; band < kShaderBands; ++band) {
        Color color = BandColor(from, to, band);
        for (int i = BandStart(length, band); i < BandStart(length, band + 1); ++i) half[i] = color;
    }
}

}  // namespace

Color BandColor(Color from, Color to, int band) {
    return Rgb(BandChannel(Red(from), Red(to), band), BandChannel(Green(from), Green(to), band),
               BandChannel(Blue(from), Blue(to), band));
}

int BandStart(int length, int band) {
    // To the nearest pixel, so that a half of more than 64 pixels starts with
    // band 0 and ends with band 127.
    return static_cast<int>((2LL * length * band + kShaderBands) / (2 * kShaderBands));
}

void ShadeLine(const ShaderColors& colors, std::span<Color> line) {
    std::size_t first = line.size() / 2;
    ShadeHalf(colors.fromColor, colors.toColor, line.first(first));
    ShadeHalf(colors.fromColorMirror, colors.toColorMirror, line.subspan(first));
}

}  // namespace winkit
