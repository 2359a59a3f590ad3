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

// Runs the dialog template modally over the state, owned by the window given, which it disables
// meanwhile: that is how the program knows a box of its own is open.
template <typename State, INT_PTR (*Handle)(State&, HWND, UINT, WPARAM, LPARAM)>
void runModalDialog(HINSTANCE instance, int templateId, HWND owner, State& state) {
    DialogBoxParamW(instance, MAKEINTRESOURCEW(templateId), owner, dialogProcedure<State, Handle>,
                    reinterpret_cast<LPARAM>(&state));
}

} // namespace kavo
