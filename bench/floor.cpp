// The floor of the start-up benchmark: the least a program can do to show the
// same folder chooser as RemoveMolvane.exe. It initialises COM
// apartment-threaded, opens the chooser rooted at the Startup folder with the
// same flags and caption, and ends when the chooser closes. RemoveMolvane.exe
// is measured against it (bench/bench.cpp).
#include <windows.h>
#include <shlobj.h>

namespace {

int CALLBACK SetCaption(HWND window, UINT message, LPARAM, LPARAM) {
    if (message == BFFM_INITIALIZED) SetWindowTextW(window, L"Click on StartUp Folder");
    return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) return 1;
    PIDLIST_ABSOLUTE root = nullptr;
    SHGetSpecialFolderLocation(nullptr, CSIDL_STARTUP, &root);

    BROWSEINFOW info{};
    info.pidlRoot = root;
    info.ulFlags = BIF_NEWDIALOGSTYLE | BIF_RETURNONLYFSDIRS;
    info.lpfn = SetCaption;
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info);

    CoTaskMemFree(chosen);
    CoTaskMemFree(root);
    CoUninitialize();
    return 0;
}
