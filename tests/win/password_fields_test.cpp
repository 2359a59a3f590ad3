// The master password's fields in the real unlock and change-password dialogs take no input
// method, so an IME never opens a composition window that shows the typed text.
#include "lock/change_password_dialog_win.h"
#include "lock/unlock_dialog_win.h"
#include "resources/resource.h"

#include <gtest/gtest.h>
#include <imm.h>

#include <functional>

namespace kavo {
namespace {

const wchar_t* g_caption = nullptr;
int g_field = 0;
int g_contexts = -1;

// Runs inside the dialog's message loop: counts the field's input contexts, closes the dialog.
void CALLBACK inspectAndClose(HWND, UINT, UINT_PTR timer, DWORD) noexcept {
    if (HWND dialog = FindWindowW(L"#32770", g_caption)) {
        KillTimer(nullptr, timer);
        HWND field = GetDlgItem(dialog, g_field);
        HIMC context = ImmGetContext(field);
        g_contexts = field == nullptr ? -1 : context != nullptr ? 1 : 0;
        ImmReleaseContext(field, context);
        PostMessageW(dialog, WM_CLOSE, 0, 0);
    }
}

// Runs the dialog and says how many input contexts its field had (-1: not seen).
int contextsOfField(const std::function<void()>& run, const wchar_t* caption, int field) {
    g_caption = caption;
    g_field = field;
    g_contexts = -1;
    SetTimer(nullptr, 0, 50, inspectAndClose);
    run();
    return g_contexts;
}

TEST(PasswordFields, HaveNoInputMethodContext) {
    // An ordinary edit has one, so its absence below is the dialogs' doing.
    HWND plain = CreateWindowExW(0, L"EDIT", L"", WS_POPUP, 0, 0, 80, 20, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(ImmGetContext(plain), nullptr);
    DestroyWindow(plain);
    HINSTANCE instance = GetModuleHandleW(nullptr);
    bool unlocked = false;
    const std::function<void()> nothing = [] {};
    EXPECT_EQ(contextsOfField(
                  [&] {
                      const MasterPassword master{u"key", {}};
                      runUnlockDialog(nullptr, instance, master, u"", unlocked, nothing);
                  },
                  L"パスワード解除", IDC_HIDDEN_INPUT),
              0);
    StoreContents store;
    std::int32_t passMode = 0;
    const LockHooks lock{[] { return true; }, nothing};
    EXPECT_EQ(
        contextsOfField([&] { runChangePasswordDialog(nullptr, instance, store, passMode, lock); },
                        L"パスワード変更", IDC_MASTER_PASSWORD_EDIT),
        0);
}

} // namespace
} // namespace kavo
