#include "winkit/Files.h"

#include <algorithm>

#include "winkit/Handle.h"

namespace winkit {

DWORD (*g_beforeReplaceHook)(const std::wstring&) = nullptr;

std::wstring ApiPath(std::wstring_view path) {
    if (path.size() < MAX_PATH - 12 || path.starts_with(L"\\\\?\\")) return std::wstring(path);
    if (path.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + std::wstring(path.substr(2));
    return L"\\\\?\\" + std::wstring(path);
}

namespace {

DWORD Attributes(std::wstring_view path) {
    if (path.empty()) return INVALID_FILE_ATTRIBUTES;
    return GetFileAttributesW(ApiPath(path).c_str());
}

}  // namespace

bool FileExists(std::wstring_view path) {
    DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(std::wstring_view path) {
    DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring ProgramFileName() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length < buffer.size()) {
            buffer.resize(length);
            return buffer;
        }
        buffer.resize(buffer.size() * 2);
    }
}

bool IsSameOrBelow(std::wstring_view path, std::wstring_view folder) {
    while (!folder.empty() && folder.back() == L'\\') folder.remove_suffix(1);
    if (folder.empty() || path.size() < folder.size()) return false;
    if (path.size() > folder.size() && path[folder.size()] != L'\\') return false;
    return CompareStringOrdinal(path.data(), static_cast<int>(folder.size()), folder.data(),
                                static_cast<int>(folder.size()), TRUE) == CSTR_EQUAL;
}

ReadResult ReadWholeFile(std::wstring_view path, std::size_t maxBytes) {
    ReadResult result;
    // Sharing reading and deleting but not writing: nobody can change the file
    // while it is read, and a file open for writing elsewhere is not read.
    UniqueFile file(CreateFileW(ApiPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) {
        result.error = GetLastError();
        if (result.error == ERROR_FILE_NOT_FOUND || result.error == ERROR_PATH_NOT_FOUND) result.status = ReadResult::NotFound;
        return result;
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) {
        result.error = GetLastError();
        return result;
    }
    if (static_cast<unsigned long long>(size.QuadPart) > maxBytes) {
        result.error = ERROR_FILE_TOO_LARGE;
        return result;
    }
    // The size is only a first guess (a special file may not know its size):
    // read until the end, with one spare byte to notice a file that is longer.
    result.bytes.resize(static_cast<std::size_t>(size.QuadPart) + 1);
    std::size_t done = 0;
    for (;;) {
        if (done == result.bytes.size()) {
            if (done > maxBytes) {
                result.error = ERROR_FILE_TOO_LARGE;
                result.bytes.clear();
                return result;
            }
            result.bytes.resize(std::min(done * 2, maxBytes + 1));
        }
        DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(result.bytes.size() - done, 1u << 30));
        DWORD got = 0;
        if (!ReadFile(file.get(), result.bytes.data() + done, chunk, &got, nullptr)) {
            result.error = GetLastError();
            result.bytes.clear();
            return result;
        }
        if (got == 0) break;
        done += got;
    }
    result.bytes.resize(done);
    result.status = ReadResult::Read;
    return result;
}

namespace {

// A fresh temporary file in the same folder as `path`, so the final move stays
// on one volume. The name is unique, so a stale one left by an earlier crash
// is never reused or taken for the real file.
DWORD CreateTemporaryBeside(std::wstring_view path, std::wstring& temporaryPath, UniqueFile& file) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        wchar_t suffix[40];
        wsprintfW(suffix, L".%08lx%04x.tmp", GetTickCount() ^ (GetCurrentProcessId() << 8), attempt);
        temporaryPath = std::wstring(path) + suffix;
        file = UniqueFile(CreateFileW(ApiPath(temporaryPath).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file) return 0;
        DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return error;
    }
    return ERROR_FILE_EXISTS;
}

DWORD WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD chunk = bytes.size() > (1u << 30) ? (1u << 30) : static_cast<DWORD>(bytes.size());
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr)) return GetLastError();
        if (written == 0) return ERROR_WRITE_FAULT;
        bytes.remove_prefix(written);
    }
    return FlushFileBuffers(file) ? 0 : GetLastError();
}

}  // namespace

DWORD WriteFileAtomically(std::wstring_view path, std::string_view bytes, ReplaceMode mode) {
    // Windows will not move a file over a read-only one; refuse it here
    // already, before a temporary file is made.
    DWORD old = mode == ReplaceMode::ReplaceExisting ? Attributes(path) : INVALID_FILE_ATTRIBUTES;
    if (old != INVALID_FILE_ATTRIBUTES && (old & FILE_ATTRIBUTE_READONLY)) return ERROR_ACCESS_DENIED;

    std::wstring temporaryPath;
    UniqueFile file;
    if (DWORD error = CreateTemporaryBeside(path, temporaryPath, file)) return error;

    DWORD error = WriteAll(file.get(), bytes);
    file.reset();
    if (!error && g_beforeReplaceHook) error = g_beforeReplaceHook(temporaryPath);
    if (!error) {
        // Carry the visible attributes of the file being replaced over to its successor.
        if (old != INVALID_FILE_ATTRIBUTES && !(old & FILE_ATTRIBUTE_DIRECTORY))
            SetFileAttributesW(ApiPath(temporaryPath).c_str(),
                               old & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE));
        DWORD flags = MOVEFILE_WRITE_THROUGH | (mode == ReplaceMode::ReplaceExisting ? MOVEFILE_REPLACE_EXISTING : 0);
        if (!MoveFileExW(ApiPath(temporaryPath).c_str(), ApiPath(path).c_str(), flags)) error = GetLastError();
    }
    if (error) DeleteFileW(ApiPath(temporaryPath).c_str());
    return error;
}

DWORD DeleteOneFile(std::wstring_view path) {
    return DeleteFileW(ApiPath(path).c_str()) ? 0 : GetLastError();
}

}  // namespace winkit
