// TPTFolderBrowseDlg: a modal folder chooser whose tree is rooted at a shell
// special folder. Needs COM initialised apartment-threaded on this thread.
#pragma once

#include <windows.h>

#include <string>

namespace winkit {

class TPTFolderBrowseDlg {
public:
    std::wstring Title;  // the chooser window's caption; "Browse for Folder" when empty
    int BaseFolder = 0;  // CSIDL of the tree's root (0: the Desktop)
    HWND Owner = nullptr;

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
