// The form made from a definition: controls where the definition puts them,
// scaled with the window's DPI, also when WM_DPICHANGED comes before the
// controls exist; labels that size themselves; a button that stays a button.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "ui/KestrixUp1Look.h"
#include "winkit/Application.h"
#include "winkit/EllipsLabel.h"
#include "winkit/Form.h"

namespace {

using winkit::Align;
using winkit::ControlKind;

constexpr winkit::LabelSettings kWrapping = {.alignment = winkit::TextAlign::Center, .wordWrap = true, .autoSize = true};

const winkit::ControlDefinition kControls[] = {
    {.name = L"Panel", .kind = ControlKind::Shader, .parent = nullptr, .id = 100, .bounds = {0, 0, 363, 186},
     .align = Align::Client, .shader = {.colors = {winkit::clCream, winkit::clSkyBlue, winkit::clSkyBlue, winkit::clCream}}},
    {.name = L"Text", .kind = ControlKind::EllipsLabel, .parent = L"Panel", .id = 101, .bounds = {26, 30, 306, 26},
     .text = L"This Program will Remove Molvane from the Startup. Click OK to remove Molvane from StartUp.",
     .label = kWrapping},
    {.name = L"Path", .kind = ControlKind::EllipsLabel, .parent = L"Panel", .id = 102, .bounds = {30, 86, 300, 13},
     .label = kWrapping},
    {.name = L"Button", .kind = ControlKind::GlowButton, .parent = L"Panel", .id = IDOK, .bounds = {151, 146, 65, 20},
     .text = L"OK",
     .button = {.appearance = &OKBtnAppearance, .glyph = &OKBtnGlyph, .minHeight = 25,
                .focusType = winkit::FocusType::Hot, .defaultButton = true}},
};

const winkit::FormDefinition kDefinition = {
    .name = L"TestForm", .caption = L"Form test", .clientWidth = 363, .clientHeight = 186,
    .fontName = L"Tahoma", .fontHeight = -11, .iconResource = 0, .controls = kControls,
};

class TestForm : public winkit::Form {
public:
    TestForm() : Form(kDefinition) {}
    int clicks = 0;

protected:
    void OnClick(int id) override {
        if (id == IDOK) ++clicks;
    }
};

RECT Bounds(HWND control) { return winkit::Form::BoundsInParent(control); }

SIZE ClientSize(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return {client.right, client.bottom};
}

int FontHeight(HWND control) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font.lfHeight;
}

// Each control's bounds as the definition gives them at `dpi`; the label that
// sizes itself is checked for holding its text instead of for its height.
void ExpectLaidOutFor(const TestForm& form, UINT dpi) {
    auto at = [dpi](int pixels) { return MulDiv(pixels, dpi, 96); };
    SIZE client = ClientSize(form.Handle());
    EXPECT_EQ(client.cx, at(363));
    EXPECT_EQ(client.cy, at(186));
    RECT panel = Bounds(form.Control(L"Panel"));
    EXPECT_EQ(panel.right - panel.left, client.cx);
    EXPECT_EQ(panel.bottom - panel.top, client.cy);

    RECT text = Bounds(form.Control(L"Text"));
    EXPECT_EQ(text.left, at(26));
    EXPECT_EQ(text.top, at(30));
    EXPECT_EQ(text.right - text.left, at(306));
    EXPECT_EQ(text.bottom - text.top, winkit::LabelTextHeight(form.Control(L"Text")));
    EXPECT_GE(text.bottom - text.top, 2 * -at(-11)) << "two lines of text";

    RECT button = Bounds(form.Control(L"Button"));
    EXPECT_EQ(button.left, at(151));
    EXPECT_EQ(button.top, at(146));
    EXPECT_EQ(button.right - button.left, at(65));
    EXPECT_EQ(button.bottom - button.top, at(25)) << "20 in the definition, raised to the minimum height";

    EXPECT_EQ(FontHeight(form.Control(L"Text")), at(-11));
    EXPECT_EQ(FontHeight(form.Control(L"Button")), at(-11));
}

// WM_DPICHANGED as the system sends it, suggesting a window whose client
// area is the definition's at `dpi`. The frame is the one the system draws
// now: Wine does not really change the DPI.
void SendDpiChanged(HWND window, UINT dpi) {
    RECT outer{0, 0, MulDiv(363, dpi, 96), MulDiv(186, dpi, 96)};
    AdjustWindowRectExForDpi(&outer, GetWindowLongW(window, GWL_STYLE), FALSE, GetWindowLongW(window, GWL_EXSTYLE),
                             GetDpiForWindow(window));
    OffsetRect(&outer, 50 - outer.left, 40 - outer.top);
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&outer));
}

TEST(Form, ControlsWhereTheDefinitionPutsThemScaledForTheWindowsDpi) {
    TestForm form;
    ASSERT_TRUE(form.Create());
    EXPECT_EQ(form.Dpi(), GetDpiForWindow(form.Handle()));
    ExpectLaidOutFor(form, form.Dpi());
}

TEST(Form, DpiChangeScalesEverythingAndBackAgain) {
    TestForm form;
    ASSERT_TRUE(form.Create());
    UINT dpi = form.Dpi();
    HWND path = form.Control(L"Path");
    form.SetLabelText(path, L"C:\\Users\\someone\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\StartUp");
    RECT before = Bounds(path);
    winkit::Form::SetBounds(path, before.left, before.top, before.right - before.left, form.Scale(85));

    SendDpiChanged(form.Handle(), dpi * 3 / 2);
    EXPECT_EQ(form.Dpi(), dpi * 3 / 2);
    ExpectLaidOutFor(form, dpi * 3 / 2);
    RECT scaled = Bounds(path);
    EXPECT_EQ(scaled.left, MulDiv(30, dpi * 3 / 2, 96));
    EXPECT_EQ(scaled.right - scaled.left, MulDiv(300, dpi * 3 / 2, 96));
    EXPECT_EQ(scaled.bottom - scaled.top, MulDiv(85, dpi * 3 / 2, 96)) << "the height it was given, scaled";

    SendDpiChanged(form.Handle(), dpi);
    ExpectLaidOutFor(form, dpi);
    RECT back = Bounds(path);
    EXPECT_EQ(back.right - back.left, MulDiv(300, dpi, 96));
    EXPECT_EQ(back.bottom - back.top, MulDiv(85, dpi, 96));
}

// Sends WM_DPICHANGED to the form as soon as its WM_CREATE has been handled,
// before any control exists.
HHOOK g_hook = nullptr;
LRESULT CALLBACK DpiOnCreate(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    wchar_t className[32] = {};
    if (code == HC_ACTION && message->message == WM_CREATE && GetClassNameW(message->hwnd, className, 32) &&
        std::wstring(className) == L"WinkitForm") {
        EXPECT_EQ(GetWindow(message->hwnd, GW_CHILD), nullptr);
        SendDpiChanged(message->hwnd, 144);
    }
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

TEST(Form, DpiChangeBeforeTheControlsExist) {
    if (GetDpiForSystem() == 144) GTEST_SKIP() << "the system is at 144 DPI already";
    g_hook = SetWindowsHookExW(WH_CALLWNDPROCRET, DpiOnCreate, nullptr, GetCurrentThreadId());
    ASSERT_NE(g_hook, nullptr);
    TestForm form;
    bool created = form.Create();
    UnhookWindowsHookEx(g_hook);
    ASSERT_TRUE(created);
    EXPECT_EQ(form.Dpi(), 144u);
    ExpectLaidOutFor(form, 144);
}

TEST(EllipsLabel, KeepsItsTextAndGrowsWithItWithinItsWidth) {
    TestForm form;
    ASSERT_TRUE(form.Create());
    HWND path = form.Control(L"Path");
    wchar_t className[32] = {};
    GetClassNameW(path, className, 32);
    EXPECT_STREQ(className, L"Static") << "a system label, for screen readers";

    form.SetLabelText(path, L"short");
    wchar_t text[64] = {};
    EXPECT_EQ(SendMessageW(path, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text)), 5);
    EXPECT_STREQ(text, L"short");
    RECT oneLine = Bounds(path);

    std::wstring longText;
    for (int i = 0; i < 12; ++i) longText += L"C:\\a folder name\\";
    form.SetLabelText(path, longText);
    RECT wrapped = Bounds(path);
    EXPECT_EQ(wrapped.right - wrapped.left, oneLine.right - oneLine.left) << "the width stays";
    EXPECT_GE(wrapped.bottom - wrapped.top, 3 * (oneLine.bottom - oneLine.top));
    EXPECT_EQ(GetWindowTextLengthW(path), static_cast<int>(longText.size()));

    form.SetLabelText(path, L"");
    EXPECT_EQ(Bounds(path).bottom - Bounds(path).top, oneLine.bottom - oneLine.top) << "an empty label keeps one line";
}

TEST(GlowButton, StaysARealButton) {
    TestForm form;
    ASSERT_TRUE(form.Create());
    HWND button = form.Control(L"Button");
    wchar_t text[16] = {};
    SendMessageW(button, WM_GETTEXT, 16, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"OK");
    wchar_t className[32] = {};
    GetClassNameW(button, className, 32);
    EXPECT_STREQ(className, L"Button");
    EXPECT_EQ(GetDlgCtrlID(button), IDOK);
    EXPECT_TRUE(SendMessageW(button, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON);
    EXPECT_EQ(SendMessageW(form.Handle(), DM_GETDEFID, 0, 0), MAKELRESULT(IDOK, DC_HASDEFID));

    SendMessageW(button, BM_CLICK, 0, 0);
    EXPECT_EQ(form.clicks, 1);

    // Enter, with the focus on the button or on the form, goes to the
    // default button the way the message loop passes keys on.
    for (HWND focus : {button, form.Handle()}) {
        MSG enter{focus, WM_KEYDOWN, VK_RETURN, 0};
        EXPECT_TRUE(IsDialogMessageW(form.Handle(), &enter));
    }
    EXPECT_EQ(form.clicks, 3);

    EXPECT_EQ(SendMessageW(button, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    SendMessageW(button, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(SendMessageW(button, BM_GETCHECK, 0, 0), BST_CHECKED);
}


// A window the system refuses to create (here a CBT hook vetoes it) is
// reported with an error code, and no half-made form is kept.
LRESULT CALLBACK VetoCreation(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) return 1;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(Application, ReportsAFormThatCouldNotBeCreated) {
    HHOOK hook = SetWindowsHookExW(WH_CBT, VetoCreation, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    TestForm* form = nullptr;
    DWORD error = winkit::Application::Instance().CreateForm(form);
    UnhookWindowsHookEx(hook);
    EXPECT_NE(error, 0u);
    EXPECT_EQ(form, nullptr);
    EXPECT_EQ(winkit::Application::Instance().MainForm(), nullptr);
}

}  // namespace
