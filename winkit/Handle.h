// A move-only owner for any handle-like value, parameterised by how it is released.
#pragma once

#include <windows.h>

#include <utility>

namespace winkit {

// `Traits` names the type (`T`), how to release one (`Release`) and the value
// that holds nothing (`Invalid()`).
template <typename Traits>
class Unique {
    using T = typename Traits::T;
    static T Invalid() { return Traits::Invalid(); }


public:
    Unique() = default;
    explicit Unique(T value) : value_(value) {}
    Unique(Unique&& other) noexcept : value_(std::exchange(other.value_, Invalid())) {}
    Unique& operator=(Unique&& other) noexcept {
        if (this != &other) reset(std::exchange(other.value_, Invalid()));
        return *this;
    }
    Unique(const Unique&) = delete;
    Unique& operator=(const Unique&) = delete;
    ~Unique() { reset(); }

    T get() const { return value_; }
    explicit operator bool() const { return value_ != Invalid(); }
    T release() { return std::exchange(value_, Invalid()); }
    void reset(T value = Invalid()) {
        if (value_ != Invalid()) Traits::Release(value_);
        value_ = value;
    }

private:
    T value_ = Invalid();
};

template <typename Type, auto ReleaseFunction>
struct NullInvalid {
    using T = Type;
    static T Invalid() { return nullptr; }
    static void Release(T value) { ReleaseFunction(value); }
};

struct FileTraits {
    using T = HANDLE;
    static T Invalid() { return INVALID_HANDLE_VALUE; }
    static void Release(T value) { ::CloseHandle(value); }
};

inline void DeleteGdiObject(HGDIOBJ h) { ::DeleteObject(h); }
inline void DeleteMemoryDc(HDC h) { ::DeleteDC(h); }
inline void DestroyIconHandle(HICON h) { ::DestroyIcon(h); }
inline void FreeCoTaskMem(void* p) { ::CoTaskMemFree(p); }

// A handle from CreateFile, which holds nothing as INVALID_HANDLE_VALUE.
using UniqueFile = Unique<FileTraits>;
using UniqueFont = Unique<NullInvalid<HFONT, DeleteGdiObject>>;
using UniqueBitmap = Unique<NullInvalid<HBITMAP, DeleteGdiObject>>;
using UniqueIcon = Unique<NullInvalid<HICON, DestroyIconHandle>>;
using UniquePen = Unique<NullInvalid<HPEN, DeleteGdiObject>>;
using UniqueRegion = Unique<NullInvalid<HRGN, DeleteGdiObject>>;
// A device context from CreateCompatibleDC.
using UniqueMemoryDc = Unique<NullInvalid<HDC, DeleteMemoryDc>>;
template <typename T>
using UniqueCoTaskMem = Unique<NullInvalid<T*, FreeCoTaskMem>>;

}  // namespace winkit
