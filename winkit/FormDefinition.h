// A window's stored definition: its own properties and a tree of controls
// with their positions, texts, colours and settings, held as data. Positions
// and sizes are in pixels at 96 DPI; the form scales them to the window's DPI
// when it creates them and when the DPI changes. Portable: no <windows.h>.
#pragma once

#include <span>

#include "winkit/Color.h"
#include "winkit/GlowAppearance.h"
#include "winkit/Glyph.h"
#include "winkit/ShaderBands.h"

namespace winkit {

struct Bounds {
    int left, top, width, height;
};

enum class ControlKind {
    Shader,       // gradient panel that may hold other controls
    EllipsLabel,  // text label
    GlowButton,   // push button
};

// Align::Client: the control fills its parent's client area and follows it.
enum class Align { None, Client };

enum class TextAlign { Left, Center, Right };
enum class EllipsType { None, EndEllipsis, PathEllipsis };

struct ShaderSettings {
    ShaderColors colors;
    // false: the two halves lie one above the other (horizontal bands);
    // true: side by side (vertical bands).
    bool direction = false;
};

struct LabelSettings {
    TextAlign alignment = TextAlign::Left;
    bool wordWrap = false;
    bool autoSize = false;  // the label keeps its width and takes its text's height
    EllipsType ellipsType = EllipsType::None;
};

struct GlowButtonSettings {
    const GlowAppearance* appearance = nullptr;
    const Glyph16* glyph = nullptr;  // drawn left of the caption; scaled with the DPI
    int minHeight = 0;               // 96-DPI pixels
    FocusType focusType = FocusType::None;
    const wchar_t* hint = L"";       // stored with the button; this layer's forms show no hints
    bool defaultButton = false;      // pressed by Enter wherever the focus is
};

// Controls are created in table order, which is also their tab order; a
// parent comes before its children.
struct ControlDefinition {
    const wchar_t* name;
    ControlKind kind;
    const wchar_t* parent;  // name of the parent control; nullptr: the form
    int id;                 // control identifier, reported with clicks
    Bounds bounds;
    Align align = Align::None;
    const wchar_t* text = L"";
    ShaderSettings shader{};
    LabelSettings label{};
    GlowButtonSettings button{};
};

struct FormDefinition {
    const wchar_t* name;
    const wchar_t* caption;
    int clientWidth;
    int clientHeight;
    const wchar_t* fontName;
    int fontHeight;     // negative: character height in pixels at 96 DPI
    int iconResource;   // the window's icon, in the sizes the resource holds
    std::span<const ControlDefinition> controls;
};

}  // namespace winkit
