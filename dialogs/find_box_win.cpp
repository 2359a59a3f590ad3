#include "dialogs/find_box_win.h"

#include "resources/resource.h"
#include "win/dialog_procedure_win.h"
#include "win/wide_text_win.h"

#include <commctrl.h>

namespace kavo {

namespace {

INT_PTR handleFindBox(FindBox& findBox, HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    return findBox.handle(box, message, wParam, lParam);
}

ScreenRect screenRectOf(const RECT& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

// Below the owner if there is room, else above it, so the box never covers the row it finds.
void placeBesideOwner(HWND box, HWND owner) {
    RECT boxRect{};
    RECT ownerRect{};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (!GetWindowRect(box, &boxRect) || !GetWindowRect(owner, &ownerRect) ||
        !GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor)) {
        return;
    }
    const ScreenRect place =
        findBoxPlace(screenRectOf(boxRect), screenRectOf(ownerRect), screenRectOf(monitor.rcWork));
    SetWindowPos(box, nullptr, place.left, place.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::u16string fieldText(HWND box) {
    const HWND field = GetDlgItem(box, IDC_FIND_TEXT);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(field)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(field, text.data(), static_cast<int>(text.size()))));
    return fromWide(text);
}

void selectWholeField(HWND box) {
    const HWND field = GetDlgItem(box, IDC_FIND_TEXT);
    SetFocus(field);
    SendMessageW(field, EM_SETSEL, 0, -1);
}

} // namespace

FindBox::~FindBox() {
    close();
}

void FindBox::open(HINSTANCE instance, HWND owner) {
    if (box_ != nullptr) {
        SetForegroundWindow(box_);
        selectWholeField(box_);
        return;
    }
    owner_ = owner;
    // The handler records the box at WM_INITDIALOG.
    CreateDialogParamW(instance, MAKEINTRESOURCEW(IDD_FIND), owner,
                       dialogProcedure<FindBox, handleFindBox>, reinterpret_cast<LPARAM>(this));
    if (box_ != nullptr) {
        ShowWindow(box_, SW_SHOWNORMAL);
    }
}

void FindBox::findAgain(HINSTANCE instance, HWND owner, FindDirection direction) {
    if (box_ == nullptr && text_.empty()) {
        open(instance, owner);
        return;
    }
    owner_ = owner;
    step(direction);
}

void FindBox::close() {
    // A modeless box is destroyed, not ended: EndDialog would only hide it.
    if (box_ != nullptr) {
        DestroyWindow(box_);
    }
}

void FindBox::followOwnerEnabled(bool enabled) {
    if (box_ != nullptr) {
        EnableWindow(box_, enabled ? TRUE : FALSE);
    }
}

bool FindBox::takeMessage(HACCEL shortcuts, MSG& message) {
    if (box_ == nullptr || (message.hwnd != box_ && !IsChild(box_, message.hwnd))) {
        return false;
    }
    return TranslateAcceleratorW(box_, shortcuts, &message) != 0 ||
           IsDialogMessageW(box_, &message) != FALSE;
}

INT_PTR FindBox::handle(HWND box, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        onInit(box);
        // The focus is set here, in the field with its text selected.
        return FALSE;
    case WM_COMMAND:
        return onCommand(wParam);
    case WM_CLOSE:
        close();
        return TRUE;
    case WM_DESTROY:
        box_ = nullptr;
        table_.repaint();
        return FALSE;
    default:
        return FALSE;
    }
}

void FindBox::onInit(HWND box) {
    box_ = box;
    // The list draws the row found as selected from now on (see the main window).
    table_.repaint();
    filling_ = true;
    SetDlgItemTextW(box, IDC_FIND_TEXT, wide(text_));
    filling_ = false;
    placeBesideOwner(box, owner_);
    selectWholeField(box);
}

INT_PTR FindBox::onCommand(WPARAM wParam) {
    switch (LOWORD(wParam)) {
    case IDC_FIND_TEXT:
        if (HIWORD(wParam) == EN_CHANGE && !filling_) {
            onTextChanged();
        }
        return TRUE;
    case IDC_FIND_NEXT:
    case IDC_CMD_FIND_NEXT:
        step(FindDirection::Next);
        return TRUE;
    case IDC_FIND_PREVIOUS:
    case IDC_CMD_FIND_PREVIOUS:
        step(FindDirection::Previous);
        return TRUE;
    case IDC_CMD_FIND:
        selectWholeField(box_);
        return TRUE;
    case IDC_FIND_CLOSE:
    case IDCANCEL:
        closeToList();
        return TRUE;
    default:
        return FALSE;
    }
}

void FindBox::onTextChanged() {
    text_ = fieldText(box_);
    if (text_.empty()) {
        SetDlgItemTextW(box_, IDC_FIND_STATUS, L"");
        return;
    }
    show(findFirst(table_, text_), FindDirection::Next);
}

void FindBox::step(FindDirection direction) {
    if (text_.empty()) {
        return;
    }
    show(findFrom(table_, text_, table_.selectedRow(), direction), direction);
}

void FindBox::show(const FindResult& result, FindDirection direction) {
    if (!ownerTakesClicks()) {
        return;
    }
    if (result.row >= 0) {
        table_.showFoundRow(result.row);
    }
    if (box_ != nullptr) {
        SetDlgItemTextW(box_, IDC_FIND_STATUS, toWide(findStatusText(result, direction)).c_str());
    } else if (result.row < 0) {
        // No box to say it in.
        MessageBeep(MB_OK);
    }
}

void FindBox::closeToList() {
    close();
    // The user goes on where the found row is: in the list, with its focus on that row.
    if (ownerTakesClicks()) {
        table_.giveListTheKeyboard();
    }
}

bool FindBox::ownerTakesClicks() const {
    return owner_ != nullptr && IsWindowEnabled(owner_) && IsWindowVisible(owner_);
}

} // namespace kavo
