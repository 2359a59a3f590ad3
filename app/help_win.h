// The help commands' shell opens: the manual, the home page and the download page. A build
// without a web site says so for the two pages; otherwise nothing is reported: a missing manual
// or an unreachable page is the shell's business.
#pragma once

#include <windows.h>

#include <string>

namespace kavo {

// "KAVO_manual.pdf" in the data directory.
void openManual(HWND owner, const std::wstring& dataDirectory);
void openHomePage(HWND owner);
void openDownloadPage(HWND owner);

} // namespace kavo
