#include "lock/master_prompt_dialog_win.h"

#include "lock/hidden_input_win.h"
#include "resources/resource.h"
#include "resources/texts.h"
#include "win/dialog_procedure_win.h"
#include "win/message_box_win.h"

namespace kavo {

namespace {

struct MasterPrompt final : DottedInput {
    explicit MasterPrompt(const std::function<bool(std::u16string_view)>& tryTyped)
        : tryPassword(tryTyped) {}
    void onEnter() override;

    const std::function<bool(std::u16string_view)>& tryPassword;
    bool given = false;
};

// The key is derived from what was typed, which takes a moment: the cursor says so.
void tryTyped(MasterPrompt& state) {
    const HCURSOR before = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    const bool taken = state.tryPassword(state.typed.view());
    SetCursor(before);
    state.typed.clear();
    if (taken) {
        state.given = true;
        EndDialog(state.dialog, 1);
        return;
    }
    showOkMessage(state.dialog, kMasterPromptWrongText, kMasterPromptCaption);
    state.startOver();
}

void MasterPrompt::onEnter() {
    tryTyped(*this);
}

INT_PTR onPromptCommand(MasterPrompt& state, int id) {
    switch (id) {
    case IDC_MASTER_PROMPT_OK:
        tryTyped(state);
        return TRUE;
    case IDC_MASTER_PROMPT_CANCEL:
    case IDCANCEL:
        state.typed.clear();
        EndDialog(state.dialog, 0);
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR handleMasterPrompt(MasterPrompt& state, HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        state.attach(dialog);
        // At start nothing else of KAVO's is on screen yet: the question comes to the front.
        SetForegroundWindow(dialog);
        return TRUE;
    case WM_PAINT:
        return state.paint();
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        state.takeKeyboard();
        return TRUE;
    case WM_COMMAND:
        return onPromptCommand(state, LOWORD(wParam));
    case WM_CLOSE:
        return onPromptCommand(state, IDCANCEL);
    default:
        return FALSE;
    }
}

} // namespace

bool runMasterPasswordPrompt(HWND owner, HINSTANCE instance,
                             const std::function<bool(std::u16string_view)>& tryPassword) {
    MasterPrompt state(tryPassword);
    runModalDialog<MasterPrompt, handleMasterPrompt>(instance, IDD_MASTER_PROMPT, owner, state);
    return state.given;
}

} // namespace kavo
