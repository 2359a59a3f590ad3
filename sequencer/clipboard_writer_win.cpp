#include "sequencer/clipboard_writer_win.h"

#include <cstring>

namespace kavo {

namespace {

constexpr DWORD kRetryDelayMs = 30;

HGLOBAL allocateBlock(const void* data, std::size_t bytes) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    if (block == nullptr) {
        return nullptr;
    }
    void* target = GlobalLock(block);
    if (target == nullptr) {
        GlobalFree(block);
        return nullptr;
    }
    std::memcpy(target, data, bytes);
    GlobalUnlock(block);
    return block;
}

// The clipboard owns a block once SetClipboardData accepts it; otherwise it is ours to free.
void setOrFree(UINT format, HGLOBAL block) {
    if (block != nullptr && format != 0 && SetClipboardData(format, block) == nullptr) {
        GlobalFree(block);
    }
}

bool openClipboardPatiently(HWND owner, int patienceMs) {
    const ULONGLONG start = GetTickCount64();
    while (!OpenClipboard(owner)) {
        if (GetTickCount64() - start >= static_cast<ULONGLONG>(patienceMs)) {
            return false;
        }
        Sleep(kRetryDelayMs);
    }
    return true;
}

// Formats that ask clipboard monitors, clipboard history and cloud clipboard to skip a
// password: the first is honoured for any content, the other two need a DWORD 0.
void markAsPrivate() {
    const DWORD zero = 0;
    setOrFree(RegisterClipboardFormatW(L"ExcludeClipboardContentFromMonitorProcessing"),
              allocateBlock(&zero, sizeof(zero)));
    setOrFree(RegisterClipboardFormatW(L"CanIncludeInClipboardHistory"),
              allocateBlock(&zero, sizeof(zero)));
    setOrFree(RegisterClipboardFormatW(L"CanUploadToCloudClipboard"),
              allocateBlock(&zero, sizeof(zero)));
}

} // namespace

bool putClipboardText(std::u16string_view text, HWND owner, int patienceMs) {
    const std::size_t units = text.size() < kMaxClipboardUnits ? text.size() : kMaxClipboardUnits;
    if (units == 0) {
        return true;
    }
    // Zero-initialised, so the unit after the text is the terminator.
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, (units + 1) * sizeof(char16_t));
    if (block == nullptr) {
        return false;
    }
    void* target = GlobalLock(block);
    if (target == nullptr) {
        GlobalFree(block);
        return false;
    }
    std::memcpy(target, text.data(), units * sizeof(char16_t));
    GlobalUnlock(block);

    if (!openClipboardPatiently(owner, patienceMs)) {
        GlobalFree(block);
        return false;
    }
    // Emptied first, so a text that is refused never leaves the old one behind as if written.
    EmptyClipboard();
    const bool written = SetClipboardData(CF_UNICODETEXT, block) != nullptr;
    if (!written) {
        GlobalFree(block);
    }
    markAsPrivate();
    CloseClipboard();
    return written;
}

} // namespace kavo
