#include "ui/KestrixUp1Look.h"

// Colour values as stored: blue, green, red from the high byte down.
const winkit::GlowAppearance OKBtnAppearance = {
    .borderColor = 14727579,
    .borderColorHot = 10079963,
    .borderColorDown = 4548219,
    .borderColorChecked = winkit::clBlack,
    .borderColorDisabled = 11974326,  // not stored with the button: the grey of its disabled face
    .color = 15653832,
    .colorTo = 16178633,
    .colorMirror = 15586496,
    .colorMirrorTo = 16245200,
    .colorHot = 15465983,
    .colorHotTo = 11332863,
    .colorMirrorHot = 5888767,
    .colorMirrorHotTo = 10807807,
    .colorDown = 7778289,
    .colorDownTo = 4296947,
    .colorMirrorDown = 946929,
    .colorMirrorDownTo = 5021693,
    .colorChecked = 11918331,
    .colorCheckedTo = 7915518,
    .colorMirrorChecked = 10480637,
    .colorMirrorCheckedTo = 5682430,
    .colorDisabled = 15921906,
    .colorDisabledTo = 15921906,
    .colorMirrorDisabled = 11974326,
    .colorMirrorDisabledTo = 15921906,
};

namespace {

// A red check mark with a maroon edge ('9' red, '1' maroon, '.' transparent).
const char* const kCheckMark[16] = {
    "................",
    "................",
    "............111.",
    "...........19991",
    "..........199991",
    ".........119991.",
    ".........19991..",
    "..1.....19991...",
    ".1911..199911...",
    "199911199991....",
    ".1999199991.....",
    ".119999991......",
    "..1199991.......",
    "...11991........",
    "....1111........",
    "................",
};

}  // namespace

const winkit::Glyph16 OKBtnGlyph = {16, kCheckMark};
