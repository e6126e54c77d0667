// Where Molvane keeps Options.ini: a fixed folder when it exists, otherwise
// the folder that holds this program's executable. Portable, so the rule can
// be tested without a file system; the probes are the caller's.
#pragma once

#include <string>
#include <string_view>

namespace app {

inline constexpr std::wstring_view kFixedDataFolder = L"C:\\Windows\\System32\\Molvane2";

// `fixedFolderIsDirectory`: whether a directory (not a file) exists at the
// fixed path. `exePath`: the program's own full path. The result never ends
// in a path delimiter, so "\Options.ini" can be appended to it.
inline std::wstring ChooseDataFolder(bool fixedFolderIsDirectory, std::wstring_view exePath) {
    if (fixedFolderIsDirectory) return std::wstring(kFixedDataFolder);
    std::size_t slash = exePath.find_last_of(L"\\/");
    std::wstring_view folder = slash == std::wstring_view::npos ? std::wstring_view() : exePath.substr(0, slash);
    while (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/')) folder.remove_suffix(1);
    return std::wstring(folder);
}

}  // namespace app
