// The toolbar's tooltips, shown as the mouse rests on each button.
#include "resources/resource.h"
#include "tests/e2e/kavo_driver.h"
#include "tests/e2e/remote_memory.h"
#include "tests/e2e/store_fixtures.h"
#include "tests/support/temp_directory.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace kavo::e2e {
namespace {

using kavo::testing::TempDirectory;

constexpr DWORD kPollMs = 20;
constexpr DWORD kTipTimeoutMs = 5000;
constexpr UINT kAnswerTimeoutMs = 5000;
// A tip that does not appear within a few of its own delays is not coming.
constexpr DWORD kAbsentAfterDelays = 3;
constexpr int kTipTextCapacity = 256;

class Toolbar {
  public:
    explicit Toolbar(Kavo& kavo)
        : toolbar_(GetDlgItem(kavo.shownWindow(), IDC_TOOLBAR)),
          rect_(kavo.process(), sizeof(RECT)) {
        tips_ = reinterpret_cast<HWND>(ask(toolbar_, TB_GETTOOLTIPS, 0, 0));
    }

    HWND tips() const { return tips_; }

    // Puts the mouse pointer on the middle of a button.
    void pointAt(int button) {
        RECT rect{};
        ASSERT_TRUE(ask(toolbar_, TB_GETITEMRECT, static_cast<WPARAM>(button),
                        reinterpret_cast<LPARAM>(rect_.at())) != 0);
        ASSERT_TRUE(rect_.read(0, &rect, sizeof(rect)));
        POINT middle{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
        MapWindowPoints(toolbar_, nullptr, &middle, 1);
        SetCursorPos(middle.x, middle.y);
    }

    // Puts the mouse pointer far from the window and waits until no tip is shown.
    void pointAway() {
        SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
        for (DWORD waited = 0; IsWindowVisible(tips_) && waited < kTipTimeoutMs;
             waited += kPollMs) {
            Sleep(kPollMs);
        }
        ASSERT_FALSE(IsWindowVisible(tips_)) << "the tip stayed after the pointer left";
    }

    // The text of the tip once it is shown with something in it; empty when none shows.
    std::wstring shownTip(DWORD timeoutMs) {
        for (DWORD waited = 0; waited <= timeoutMs; waited += kPollMs) {
            if (IsWindowVisible(tips_)) {
                wchar_t text[kTipTextCapacity] = {};
                SendMessageTimeoutW(tips_, WM_GETTEXT, kTipTextCapacity,
                                    reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                                    kAnswerTimeoutMs, nullptr);
                if (text[0] != L'\0') {
                    return text;
                }
            }
            Sleep(kPollMs);
        }
        return std::wstring();
    }

    DWORD initialDelayMs() {
        return static_cast<DWORD>(ask(tips_, TTM_GETDELAYTIME, TTDT_INITIAL, 0));
    }

  private:
    static LRESULT ask(HWND target, UINT message, WPARAM wParam, LPARAM lParam) {
        DWORD_PTR result = 0;
        SendMessageTimeoutW(target, message, wParam, lParam, SMTO_ABORTIFHUNG, kAnswerTimeoutMs,
                            &result);
        return static_cast<LRESULT>(result);
    }

    HWND toolbar_;
    HWND tips_ = nullptr;
    RemoteBuffer rect_;
};

TEST(Toolbar, TheFirstFourButtonsExplainThemselvesAndTheOthersStaySilent) {
    TempDirectory dir;
    writeDataFiles(dir, numberedEntries(1), lockedSettings());
    Kavo kavo(dir.path());
    Toolbar toolbar(kavo);
    ASSERT_NE(toolbar.tips(), nullptr) << "the toolbar has no tooltips";

    const wchar_t* const tips[] = {L"ＩＤを記憶", L"パスワードを記憶", L"表示設定", L"終了"};
    int button = 0;
    for (const wchar_t* tip : tips) {
        toolbar.pointAway();
        toolbar.pointAt(button);
        EXPECT_EQ(toolbar.shownTip(kTipTimeoutMs), tip) << "button " << button;
        ++button;
    }
    const DWORD absentAfterMs = kAbsentAfterDelays * toolbar.initialDelayMs();
    for (const int silent : {4, 5, 6}) {
        toolbar.pointAway();
        toolbar.pointAt(silent);
        EXPECT_EQ(toolbar.shownTip(absentAfterMs), L"") << "button " << silent;
    }
    EXPECT_TRUE(kavo.endsWithoutAsking());
}

} // namespace
} // namespace kavo::e2e
