#include "winkit/GlowButton.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <string>
#include <vector>

#include "winkit/Glyph.h"
#include "winkit/Handle.h"
#include "winkit/Paint.h"

namespace winkit {
namespace {

struct ButtonState {
    const GlowButtonSettings* settings;
    UINT dpi = 96;
    bool mouseOver = false;
    bool checked = false;
    UniqueBitmap glyph;  // premultiplied 32-bit, glyphSize × glyphSize
    int glyphSize = 0;
};

// The state lives as long as the control: made when it is created, freed
// when it is destroyed.
ButtonState* ButtonOf(HWND button) { return reinterpret_cast<ButtonState*>(GetWindowLongPtrW(button, GWLP_USERDATA)); }

int Scaled(const ButtonState& state, int pixels96) { return MulDiv(pixels96, state.dpi, 96); }

void MakeGlyph(ButtonState& state) {
    state.glyph.reset();
    state.glyphSize = 0;
    if (!state.settings->glyph) return;
    int size = Scaled(state, state.settings->glyph->size);
    std::vector<std::uint32_t> pixels = RenderGlyph(*state.settings->glyph, size);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), size, -size, 1, 32, BI_RGB};
    void* bits = nullptr;
    state.glyph = UniqueBitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!state.glyph) return;
    std::copy(pixels.begin(), pixels.end(), static_cast<std::uint32_t*>(bits));
    state.glyphSize = size;
}

void Paint(HWND button, ButtonState& state, const DRAWITEMSTRUCT& item) {
    const GlowButtonSettings& settings = *state.settings;
    RECT rect = item.rcItem;
    Canvas canvas(item.hDC, rect);
    HDC dc = canvas.dc();
    DrawParentBackground(button, dc);

    bool focusShown = (item.itemState & ODS_FOCUS) &&
                      !(SendMessageW(button, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS);
    GlowState glowState = StateOf(!(item.itemState & ODS_DISABLED), item.itemState & ODS_SELECTED, state.checked,
                                  state.mouseOver, focusShown, settings.focusType);
    GlowColors colors = ColorsFor(*settings.appearance, glowState);

    // The face, shaded row by row inside the border, and the rounded border.
    // (The clipping region is in device units: the canvas starts at the item's corner.)
    int corner = Scaled(state, 3) * 2;
    UniqueRegion face(CreateRoundRectRgn(0, 0, rect.right - rect.left + 1, rect.bottom - rect.top + 1, corner, corner));
    RECT inner{rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1};
    if (inner.bottom > inner.top) {
        std::vector<Color> rows(inner.bottom - inner.top);
        FaceLine(colors, rows);
        SelectClipRgn(dc, face.get());
        FillLine(dc, inner, rows, true);
        SelectClipRgn(dc, nullptr);
    }
    {
        UniquePen pen(CreatePen(PS_SOLID, 1, colors.border));
        Selected selectPen(dc, pen.get());
        Selected selectBrush(dc, GetStockObject(NULL_BRUSH));
        RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, corner, corner);
    }

    // Glyph and caption, centred together.
    std::wstring caption(GetWindowTextLengthW(button), L'\0');
    GetWindowTextW(button, caption.data(), static_cast<int>(caption.size()) + 1);
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(button, WM_GETFONT, 0, 0));
    Selected selectFont(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
    SIZE text{};
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &text);
    int gap = state.glyphSize && !caption.empty() ? Scaled(state, 4) : 0;
    int left = rect.left + ((rect.right - rect.left) - (state.glyphSize + gap + text.cx)) / 2;
    int middle = (rect.top + rect.bottom) / 2;
    if (state.glyph) {
        UniqueMemoryDc glyphDc(CreateCompatibleDC(dc));
        Selected selectGlyph(glyphDc.get(), state.glyph.get());
        BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        AlphaBlend(dc, left, middle - state.glyphSize / 2, state.glyphSize, state.glyphSize, glyphDc.get(), 0, 0,
                   state.glyphSize, state.glyphSize, blend);
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(glowState == GlowState::Disabled ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
    TextOutW(dc, left + state.glyphSize + gap, middle - text.cy / 2, caption.c_str(), static_cast<int>(caption.size()));
}

void TrackMouse(HWND button, ButtonState& state, bool over) {
    if (state.mouseOver == over) return;
    state.mouseOver = over;
    if (over) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, button, 0};
        TrackMouseEvent(&track);
    }
    InvalidateRect(button, nullptr, FALSE);
}

LRESULT CALLBACK ButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* state = reinterpret_cast<ButtonState*>(data);
    switch (message) {
    case WM_ERASEBKGND:
        return 1;  // drawn whole, off-screen, in WM_DRAWITEM
    case WM_WINKIT_DRAWITEM:
        Paint(button, *state, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_MOUSEMOVE: {
        // While the button holds the mouse (pressed), moves come from outside too.
        RECT client{};
        GetClientRect(button, &client);
        POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        TrackMouse(button, *state, PtInRect(&client, point));
        break;
    }
    case WM_MOUSELEAVE:
        TrackMouse(button, *state, false);
        break;
    case BM_SETCHECK:
        state->checked = wParam == BST_CHECKED;
        InvalidateRect(button, nullptr, FALSE);
        return 0;
    case BM_GETCHECK:
        return state->checked ? BST_CHECKED : BST_UNCHECKED;
    case WM_UPDATEUISTATE: {
        LRESULT result = DefSubclassProc(button, message, wParam, lParam);
        InvalidateRect(button, nullptr, FALSE);
        return result;
    }
    case WM_WINDOWPOSCHANGING: {
        auto* position = reinterpret_cast<WINDOWPOS*>(lParam);
        if (!(position->flags & SWP_NOSIZE))
            position->cy = std::max(position->cy, Scaled(*state, state->settings->minHeight));
        break;
    }
    case WM_NCDESTROY:
        RemoveWindowSubclass(button, ButtonProc, 0);
        SetWindowLongPtrW(button, GWLP_USERDATA, 0);
        delete state;
        break;
    }
    return DefSubclassProc(button, message, wParam, lParam);
}

}  // namespace

HWND CreateGlowButton(HWND parent, int id, const RECT& bounds, const wchar_t* caption,
                      const GlowButtonSettings& settings, UINT dpi) {
    HWND button = CreateWindowExW(0, WC_BUTTONW, caption, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW,
                                  bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                                  parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                                  nullptr);
    if (!button) return nullptr;
    auto* state = new ButtonState{&settings};
    SetWindowLongPtrW(button, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    SetWindowSubclass(button, ButtonProc, 0, reinterpret_cast<DWORD_PTR>(state));
    SetGlowButtonDpi(button, dpi);
    return button;
}

void SetGlowButtonDpi(HWND button, UINT dpi) {
    ButtonState* state = ButtonOf(button);
    if (!state) return;
    state->dpi = dpi;
    MakeGlyph(*state);
    RECT bounds{};
    GetWindowRect(button, &bounds);
    // Re-applies the minimum height for this DPI.
    SetWindowPos(button, nullptr, 0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(button, nullptr, FALSE);
}

}  // namespace winkit
