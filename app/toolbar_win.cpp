#include "app/toolbar_win.h"

#include "resources/resource.h"
#include "resources/texts.h"

#include <commctrl.h>

namespace kavo {

namespace {

constexpr int kImageWidth = 30;
constexpr int kImageHeight = 16;

struct ButtonSpec {
    int command;
    std::u16string_view tooltip; // empty: no tooltip
};

// Button i shows image i of the bitmap.
constexpr ButtonSpec kButtons[] = {
    {IDC_TB_ID, kIdButtonTip},   {IDC_TB_PW, kPwButtonTip}, {IDC_TB_SETTINGS, kSettingsButtonTip},
    {IDC_TB_END, kEndButtonTip}, {IDC_TB_TRAY, {}},         {IDC_TB_BLANK1, {}},
    {IDC_TB_BLANK2, {}},
};
constexpr int kButtonCount = static_cast<int>(sizeof(kButtons) / sizeof(kButtons[0]));

} // namespace

HWND createToolbar(HWND parent, HINSTANCE instance) {
    HWND toolbar =
        CreateToolbarEx(parent, WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS,
                        IDC_TOOLBAR, 0, nullptr, 0, nullptr, 0, 0, 0, 0, 0, sizeof(TBBUTTON));
    SendMessageW(toolbar, TB_SETBITMAPSIZE, 0, MAKELPARAM(kImageWidth, kImageHeight));
    TBADDBITMAP bitmap{instance, IDB_TOOLBAR};
    const auto firstImage = static_cast<int>(
        SendMessageW(toolbar, TB_ADDBITMAP, kButtonCount, reinterpret_cast<LPARAM>(&bitmap)));

    TBBUTTON buttons[kButtonCount] = {};
    for (int i = 0; i < kButtonCount; ++i) {
        buttons[i].iBitmap = firstImage + i;
        buttons[i].idCommand = kButtons[i].command;
        buttons[i].fsState = TBSTATE_ENABLED;
        buttons[i].fsStyle = TBSTYLE_BUTTON;
        buttons[i].iString = -1;
    }
    SendMessageW(toolbar, TB_ADDBUTTONSW, kButtonCount, reinterpret_cast<LPARAM>(buttons));
    SendMessageW(toolbar, TB_AUTOSIZE, 0, 0);
    return toolbar;
}

void supplyTooltipText(HWND mainWindow, NMHDR* header) {
    auto* request = reinterpret_cast<NMTTDISPINFOW*>(header);
    request->hinst = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(mainWindow, GWLP_HINSTANCE));
    for (const ButtonSpec& button : kButtons) {
        if (static_cast<UINT_PTR>(button.command) == header->idFrom && !button.tooltip.empty()) {
            // The texts are literals, so their units end in a 0.
            request->lpszText =
                const_cast<wchar_t*>(reinterpret_cast<const wchar_t*>(button.tooltip.data()));
        }
    }
}

} // namespace kavo
