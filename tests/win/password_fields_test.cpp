// The master password's fields in the real unlock and change-password dialogs: no input method
// context, so an IME never opens a composition window that would show the typed text.
#include "app/app_state_win.h"
#include "lock/change_password_dialog_win.h"
#include "lock/unlock_dialog_win.h"
#include "resources/resource.h"

#include <gtest/gtest.h>
#include <imm.h>

namespace kavo {
namespace {

struct Inspection {
    const wchar_t* caption;
    int control;
    bool found = false;
    bool hasContext = false;
};
Inspection* g_inspection = nullptr;

// Runs inside the dialog's message loop: looks at the field, then closes the dialog.
void CALLBACK inspectAndClose(HWND, UINT, UINT_PTR timer, DWORD) noexcept {
    HWND dialog = FindWindowW(L"#32770", g_inspection->caption);
    if (dialog == nullptr) {
        return;
    }
    KillTimer(nullptr, timer);
    HWND field = GetDlgItem(dialog, g_inspection->control);
    g_inspection->found = field != nullptr;
    if (HIMC context = ImmGetContext(field)) {
        g_inspection->hasContext = true;
        ImmReleaseContext(field, context);
    }
    PostMessageW(dialog, WM_CLOSE, 0, 0);
}

Inspection inspect(void (*run)(App&), const wchar_t* caption, int control) {
    App app;
    app.instance = GetModuleHandleW(nullptr);
    setTheApp(&app);
    Inspection inspection{caption, control};
    g_inspection = &inspection;
    SetTimer(nullptr, 0, 50, inspectAndClose);
    run(app);
    g_inspection = nullptr;
    setTheApp(nullptr);
    return inspection;
}

TEST(PasswordFields, HaveNoInputMethodContext) {
    // An ordinary edit has one, so its absence below is the dialogs' doing.
    HWND plain = CreateWindowExW(0, L"EDIT", L"", WS_POPUP, 0, 0, 80, 20, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    HIMC plainContext = ImmGetContext(plain);
    ASSERT_NE(plainContext, nullptr);
    ImmReleaseContext(plain, plainContext);
    DestroyWindow(plain);

    const Inspection hidden = inspect(runUnlockDialog, L"パスワード解除", IDC_HIDDEN_INPUT);
    EXPECT_TRUE(hidden.found);
    EXPECT_FALSE(hidden.hasContext);
    const Inspection master =
        inspect(runChangePasswordDialog, L"パスワード変更", IDC_MASTER_PASSWORD_EDIT);
    EXPECT_TRUE(master.found);
    EXPECT_FALSE(master.hasContext);
}

} // namespace
} // namespace kavo
