#include "winkit/EllipsLabel.h"

#include <commctrl.h>

#include <string>

#include "winkit/Paint.h"

namespace winkit {
namespace {

struct LabelState {
    const LabelSettings* settings;
    HFONT font = nullptr;
};

// The state lives as long as the control: made when it is created, freed
// when it is destroyed.
LabelState* LabelOf(HWND label) { return reinterpret_cast<LabelState*>(GetWindowLongPtrW(label, GWLP_USERDATA)); }

std::wstring TextOf(HWND label) {
    std::wstring text(GetWindowTextLengthW(label), L'\0');
    GetWindowTextW(label, text.data(), static_cast<int>(text.size()) + 1);
    return text;
}

UINT DrawFlags(const LabelSettings& settings) {
    UINT flags = DT_NOPREFIX;
    flags |= settings.alignment == TextAlign::Center  ? DT_CENTER
             : settings.alignment == TextAlign::Right ? DT_RIGHT
                                                      : DT_LEFT;
    if (settings.wordWrap) flags |= DT_WORDBREAK | DT_EDITCONTROL;
    if (settings.ellipsType == EllipsType::EndEllipsis) flags |= DT_END_ELLIPSIS;
    if (settings.ellipsType == EllipsType::PathEllipsis) flags |= DT_PATH_ELLIPSIS;
    return flags;
}

void FitHeight(HWND label) {
    RECT bounds{};
    GetWindowRect(label, &bounds);
    SetWindowPos(label, nullptr, 0, 0, bounds.right - bounds.left, LabelTextHeight(label),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Paint(HWND label, const LabelState& state, HDC target) {
    RECT client{};
    GetClientRect(label, &client);
    Canvas canvas(target, client);
    HDC dc = canvas.dc();
    DrawParentBackground(label, dc);
    Selected font(dc, state.font ? state.font : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(IsWindowEnabled(label) ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    std::wstring text = TextOf(label);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &client, DrawFlags(*state.settings));
}

LRESULT CALLBACK LabelProc(HWND label, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* state = reinterpret_cast<LabelState*>(data);
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(label, &paint);
        Paint(label, *state, dc);
        EndPaint(label, &paint);
        return 0;
    }
    case WM_PRINTCLIENT:
        Paint(label, *state, reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_SETTEXT: {
        // Stored as any window's text; the static control would paint the
        // new text at once over the old.
        LRESULT result = DefWindowProcW(label, message, wParam, lParam);
        if (state->settings->autoSize) FitHeight(label);
        RepaintUnder(label);
        return result;
    }
    case WM_SETFONT:
        state->font = reinterpret_cast<HFONT>(wParam);
        if (state->settings->autoSize) FitHeight(label);
        if (LOWORD(lParam)) RepaintUnder(label);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(state->font);
    case WM_SIZE:
        InvalidateRect(label, nullptr, FALSE);
        return 0;
    case WM_ENABLE:
    case WM_SYSCOLORCHANGE:
        InvalidateRect(label, nullptr, FALSE);
        return 0;
    case WM_NCDESTROY:
        RemoveWindowSubclass(label, LabelProc, 0);
        SetWindowLongPtrW(label, GWLP_USERDATA, 0);
        delete state;
        break;
    }
    return DefSubclassProc(label, message, wParam, lParam);
}

}  // namespace

HWND CreateEllipsLabel(HWND parent, int id, const RECT& bounds, const wchar_t* text, const LabelSettings& settings) {
    // Clipped by the controls above it: a label under a button (the form puts
    // labels under the other controls) never paints over it.
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SS_NOPREFIX;
    style |= settings.alignment == TextAlign::Center ? SS_CENTER : settings.alignment == TextAlign::Right ? SS_RIGHT : 0;
    HWND label = CreateWindowExW(0, WC_STATICW, text, style, bounds.left, bounds.top, bounds.right - bounds.left,
                                 bounds.bottom - bounds.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleW(nullptr), nullptr);
    if (!label) return nullptr;
    auto* state = new LabelState{&settings};
    SetWindowLongPtrW(label, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    SetWindowSubclass(label, LabelProc, 0, reinterpret_cast<DWORD_PTR>(state));
    if (settings.autoSize) FitHeight(label);
    return label;
}

int LabelTextHeight(HWND label) {
    LabelState* state = LabelOf(label);
    RECT client{};
    GetClientRect(label, &client);
    std::wstring text = TextOf(label);
    if (text.empty()) text = L" ";
    HDC dc = GetDC(label);
    RECT measure{0, 0, client.right, 0};
    {
        Selected font(dc, state && state->font ? state->font : GetStockObject(DEFAULT_GUI_FONT));
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measure,
                  DT_CALCRECT | (state ? DrawFlags(*state->settings) : DT_WORDBREAK));
    }
    ReleaseDC(label, dc);
    return measure.bottom - measure.top;
}

}  // namespace winkit
