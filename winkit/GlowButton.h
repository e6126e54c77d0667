// TAdvGlowButton: a push button drawn from an appearance (GlowAppearance.h):
// a rounded face in two shaded halves inside a border, an optional 16 × 16
// glyph left of the caption, and its own colours when hot (mouse over, or
// focused if focus shows as hot), down, checked (BM_SETCHECK) or disabled.
//
// It is a system BUTTON with the owner-draw style, so it stays a real button:
// Space and Enter press it, BM_CLICK clicks it, WM_GETTEXT reads its
// caption, screen readers announce it as a push button. Its parent passes
// WM_DRAWITEM back to it (Paint.h: ReflectDrawItem).
#pragma once

#include <windows.h>

#include "winkit/FormDefinition.h"

namespace winkit {

// A button at `bounds` (pixels, relative to `parent`), drawn for `dpi`.
// `settings` must outlive the window.
HWND CreateGlowButton(HWND parent, int id, const RECT& bounds, const wchar_t* caption,
                      const GlowButtonSettings& settings, UINT dpi);

// Draws the glyph and keeps the minimum height for another DPI.
void SetGlowButtonDpi(HWND button, UINT dpi);

}  // namespace winkit
