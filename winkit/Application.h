// The application object: sets the process up, owns the main form and runs
// the message loop until that form closes.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

#include "winkit/Form.h"

namespace winkit {

class Application {
public:
    static Application& Instance();

    // Initialises COM (apartment-threaded, as the shell's dialogs need) and
    // the common controls.
    void Initialize();

    // The main form carries its own taskbar button.
    bool MainFormOnTaskBar = true;
    // Caption of the application's message boxes.
    std::wstring Title;

    // Creates a form, hidden; the first one becomes the main form. Returns 0,
    // or the system's error code when the window could not be created (and
    // `reference` is then null).
    template <typename T>
    DWORD CreateForm(T*& reference) {
        auto form = std::make_unique<T>();
        reference = form.get();
        if (!form->Create()) {
            DWORD error = GetLastError();
            reference = nullptr;
            return error ? error : ERROR_NOT_ENOUGH_MEMORY;
        }
        if (!mainForm_) mainForm_ = std::move(form);
        return 0;
    }

    Form* MainForm() const { return mainForm_.get(); }

    // Shows the main form and dispatches messages until it is closed.
    void Run();

    // A message box owned by `owner`, with the application title as caption.
    int ShowMessage(HWND owner, std::wstring_view text, UINT type);

private:
    std::unique_ptr<Form> mainForm_;
};

}  // namespace winkit
