// The fixed array of passwords beside the entry table: slot i holds the password of row i.
#pragma once

#include "store/password_record.h"
#include "store/utf16_text.h"

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kavo {

constexpr int kSlotCount = 1000;
// A slot is a zero-terminated buffer of this many units, so it keeps at most 127.
constexpr std::size_t kSlotUnits = 128;
constexpr std::size_t kSlotTextUnits = kSlotUnits - 1;

// The part of a text a slot keeps: up to its first 0 unit, at most kSlotTextUnits units, and no
// high surrogate left without its partner by the cut.
std::u16string_view slotText(std::u16string_view text);

// Every operation ignores indices outside 0..kSlotCount-1, so no caller can write past the end.
// A slot filled from the password file also keeps the record it was read from, and moves with
// it, so a password nobody changed is written back with exactly the bytes it was loaded with.
class PasswordSlots {
  public:
    // Empty text for an index outside the slots.
    const std::u16string& at(int i) const;
    // The stored record the slot was loaded from, while its text has not been set since.
    const std::optional<PasswordRecord>& loadedRecord(int i) const;
    // Keeps slotText(text); the slot no longer has a loaded record.
    void set(int i, std::u16string_view text);
    // The text read from a stored record, and that record.
    void setLoaded(int i, std::u16string_view text, const PasswordRecord& stored);
    // A stored record whose text the code page cannot read: its text is empty, and the record is
    // written back as it was until a new password is set.
    void setUnreadable(int i, const PasswordRecord& stored);
    bool isUnreadable(int i) const;
    void clearAll();
    void swap(int a, int b);
    // Slots after i move down one; the last slot becomes empty.
    void removeAt(int i);
    // Slots from i move up one and slot i becomes empty; the content of the last slot is dropped.
    void insertAt(int i);
    // Slot k takes old slot newOrder[k], for k < newOrder.size().
    void permute(std::span<const int> newOrder);

  private:
    struct Slot {
        std::u16string text;
        std::optional<PasswordRecord> loaded;
        bool unreadable = false;
    };

    static bool isSlot(int i) { return i >= 0 && i < kSlotCount; }

    std::array<Slot, kSlotCount> slots_;
};

} // namespace kavo
