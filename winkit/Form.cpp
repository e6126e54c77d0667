#include "winkit/Form.h"

#include <commctrl.h>

namespace winkit {
namespace {

constexpr wchar_t kFormClass[] = L"WinkitForm";
constexpr wchar_t kPanelClass[] = L"WinkitShader";

HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

}  // namespace

Form::~Form() {
    if (window_) DestroyWindow(window_);
}

bool Form::Create() {
    WNDCLASSEXW formClass{sizeof formClass};
    formClass.lpfnWndProc = WindowProc;
    formClass.hInstance = Instance();
    formClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    formClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    formClass.lpszClassName = kFormClass;
    if (definition_.iconResource) {
        formClass.hIcon = static_cast<HICON>(LoadImageW(Instance(), MAKEINTRESOURCEW(definition_.iconResource),
                                                        IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
        formClass.hIconSm = static_cast<HICON>(
            LoadImageW(Instance(), MAKEINTRESOURCEW(definition_.iconResource), IMAGE_ICON,
                       GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    }
    RegisterClassExW(&formClass);

    WNDCLASSEXW panelClass{sizeof panelClass};
    panelClass.lpfnWndProc = PanelProc;
    panelClass.hInstance = Instance();
    panelClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    panelClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    panelClass.lpszClassName = kPanelClass;
    RegisterClassExW(&panelClass);

    constexpr DWORD style = WS_OVERLAPPEDWINDOW;
    constexpr DWORD exStyle = WS_EX_APPWINDOW | WS_EX_CONTROLPARENT;
    window_ = CreateWindowExW(exStyle, kFormClass, definition_.caption, style, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, Instance(), this);
    if (!window_) return false;

    dpi_ = GetDpiForWindow(window_);
    RECT outer{0, 0, Scale(definition_.clientWidth), Scale(definition_.clientHeight)};
    AdjustWindowRectExForDpi(&outer, style, FALSE, exStyle, dpi_);
    SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    font_ = UniqueFont(CreateFontW(MulDiv(definition_.fontHeight, dpi_, 96), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                   DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                   DEFAULT_PITCH | FF_DONTCARE, definition_.fontName));
    CreateControls();
    return true;
}

void Form::CreateControls() {
    RECT client{};
    GetClientRect(window_, &client);
    for (const ControlDefinition& control : definition_.controls) {
        HWND parent = control.parent ? Control(control.parent) : window_;
        const wchar_t* windowClass = kPanelClass;
        DWORD style = WS_CHILD | WS_VISIBLE;
        DWORD exStyle = 0;
        switch (control.kind) {
        case ControlKind::Shader:
            exStyle = WS_EX_CONTROLPARENT;
            break;
        case ControlKind::EllipsLabel:
            windowClass = WC_STATICW;
            style |= SS_NOPREFIX | (control.centered ? SS_CENTER : SS_LEFT);
            break;
        case ControlKind::GlowButton:
            windowClass = WC_BUTTONW;
            style |= WS_TABSTOP | (control.defaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
            break;
        }
        RECT bounds{Scale(control.bounds.left), Scale(control.bounds.top), Scale(control.bounds.width),
                    Scale(control.bounds.height)};
        if (control.align == Align::Client) bounds = {0, 0, client.right, client.bottom};
        HWND child = CreateWindowExW(exStyle, windowClass, control.text, style, bounds.left, bounds.top, bounds.right,
                                     bounds.bottom, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)),
                                     Instance(), nullptr);
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
        controls_.emplace_back(&control, child);
        if (control.autoSize) AutoSizeLabel(child);
    }
}

HWND Form::Control(std::wstring_view name) const {
    for (const auto& [definition, window] : controls_)
        if (name == definition->name) return window;
    return nullptr;
}

const ControlDefinition* Form::DefinitionOf(HWND control) const {
    for (const auto& [definition, window] : controls_)
        if (window == control) return definition;
    return nullptr;
}

void Form::Show() {
    OnShow();
    ShowWindow(window_, SW_SHOWNORMAL);
    shown_ = true;
    OnResize();
    UpdateWindow(window_);
}

void Form::Close() { PostMessageW(window_, WM_CLOSE, 0, 0); }

void Form::SetBounds(HWND control, int left, int top, int width, int height) {
    SetWindowPos(control, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT Form::BoundsInParent(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void Form::SetLabelText(HWND label, std::wstring_view text) {
    SetWindowTextW(label, std::wstring(text).c_str());
    const ControlDefinition* definition = DefinitionOf(label);
    if (definition && definition->autoSize) AutoSizeLabel(label);
}

void Form::AutoSizeLabel(HWND label) {
    RECT bounds = BoundsInParent(label);
    int length = GetWindowTextLengthW(label);
    std::wstring text(length, L'\0');
    GetWindowTextW(label, text.data(), length + 1);
    HDC dc = GetDC(label);
    HGDIOBJ old = SelectObject(dc, font_.get());
    RECT measure{0, 0, bounds.right - bounds.left, 0};
    DrawTextW(dc, text.empty() ? L" " : text.c_str(), -1, &measure,
              DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(label, dc);
    SetBounds(label, bounds.left, bounds.top, bounds.right - bounds.left, measure.bottom);
}

LRESULT CALLBACK Form::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* self = static_cast<Form*>(create->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self ? self->HandleMessage(message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE: {
        RECT client{};
        GetClientRect(window_, &client);
        for (const auto& [definition, control] : controls_)
            if (definition->align == Align::Client) SetBounds(control, 0, 0, client.right, client.bottom);
        if (shown_) OnResize();
        return 0;
    }
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED) {
            if (LOWORD(wParam) == IDCANCEL)
                Close();
            else
                OnClick(LOWORD(wParam));
        }
        return 0;
    case DM_GETDEFID:
        for (const auto& [definition, control] : controls_)
            if (definition->defaultButton) return MAKELRESULT(definition->id, DC_HASDEFID);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        window_ = nullptr;
        break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

LRESULT CALLBACK Form::PanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
        // Clicks of the controls on the panel belong to the form.
        return SendMessageW(GetAncestor(window, GA_ROOT), message, wParam, lParam);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace winkit
