#include "app/toolbar_win.h"

#include "resources/resource.h"
#include "resources/texts.h"
#include "settings/screen_scale.h"
#include "win/dpi_win.h"
#include "win/owned_handles_win.h"

#include <commctrl.h>

#include <string_view>

namespace kavo {

namespace {

// The size of each image at 96 DPI, and the bitmap's width in images.
constexpr int kImageWidth = 30;
constexpr int kImageHeight = 16;

// What bitmap 21 shows in each cell, for drawing the same at another scale.
struct CellLabel {
    std::wstring_view text; // empty: a blank cell
    COLORREF colour;
    bool bold;
};
constexpr CellLabel kCellLabels[] = {
    {L"ID", RGB(0, 255, 0), true},
    {L"PW", RGB(0, 0, 255), true},
    {L"PL", RGB(0, 255, 255), true},
    {L"END", RGB(255, 0, 0), true},
    {L"タスク", RGB(0, 0, 0), false},
    {L"", 0, false},
    {L"", 0, false},
};

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

// A font whose letters fill about eleven sixteenths of the image's height, as the bitmap's
// letters do, made smaller until the widest label fits its cell.
OwnedGdiObject labelFont(HDC dc, const LOGFONTW& face, bool bold, int width, int height) {
    LOGFONTW font = face;
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfQuality = ANTIALIASED_QUALITY;
    font.lfWidth = 0;
    for (int size = height * (bold ? 15 : 13) / 16; size > 1; --size) {
        font.lfHeight = -size;
        OwnedGdiObject made(CreateFontIndirectW(&font));
        const HGDIOBJ previous = SelectObject(dc, made.get());
        bool fits = true;
        for (const CellLabel& label : kCellLabels) {
            SIZE extent{};
            if (label.bold == bold && !label.text.empty() &&
                GetTextExtentPoint32W(dc, label.text.data(), static_cast<int>(label.text.size()),
                                      &extent) &&
                extent.cx > width - 2) {
                fits = false;
            }
        }
        SelectObject(dc, previous);
        if (fits) {
            return made;
        }
    }
    return OwnedGdiObject(nullptr);
}

// The seven labels side by side on white, each centred in its cell.
HBITMAP drawnImages(int width, int height, int dpi) {
    const WindowDc screen(nullptr);
    const HDC dc = CreateCompatibleDC(screen.get());
    if (dc == nullptr) {
        return nullptr;
    }
    const HBITMAP strip = CreateCompatibleBitmap(screen.get(), width * kButtonCount, height);
    const OwnedGdiObject uiFont = createUiFontForDpi(dpi);
    LOGFONTW face{};
    if (strip != nullptr && uiFont.get() != nullptr &&
        GetObjectW(uiFont.get(), sizeof(face), &face) != 0) {
        const HGDIOBJ previousBitmap = SelectObject(dc, strip);
        RECT all{0, 0, width * kButtonCount, height};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        SetBkMode(dc, TRANSPARENT);
        const OwnedGdiObject bold = labelFont(dc, face, true, width, height);
        const OwnedGdiObject normal = labelFont(dc, face, false, width, height);
        for (int i = 0; i < kButtonCount; ++i) {
            const CellLabel& label = kCellLabels[i];
            RECT cell{i * width, 0, (i + 1) * width, height};
            const HGDIOBJ previousFont = SelectObject(dc, (label.bold ? bold : normal).get());
            SetTextColor(dc, label.colour);
            DrawTextW(dc, label.text.data(), static_cast<int>(label.text.size()), &cell,
                      DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
            SelectObject(dc, previousFont);
        }
        SelectObject(dc, previousBitmap);
    }
    DeleteDC(dc);
    return strip;
}

} // namespace

HWND createToolbar(HWND parent, HINSTANCE instance, int dpi) {
    HWND toolbar =
        CreateToolbarEx(parent, WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS,
                        IDC_TOOLBAR, 0, nullptr, 0, nullptr, 0, 0, 0, 0, 0, sizeof(TBBUTTON));
    scaleToolbar(toolbar, instance, dpi);

    TBBUTTON buttons[kButtonCount] = {};
    for (int i = 0; i < kButtonCount; ++i) {
        buttons[i].iBitmap = i;
        buttons[i].idCommand = kButtons[i].command;
        buttons[i].fsState = TBSTATE_ENABLED;
        buttons[i].fsStyle = TBSTYLE_BUTTON;
        buttons[i].iString = -1;
    }
    SendMessageW(toolbar, TB_ADDBUTTONSW, kButtonCount, reinterpret_cast<LPARAM>(buttons));
    SendMessageW(toolbar, TB_AUTOSIZE, 0, 0);
    return toolbar;
}

void scaleToolbar(HWND toolbar, HINSTANCE instance, int dpi) {
    const int width = scaledToDpi(kImageWidth, dpi);
    const int height = scaledToDpi(kImageHeight, dpi);
    const OwnedGdiObject strip(
        dpi == kBaseDpi ? LoadImageW(instance, MAKEINTRESOURCEW(IDB_TOOLBAR), IMAGE_BITMAP, 0, 0, 0)
                        : drawnImages(width, height, dpi));
    const HIMAGELIST images = ImageList_Create(width, height, ILC_COLOR24, kButtonCount, 0);
    if (images == nullptr) {
        return;
    }
    ImageList_Add(images, static_cast<HBITMAP>(strip.get()), nullptr);
    const auto previous = reinterpret_cast<HIMAGELIST>(
        SendMessageW(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images)));
    if (previous != nullptr) {
        ImageList_Destroy(previous);
    }
    // The buttons keep the padding around the images that the toolbar gave them.
    const auto padding = static_cast<DWORD>(SendMessageW(toolbar, TB_GETPADDING, 0, 0));
    SendMessageW(toolbar, TB_SETBITMAPSIZE, 0, MAKELPARAM(width, height));
    SendMessageW(toolbar, TB_SETBUTTONSIZE, 0,
                 MAKELPARAM(width + LOWORD(padding), height + HIWORD(padding)));
    SendMessageW(toolbar, TB_AUTOSIZE, 0, 0);
    InvalidateRect(toolbar, nullptr, TRUE);
}

void releaseToolbarImages(HWND toolbar) {
    const auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(toolbar, TB_SETIMAGELIST, 0, 0));
    if (images != nullptr) {
        ImageList_Destroy(images);
    }
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
