// Sentences with places for their values: every text the user reads is one whole sentence in
// texts.h, with "{0}", "{1}", ... where a file name, a count or a path goes, so that it can be
// read, and translated, as a whole.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace kavo {

// The text with each "{n}" replaced by the n-th value, as often as it occurs; a place with no
// value is left as it is.
std::u16string formatText(std::u16string_view pattern,
                          std::initializer_list<std::u16string_view> values);

} // namespace kavo
