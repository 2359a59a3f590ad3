#include "sequencer/clipboard_writer_win.h"

#include "win/owned_handles_win.h"

#include <cstring>
#include <memory>
#include <utility>

namespace kavo {

namespace {

constexpr DWORD kRetryDelayMs = 30;

// A block holding a copy of the bytes and, zero-initialised, a 0 after them; empty on failure.
OwnedGlobalMemory filledBlock(const void* data, std::size_t bytes, std::size_t extraZeroBytes) {
    OwnedGlobalMemory block(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes + extraZeroBytes));
    if (!block) {
        return block;
    }
    void* target = GlobalLock(block.get());
    if (target == nullptr) {
        return OwnedGlobalMemory();
    }
    std::memcpy(target, data, bytes);
    GlobalUnlock(block.get());
    return block;
}

// The clipboard owns a block once SetClipboardData accepts it; otherwise the owner frees it.
bool setData(UINT format, OwnedGlobalMemory block) {
    if (!block || format == 0 || SetClipboardData(format, block.get()) == nullptr) {
        return false;
    }
    block.release();
    return true;
}

// Opens the clipboard, trying again while another program holds it, up to patienceMs.
std::unique_ptr<OpenClipboardScope> openClipboardPatiently(HWND owner, int patienceMs) {
    const ULONGLONG start = GetTickCount64();
    for (;;) {
        auto clipboard = std::make_unique<OpenClipboardScope>(owner);
        if (clipboard->isOpen()) {
            return clipboard;
        }
        if (GetTickCount64() - start >= static_cast<ULONGLONG>(patienceMs)) {
            return nullptr;
        }
        Sleep(kRetryDelayMs);
    }
}

// Formats that ask clipboard monitors, viewers, clipboard history and cloud clipboard to skip a
// password: the first two are honoured for any content, the other two need a DWORD 0.
void markAsPrivate() {
    const DWORD zero = 0;
    for (const wchar_t* format :
         {L"Clipboard Viewer Ignore", L"ExcludeClipboardContentFromMonitorProcessing",
          L"CanIncludeInClipboardHistory", L"CanUploadToCloudClipboard"}) {
        setData(RegisterClipboardFormatW(format), filledBlock(&zero, sizeof(zero), 0));
    }
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
    // The unit after the text is the terminator.
    OwnedGlobalMemory block =
        filledBlock(text.data(), text.size() * sizeof(char16_t), sizeof(char16_t));
    if (!block) {
        return ClipboardWrite::Held;
    }
    const auto clipboard = openClipboardPatiently(owner, patienceMs);
    if (!clipboard) {
        return ClipboardWrite::Held;
    }
    // Looked at in the same opening as the write, so nobody can copy in between.
    if (onlyOver != nullptr && !clipboardHolds(*onlyOver)) {
        return ClipboardWrite::NotOurs;
    }
    // Emptied first, so a text that is refused never leaves the old one behind as if written.
    EmptyClipboard();
    const bool written = setData(CF_UNICODETEXT, std::move(block));
    markAsPrivate();
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
