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

// Formats that ask clipboard monitors, viewers, clipboard history and cloud clipboard to skip a
// password: the first two are honoured for any content, the other two need a DWORD 0.
void markAsPrivate() {
    const DWORD zero = 0;
    setOrFree(RegisterClipboardFormatW(L"Clipboard Viewer Ignore"),
              allocateBlock(&zero, sizeof(zero)));
    setOrFree(RegisterClipboardFormatW(L"ExcludeClipboardContentFromMonitorProcessing"),
              allocateBlock(&zero, sizeof(zero)));
    setOrFree(RegisterClipboardFormatW(L"CanIncludeInClipboardHistory"),
              allocateBlock(&zero, sizeof(zero)));
    setOrFree(RegisterClipboardFormatW(L"CanUploadToCloudClipboard"),
              allocateBlock(&zero, sizeof(zero)));
}

// The text as the writer puts it: cut to its first kMaxClipboardUnits units.
std::u16string_view cut(std::u16string_view text) {
    return text.substr(0, kMaxClipboardUnits);
}

// Whether the open clipboard's Unicode text is exactly this one.
bool clipboardHolds(std::u16string_view expected) {
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (data == nullptr) {
        return false;
    }
    const void* text = GlobalLock(data);
    if (text == nullptr) {
        return false;
    }
    // The block need not end in a terminator; never read past it.
    std::u16string_view held(reinterpret_cast<const char16_t*>(text),
                             GlobalSize(data) / sizeof(char16_t));
    held = held.substr(0, held.find(u'\0'));
    const bool same = held == cut(expected);
    GlobalUnlock(data);
    return same;
}

ClipboardWrite writeText(std::u16string_view text, HWND owner, int patienceMs,
                         const std::u16string_view* onlyOver) {
    text = cut(text);
    if (text.empty()) {
        return ClipboardWrite::Written;
    }
    // Zero-initialised, so the unit after the text is the terminator.
    HGLOBAL block =
        GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, (text.size() + 1) * sizeof(char16_t));
    if (block == nullptr) {
        return ClipboardWrite::Held;
    }
    void* target = GlobalLock(block);
    if (target == nullptr) {
        GlobalFree(block);
        return ClipboardWrite::Held;
    }
    std::memcpy(target, text.data(), text.size() * sizeof(char16_t));
    GlobalUnlock(block);

    if (!openClipboardPatiently(owner, patienceMs)) {
        GlobalFree(block);
        return ClipboardWrite::Held;
    }
    // Looked at in the same opening as the write, so nobody can copy in between.
    if (onlyOver != nullptr && !clipboardHolds(*onlyOver)) {
        CloseClipboard();
        GlobalFree(block);
        return ClipboardWrite::NotOurs;
    }
    // Emptied first, so a text that is refused never leaves the old one behind as if written.
    EmptyClipboard();
    const bool written = SetClipboardData(CF_UNICODETEXT, block) != nullptr;
    if (!written) {
        GlobalFree(block);
    }
    markAsPrivate();
    CloseClipboard();
    return written ? ClipboardWrite::Written : ClipboardWrite::Held;
}

} // namespace

bool putClipboardText(std::u16string_view text, HWND owner, int patienceMs) {
    return writeText(text, owner, patienceMs, nullptr) == ClipboardWrite::Written;
}

ClipboardWrite replaceOwnClipboardText(std::u16string_view ownText, std::u16string_view text,
                                       HWND owner, int patienceMs) {
    return writeText(text, owner, patienceMs, &ownText);
}

} // namespace kavo
