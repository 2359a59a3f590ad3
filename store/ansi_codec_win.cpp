#include "store/ansi_codec_win.h"

#include "store/code_page_flags.h"

#include <windows.h>

namespace kavo {

namespace {

// The number behind CP_THREAD_ACP, whose flags the conversions must respect.
unsigned threadCodePage() {
    DWORD codePage = 0;
    if (GetLocaleInfoW(GetThreadLocale(), LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                       reinterpret_cast<LPWSTR>(&codePage),
                       sizeof(codePage) / sizeof(wchar_t)) == 0 ||
        codePage == 0) {
        return GetACP();
    }
    return codePage;
}

DWORD toAnsiFlags(ConversionFlags flags) {
    switch (flags) {
    case ConversionFlags::Usual:
        return WC_NO_BEST_FIT_CHARS;
    case ConversionFlags::ErrorOnly:
        return WC_ERR_INVALID_CHARS;
    case ConversionFlags::None:
        break;
    }
    return 0;
}

DWORD fromAnsiFlags(ConversionFlags flags) {
    switch (flags) {
    case ConversionFlags::Usual:
        return MB_PRECOMPOSED | MB_ERR_INVALID_CHARS;
    case ConversionFlags::ErrorOnly:
        return MB_ERR_INVALID_CHARS;
    case ConversionFlags::None:
        break;
    }
    return 0;
}

} // namespace

ThreadAnsiCodec::ThreadAnsiCodec() : codePage_(threadCodePage()) {}

std::optional<std::string> ThreadAnsiCodec::toAnsi(std::u16string_view text) const {
    if (text.empty()) {
        return std::string();
    }
    const DWORD flags = toAnsiFlags(conversionFlagsFor(codePage_));
    const auto* units = reinterpret_cast<const wchar_t*>(text.data());
    const int length = static_cast<int>(text.size());
    const int bytes =
        WideCharToMultiByte(codePage_, flags, units, length, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) {
        return std::nullopt;
    }
    std::string out(static_cast<std::size_t>(bytes), '\0');
    if (WideCharToMultiByte(codePage_, flags, units, length, out.data(), bytes, nullptr, nullptr) !=
        bytes) {
        return std::nullopt;
    }
    return out;
}

std::optional<std::u16string> ThreadAnsiCodec::fromAnsi(std::string_view bytes) const {
    if (bytes.empty()) {
        return std::u16string();
    }
    const DWORD flags = fromAnsiFlags(conversionFlagsFor(codePage_));
    const int length = static_cast<int>(bytes.size());
    const int units = MultiByteToWideChar(codePage_, flags, bytes.data(), length, nullptr, 0);
    if (units <= 0) {
        return std::nullopt;
    }
    std::u16string out(static_cast<std::size_t>(units), u'\0');
    if (MultiByteToWideChar(codePage_, flags, bytes.data(), length,
                            reinterpret_cast<wchar_t*>(out.data()), units) != units) {
        return std::nullopt;
    }
    return out;
}

} // namespace kavo
