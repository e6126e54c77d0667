// The main window's stored definition: where its controls are and how they look.
#include <shlobj.h>

#include "ui/KestrixUp1Look.h"
#include "ui/RemoveStartUp.h"

namespace {

using winkit::Align;
using winkit::ControlKind;

constexpr winkit::LabelSettings kCentredWrapping = {
    .alignment = winkit::TextAlign::Center,
    .wordWrap = true,
    .autoSize = true,
    .ellipsType = winkit::EllipsType::None,
};

const winkit::ControlDefinition kControls[] = {
    {.name = L"Frame1", .kind = ControlKind::Shader, .parent = nullptr, .id = 100,
     .bounds = {0, 0, 363, 186}, .align = Align::Client,
     .shader = {.colors = {.fromColor = winkit::clCream, .toColor = winkit::clSkyBlue,
                           .fromColorMirror = winkit::clSkyBlue, .toColorMirror = winkit::clCream},
                .direction = false}},
    {.name = L"Label1", .kind = ControlKind::EllipsLabel, .parent = L"Frame1", .id = 101,
     .bounds = {26, 30, 306, 26},
     .text = L"This Program will Remove Molvane from the Startup. Click OK to remove Molvane from StartUp.",
     .label = kCentredWrapping},
    {.name = L"Label2", .kind = ControlKind::EllipsLabel, .parent = L"Frame1", .id = 102,
     .bounds = {30, 86, 3, 13}, .label = kCentredWrapping},
    {.name = L"OKBtn", .kind = ControlKind::GlowButton, .parent = L"Frame1", .id = IDOK,
     .bounds = {151, 146, 65, 25}, .text = L"OK",
     .button = {.appearance = &OKBtnAppearance, .glyph = &OKBtnGlyph, .minHeight = 25,
                .focusType = winkit::FocusType::Hot, .hint = L"Remove Molvane from Startup Folder",
                .defaultButton = true}},
};

}  // namespace

const winkit::FormDefinition KestrixUp1Definition = {
    .name = L"KestrixUp1",
    .caption = L"Remove Molvane from StartUp",
    .clientWidth = 363,
    .clientHeight = 186,
    .fontName = L"Tahoma",
    .fontHeight = -11,
    .iconResource = 1,
    .controls = kControls,
};

// The chooser's tree starts at the current user's Startup folder; everything
// else is the chooser's default.
const winkit::FolderBrowseSettings KestrixUp1Chooser = {
    .baseFolder = CSIDL_STARTUP,
    .title = L"",
};
