// The frame every dialog procedure of the program shares. What a dialog works on comes in as the
// lParam of DialogBoxParamW or CreateDialogParamW and is kept in DWLP_USER; its messages go to a
// handler that takes it; and no exception ever unwinds into Windows.
#pragma once

#include <windows.h>

namespace kavo {

// The dialog's state, once WM_INITDIALOG has stored it; nullptr before.
template <typename State>
State* dialogState(HWND dialog) {
    return reinterpret_cast<State*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

// A dialog procedure over Handle(state, dialog, message, wParam, lParam). WM_INITDIALOG reaches
// the handler too, right after the state is stored; messages before it are not handled.
template <typename State, INT_PTR (*Handle)(State&, HWND, UINT, WPARAM, LPARAM)>
INT_PTR CALLBACK dialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    try {
        if (message == WM_INITDIALOG) {
            SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        }
        State* state = dialogState<State>(dialog);
        return state != nullptr ? Handle(*state, dialog, message, wParam, lParam) : FALSE;
    } catch (...) {
        // The message counts as not handled.
        return FALSE;
    }
}

// How many modal dialogs are open now. Their message loops also deliver what is posted to the
// main window, and a command acting from there would change the program behind the dialog.
inline int& openModalDialogs() {
    static int count = 0;
    return count;
}

// Counts as an open modal dialog while it lives: for the common dialogs and message boxes, whose
// loops deliver the main window's messages as well.
class ModalDialogScope {
  public:
    ModalDialogScope() { ++openModalDialogs(); }
    ~ModalDialogScope() { --openModalDialogs(); }
    ModalDialogScope(const ModalDialogScope&) = delete;
    ModalDialogScope& operator=(const ModalDialogScope&) = delete;
};

// Runs the dialog template modally over the state, owned by the window given.
template <typename State, INT_PTR (*Handle)(State&, HWND, UINT, WPARAM, LPARAM)>
void runModalDialog(HINSTANCE instance, int templateId, HWND owner, State& state) {
    const ModalDialogScope modal;
    DialogBoxParamW(instance, MAKEINTRESOURCEW(templateId), owner, dialogProcedure<State, Handle>,
                    reinterpret_cast<LPARAM>(&state));
}

} // namespace kavo
