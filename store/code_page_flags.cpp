#include "store/code_page_flags.h"

namespace kavo {

namespace {

constexpr unsigned kUtf8 = 65001;
constexpr unsigned kGb18030 = 54936;
constexpr unsigned kUtf7 = 65000;
constexpr unsigned kSymbol = 42;
// ISO-2022 forms of Japanese, Korean and Chinese, and the ISCII pages.
constexpr unsigned kFirstIso2022 = 50220;
constexpr unsigned kLastIso2022 = 50229;
constexpr unsigned kFirstIscii = 57002;
constexpr unsigned kLastIscii = 57011;

} // namespace

ConversionFlags conversionFlagsFor(unsigned codePage) {
    if (codePage == kUtf8 || codePage == kGb18030) {
        return ConversionFlags::ErrorOnly;
    }
    const bool flagless = codePage == kUtf7 || codePage == kSymbol ||
                          (codePage >= kFirstIso2022 && codePage <= kLastIso2022) ||
                          (codePage >= kFirstIscii && codePage <= kLastIscii);
    return flagless ? ConversionFlags::None : ConversionFlags::Usual;
}

} // namespace kavo
