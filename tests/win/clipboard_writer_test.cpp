#include "sequencer/clipboard_writer_win.h"

#include "sequencer/sequence.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace kavo {
namespace {

std::u16string clipboardText() {
    std::u16string text;
    if (!OpenClipboard(nullptr)) {
        return u"<clipboard busy>";
    }
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        text = static_cast<const char16_t*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

std::optional<DWORD> clipboardDword(const wchar_t* formatName) {
    std::optional<DWORD> value;
    const UINT format = RegisterClipboardFormatW(formatName);
    if (OpenClipboard(nullptr)) {
        if (HANDLE data = GetClipboardData(format)) {
            value = *static_cast<const DWORD*>(GlobalLock(data));
            GlobalUnlock(data);
        }
        CloseClipboard();
    }
    return value;
}

TEST(ClipboardWriter, PutsUnicodeTextMarkedAsPrivate) {
    EXPECT_TRUE(putClipboardText(u"ユーザー@example", nullptr, kStepWritePatienceMs));
    EXPECT_EQ(clipboardText(), u"ユーザー@example");
    EXPECT_EQ(clipboardDword(L"CanIncludeInClipboardHistory"), 0u);
    EXPECT_EQ(clipboardDword(L"CanUploadToCloudClipboard"), 0u);
    for (const wchar_t* any :
         {L"ExcludeClipboardContentFromMonitorProcessing", L"Clipboard Viewer Ignore"}) {
        EXPECT_TRUE(IsClipboardFormatAvailable(RegisterClipboardFormatW(any))) << any;
    }
}

TEST(ClipboardWriter, ReplacesOnlyItsOwnTextAsItPutItThere) {
    putClipboardText(u"someone's own", nullptr, kStepWritePatienceMs);
    EXPECT_EQ(replaceOwnClipboardText(u"kavo's", u"pw-End", nullptr, kStepWritePatienceMs),
              ClipboardWrite::NotOurs);
    EXPECT_EQ(clipboardText(), u"someone's own");
    // Compared as the writer cut it.
    const std::u16string longText(1500, u'x');
    putClipboardText(longText, nullptr, kStepWritePatienceMs);
    EXPECT_EQ(replaceOwnClipboardText(longText, u"pw-End", nullptr, 0), ClipboardWrite::Written);
    EXPECT_EQ(clipboardText(), u"pw-End");
}

TEST(ClipboardWriter, CutsLongTextAndLeavesTheClipboardAloneForEmptyText) {
    std::u16string longText;
    for (int i = 0; i < 1500; ++i) {
        longText.push_back(static_cast<char16_t>(u'a' + i % 26));
    }
    putClipboardText(longText, nullptr, kStepWritePatienceMs);
    EXPECT_EQ(clipboardText(), longText.substr(0, 1024));

    putClipboardText(u"keep", nullptr, kStepWritePatienceMs);
    EXPECT_TRUE(putClipboardText(u"", nullptr, kRetryWritePatienceMs));
    EXPECT_EQ(clipboardText(), u"keep");
}

TEST(ClipboardWriter, WaitsAsLongAsAskedForAnotherHolderAndSaysWhetherItWrote) {
    putClipboardText(u"before", nullptr, kStepWritePatienceMs);
    HANDLE opened = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread holder([opened] {
        OpenClipboard(nullptr);
        SetEvent(opened);
        Sleep(500);
        CloseClipboard();
    });
    WaitForSingleObject(opened, INFINITE);
    // A window of its own: Wine lets a second open with the same (null) window through.
    HWND writer =
        CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    EXPECT_FALSE(putClipboardText(u"not now", writer, kRetryWritePatienceMs));
    EXPECT_TRUE(putClipboardText(u"after", writer, kExitWritePatienceMs));
    holder.join();
    DestroyWindow(writer);
    CloseHandle(opened);
    EXPECT_EQ(clipboardText(), u"after");
}

} // namespace
} // namespace kavo
