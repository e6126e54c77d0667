// Colours as windows store them: 0x00BBGGRR (blue, green, red from the high
// byte down), the same layout as Win32's COLORREF. Portable: no <windows.h>.
#pragma once

#include <cstdint>

namespace winkit {

using Color = std::uint32_t;

constexpr Color Rgb(int red, int green, int blue) {
    return static_cast<Color>(red) | static_cast<Color>(green) << 8 | static_cast<Color>(blue) << 16;
}
constexpr int Red(Color c) { return c & 0xFF; }
constexpr int Green(Color c) { return (c >> 8) & 0xFF; }
constexpr int Blue(Color c) { return (c >> 16) & 0xFF; }

// The same colour as a 32-bit DIB pixel (0x00RRGGBB).
constexpr std::uint32_t DibPixel(Color c) {
    return static_cast<std::uint32_t>(Red(c)) << 16 | static_cast<std::uint32_t>(Green(c)) << 8 |
           static_cast<std::uint32_t>(Blue(c));
}

constexpr Color clBlack = Rgb(0x00, 0x00, 0x00);
constexpr Color clCream = Rgb(0xFF, 0xFB, 0xF0);
constexpr Color clSkyBlue = Rgb(0xA6, 0xCA, 0xF0);

}  // namespace winkit
