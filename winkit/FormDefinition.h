// A window's stored definition: its own properties and a tree of controls,
// held as data. Positions and sizes are in pixels at 96 DPI; the form scales
// them to the window's DPI when it creates them.
#pragma once

#include <span>

namespace winkit {

struct Bounds {
    int left, top, width, height;
};

enum class ControlKind {
    Shader,       // gradient panel that may hold other controls
    EllipsLabel,  // text label
    GlowButton,   // push button
};

enum class Align { None, Client };

struct ControlDefinition {
    const wchar_t* name;
    ControlKind kind;
    const wchar_t* parent;  // name of the parent control; nullptr: the form
    int id;                 // control identifier, reported with clicks
    Bounds bounds;
    Align align = Align::None;
    const wchar_t* text = L"";
    bool centered = false;
    bool wordWrap = false;
    bool autoSize = false;
    bool defaultButton = false;
};

struct FormDefinition {
    const wchar_t* name;
    const wchar_t* caption;
    int clientWidth;
    int clientHeight;
    const wchar_t* fontName;
    int fontHeight;  // negative: character height in pixels at 96 DPI
    int iconResource;
    std::span<const ControlDefinition> controls;
};

}  // namespace winkit
