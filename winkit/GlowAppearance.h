// The glow button's look: its colours for each state, and which state a
// button is drawn in. Portable: no <windows.h>.
#pragma once

#include <span>

#include "winkit/Color.h"

namespace winkit {

// Each state paints an upper half shading Color -> ColorTo and a lower
// ("mirror") half shading ColorMirror -> ColorMirrorTo, inside a border.
struct GlowAppearance {
    Color borderColor, borderColorHot, borderColorDown, borderColorChecked, borderColorDisabled;
    Color color, colorTo, colorMirror, colorMirrorTo;
    Color colorHot, colorHotTo, colorMirrorHot, colorMirrorHotTo;
    Color colorDown, colorDownTo, colorMirrorDown, colorMirrorDownTo;
    Color colorChecked, colorCheckedTo, colorMirrorChecked, colorMirrorCheckedTo;
    Color colorDisabled, colorDisabledTo, colorMirrorDisabled, colorMirrorDisabledTo;
};

enum class GlowState { Normal, Hot, Down, Checked, Disabled };

// How focus shows: not at all, or as the hot look.
enum class FocusType { None, Hot };

struct GlowColors {
    Color border, top, topTo, mirror, mirrorTo;
    bool operator==(const GlowColors&) const = default;
};

GlowColors ColorsFor(const GlowAppearance& appearance, GlowState state);

// The state a button is drawn in. Disabled wins over everything; a button
// held down shows as down; a checked one as checked; then the mouse over it,
// or keyboard focus when focus shows as hot, gives the hot look.
GlowState StateOf(bool enabled, bool down, bool checked, bool mouseOver, bool focusShown, FocusType focusType);

// One colour per pixel row of a face `rows.size()` pixels high: the upper
// half (rows.size() / 2 rows) from `top` to `topTo`, the rest from `mirror`
// to `mirrorTo`; each half's first row has its start colour and its last row
// its end colour.
void FaceLine(const GlowColors& colors, std::span<Color> rows);

}  // namespace winkit
