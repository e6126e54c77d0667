#include "winkit/Glyph.h"

namespace winkit {

Color PaletteColor(char digit) {
    static constexpr Color kPalette[16] = {
        Rgb(0x00, 0x00, 0x00), Rgb(0x80, 0x00, 0x00), Rgb(0x00, 0x80, 0x00), Rgb(0x80, 0x80, 0x00),
        Rgb(0x00, 0x00, 0x80), Rgb(0x80, 0x00, 0x80), Rgb(0x00, 0x80, 0x80), Rgb(0xC0, 0xC0, 0xC0),
        Rgb(0x80, 0x80, 0x80), Rgb(0xFF, 0x00, 0x00), Rgb(0x00, 0xFF, 0x00), Rgb(0xFF, 0xFF, 0x00),
        Rgb(0x00, 0x00, 0xFF), Rgb(0xFF, 0x00, 0xFF), Rgb(0x00, 0xFF, 0xFF), Rgb(0xFF, 0xFF, 0xFF),
    };
    int index = digit >= '0' && digit <= '9' ? digit - '0' : digit >= 'A' && digit <= 'F' ? digit - 'A' + 10 : 0;
    return kPalette[index];
}

std::vector<std::uint32_t> RenderGlyph(const Glyph16& glyph, int size) {
    constexpr int kSamples = 4;  // per axis
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size) * size);
    if (size <= 0) return pixels;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            int alpha = 0, red = 0, green = 0, blue = 0;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    // The source pixel under the centre of this sample.
                    int gx = ((x * kSamples + sx) * 2 + 1) * glyph.size / (2 * kSamples * size);
                    int gy = ((y * kSamples + sy) * 2 + 1) * glyph.size / (2 * kSamples * size);
                    char digit = glyph.rows[gy][gx];
                    if (digit == '.') continue;
                    Color c = PaletteColor(digit);
                    alpha += 255, red += Red(c), green += Green(c), blue += Blue(c);
                }
            }
            constexpr int n = kSamples * kSamples;
            auto average = [](int sum) { return static_cast<std::uint32_t>((sum + n / 2) / n); };
            pixels[static_cast<std::size_t>(y) * size + x] =
                average(alpha) << 24 | average(red) << 16 | average(green) << 8 | average(blue);
        }
    }
    return pixels;
}

}  // namespace winkit
