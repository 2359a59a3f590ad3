#include "app/help_targets.h"

#include "kavo_version.h"
#include "resources/texts.h"

#ifndef KAVO_WEB_HOST
#error "KAVO_WEB_HOST names the web site's host; the build sets it"
#endif

namespace kavo {

namespace {

// Narrow literals from the build, widened by concatenation: host names are ASCII.
constexpr std::u16string_view kWebHost = u"" KAVO_WEB_HOST;
constexpr std::u16string_view kVersion = u"" KAVO_VERSION_TEXT;

} // namespace

std::u16string homePageUrl() {
    return u"http://" + std::u16string(kWebHost) + u"/";
}

std::u16string downloadPageUrl() {
    return u"https://" + std::u16string(kWebHost) + u"/kavo/kavo_dl.htm";
}

// Both lines are short: the box is narrow, and a line longer than its place is cut off.
std::u16string aboutCreatorLine() {
    return u"Ver." + std::u16string(kVersion) + std::u16string(kAboutCreatorSuffix);
}

std::u16string aboutHomePageLine() {
    return std::u16string(kWebHost);
}

} // namespace kavo
