#include "store/ansi_codec_win.h"

#include <windows.h>

namespace kavo {

std::string ThreadAnsiCodec::toAnsi(std::u16string_view text) const {
    if (text.empty()) {
        return std::string();
    }
    const auto* units = reinterpret_cast<const wchar_t*>(text.data());
    const int length = static_cast<int>(text.size());
    const int bytes = WideCharToMultiByte(CP_THREAD_ACP, WC_NO_BEST_FIT_CHARS, units, length,
                                          nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(bytes > 0 ? bytes : 0), '\0');
    if (bytes > 0) {
        WideCharToMultiByte(CP_THREAD_ACP, WC_NO_BEST_FIT_CHARS, units, length, out.data(), bytes,
                            nullptr, nullptr);
    }
    return out;
}

std::u16string ThreadAnsiCodec::fromAnsi(std::string_view bytes) const {
    if (bytes.empty()) {
        return std::u16string();
    }
    const int length = static_cast<int>(bytes.size());
    const int units =
        MultiByteToWideChar(CP_THREAD_ACP, MB_PRECOMPOSED, bytes.data(), length, nullptr, 0);
    std::u16string out(static_cast<std::size_t>(units > 0 ? units : 0), u'\0');
    if (units > 0) {
        MultiByteToWideChar(CP_THREAD_ACP, MB_PRECOMPOSED, bytes.data(), length,
                            reinterpret_cast<wchar_t*>(out.data()), units);
    }
    return out;
}

} // namespace kavo
