#include "store/text_format.h"

#include <vector>

namespace kavo {

std::u16string formatText(std::u16string_view pattern,
                          std::initializer_list<std::u16string_view> values) {
    const std::vector<std::u16string_view> filled(values);
    std::u16string text;
    text.reserve(pattern.size());
    std::size_t at = 0;
    while (at < pattern.size()) {
        const std::size_t close = pattern.find(u'}', at);
        const bool place = pattern[at] == u'{' && close != std::u16string_view::npos &&
                           close > at + 1 && close - at <= 3;
        if (place) {
            std::size_t index = 0;
            bool digits = true;
            for (std::size_t i = at + 1; i < close; ++i) {
                digits = digits && pattern[i] >= u'0' && pattern[i] <= u'9';
                index = index * 10 + static_cast<std::size_t>(pattern[i] - u'0');
            }
            if (digits && index < filled.size()) {
                text += filled[index];
                at = close + 1;
                continue;
            }
        }
        text += pattern[at];
        ++at;
    }
    return text;
}

} // namespace kavo
