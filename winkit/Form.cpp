#include "winkit/Form.h"

#include "winkit/EllipsLabel.h"
#include "winkit/GlowButton.h"
#include "winkit/Paint.h"
#include "winkit/Shader.h"

namespace winkit {
namespace {

constexpr wchar_t kFormClass[] = L"WinkitForm";
constexpr DWORD kFormStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr DWORD kFormExStyle = WS_EX_APPWINDOW | WS_EX_CONTROLPARENT;

HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

RECT Scaled(const Bounds& b, UINT dpi) {
    int left = MulDiv(b.left, dpi, 96), top = MulDiv(b.top, dpi, 96);
    return {left, top, left + MulDiv(b.width, dpi, 96), top + MulDiv(b.height, dpi, 96)};
}

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
    RegisterClassExW(&formClass);

    // The window's DPI is known from WM_NCCREATE on; a WM_DPICHANGED during
    // creation updates it before any control exists.
    window_ = CreateWindowExW(kFormExStyle, kFormClass, definition_.caption, kFormStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, Instance(), this);
    if (!window_) return false;

    SetClientSize(Scale(definition_.clientWidth), Scale(definition_.clientHeight));
    UpdateFontAndIcons();
    CreateControls();

    // Focus rectangles and access keys stay hidden until the keyboard is used,
    // unless the user asked to always see them.
    BOOL cues = FALSE;
    SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &cues, 0);
    if (!cues) SendMessageW(window_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
    return true;
}

void Form::SetClientSize(int width, int height) {
    // The frame as it is now around the client area, whatever DPI drew it.
    RECT outer{}, client{};
    GetWindowRect(window_, &outer);
    GetClientRect(window_, &client);
    SetWindowPos(window_, nullptr, 0, 0, width + (outer.right - outer.left) - client.right,
                 height + (outer.bottom - outer.top) - client.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::UpdateFontAndIcons() {
    UniqueFont font(CreateFontW(Scale(definition_.fontHeight), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                definition_.fontName));
    for (const Child& child : controls_)
        SendMessageW(child.window, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    font_ = std::move(font);

    if (!definition_.iconResource) return;
    auto load = [&](int metric) {
        int size = GetSystemMetricsForDpi(metric, dpi_);
        return UniqueIcon(static_cast<HICON>(
            LoadImageW(Instance(), MAKEINTRESOURCEW(definition_.iconResource), IMAGE_ICON, size, size, 0)));
    };
    UniqueIcon small = load(SM_CXSMICON), large = load(SM_CXICON);
    SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
    SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(large.get()));
    smallIcon_ = std::move(small);
    largeIcon_ = std::move(large);
}

void Form::CreateControls() {
    for (const ControlDefinition& control : definition_.controls) {
        HWND parent = control.parent ? Control(control.parent) : window_;
        RECT bounds = Scaled(control.bounds, dpi_);
        if (control.align == Align::Client) GetClientRect(parent, &bounds);
        HWND child = nullptr;
        switch (control.kind) {
        case ControlKind::Shader:
            child = CreateShader(parent, control.id, bounds, control.shader);
            break;
        case ControlKind::EllipsLabel:
            child = CreateEllipsLabel(parent, control.id, bounds, control.text, control.label);
            break;
        case ControlKind::GlowButton:
            child = CreateGlowButton(parent, control.id, bounds, control.text, control.button, dpi_);
            break;
        }
        if (!child) continue;
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
        controls_.push_back({&control, child});
    }
    // Labels lie under the other controls, as if drawn by their parent: one
    // that overlaps a button is covered by it, never the other way round.
    for (const Child& child : controls_)
        if (child.definition->kind == ControlKind::EllipsLabel)
            SetWindowPos(child.window, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Form::ApplyDpi(UINT dpi, const RECT* suggested) {
    UINT old = dpi_;
    dpi_ = dpi;
    if (dpi == old) return;
    // Each control keeps its place and size in 96-DPI terms, whoever set them.
    // A label that sizes itself and fits its text refits it in the new font;
    // one given another height keeps that height, scaled.
    std::vector<bool> keepHeight;
    for (const Child& child : controls_) {
        RECT b = BoundsInParent(child.window);
        bool autoSized = child.definition->kind == ControlKind::EllipsLabel && child.definition->label.autoSize;
        keepHeight.push_back(autoSized && b.bottom - b.top != LabelTextHeight(child.window));
        if (child.definition->align == Align::Client) continue;
        if (child.definition->kind == ControlKind::GlowButton) SetGlowButtonDpi(child.window, dpi);
        SetBounds(child.window, MulDiv(b.left, dpi, old), MulDiv(b.top, dpi, old), MulDiv(b.right - b.left, dpi, old),
                  MulDiv(b.bottom - b.top, dpi, old));
    }
    std::vector<RECT> bounds;
    for (const Child& child : controls_) bounds.push_back(BoundsInParent(child.window));
    UpdateFontAndIcons();  // labels that size themselves fit the new font
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        const RECT& b = bounds[i];
        if (keepHeight[i]) SetBounds(controls_[i].window, b.left, b.top, b.right - b.left, b.bottom - b.top);
    }
    if (suggested) {
        SetWindowPos(window_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        RECT client{};
        GetClientRect(window_, &client);
        SetClientSize(MulDiv(client.right, dpi, old), MulDiv(client.bottom, dpi, old));
    }
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

void Form::FillClientAligned() {
    for (const Child& child : controls_) {
        if (child.definition->align != Align::Client) continue;
        RECT client{};
        GetClientRect(GetParent(child.window), &client);
        SetBounds(child.window, 0, 0, client.right, client.bottom);
    }
}

HWND Form::Control(std::wstring_view name) const {
    for (const Child& child : controls_)
        if (name == child.definition->name) return child.window;
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

void Form::SetLabelText(HWND label, std::wstring_view text) { SetWindowTextW(label, std::wstring(text).c_str()); }

LRESULT CALLBACK Form::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* self = static_cast<Form*>(create->lpCreateParams);
        self->window_ = window;
        self->dpi_ = GetDpiForWindow(window);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self ? self->HandleMessage(message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        FillClientAligned();
        if (shown_) OnResize();
        return 0;
    case WM_DPICHANGED:
        ApplyDpi(LOWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(window_, focus)) focused_ = focus;
        }
        break;  // DefWindowProc gives the window the focus, and WM_SETFOCUS passes it on
    case WM_SETFOCUS: {
        // Back to the control that had it, else the first one that takes it.
        HWND target = focused_ && IsChild(window_, focused_) ? focused_ : GetNextDlgTabItem(window_, nullptr, FALSE);
        if (target) SetFocus(target);
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
    case WM_DRAWITEM:
        return ReflectDrawItem(lParam);
    case DM_GETDEFID:
        for (const Child& child : controls_)
            if (child.definition->button.defaultButton) return MAKELRESULT(child.definition->id, DC_HASDEFID);
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

}  // namespace winkit
