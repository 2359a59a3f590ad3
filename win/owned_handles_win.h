// Owners for the handles the Win32 shell opens: each closes, releases or frees its handle in its
// destructor, so no early return or exception leaks one. Move-only. Where the code checks the
// result of closing (a file written to the disk), close() closes at once and returns it.
#pragma once

#include <windows.h>

#include <utility>

namespace kavo {

template <typename Traits>
class Owned {
  public:
    using Handle = typename Traits::Handle;

    Owned() = default;
    explicit Owned(Handle handle) : handle_(handle) {}
    ~Owned() { reset(); }
    Owned(Owned&& other) noexcept : handle_(other.release()) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Traits::invalid(); }

    // Gives the handle up, for an owner that takes it over (the clipboard takes a memory block).
    Handle release() { return std::exchange(handle_, Traits::invalid()); }
    // Closes the handle now; false when closing it failed.
    bool close() {
        const Handle handle = release();
        return handle == Traits::invalid() || Traits::close(handle);
    }
    void reset(Handle handle = Traits::invalid()) {
        close();
        handle_ = handle;
    }

  private:
    Handle handle_ = Traits::invalid();
};

struct FileHandleTraits {
    using Handle = HANDLE;
    static Handle invalid() { return INVALID_HANDLE_VALUE; }
    static bool close(Handle handle) { return CloseHandle(handle) != 0; }
};

struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle invalid() { return nullptr; }
    static bool close(Handle handle) { return CloseHandle(handle) != 0; }
};

struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle invalid() { return INVALID_HANDLE_VALUE; }
    static bool close(Handle handle) { return FindClose(handle) != 0; }
};

struct GdiObjectTraits {
    using Handle = HGDIOBJ;
    static Handle invalid() { return nullptr; }
    static bool close(Handle handle) { return DeleteObject(handle) != 0; }
};

struct IconTraits {
    using Handle = HICON;
    static Handle invalid() { return nullptr; }
    static bool close(Handle handle) { return DestroyIcon(handle) != 0; }
};

struct GlobalMemoryTraits {
    using Handle = HGLOBAL;
    static Handle invalid() { return nullptr; }
    static bool close(Handle handle) { return GlobalFree(handle) == nullptr; }
};

struct WinEventHookTraits {
    using Handle = HWINEVENTHOOK;
    static Handle invalid() { return nullptr; }
    static bool close(Handle handle) { return UnhookWinEvent(handle) != 0; }
};

// CreateFileW's handle; an open that failed holds INVALID_HANDLE_VALUE and is false.
using OwnedFile = Owned<FileHandleTraits>;
// A kernel object that fails as nullptr: a mutex, an event, a process.
using OwnedHandle = Owned<KernelHandleTraits>;
// FindFirstFileW's search.
using OwnedFind = Owned<FindHandleTraits>;
// A brush, pen or font the program created.
using OwnedGdiObject = Owned<GdiObjectTraits>;
// An icon loaded with its own size (LoadImageW without LR_SHARED).
using OwnedIcon = Owned<IconTraits>;
// A GlobalAlloc block, until the clipboard takes it over.
using OwnedGlobalMemory = Owned<GlobalMemoryTraits>;
// A SetWinEventHook hook, unhooked with UnhookWinEvent.
using OwnedWinEventHook = Owned<WinEventHookTraits>;

// A window's device context from GetDC, released with ReleaseDC.
class WindowDc {
  public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_ != nullptr) {
            ReleaseDC(window_, dc_);
        }
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

  private:
    HWND window_;
    HDC dc_;
};

// The clipboard, opened for one change or read and closed at the end of the scope.
class OpenClipboardScope {
  public:
    explicit OpenClipboardScope(HWND owner) : open_(OpenClipboard(owner) != 0) {}
    ~OpenClipboardScope() {
        if (open_) {
            CloseClipboard();
        }
    }
    OpenClipboardScope(const OpenClipboardScope&) = delete;
    OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;

    bool isOpen() const { return open_; }

  private:
    bool open_;
};

} // namespace kavo
