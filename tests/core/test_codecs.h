// Stand-ins for the thread's ANSI code page in the password file tests.
#pragma once

#include "store/password_file.h"

namespace kavo {

// Units up to 0xFF are one byte each; anything else becomes '?', as an unmappable character does.
class Latin1Codec : public AnsiCodec {
  public:
    std::optional<std::string> toAnsi(std::u16string_view text) const override {
        std::string bytes;
        for (char16_t unit : text) {
            bytes.push_back(unit <= kLastSingle ? static_cast<char>(unit) : '?');
        }
        return bytes;
    }
    std::optional<std::u16string> fromAnsi(std::string_view bytes) const override {
        std::u16string text;
        for (char byte : bytes) {
            text.push_back(static_cast<unsigned char>(byte));
        }
        return text;
    }

  private:
    static constexpr char16_t kLastSingle = 0xFF;
};

// ASCII is one byte; any other unit is a lead byte 0x81 followed by its low byte (made at least
// 0x40 so it is never 0), like the two-byte characters of a double-byte code page.
class DoubleByteCodec : public AnsiCodec {
  public:
    std::optional<std::string> toAnsi(std::u16string_view text) const override {
        std::string bytes;
        for (char16_t unit : text) {
            if (unit < kLead) {
                bytes.push_back(static_cast<char>(unit));
            } else {
                bytes.push_back(static_cast<char>(kLead));
                bytes.push_back(static_cast<char>((unit & 0xFF) | kTrailFloor));
            }
        }
        return bytes;
    }
    std::optional<std::u16string> fromAnsi(std::string_view bytes) const override {
        std::u16string text;
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            const auto byte = static_cast<unsigned char>(bytes[i]);
            if (byte == kLead && i + 1 < bytes.size()) {
                text.push_back(
                    static_cast<char16_t>(kWideBase | static_cast<unsigned char>(bytes[++i])));
            } else {
                text.push_back(byte);
            }
        }
        return text;
    }

    // The unit that survives a round trip for a given trail byte.
    static constexpr char16_t kWideBase = 0x3000;

  private:
    static constexpr unsigned char kLead = 0x81;
    static constexpr unsigned char kTrailFloor = 0x40;
};

// ASCII only, and nothing else converts at all: the refusal UTF-8 gives to bytes of another code
// page, and to flags it does not take.
class AsciiOnlyCodec : public AnsiCodec {
  public:
    std::optional<std::string> toAnsi(std::u16string_view text) const override {
        std::string bytes;
        for (char16_t unit : text) {
            if (unit >= kFirstNonAscii) {
                return std::nullopt;
            }
            bytes.push_back(static_cast<char>(unit));
        }
        return bytes;
    }
    std::optional<std::u16string> fromAnsi(std::string_view bytes) const override {
        std::u16string text;
        for (char byte : bytes) {
            if (static_cast<unsigned char>(byte) >= kFirstNonAscii) {
                return std::nullopt;
            }
            text.push_back(static_cast<char16_t>(byte));
        }
        return text;
    }

  private:
    static constexpr char16_t kFirstNonAscii = 0x80;
};

} // namespace kavo
