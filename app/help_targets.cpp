#include "app/help_targets.h"

#include "store/text_format.h"

#include "kavo_version.h"
#include "resources/texts.h"
#include "store/ascii_case.h"

#ifndef KAVO_WEB_HOST
#error "KAVO_WEB_HOST names the web site's host; the build sets it"
#endif

namespace kavo {

namespace {

// Narrow literals from the build, widened by concatenation: host names are ASCII.
constexpr std::u16string_view kWebHost = u"" KAVO_WEB_HOST;
constexpr std::u16string_view kVersion = u"" KAVO_VERSION_TEXT;

bool endsWithLabel(std::u16string_view host, std::u16string_view name) {
    return host == name || (host.size() > name.size() && host.ends_with(name) &&
                            host[host.size() - name.size() - 1] == u'.');
}

} // namespace

bool isPlaceholderHost(std::u16string_view host) {
    std::u16string name = foldAsciiCase(host.substr(0, host.find(u':')));
    while (!name.empty() && name.back() == u'.') {
        name.pop_back();
    }
    for (const std::u16string_view reserved : {u"example.com", u"example.net", u"example.org",
                                               u"example", u"invalid", u"test", u"localhost"}) {
        if (endsWithLabel(name, reserved)) {
            return true;
        }
    }
    return name.empty();
}

bool hasWebSite() {
    return !isPlaceholderHost(kWebHost);
}

std::u16string homePageUrl() {
    return u"http://" + std::u16string(kWebHost) + u"/";
}

std::u16string downloadPageUrl() {
    return u"https://" + std::u16string(kWebHost) + u"/kavo/kavo_dl.htm";
}

// Both lines are short: the box is narrow, and a line longer than its place is cut off.
std::u16string aboutCreatorLine() {
    return formatText(kAboutVersionText, {kVersion});
}

std::u16string aboutHomePageLine() {
    return hasWebSite() ? std::u16string(kWebHost) : std::u16string(kNoWebSiteAboutLine);
}

} // namespace kavo
