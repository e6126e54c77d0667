// The pictures and colours of the main window's OK button, as stored data.
// Portable: no <windows.h>.
#pragma once

#include "winkit/GlowAppearance.h"
#include "winkit/Glyph.h"

extern const winkit::GlowAppearance OKBtnAppearance;
extern const winkit::Glyph16 OKBtnGlyph;
