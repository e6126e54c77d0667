// Form: a top-level window created from a FormDefinition. Messages go to
// member functions; derived classes override the events they handle.
//
// The definition is in 96-DPI pixels. The form scales positions, sizes, the
// font, the icon and the buttons' glyphs to the window's DPI when it creates
// them, and again on WM_DPICHANGED (which may come before the controls exist).
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "winkit/FormDefinition.h"
#include "winkit/Handle.h"

namespace winkit {

class Form {
public:
    explicit Form(const FormDefinition& definition) : definition_(definition) {}
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // Creates the window and its controls, hidden.
    bool Create();
    // Runs OnShow, then puts the window on screen.
    void Show();
    // Closes the window as its close box does.
    void Close();

    HWND Handle() const { return window_; }
    HWND Control(std::wstring_view name) const;
    UINT Dpi() const { return dpi_; }

    // Pixels at this window's DPI for a length in 96-DPI pixels.
    int Scale(int pixels96) const { return MulDiv(pixels96, dpi_, 96); }

    // Sets a label's text; a label that sizes itself then fits its height to
    // the text wrapped within its current width.
    void SetLabelText(HWND label, std::wstring_view text);

    static void SetBounds(HWND control, int left, int top, int width, int height);
    static RECT BoundsInParent(HWND control);

protected:
    virtual void OnShow() {}
    virtual void OnResize() {}
    virtual void OnClick(int /*controlId*/) {}

private:
    struct Child {
        const ControlDefinition* definition;
        HWND window;
    };

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateControls();
    void ApplyDpi(UINT dpi, const RECT* suggested);
    void UpdateFontAndIcons();
    void SetClientSize(int width, int height);
    void FillClientAligned();

    const FormDefinition& definition_;
    HWND window_ = nullptr;
    HWND focused_ = nullptr;  // the control that had the focus when the window was last deactivated
    UINT dpi_ = 96;
    bool shown_ = false;
    UniqueFont font_;
    UniqueIcon smallIcon_, largeIcon_;
    std::vector<Child> controls_;
};

}  // namespace winkit
