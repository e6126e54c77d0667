#include "winkit/Paint.h"

#include <vector>

namespace winkit {

LRESULT ReflectDrawItem(LPARAM drawItem) {
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(drawItem);
    return item && item->CtlType == ODT_BUTTON ? SendMessageW(item->hwndItem, WM_WINKIT_DRAWITEM, 0, drawItem) : FALSE;
}

Canvas::Canvas(HDC target, const RECT& area) : target_(target), area_(area) {
    int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return;
    bitmap_ = UniqueBitmap(CreateCompatibleBitmap(target, width, height));
    if (!bitmap_) return;
    memory_ = UniqueMemoryDc(CreateCompatibleDC(target));
    if (!memory_) return;
    old_ = SelectObject(memory_.get(), bitmap_.get());
    SetViewportOrgEx(memory_.get(), -area.left, -area.top, nullptr);
}

Canvas::~Canvas() {
    if (!memory_) return;
    BitBlt(target_, area_.left, area_.top, area_.right - area_.left, area_.bottom - area_.top, memory_.get(),
           area_.left, area_.top, SRCCOPY);
    SelectObject(memory_.get(), old_);
}

void FillLine(HDC dc, const RECT& area, std::span<const Color> line, bool perRow) {
    std::vector<DWORD> pixels(line.size());
    for (std::size_t i = 0; i < line.size(); ++i) pixels[i] = DibPixel(line[i]);
    int count = static_cast<int>(line.size());
    BITMAPINFO info{};
    // A one-pixel-wide (or -high) top-down picture, stretched over the area.
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), perRow ? 1 : count, perRow ? -count : 1, 1, 32, BI_RGB};
    int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, 0, 0, perRow ? 1 : count,
                  perRow ? count : 1, pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
    SetStretchBltMode(dc, oldMode);
}

void DrawParentBackground(HWND child, HDC dc) {
    HWND parent = GetParent(child);
    POINT origin{0, 0};
    MapWindowPoints(child, parent, &origin, 1);
    POINT old{};
    OffsetViewportOrgEx(dc, -origin.x, -origin.y, &old);
    SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SendMessageW(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    SetViewportOrgEx(dc, old.x, old.y, nullptr);
}

void RepaintUnder(HWND child) {
    HWND parent = GetParent(child);
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
    RedrawWindow(parent, &rect, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

}  // namespace winkit
