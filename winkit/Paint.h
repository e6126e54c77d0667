// Painting helpers shared by the custom-drawn controls: flicker-free
// off-screen drawing, colour lines, and the parent's background under a
// transparent control.
#pragma once

#include <windows.h>

#include <span>

#include "winkit/Color.h"
#include "winkit/Handle.h"

namespace winkit {

// A parent passes WM_DRAWITEM on to the owner-drawn control it is for with
// this message (same parameters), so each control draws itself.
constexpr UINT WM_WINKIT_DRAWITEM = WM_APP + 0x201;

// Reflects a WM_DRAWITEM to its control; returns what the control returned.
LRESULT ReflectDrawItem(LPARAM drawItem);

// Selects a GDI object into a DC for the lifetime of this object.
class Selected {
public:
    Selected(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~Selected() { SelectObject(dc_, old_); }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// An off-screen bitmap covering `area` of `target`: draw on dc() in the
// target's coordinates; the destructor copies it to the target in one step.
// If no bitmap can be had, dc() is the target itself.
class Canvas {
public:
    Canvas(HDC target, const RECT& area);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC dc() const { return memory_ ? memory_.get() : target_; }

private:
    HDC target_;
    RECT area_;
    UniqueMemoryDc memory_;
    UniqueBitmap bitmap_;
    HGDIOBJ old_ = nullptr;
};

// Fills `area` with one colour per pixel of `line`: per row (top to bottom)
// when `perRow`, else per column (left to right). line.size() must be the
// area's height, or its width.
void FillLine(HDC dc, const RECT& area, std::span<const Color> line, bool perRow);

// Draws what the parent shows under `child` into `dc`, whose origin is the
// child's client origin: the parent's background, then its own painting.
void DrawParentBackground(HWND child, HDC dc);

// Repaints the parent's area under `child`, and the child with it.
void RepaintUnder(HWND child);

}  // namespace winkit
