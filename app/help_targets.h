// What the help commands open with the shell, and the About box's lines that name the version
// and the web site. The web site's host is a build setting (KAVO_WEB_HOST).
#pragma once

#include <string>
#include <string_view>

namespace kavo {

// The manual, opened from the data directory.
inline constexpr std::u16string_view kManualFileName = u"KAVO_manual.pdf";

// True for the reserved names of RFC 2606, which belong to nobody: the build's default is one,
// and a build that kept it has no web site to open. The port, if any, and letter case do not count.
bool isPlaceholderHost(std::u16string_view host);
// Whether this build names a web site; without one, ホームページ and New Version say so instead.
bool hasWebSite();

// "http://<host>/"
std::u16string homePageUrl();
// "https://<host>/kavo/kavo_dl.htm"
std::u16string downloadPageUrl();

// The About box's creator line, with the program's version.
std::u16string aboutCreatorLine();
// The About box's home-page line: the web site's host, or that there is none.
std::u16string aboutHomePageLine();

} // namespace kavo
