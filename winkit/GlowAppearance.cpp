#include "winkit/GlowAppearance.h"

namespace winkit {
namespace {

// The colour `step` of `steps` of the way from `a` to `b`, rounded.
Color Blend(Color a, Color b, int step, int steps) {
    auto channel = [&](int from, int to) {
        int scaled = 2 * step * (to - from);
        return from + (scaled >= 0 ? (scaled + steps) / (2 * steps) : -((-scaled + steps) / (2 * steps)));
    };
    if (steps <= 0) return a;
    return Rgb(channel(Red(a), Red(b)), channel(Green(a), Green(b)), channel(Blue(a), Blue(b)));
}

void ShadeRows(Color from, Color to, std::span<Color> rows) {
    int last = static_cast<int>(rows.size()) - 1;
    for (int i = 0; i <= last; ++i) rows[i] = Blend(from, to, i, last);
}

}  // namespace

GlowColors ColorsFor(const GlowAppearance& a, GlowState state) {
    switch (state) {
    case GlowState::Hot:
        return {a.borderColorHot, a.colorHot, a.colorHotTo, a.colorMirrorHot, a.colorMirrorHotTo};
    case GlowState::Down:
        return {a.borderColorDown, a.colorDown, a.colorDownTo, a.colorMirrorDown, a.colorMirrorDownTo};
    case GlowState::Checked:
        return {a.borderColorChecked, a.colorChecked, a.colorCheckedTo, a.colorMirrorChecked, a.colorMirrorCheckedTo};
    case GlowState::Disabled:
        return {a.borderColorDisabled, a.colorDisabled, a.colorDisabledTo, a.colorMirrorDisabled,
                a.colorMirrorDisabledTo};
    case GlowState::Normal:
        break;
    }
    return {a.borderColor, a.color, a.colorTo, a.colorMirror, a.colorMirrorTo};
}

GlowState StateOf(bool enabled, bool down, bool checked, bool mouseOver, bool focusShown, FocusType focusType) {
    if (!enabled) return GlowState::Disabled;
    if (down) return GlowState::Down;
    if (checked) return GlowState::Checked;
    if (mouseOver || (focusShown && focusType == FocusType::Hot)) return GlowState::Hot;
    return GlowState::Normal;
}

void FaceLine(const GlowColors& colors, std::span<Color> rows) {
    std::size_t upper = rows.size() / 2;
    ShadeRows(colors.top, colors.topTo, rows.first(upper));
    ShadeRows(colors.mirror, colors.mirrorTo, rows.subspan(upper));
}

}  // namespace winkit
