// What the help commands open with the shell, and the About box's lines that name the version
// and the web site. The web site's host is a build setting (KAVO_WEB_HOST).
#pragma once

#include <string>
#include <string_view>

namespace kavo {

// The manual, opened from the data directory.
inline constexpr std::u16string_view kManualFileName = u"KAVO_manual.pdf";

// "http://<host>/"
std::u16string homePageUrl();
// "https://<host>/kavo/kavo_dl.htm"
std::u16string downloadPageUrl();

// The About box's creator line, with the program's version.
std::u16string aboutCreatorLine();
// The About box's home-page line: the web site's host.
std::u16string aboutHomePageLine();

} // namespace kavo
