// The main window's toolbar and list as WM_DPICHANGED leaves them, over the real controls.
#include "app/app_state_win.h"
#include "app/toolbar_win.h"
#include "app/window_dpi_win.h"
#include "tests/support/list_view_window.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace kavo {
namespace {

struct Scaled {
    SIZE image;
    LRESULT buttonSize;
    int columns[kCellCount];
    RECT window;
};

class DpiWindow {
  public:
    DpiWindow() {
        app.instance = GetModuleHandleW(nullptr);
        app.toolbar = createToolbar(window.window(), app.instance, kBaseDpi);
        app.attachWindow(window.window(), window.listView());
    }
    ~DpiWindow() { releaseToolbarImages(app.toolbar); }

    // What Windows sends as the window reaches a monitor of this DPI.
    void moveTo(int dpi, RECT suggested) {
        onDpiChanged(app, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    }

    Scaled now() const {
        Scaled scaled{};
        const auto images =
            reinterpret_cast<HIMAGELIST>(SendMessageW(app.toolbar, TB_GETIMAGELIST, 0, 0));
        int width = 0;
        int height = 0;
        ImageList_GetIconSize(images, &width, &height);
        scaled.image = {width, height};
        scaled.buttonSize = SendMessageW(app.toolbar, TB_GETBUTTONSIZE, 0, 0);
        for (int column = 0; column < kCellCount; ++column) {
            scaled.columns[column] = app.rows->columnWidth(column);
        }
        GetWindowRect(app.mainWindow, &scaled.window);
        return scaled;
    }

    testing::ListViewWindow window;
    App app;
};

int rowHeight(HWND list) {
    RECT row{};
    row.left = LVIR_BOUNDS;
    SendMessageW(list, LVM_SETITEMCOUNT, 1, 0);
    SendMessageW(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
    return row.bottom - row.top;
}

TEST(WindowDpi, ToolbarImagesColumnsAndWindowFollowAChangeOfScaleAndComeBack) {
    DpiWindow dpi;
    const Scaled before = dpi.now();
    EXPECT_EQ(before.image.cx, 30);
    EXPECT_EQ(before.image.cy, 16);
    const int rowBefore = rowHeight(dpi.window.listView());
    dpi.app.rows->setColumnWidth(kCellId, 101);

    dpi.moveTo(144, {-1500, 100, -900, 800});
    const Scaled at150 = dpi.now();
    EXPECT_EQ(dpi.app.windowDpi, 144);
    EXPECT_EQ(at150.image.cx, 45);
    EXPECT_EQ(at150.image.cy, 24);
    EXPECT_GE(LOWORD(at150.buttonSize), 45);
    EXPECT_GE(HIWORD(at150.buttonSize), 24);
    EXPECT_GT(HIWORD(at150.buttonSize), HIWORD(before.buttonSize));
    EXPECT_EQ(at150.columns[kCellTitle], before.columns[kCellTitle] * 3 / 2);
    EXPECT_EQ(at150.columns[kCellId], 152);
    EXPECT_GT(rowHeight(dpi.window.listView()), rowBefore);
    EXPECT_EQ(at150.window.left, -1500);
    EXPECT_EQ(at150.window.top, 100);
    EXPECT_EQ(at150.window.right, -900);
    EXPECT_EQ(at150.window.bottom, 800);
    EXPECT_EQ(listTop(dpi.app), 36);

    dpi.moveTo(192, {0, 0, 800, 900});
    EXPECT_EQ(dpi.now().image.cx, 60);
    EXPECT_EQ(dpi.now().columns[kCellId], 202); // 101 at 200%, not 152 rescaled

    // Back at 100%: the bitmap's own images and the columns as they were.
    dpi.moveTo(96, {10, 20, 410, 320});
    const Scaled back = dpi.now();
    EXPECT_EQ(back.image.cx, 30);
    EXPECT_EQ(back.image.cy, 16);
    EXPECT_EQ(back.buttonSize, before.buttonSize);
    EXPECT_EQ(back.columns[kCellTitle], before.columns[kCellTitle]);
    EXPECT_EQ(back.columns[kCellId], 101);
    EXPECT_EQ(rowHeight(dpi.window.listView()), rowBefore);
}

} // namespace
} // namespace kavo
