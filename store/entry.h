// One log-in entry as a whole: title, type, ID and password, and the rule of its type.
#pragma once

#include <string>
#include <string_view>

namespace kavo {

// An entry's type is the one letter its list line holds: "B" waits for a button, "T" advances by
// timer, "V" by paste, "W" by either. Any other letter a file holds, or none, is kept as it is and
// acts like "B".
class EntryType {
  public:
    static constexpr char16_t kButton = u'B', kTime = u'T', kPaste = u'V', kPasteOrTime = u'W';

    constexpr EntryType() = default;
    constexpr explicit EntryType(char16_t letter) : letter_(letter) {}
    // The first unit of the text, or none.
    static EntryType fromText(std::u16string_view text) {
        return EntryType(text.empty() ? u'\0' : text.front());
    }

    // "T", "V" and "W" as themselves; any other text is a "B" entry.
    static EntryType knownOrButton(std::u16string_view text) {
        for (const char16_t letter : {kTime, kPaste, kPasteOrTime}) {
            if (text.size() == 1 && text.front() == letter) {
                return EntryType(letter);
            }
        }
        return EntryType(kButton);
    }

    // "" or one unit, as the list shows and the file stores it.
    std::u16string_view text() const { return {&letter_, letter_ == u'\0' ? 0u : 1u}; }
    char16_t letter() const { return letter_; }
    bool advancesByTimer() const { return letter_ == kTime || letter_ == kPasteOrTime; }
    bool advancesByPaste() const { return letter_ == kPaste || letter_ == kPasteOrTime; }
    friend bool operator==(EntryType, EntryType) = default;

  private:
    char16_t letter_ = u'\0';
};

struct Entry {
    std::u16string title;
    EntryType type;
    std::u16string id;
    std::u16string password;
    friend bool operator==(const Entry&, const Entry&) = default;
};

} // namespace kavo
