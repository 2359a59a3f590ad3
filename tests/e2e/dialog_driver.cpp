#include "tests/e2e/dialog_driver.h"

#include "resources/resource.h"
#include "tests/e2e/input_driver.h"

#include <gtest/gtest.h>

#include <vector>

namespace kavo::e2e {

namespace {

constexpr DWORD kOpenTimeoutMs = 5000;
constexpr DWORD kInputTimeoutMs = 5000;
constexpr DWORD kPollMs = 20;
constexpr int kClickAttempts = 10;
constexpr DWORD kFocusWaitMs = 500;
constexpr int kTextCapacity = 1024;

HWND focusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

INPUT unicodeKey(wchar_t unit, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wScan = unit;
    input.ki.dwFlags = KEYEVENTF_UNICODE | flags;
    return input;
}

} // namespace

DialogDriver::DialogDriver(Kavo& kavo, const wchar_t* caption)
    : kavo_(kavo), dialog_(kavo.waitForWindow(L"#32770", kOpenTimeoutMs, caption)) {
    EXPECT_NE(dialog_, nullptr) << "no dialog " << ::testing::PrintToString(caption);
}

void DialogDriver::chooseFile(const std::wstring& path) {
    // The file name is a combo box (cmb13) in the explorer-style dialog, an edit (edt1) in the
    // old one.
    constexpr int kFileNameCombo = 0x47C;
    constexpr int kFileNameEdit = 0x480;
    HWND name = GetDlgItem(dialog_, kFileNameCombo);
    if (name == nullptr) {
        name = GetDlgItem(dialog_, kFileNameEdit);
    }
    ASSERT_NE(name, nullptr) << "no file name field";
    SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PostMessageW(dialog_, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog_, IDOK)));
    EXPECT_TRUE(waitUntilClosed()) << "the file dialog stayed open";
}

bool DialogDriver::isOpen() const {
    return IsWindow(dialog_) && IsWindowVisible(dialog_);
}

bool DialogDriver::waitUntilClosed() const {
    for (DWORD waited = 0; isOpen() && waited < kOpenTimeoutMs; waited += kPollMs) {
        Sleep(kPollMs);
    }
    return !isOpen();
}

void DialogDriver::type(int editId, const std::wstring& text) {
    const HWND edit = GetDlgItem(dialog_, editId);
    RECT field{};
    GetWindowRect(edit, &field);
    // Right after one of the dialog's message boxes has gone, Wine may drop a click while it
    // hands the dialog its activation back; click again until the field has the focus.
    for (int click = 0; click < kClickAttempts && focusOf(dialog_) != edit; ++click) {
        clickAt((field.left + field.right) / 2, (field.top + field.bottom) / 2, MouseButton::Left);
        for (DWORD waited = 0; focusOf(dialog_) != edit && waited < kFocusWaitMs;
             waited += kPollMs) {
            Sleep(kPollMs);
        }
    }
    EXPECT_EQ(focusOf(dialog_), edit) << "field " << editId << " did not take the focus";
    // Posted messages come before input, so the selection is in place before the first key.
    PostMessageW(edit, EM_SETSEL, 0, -1);
    std::vector<INPUT> keys;
    for (const wchar_t unit : text) {
        keys.push_back(unicodeKey(unit, 0));
        keys.push_back(unicodeKey(unit, KEYEVENTF_KEYUP));
    }
    SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
    for (DWORD waited = 0; this->text(editId) != text && waited < kInputTimeoutMs;
         waited += kPollMs) {
        Sleep(kPollMs);
    }
    EXPECT_EQ(this->text(editId), text) << "typing into field " << editId;
}

void DialogDriver::pressKey(WORD virtualKey, WORD modifier) {
    kavo::e2e::pressKey(virtualKey, modifier);
}

void DialogDriver::press(int buttonId) {
    // A posted click is handled in order with the settle message that follows it.
    PostMessageW(GetDlgItem(dialog_, buttonId), BM_CLICK, 0, 0);
    kavo_.settle();
}

void DialogDriver::choose(int comboId, int item) {
    const HWND combo = GetDlgItem(dialog_, comboId);
    // CB_SETCURSEL tells the dialog nothing; a pick with the mouse ends with CBN_SELCHANGE.
    PostMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
    PostMessageW(dialog_, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
    kavo_.settle();
}

void DialogDriver::close() {
    PostMessageW(dialog_, WM_CLOSE, 0, 0);
    kavo_.settle();
}

std::wstring DialogDriver::text(int controlId) const {
    wchar_t buffer[kTextCapacity] = {};
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(GetDlgItem(dialog_, controlId), WM_GETTEXT, kTextCapacity,
                        reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, kInputTimeoutMs,
                        &copied);
    return buffer;
}

bool DialogDriver::isChecked(int buttonId) const {
    return SendMessageW(GetDlgItem(dialog_, buttonId), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void enterEntry(Kavo& kavo, int command, const Entry& entry, int radio) {
    const auto wide = [](const std::u16string& text) {
        return std::wstring(text.begin(), text.end());
    };
    kavo.command(command);
    DialogDriver dialog(kavo, L"編集画面");
    dialog.type(IDC_EDIT_1, wide(entry.title));
    // Enter and Escape do nothing; typing on returns only after they were handled.
    dialog.pressKey(VK_RETURN);
    dialog.pressKey(VK_ESCAPE);
    dialog.type(IDC_EDIT_2, wide(entry.id));
    dialog.type(IDC_EDIT_3, wide(entry.password));
    if (radio != 0) {
        dialog.press(radio);
    }
    dialog.press(IDC_BUTTON_1);
    EXPECT_FALSE(dialog.isOpen());
}

} // namespace kavo::e2e
