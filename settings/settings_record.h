// The 18 persisted integers of KAVO's configuration, their file form (pw_set3.dat) and the
// rules that keep every value in range.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace kavo {

// passMode holding this value switches the master-password lock off.
constexpr std::int32_t kPassModeMarker = 5147;
constexpr int kSettingsCount = 18;
// A settings file holds 18 short lines; one far larger than that is ignored like a broken one.
constexpr std::size_t kMaxSettingsFileBytes = 64 * 1024;

// Where the window goes at start and after the settings dialog. The numbers are the file's.
enum class Placement : std::int32_t {
    Keep = 0,
    TopLeft = 1,
    TopRight = 2,
    BottomLeft = 3,
    BottomRight = 4,
    Centre = 5,
};

// How the window stacks while a sequence runs. The numbers are the file's.
enum class Stacking : std::int32_t {
    TopAtIdBottomAtEnd = 0,
    TopAtIdBottomAtPw = 1,
    BottomAtId = 2,
    AlwaysOnTop = 3,
};

// What a right-click in the list does besides the toolbar's buttons. The numbers are the file's.
enum class CopyMethod : std::int32_t {
    ToolbarOnly = 0,
    SmallWindow = 1,
    ListClick = 2,
};

struct SettingsRecord {
    std::int32_t windowX = 0;
    std::int32_t windowY = 0;
    std::int32_t windowWidth = 0;
    std::int32_t windowHeight = 0;
    Placement placement = Placement::Keep;
    Stacking stacking = Stacking::TopAtIdBottomAtEnd;
    std::int32_t clearSelectionAtEnd = 0;
    CopyMethod copyMethod = CopyMethod::ToolbarOnly;
    std::int32_t columnWidthName = 0;
    std::int32_t columnWidthType = 0;
    std::int32_t columnWidthId = 0;
    std::int32_t columnWidthPw = 0;
    std::int32_t passMode = 0;
    std::int32_t pwTimerForButton = 0;
    std::int32_t idTimeMs = 0;
    std::int32_t pwTimeMs = 0;
    std::int32_t pwShowMs = 0;
    std::int32_t pasteArmed = 0;

    bool operator==(const SettingsRecord&) const = default;
};

// One field read and written as the number the file holds, whatever its type.
struct SettingsField {
    std::int32_t (*get)(const SettingsRecord&);
    void (*set)(SettingsRecord&, std::int32_t);
};

template <auto Member>
constexpr SettingsField settingsField() {
    using Value = std::remove_cvref_t<decltype(std::declval<SettingsRecord&>().*Member)>;
    return {[](const SettingsRecord& record) { return static_cast<std::int32_t>(record.*Member); },
            [](SettingsRecord& record, std::int32_t value) {
                record.*Member = static_cast<Value>(value);
            }};
}

// The stored widths of the list's columns: Name, VT, ID and PW.
inline std::array<int, 4> columnWidthsOf(const SettingsRecord& record) {
    return {record.columnWidthName, record.columnWidthType, record.columnWidthId,
            record.columnWidthPw};
}

// Field k in file order (0 to 17); any other k changes nothing.
void setSettingsValue(SettingsRecord& record, int k, std::int32_t value);
// Field k in file order; 0 for any other k.
std::int32_t settingsValue(const SettingsRecord& record, int k);

// Replaces each out-of-range field by its start-up default. The window rectangle and the
// column widths are checked against the primary screen's size.
void repairSettings(SettingsRecord& record, std::int32_t screenWidth, std::int32_t screenHeight);

// The values of the settings dialog's reset button: fields 0 to 13; 14 to 17 stay.
void resetSettings(SettingsRecord& record);

// Line k of the settings file, counted from 0, converted like _wtoi, into field k.
void applySettingsLines(SettingsRecord& record, std::span<const std::u16string> lines);

// The file text: each field in file order as "%d\r\n".
std::u16string settingsFileText(const SettingsRecord& record);

} // namespace kavo
