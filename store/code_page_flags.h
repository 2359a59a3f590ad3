// Which conversion flags a code page accepts. The conversion functions refuse the usual flags
// for UTF-8, GB18030 and the stateful code pages; a refusal must not read as an empty text.
#pragma once

namespace kavo {

enum class ConversionFlags {
    Usual,     // no best-fit characters, precomposed forms, invalid bytes are an error
    ErrorOnly, // invalid bytes or characters are an error, nothing else may be asked
    None,      // no flag at all
};

ConversionFlags conversionFlagsFor(unsigned codePage);

} // namespace kavo
