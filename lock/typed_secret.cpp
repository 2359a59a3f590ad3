#include "lock/typed_secret.h"

namespace kavo {

namespace {

constexpr char16_t kBackspace = 0x08;
constexpr char16_t kFirstPrintable = 0x20;
constexpr char16_t kDelete = 0x7F; // what Ctrl+Backspace types

bool isHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

bool isLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

} // namespace

void TypedSecret::onCharacter(char16_t c) {
    if (c == kBackspace) {
        if (length_ == 0) {
            return;
        }
        --length_;
        if (length_ > 0 && isLowSurrogate(units_[length_]) &&
            isHighSurrogate(units_[length_ - 1])) {
            --length_;
        }
        return;
    }
    if (c < kFirstPrintable || c == kDelete || length_ == units_.size()) {
        return;
    }
    units_[length_++] = c;
}

void TypedSecret::clear() {
    wipe_(units_.data(), units_.size() * sizeof(char16_t));
    length_ = 0;
}

} // namespace kavo
