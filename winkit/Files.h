// File functions: existence tests, the program's own path, whole-file reads,
// atomic replacement and deletion. Paths of any length are accepted: a path
// too long for the classic API is passed in its "\\?\" form.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace winkit {

// `path` as the file API should receive it: unchanged when short, in the
// "\\?\" (or "\\?\UNC\") form when it reaches MAX_PATH.
std::wstring ApiPath(std::wstring_view path);

bool FileExists(std::wstring_view path);       // a file, not a directory
bool DirectoryExists(std::wstring_view path);  // a directory, not a file
std::wstring ProgramFileName();                // this executable's full path

// Whether `path` is `folder` itself or lies below it (case-insensitive).
bool IsSameOrBelow(std::wstring_view path, std::wstring_view folder);

struct ReadResult {
    enum Status { Read, NotFound, Failed } status = Failed;
    std::string bytes;
    DWORD error = 0;  // why, when Failed
};

// Reads the whole file and closes it again at once. While it reads, no other
// program may write to the file, so the bytes are one consistent state of it;
// a file that another program has open for writing fails with
// ERROR_SHARING_VIOLATION instead of being read half-written. A file of more
// than `maxBytes` fails with ERROR_FILE_TOO_LARGE.
ReadResult ReadWholeFile(std::wstring_view path, std::size_t maxBytes = 0x7FFFFFFF);

enum class ReplaceMode {
    MustNotExist,   // create the file; fail if one has appeared meanwhile
    ReplaceExisting,
};

// Writes `bytes` to a new temporary file beside `path`, flushes it, then
// moves it over `path` in one step. On failure `path` is left as it was, the
// temporary file is removed, and the Win32 error code is returned (0 = done).
// A read-only `path` is refused with ERROR_ACCESS_DENIED before anything is
// written, as Windows refuses to replace it.
DWORD WriteFileAtomically(std::wstring_view path, std::string_view bytes, ReplaceMode mode);

// Deletes one file; returns the Win32 error code (0 = deleted).
DWORD DeleteOneFile(std::wstring_view path);

// Test hook: when set, called after the temporary file is written and before
// the replace; a non-zero result stops the save there as if the process had
// died or the replace had failed with that code.
extern DWORD (*g_beforeReplaceHook)(const std::wstring& temporaryPath);

}  // namespace winkit
