#include "app/help_win.h"

#include "app/help_targets.h"
#include "resources/texts.h"
#include "win/message_box_win.h"
#include "win/system_library_win.h"
#include "win/wide_text_win.h"

#include <shellapi.h>

namespace kavo {

namespace {

// shell32 is loaded on the first use of help: a start without it is quicker.
void shellOpen(HWND owner, const std::wstring& target) {
    if (auto* open = systemFunction<decltype(ShellExecuteW)>(L"shell32.dll", "ShellExecuteW")) {
        open(owner, L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    }
}

// A build without a web site says so rather than open a page that cannot exist.
void openWebPage(HWND owner, const std::u16string& url) {
    if (hasWebSite()) {
        shellOpen(owner, toWide(url));
    } else {
        showOkMessage(owner, kNoWebSiteText, kNoWebSiteCaption);
    }
}

} // namespace

void openManual(HWND owner, const std::wstring& dataDirectory) {
    // The data directory is the current one; naming it keeps the manual found even if something
    // has changed the current directory since.
    std::wstring path = dataDirectory;
    if (!path.empty() && path.back() != L'\\') {
        path += L'\\';
    }
    shellOpen(owner, path + toWide(kManualFileName));
}

void openHomePage(HWND owner) {
    openWebPage(owner, homePageUrl());
}

void openDownloadPage(HWND owner) {
    openWebPage(owner, downloadPageUrl());
}

} // namespace kavo
