#include "app/main_window_win.h"

#include "app/app_state_win.h"
#include "app/command_routing_win.h"
#include "app/copy_triggers_win.h"
#include "app/folder_watch_win.h"
#include "app/menu_items_win.h"
#include "app/program_end_win.h"
#include "app/relock_win.h"
#include "app/repaint_win.h"
#include "app/session_win.h"
#include "app/single_instance_win.h"
#include "app/store_files_win.h"
#include "app/toolbar_win.h"
#include "app/tray_icon_win.h"
#include "app/window_dpi_win.h"
#include "resources/resource.h"
#include "sequencer/keyboard_watch_win.h"
#include "sequencer/window_message_sink_win.h"
#include "settings/placement_win.h"
#include "settings/screen_scale.h"
#include "settings/settings_file_win.h"
#include "settings/window_rectangle_win.h"
#include "win/message_box_win.h"
#include "win/dpi_win.h"
#include "win/timer_ids.h"
#include "win/wide_text_win.h"

#include <commctrl.h>

namespace kavo {

namespace {

// The toolbar strip shows these while the ID or the password is on the clipboard.
constexpr COLORREF kIdPhaseColour = RGB(100, 200, 100);
constexpr COLORREF kPwPhaseColour = RGB(100, 100, 200);
constexpr COLORREF kLockedIdleColour = RGB(255, 255, 255);

HICON loadSmallIcon(HINSTANCE instance, int id) {
    return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON,
                                         GetSystemMetrics(SM_CXSMICON),
                                         GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
}

// Never a minimized window's rectangle: the next start would open as a caption strip.
void storeWindowRectangle(App& app) {
    storeRestoredRectangle(app.mainWindow, app.settings);
}

LRESULT onCreate(App& app, HWND window) {
    markDataFolderWindow(window, app.folderClaim ? app.folderClaim->key : 0);
    InitCommonControls();
    app.toolbar = createToolbar(window, app.instance, dpiOfWindow(window));
    app.attachWindow(window, createListView(window, app.instance, columnWidthsOf(app.settings)));
    takeWindowDpi(app);
    if (!loadStore(app, window)) {
        // The master password of protected files was not given: KAVO ends as it found them.
        app.endedAtStart = true;
        return -1;
    }
    app.folderWatch.start(app.dataStore.folder(), window, kDataFolderChangedMessage);
    applyPlacement(window, app.settings, app.screenWidth, app.screenHeight);
    app.keyboardWatch.start(window, app.pasteDetector);
    watchSession(app);
    updateMoveItems(app);
    app.stateIcons = {OwnedIcon(loadSmallIcon(app.instance, IDI_STATE_IDLE)),
                      OwnedIcon(loadSmallIcon(app.instance, IDI_STATE_ID)),
                      OwnedIcon(loadSmallIcon(app.instance, IDI_STATE_PW))};
    app.idPhaseBrush.reset(CreateSolidBrush(kIdPhaseColour));
    app.pwPhaseBrush.reset(CreateSolidBrush(kPwPhaseColour));
    // The caption says the lock state from the start.
    repaintMainWindow(app);
    return 0;
}

HBRUSH backgroundBrush(const App& app, Presentation::Brush brush) {
    switch (brush) {
    case Presentation::Brush::DarkGray:
        return static_cast<HBRUSH>(GetStockObject(DKGRAY_BRUSH));
    case Presentation::Brush::LightGray:
        return static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    case Presentation::Brush::IdGreen:
        return static_cast<HBRUSH>(app.idPhaseBrush.get());
    case Presentation::Brush::PwBlue:
        return static_cast<HBRUSH>(app.pwPhaseBrush.get());
    case Presentation::Brush::DcBrush:
        break;
    }
    return static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
}

LRESULT onEraseBackground(const App& app, HWND window, HDC dc) {
    RECT client{};
    GetClientRect(window, &client);
    // The locked idle colour is the DC brush, white unless someone changed it; say so
    // explicitly, since not every platform starts a DC with a white DC brush.
    SetDCBrushColor(dc, kLockedIdleColour);
    FillRect(dc, &client, backgroundBrush(app, app.presentation().brush));
    return 1;
}

LRESULT onSize(App& app, HWND window, WPARAM wParam, LPARAM lParam) {
    if (app.toolbar != nullptr) {
        SendMessageW(app.toolbar, WM_SIZE, wParam, lParam);
    }
    if (app.rows != nullptr) {
        // The full client height: the list reaches below the bottom edge by the toolbar's
        // height, as the window has always been laid out.
        app.rows->place(0, listTop(app), LOWORD(lParam), HIWORD(lParam));
    }
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
    storeWindowRectangle(app);
    return 0;
}

LRESULT onMove(App& app) {
    storeWindowRectangle(app);
    return 0;
}

LRESULT onClose(App& app) {
    endProgram(app);
    return 0;
}

void storeColumnWidths(App& app) {
    if (app.rows == nullptr) {
        return;
    }
    app.settings.columnWidthName = app.rows->columnWidth(kCellTitle);
    app.settings.columnWidthType = app.rows->columnWidth(kCellType);
    app.settings.columnWidthId = app.rows->columnWidth(kCellId);
    app.settings.columnWidthPw = app.rows->columnWidth(kCellPw);
}

// While the find box has the keyboard, the row it found is drawn as selected, in the colours of
// a focused list: not every list view draws the highlight a click leaves once it has lost the
// focus, and the user types on while looking for the row.
LRESULT onListCustomDraw(const App& app, LPARAM lParam) {
    auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(lParam);
    switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        return app.findBox != nullptr && app.findBox->isOpen() ? CDRF_NOTIFYITEMDRAW
                                                               : CDRF_DODEFAULT;
    case CDDS_ITEMPREPAINT: {
        const auto row = static_cast<int>(draw->nmcd.dwItemSpec);
        if (!app.rows->hasKeyboard() && app.rows->rowMarks(row, kMarkSelected) != 0) {
            draw->nmcd.uItemState &= ~static_cast<UINT>(CDIS_SELECTED);
            draw->clrText = GetSysColor(COLOR_HIGHLIGHTTEXT);
            draw->clrTextBk = GetSysColor(COLOR_HIGHLIGHT);
        }
        return CDRF_DODEFAULT;
    }
    default:
        return CDRF_DODEFAULT;
    }
}

LRESULT onListNotify(App& app, HWND window, WPARAM wParam, LPARAM lParam) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    switch (header->code) {
    case LVN_GETDISPINFOW:
        app.rows->answerCellRequest(*app.table, *reinterpret_cast<NMLVDISPINFOW*>(lParam));
        return 0;
    case LVN_ODFINDITEMW:
        return app.rows->findTitle(*app.table, *reinterpret_cast<const NMLVFINDITEMW*>(lParam));
    case LVN_COLUMNCLICK:
        app.table->sortByColumn(reinterpret_cast<const NMLISTVIEW*>(lParam)->iSubItem);
        return 0;
    case NM_CLICK:
        app.table->highlightSelection();
        return 0;
    case NM_CUSTOMDRAW:
        return onListCustomDraw(app, lParam);
    case NM_RCLICK:
        onListRightClick(app, reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem);
        return 0;
    default:
        return DefWindowProcW(window, WM_NOTIFY, wParam, lParam);
    }
}

LRESULT onNotify(App& app, HWND window, WPARAM wParam, LPARAM lParam) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header->code == TTN_GETDISPINFOW) {
        supplyTooltipText(window, header);
        return 0;
    }
    if (header->idFrom == IDC_LIST_VIEW) {
        return onListNotify(app, window, wParam, lParam);
    }
    return DefWindowProcW(window, WM_NOTIFY, wParam, lParam);
}

LRESULT onTimer(App& app, HWND window, WPARAM timerId) {
    switch (timerId) {
    case kSequenceTimerId:
    case kPasteTimerId:
        // Only the timer that fired stops; the other may still be pending.
        KillTimer(window, timerId);
        app.sequence->advance();
        break;
    case kClipboardRetryTimerId: {
        WindowMessageSink owner(window);
        app.sequence->retryPendingWrite(owner);
        break;
    }
    case kSessionWatchTimerId:
        onSessionWatchTimer(app);
        break;
    case kFolderCheckTimerId:
        onFolderCheckTimer(app);
        break;
    case kRevealTimerId:
        app.table->maskPasswords();
        KillTimer(window, kRevealTimerId);
        break;
    default:
        break;
    }
    return 0;
}

// The notice of a clipboard still held at exit waits for an answer; when the session ends the
// process may be ended at any moment, so nothing may wait.
class QuietMessageSink final : public MessageSink {
  public:
    void showMessage(std::u16string_view, std::u16string_view) override {}
};

LRESULT onDestroy(App& app) {
    removeTrayIconAtExit(app);
    unwatchSession(app);
    app.folderWatch.stop();
    app.keyboardWatch.stop();
    // No ID or password may stay on the clipboard once the program has ended. The window is on
    // its way out, so a notice stands on its own.
    WindowMessageSink noOwner(nullptr);
    QuietMessageSink quiet;
    app.sequence->clearClipboardAtExit(app.sessionEnding ? static_cast<MessageSink&>(quiet)
                                                         : noOwner);
    if (!app.endedAtStart) {
        storeWindowRectangle(app);
        storeColumnWidths(app);
        saveSettings(settingsForFile(app.settings, systemDpi(), app.windowDpi),
                     app.dataStore.folder(), app.mainWindow);
    }
    releaseToolbarImages(app.toolbar);
    unmarkDataFolderWindow(app.mainWindow);
    PostQuitMessage(0);
    return 0;
}

// The title names the state, so a glance tells what a paste would deliver.
// The background is the whole picture, drawn at WM_ERASEBKGND; the caption is set where the
// state changes.
LRESULT onPaint(HWND window) {
    PAINTSTRUCT paint;
    BeginPaint(window, &paint);
    EndPaint(window, &paint);
    return 0;
}

LRESULT dispatch(App& app, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return onCreate(app, window);
    case WM_SIZE:
        return onSize(app, window, wParam, lParam);
    case WM_MOVE:
        return onMove(app);
    case WM_ACTIVATE:
        return 0;
    case WM_ENABLE:
        // A modal box over the window holds the find box too: nothing is found behind it.
        if (app.findBox != nullptr) {
            app.findBox->followOwnerEnabled(wParam != FALSE);
        }
        return 0;
    case WM_PAINT:
        return onPaint(window);
    case WM_ERASEBKGND:
        return onEraseBackground(app, window, reinterpret_cast<HDC>(wParam));
    case WM_DPICHANGED:
        return onDpiChanged(app, wParam, lParam);
    case WM_INPUT:
        onRawInput(reinterpret_cast<HRAWINPUT>(lParam), app.pasteDetector, *app.sequence);
        // Windows cleans up after the input only here.
        return DefWindowProcW(window, message, wParam, lParam);
    case WM_WTSSESSION_CHANGE:
        onSessionChange(app, wParam);
        return 0;
    case WM_CLOSE:
        return onClose(app);
    case WM_QUERYENDSESSION:
        return onQueryEndSession(app, lParam);
    case WM_ENDSESSION:
        onEndSession(app, wParam != FALSE);
        return 0;
    case WM_DESTROY:
        return onDestroy(app);
    case WM_NOTIFY:
        return onNotify(app, window, wParam, lParam);
    case WM_COMMAND:
        onCommand(app, LOWORD(wParam));
        return 0;
    case WM_INITMENU:
        updateMoveItems(app);
        return 0;
    case WM_INITMENUPOPUP:
        onInitMenuPopup(app, reinterpret_cast<HMENU>(wParam));
        return 0;
    case WM_TIMER:
        return onTimer(app, window, wParam);
    case kTrayCallbackMessage:
        onTrayCallback(app, wParam, lParam);
        return 0;
    case kDataFolderChangedMessage:
        onDataFolderChanged(app);
        return 0;
    default:
        if (message == taskbarCreatedMessage()) {
            onTaskbarCreated(app);
            return 0;
        }
        if (message == bringForwardMessage()) {
            onBringForward(app);
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    try {
        // The program's state comes with the window's creation and stays in its user data; the
        // few messages before WM_NCCREATE find none and are left to Windows.
        if (message == WM_NCCREATE) {
            const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
            SetWindowLongPtrW(window, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
        }
        auto* app = reinterpret_cast<App*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (app == nullptr) {
            return DefWindowProcW(window, message, wParam, lParam);
        }
        return dispatch(*app, window, message, wParam, lParam);
    } catch (...) {
        // Nothing may unwind into Windows; the message is simply not handled.
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace

bool registerMainWindowClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_BYTEALIGNCLIENT;
    windowClass.lpfnWndProc = mainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_STATE_IDLE));
    windowClass.hIconSm = loadSmallIcon(instance, IDI_STATE_IDLE);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    windowClass.lpszMenuName = MAKEINTRESOURCEW(IDM_MAIN_MENU);
    windowClass.lpszClassName = kMainWindowClass;
    return RegisterClassExW(&windowClass) != 0;
}

HWND createMainWindow(App& app) {
    const SettingsRecord& s = app.settings;
    return CreateWindowExW(0, kMainWindowClass, kInitialTitle,
                           WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, s.windowX, s.windowY,
                           s.windowWidth, s.windowHeight, nullptr, nullptr, app.instance, &app);
}

} // namespace kavo
