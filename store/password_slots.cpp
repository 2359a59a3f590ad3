#include "store/password_slots.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace kavo {

std::u16string_view slotText(std::u16string_view text) {
    // The slot is a C string: whatever follows a 0 unit would never be seen again.
    return cutToUnits(text.substr(0, text.find(u'\0')), kSlotTextUnits);
}

const std::u16string& PasswordSlots::at(int i) const {
    static const std::u16string kNoSlot;
    return isSlot(i) ? slots_[static_cast<std::size_t>(i)].text : kNoSlot;
}

const std::optional<PasswordRecord>& PasswordSlots::loadedRecord(int i) const {
    static const std::optional<PasswordRecord> kNoRecord;
    return isSlot(i) ? slots_[static_cast<std::size_t>(i)].loaded : kNoRecord;
}

void PasswordSlots::set(int i, std::u16string_view text) {
    if (!isSlot(i)) {
        return;
    }
    Slot& slot = slots_[static_cast<std::size_t>(i)];
    slot = Slot{std::u16string(slotText(text)), std::nullopt, false};
}

void PasswordSlots::setLoaded(int i, std::u16string_view text, const PasswordRecord& stored) {
    if (!isSlot(i)) {
        return;
    }
    Slot& slot = slots_[static_cast<std::size_t>(i)];
    slot = Slot{std::u16string(slotText(text)), stored, false};
}

void PasswordSlots::setUnreadable(int i, const PasswordRecord& stored) {
    if (isSlot(i)) {
        slots_[static_cast<std::size_t>(i)] = Slot{std::u16string(), stored, true};
    }
}

bool PasswordSlots::isUnreadable(int i) const {
    return isSlot(i) && slots_[static_cast<std::size_t>(i)].unreadable;
}

void PasswordSlots::clearAll() {
    for (Slot& slot : slots_) {
        slot = Slot{};
    }
}

void PasswordSlots::swap(int a, int b) {
    if (isSlot(a) && isSlot(b)) {
        std::swap(slots_[static_cast<std::size_t>(a)], slots_[static_cast<std::size_t>(b)]);
    }
}

void PasswordSlots::removeAt(int i) {
    if (!isSlot(i)) {
        return;
    }
    const auto first = slots_.begin() + i;
    std::rotate(first, first + 1, slots_.end());
    slots_.back() = Slot{};
}

void PasswordSlots::insertAt(int i) {
    if (!isSlot(i)) {
        return;
    }
    const auto first = slots_.begin() + i;
    std::rotate(first, slots_.end() - 1, slots_.end());
    *first = Slot{};
}

void PasswordSlots::permute(std::span<const int> newOrder) {
    const std::size_t count = std::min(newOrder.size(), slots_.size());
    std::vector<Slot> old(count);
    for (std::size_t k = 0; k < count; ++k) {
        if (isSlot(newOrder[k])) {
            old[k] = slots_[static_cast<std::size_t>(newOrder[k])];
        }
    }
    for (std::size_t k = 0; k < count; ++k) {
        if (isSlot(newOrder[k])) {
            slots_[k] = std::move(old[k]);
        }
    }
}

} // namespace kavo
