#include "lock/master_prompt_dialog_win.h"

#include "lock/dot_count.h"
#include "lock/hidden_input_win.h"
#include "lock/typed_secret.h"
#include "resources/resource.h"
#include "resources/texts.h"
#include "win/dialog_procedure_win.h"
#include "win/message_box_win.h"

namespace kavo {

namespace {

struct MasterPrompt final : HiddenInputSink {
    explicit MasterPrompt(const std::function<bool(std::u16string_view)>& tryTyped)
        : tryPassword(tryTyped) {}
    void onCharacter(char16_t c) override { typed.onCharacter(c); }
    void onKeyDown(WPARAM key) override;

    const std::function<bool(std::u16string_view)>& tryPassword;
    HWND dialog = nullptr;
    HWND hiddenInput = nullptr;
    int dotCount = 0;
    bool given = false;
    TypedSecret typed{secureWipe};
};

void startOver(MasterPrompt& state) {
    state.dotCount = 0;
    state.typed.clear();
    InvalidateRect(state.dialog, &kDotField, FALSE);
    SetFocus(state.hiddenInput);
}

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
    startOver(state);
}

void MasterPrompt::onKeyDown(WPARAM key) {
    if (key == kCheckKey) {
        tryTyped(*this);
        return;
    }
    const int dots = dotCountAfterKey(dotCount, static_cast<unsigned>(key));
    if (dots != dotCount) {
        dotCount = dots;
        InvalidateRect(dialog, &kDotField, FALSE);
    }
}

INT_PTR onPaint(MasterPrompt& state) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(state.dialog, &paint);
    paintDotField(dc, state.dotCount);
    EndPaint(state.dialog, &paint);
    SetFocus(state.hiddenInput);
    return TRUE;
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
        state.dialog = dialog;
        state.hiddenInput = createHiddenInput(dialog, state);
        // At start nothing else of KAVO's is on screen yet: the question comes to the front.
        SetForegroundWindow(dialog);
        return TRUE;
    case WM_PAINT:
        return onPaint(state);
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        SetFocus(state.hiddenInput);
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
