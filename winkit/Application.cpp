#include "winkit/Application.h"

#include <commctrl.h>
#include <objbase.h>

namespace winkit {

Application& Application::Instance() {
    static Application application;
    return application;
}

void Application::Initialize() {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
}

void Application::Run() {
    if (!mainForm_) return;
    mainForm_->Show();
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        HWND main = mainForm_->Handle();
        if (main && IsDialogMessageW(main, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

int Application::ShowMessage(HWND owner, std::wstring_view text, UINT type) {
    return MessageBoxW(owner, std::wstring(text).c_str(), Title.c_str(), type);
}

}  // namespace winkit
