// TEllipsLabel: a text label drawn straight onto whatever its parent paints
// (transparent), aligned and word-wrapped as its settings say, and, when it
// sizes itself, as high as its text wrapped within its width.
//
// It is a system static control, so WM_GETTEXT/WM_SETTEXT and screen readers
// work as for any label; the label paints itself off-screen over the
// parent's own painting, and when its text changes the parent's area under
// it is repainted so no trace of the old text stays. It is clipped by the
// sibling controls above it, so under them it never paints over them.
#pragma once

#include <windows.h>

#include "winkit/FormDefinition.h"

namespace winkit {

// A label at `bounds` (pixels, relative to `parent`). `settings` must
// outlive the window.
HWND CreateEllipsLabel(HWND parent, int id, const RECT& bounds, const wchar_t* text, const LabelSettings& settings);

// The height of the label's text, wrapped within its current width, in its
// font (one line when it has no text).
int LabelTextHeight(HWND label);

}  // namespace winkit
