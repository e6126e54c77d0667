// The main window's stored definition: where its controls are and how they look.
#include <shlobj.h>

#include "ui/RemoveStartUp.h"

namespace {

using winkit::Align;
using winkit::ControlKind;

const winkit::ControlDefinition kControls[] = {
    {.name = L"Frame1", .kind = ControlKind::Shader, .parent = nullptr, .id = 100,
     .bounds = {0, 0, 363, 186}, .align = Align::Client},
    {.name = L"Label1", .kind = ControlKind::EllipsLabel, .parent = L"Frame1", .id = 101,
     .bounds = {26, 30, 306, 26},
     .text = L"This Program will Remove Molvane from the Startup. Click OK to remove Molvane from StartUp.",
     .centered = true, .wordWrap = true, .autoSize = true},
    {.name = L"Label2", .kind = ControlKind::EllipsLabel, .parent = L"Frame1", .id = 102,
     .bounds = {30, 86, 3, 13}, .centered = true, .wordWrap = true, .autoSize = true},
    {.name = L"OKBtn", .kind = ControlKind::GlowButton, .parent = L"Frame1", .id = IDOK,
     .bounds = {151, 146, 65, 25}, .text = L"OK", .defaultButton = true},
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

// The chooser's tree starts at the current user's Startup folder.
extern const int KestrixUp1ChooserBaseFolder = CSIDL_STARTUP;
