// TPTFolderBrowseDlg: a modal folder chooser whose tree is rooted at a shell
// special folder. Needs COM initialised apartment-threaded on this thread.
#pragma once

#include <windows.h>

#include <string>

namespace winkit {

// The chooser's stored settings.
struct FolderBrowseSettings {
    int baseFolder = 0;             // CSIDL of the tree's root (0: the Desktop)
    const wchar_t* title = L"";     // the caption; "Browse for Folder" when empty
    bool fileSystemOnly = true;     // only folders with a file-system path can be confirmed
    bool newFolderButton = false;   // the "Make New Folder" push button (the context menu creates folders anyway)
};

class TPTFolderBrowseDlg {
public:
    TPTFolderBrowseDlg() = default;
    explicit TPTFolderBrowseDlg(const FolderBrowseSettings& settings)
        : Title(settings.title),
          BaseFolder(settings.baseFolder),
          FileSystemOnly(settings.fileSystemOnly),
          NewFolderButton(settings.newFolderButton) {}

    std::wstring Title;  // the chooser window's caption; "Browse for Folder" when empty
    int BaseFolder = 0;  // CSIDL of the tree's root (0: the Desktop)
    HWND Owner = nullptr;
    bool FileSystemOnly = true;
    bool NewFolderButton = false;

    // Shows the chooser modally; true only when it was closed with OK.
    bool Execute();

    // After a true Execute: the file-system path of the confirmed folder, as
    // the shell gives it; empty when that item has no file-system path.
    const std::wstring& SelectedFolder() const { return selected_; }

    // The file-system path of the tree's root (empty if it has none).
    std::wstring BaseFolderPath() const;

private:
    static int CALLBACK Callback(HWND window, UINT message, LPARAM lParam, LPARAM data);
    std::wstring selected_;
};

}  // namespace winkit
