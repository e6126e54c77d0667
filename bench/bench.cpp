// Start-up and footprint benchmark: RemoveMolvane.exe against the floor, a
// minimal program that opens the same folder chooser (bench/floor.cpp).
//
//   bench.exe FLOOR.exe PROGRAM.exe [PAIRS]
//
// After one warm-up pair it starts the floor and the program alternately,
// PAIRS times each (default 20), and measures for every run:
//   - the time from just before CreateProcess until a visible top-level window
//     of that process with the chooser's caption exists (polled every
//     millisecond);
//   - the process's peak working set (GetProcessMemoryInfo) half a second
//     later, while the chooser is still up.
// It then presses the chooser's Cancel, closes whatever window follows and
// waits for the process to end before the next run. It prints every run, the
// medians, the ratios program/floor, the .exe sizes and the DLLs the program
// imports, and whether each target is met.
//
// Exit code: 0 when every target is met, 1 when one is missed, 2 when the
// measurement itself failed.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kChooserCaption[] = L"Click on StartUp Folder";
constexpr DWORD kSettleMs = 500;         // chooser up, tree filled, before the working set is read
constexpr DWORD kChooserTimeoutMs = 60000;
constexpr DWORD kCloseTimeoutMs = 10000;
constexpr double kTimeTarget = 1.10;     // start -> chooser, program / floor
constexpr double kMemoryTarget = 1.25;   // peak working set, program / floor
constexpr ULONGLONG kSizeTarget = 256 * 1024;

void Print(const char* format, ...) {
    char line[1024];
    va_list args;
    va_start(args, format);
    int length = vsnprintf(line, sizeof line, format, args);
    va_end(args);
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), line, static_cast<DWORD>(std::min<int>(length, sizeof line - 1)),
              &written, nullptr);
}

std::string Utf8(const std::wstring& text) {
    int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(size, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, bytes.data(), size, nullptr, nullptr);
    bytes.resize(size > 0 ? size - 1 : 0);
    return bytes;
}

[[noreturn]] void Fail(const std::string& what) {
    Print("FAILED: %s\n", what.c_str());
    ExitProcess(2);
}

std::wstring FileName(const std::wstring& path) { return path.substr(path.find_last_of(L"\\/") + 1); }
std::wstring Folder(const std::wstring& path) {
    size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? L"." : path.substr(0, slash);
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The visible top-level windows of a process; with `caption`, only those
// whose caption is exactly that. GetWindowTextW reads another process's
// caption without sending it a message, so a busy process cannot stall us.
std::vector<HWND> WindowsOf(DWORD processId, const wchar_t* caption = nullptr) {
    struct Search {
        DWORD processId;
        const wchar_t* caption;
        std::vector<HWND> found;
    } search{processId, caption, {}};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner != s->processId || !IsWindowVisible(window)) return TRUE;
            if (s->caption) {
                wchar_t text[64] = {};
                GetWindowTextW(window, text, 64);
                if (lstrcmpW(text, s->caption) != 0) return TRUE;
            }
            s->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

struct Run {
    double startMs = 0;
    double peakMiB = 0;
};

// Cancels the chooser, closes any window that follows and waits for the
// process to end; ends it by force only if it will not.
void CloseAndWait(const PROCESS_INFORMATION& process, HWND chooser) {
    if (HWND cancel = GetDlgItem(chooser, IDCANCEL)) PostMessageW(cancel, BM_CLICK, 0, 0);
    for (DWORD waited = 0; waited < kCloseTimeoutMs; waited += 50) {
        if (WaitForSingleObject(process.hProcess, 50) == WAIT_OBJECT_0) return;
        if (waited % 250 == 200)
            for (HWND window : WindowsOf(process.dwProcessId)) PostMessageW(window, WM_CLOSE, 0, 0);
    }
    Print("  (did not end when its windows were closed; terminated)\n");
    TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, kCloseTimeoutMs);
}

Run Measure(const std::wstring& exe) {
    std::wstring command = L"\"" + exe + L"\"";
    std::wstring folder = Folder(exe);
    STARTUPINFOW startup{sizeof startup};
    PROCESS_INFORMATION process{};
    LARGE_INTEGER start, shown;
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &process))
        Fail("could not start " + Utf8(exe) + " (error " + std::to_string(GetLastError()) + ")");

    HWND chooser = nullptr;
    for (;;) {
        std::vector<HWND> found = WindowsOf(process.dwProcessId, kChooserCaption);
        if (!found.empty()) {
            QueryPerformanceCounter(&shown);
            chooser = found.front();
            break;
        }
        if (WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0)
            Fail(Utf8(FileName(exe)) + " ended before its chooser appeared");
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        if (Seconds(start, now) * 1000 > kChooserTimeoutMs) {
            TerminateProcess(process.hProcess, 1);
            Fail(Utf8(FileName(exe)) + ": no chooser within a minute");
        }
    }

    Sleep(kSettleMs);
    PROCESS_MEMORY_COUNTERS memory{sizeof memory};
    if (!GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory))
        Fail("GetProcessMemoryInfo failed (error " + std::to_string(GetLastError()) + ")");
    if (!IsWindow(chooser)) Fail(Utf8(FileName(exe)) + ": the chooser closed by itself");

    CloseAndWait(process, chooser);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return {Seconds(start, shown) * 1000, memory.PeakWorkingSetSize / (1024.0 * 1024.0)};
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

ULONGLONG FileSize(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) Fail("cannot read " + Utf8(path));
    return (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// The names of the DLLs a PE file imports, read from its import directory.
std::vector<std::string> ImportedDlls(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) Fail("cannot open " + Utf8(path));
    std::string image(static_cast<size_t>(FileSize(path)), '\0');
    DWORD got = 0;
    ReadFile(file, image.data(), static_cast<DWORD>(image.size()), &got, nullptr);
    CloseHandle(file);
    image.resize(got);

    auto at = [&](size_t offset, size_t size) -> const char* {
        if (offset > image.size() || size > image.size() - offset) Fail(Utf8(path) + " is not a valid PE file");
        return image.data() + offset;
    };
    auto dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(at(0, sizeof(IMAGE_DOS_HEADER)));
    auto nt = reinterpret_cast<const IMAGE_NT_HEADERS64*>(at(dos->e_lfanew, sizeof(IMAGE_NT_HEADERS64)));
    if (nt->Signature != IMAGE_NT_SIGNATURE || nt->OptionalHeader.Magic != IMAGE_NT_OPTIONAL_HDR64_MAGIC)
        Fail(Utf8(path) + " is not a 64-bit PE file");
    auto sections = reinterpret_cast<const IMAGE_SECTION_HEADER*>(
        at(dos->e_lfanew + offsetof(IMAGE_NT_HEADERS64, OptionalHeader) + nt->FileHeader.SizeOfOptionalHeader,
           nt->FileHeader.NumberOfSections * sizeof(IMAGE_SECTION_HEADER)));
    auto fileOffset = [&](DWORD rva) -> size_t {
        for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i) {
            const IMAGE_SECTION_HEADER& s = sections[i];
            if (rva >= s.VirtualAddress && rva < s.VirtualAddress + std::max(s.Misc.VirtualSize, s.SizeOfRawData))
                return rva - s.VirtualAddress + s.PointerToRawData;
        }
        Fail(Utf8(path) + ": an import points outside every section");
    };

    std::vector<std::string> names;
    const IMAGE_DATA_DIRECTORY& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!directory.VirtualAddress) return names;
    for (size_t offset = fileOffset(directory.VirtualAddress);; offset += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
        auto descriptor = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(at(offset, sizeof(IMAGE_IMPORT_DESCRIPTOR)));
        if (!descriptor->Name) break;
        size_t name = fileOffset(descriptor->Name);
        names.emplace_back(at(name, 1), strnlen(at(name, 1), image.size() - name));
    }
    return names;
}

// A DLL that Windows itself provides: one that is in the system folder.
bool IsSystemDll(const std::string& name) {
    wchar_t system[MAX_PATH];
    UINT length = GetSystemDirectoryW(system, MAX_PATH);
    std::wstring path(system, length);
    path += L'\\';
    path.append(name.begin(), name.end());
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

const char* Verdict(bool met) { return met ? "met" : "MISSED"; }

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        Print("usage: bench FLOOR.exe PROGRAM.exe [PAIRS]\n");
        return 2;
    }
    std::wstring floor = argv[1], program = argv[2];
    int pairs = argc > 3 ? _wtoi(argv[3]) : 20;
    if (pairs < 1) pairs = 20;

    SYSTEMTIME today;
    GetLocalTime(&today);
    using WineVersion = const char*(CDECL*)();
    auto wineVersion = reinterpret_cast<WineVersion>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version")));
    Print("Start-up and footprint of %s against the floor (%s), %04d-%02d-%02d, %s%s\n",
          Utf8(FileName(program)).c_str(), Utf8(FileName(floor)).c_str(), today.wYear, today.wMonth, today.wDay,
          wineVersion ? "Wine " : "Windows", wineVersion ? wineVersion() : "");
    Print("1 warm-up pair, then %d pairs run alternately; times from process start to chooser shown\n\n", pairs);
    Print("run    floor ms  program ms    floor MiB  program MiB\n");

    std::vector<double> floorMs, programMs, floorMiB, programMiB;
    for (int i = 0; i <= pairs; ++i) {
        // Which one goes first alternates too, so neither always follows the other.
        Run f, p;
        if (i % 2 == 0) {
            f = Measure(floor);
            p = Measure(program);
        } else {
            p = Measure(program);
            f = Measure(floor);
        }
        Print("%-5s %9.0f %11.0f %12.1f %12.1f\n", i == 0 ? "warm" : std::to_string(i).c_str(), f.startMs,
              p.startMs, f.peakMiB, p.peakMiB);
        if (i == 0) continue;
        floorMs.push_back(f.startMs);
        programMs.push_back(p.startMs);
        floorMiB.push_back(f.peakMiB);
        programMiB.push_back(p.peakMiB);
    }

    double timeRatio = Median(programMs) / Median(floorMs);
    double memoryRatio = Median(programMiB) / Median(floorMiB);
    ULONGLONG floorSize = FileSize(floor), programSize = FileSize(program);
    std::vector<std::string> imports = ImportedDlls(program);
    std::string importList, foreign;
    for (const std::string& name : imports) {
        importList += (importList.empty() ? "" : " ") + name;
        if (!IsSystemDll(name)) foreign += (foreign.empty() ? "" : " ") + name;
    }
    bool timeMet = timeRatio <= kTimeTarget, memoryMet = memoryRatio <= kMemoryTarget;
    bool sizeMet = programSize <= kSizeTarget, importsMet = foreign.empty();

    Print("\nmedians            floor     program   ratio   target\n");
    Print("start -> chooser %7.0f ms %7.0f ms   %5.2f   <= %.2f   %s\n", Median(floorMs), Median(programMs), timeRatio,
          kTimeTarget, Verdict(timeMet));
    Print("peak working set %6.1f MiB %6.1f MiB  %5.2f   <= %.2f   %s\n", Median(floorMiB), Median(programMiB),
          memoryRatio, kMemoryTarget, Verdict(memoryMet));
    double fastestFloor = *std::min_element(floorMs.begin(), floorMs.end());
    double fastestProgram = *std::min_element(programMs.begin(), programMs.end());
    Print("(fastest runs: floor %.0f ms, program %.0f ms, ratio %.2f)\n", fastestFloor, fastestProgram,
          fastestProgram / fastestFloor);
    Print("\n.exe size: floor %llu bytes; %s %llu bytes = %.1f KiB (target <= %llu KiB: %s)\n", floorSize,
          Utf8(FileName(program)).c_str(), programSize, programSize / 1024.0, kSizeTarget / 1024,
          Verdict(sizeMet));
    Print("imports: %s (only system DLLs: %s%s%s)\n", importList.c_str(), Verdict(importsMet),
          foreign.empty() ? "" : "; not in the system folder: ", foreign.c_str());
    bool all = timeMet && memoryMet && sizeMet && importsMet;
    Print("\n%s\n", all ? "All targets met." : "Some targets MISSED.");
    return all ? 0 : 1;
}
