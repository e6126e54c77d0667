// TShader: a gradient panel that holds other controls. It paints its client
// area by the band rule of ShaderBands.h, off-screen, with no bevel and no
// text, and passes its children's notifications on to the form.
#pragma once

#include <windows.h>

#include "winkit/FormDefinition.h"

namespace winkit {

// A panel at `bounds` (pixels, relative to `parent`). `settings` must
// outlive the window.
HWND CreateShader(HWND parent, int id, const RECT& bounds, const ShaderSettings& settings);

}  // namespace winkit
