#include "winkit/FolderBrowseDlg.h"

#include <shlobj.h>

#include "winkit/Handle.h"

namespace winkit {
namespace {

using UniqueIdList = UniqueCoTaskMem<ITEMIDLIST>;

UniqueIdList SpecialFolder(HWND owner, int csidl) {
    PIDLIST_ABSOLUTE pidl = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(owner, csidl, &pidl))) return {};
    return UniqueIdList(pidl);
}

// The item's file-system path, of any length; empty when it has none.
std::wstring FileSystemPath(PCIDLIST_ABSOLUTE pidl) {
    wchar_t* raw = nullptr;
    if (!pidl || FAILED(SHGetNameFromIDList(pidl, SIGDN_FILESYSPATH, &raw))) return {};
    UniqueCoTaskMem<wchar_t> name(raw);
    return name.get();
}

}  // namespace

int CALLBACK TPTFolderBrowseDlg::Callback(HWND window, UINT message, LPARAM, LPARAM data) {
    auto* self = reinterpret_cast<TPTFolderBrowseDlg*>(data);
    if (message == BFFM_INITIALIZED && !self->Title.empty()) SetWindowTextW(window, self->Title.c_str());
    return 0;
}

bool TPTFolderBrowseDlg::Execute() {
    selected_.clear();
    UniqueIdList root = SpecialFolder(Owner, BaseFolder);

    BROWSEINFOW info{};
    info.hwndOwner = Owner;
    info.pidlRoot = root.get();
    // The new dialog style returns the root itself when OK is pressed on the
    // untouched tree; it also brings the context menu and "Make New Folder".
    info.ulFlags = BIF_NEWDIALOGSTYLE;
    if (FileSystemOnly) info.ulFlags |= BIF_RETURNONLYFSDIRS;
    if (!NewFolderButton) info.ulFlags |= BIF_NONEWFOLDERBUTTON;
    info.lpfn = Callback;
    info.lParam = reinterpret_cast<LPARAM>(this);

    UniqueIdList chosen(SHBrowseForFolderW(&info));
    if (!chosen) return false;
    selected_ = FileSystemPath(chosen.get());
    return true;
}

std::wstring TPTFolderBrowseDlg::BaseFolderPath() const {
    UniqueIdList root = SpecialFolder(Owner, BaseFolder);
    return FileSystemPath(root.get());
}

}  // namespace winkit
