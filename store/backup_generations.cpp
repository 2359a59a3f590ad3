#include "store/backup_generations.h"

#include "store/ascii_case.h"

#include <algorithm>
#include <string>

namespace kavo {

namespace {

constexpr std::size_t kStampUnits = 15; // YYYYMMDD-HHMMSS

bool sameName(std::u16string_view a, std::u16string_view b) {
    return foldAsciiCase(a) == foldAsciiCase(b);
}

bool isDigit(char16_t unit) {
    return unit >= u'0' && unit <= u'9';
}

bool allDigits(std::u16string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), isDigit);
}

void appendNumber(std::u16string& text, int value, int width) {
    std::u16string digits;
    for (int i = 0; i < width || value > 0; ++i) {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + value % 10));
        value /= 10;
    }
    text += digits;
}

// The stamp first, then the number of a second folder of the same second.
struct GenerationOrder {
    std::u16string_view stamp;
    unsigned long number = 1;
};

GenerationOrder orderOf(std::u16string_view name) {
    GenerationOrder order{name.substr(0, kStampUnits), 1};
    if (name.size() > kStampUnits) {
        order.number = 0;
        for (const char16_t unit : name.substr(kStampUnits + 1)) {
            order.number = order.number * 10 + static_cast<unsigned long>(unit - u'0');
        }
    }
    return order;
}

bool olderThan(std::u16string_view a, std::u16string_view b) {
    const GenerationOrder first = orderOf(a);
    const GenerationOrder second = orderOf(b);
    return first.stamp != second.stamp ? first.stamp < second.stamp : first.number < second.number;
}

bool holdsOnlyDataFiles(const GenerationFolder& folder,
                        std::span<const std::u16string> dataFileNames) {
    return std::all_of(folder.contents.begin(), folder.contents.end(), [&](const auto& inside) {
        return std::any_of(dataFileNames.begin(), dataFileNames.end(),
                           [&](const auto& name) { return sameName(inside, name); });
    });
}

} // namespace

std::u16string generationStamp(const LocalTime& time) {
    std::u16string stamp;
    appendNumber(stamp, time.year, 4);
    appendNumber(stamp, time.month, 2);
    appendNumber(stamp, time.day, 2);
    stamp += u'-';
    appendNumber(stamp, time.hour, 2);
    appendNumber(stamp, time.minute, 2);
    appendNumber(stamp, time.second, 2);
    return stamp;
}

std::u16string newGenerationName(std::u16string_view stamp,
                                 std::span<const std::u16string> existing) {
    const auto taken = [&](const std::u16string& name) {
        return std::any_of(existing.begin(), existing.end(),
                           [&](const auto& other) { return sameName(other, name); });
    };
    std::u16string name(stamp);
    for (int n = 2; taken(name); ++n) {
        name = std::u16string(stamp) + u'-';
        appendNumber(name, n, 1);
    }
    return name;
}

bool isGenerationName(std::u16string_view name) {
    if (name.size() < kStampUnits || name[8] != u'-' || !allDigits(name.substr(0, 8)) ||
        !allDigits(name.substr(9, 6))) {
        return false;
    }
    if (name.size() == kStampUnits) {
        return true;
    }
    // A number of a few digits, never one that starts with 0.
    const std::u16string_view number = name.substr(kStampUnits + 1);
    return name[kStampUnits] == u'-' && allDigits(number) && number.size() <= 6 &&
           number.front() != u'0';
}

bool isOwnGeneration(const GenerationFolder& folder,
                     std::span<const std::u16string> dataFileNames) {
    return isGenerationName(folder.name) && holdsOnlyDataFiles(folder, dataFileNames);
}

std::vector<std::u16string> generationsToRemove(std::span<const GenerationFolder> folders,
                                                std::span<const std::u16string> dataFileNames,
                                                std::size_t kept) {
    std::vector<std::u16string> own;
    for (const GenerationFolder& folder : folders) {
        if (isOwnGeneration(folder, dataFileNames)) {
            own.push_back(folder.name);
        }
    }
    std::sort(own.begin(), own.end(), olderThan);
    if (own.size() <= kept) {
        return {};
    }
    own.resize(own.size() - kept);
    return own;
}

} // namespace kavo
