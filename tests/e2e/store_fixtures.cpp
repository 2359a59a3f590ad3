#include "tests/e2e/store_fixtures.h"

#include "store/password_file.h"

namespace kavo::e2e {

namespace {

constexpr std::u16string_view kMask = u"*******";
constexpr std::u16string_view kTypeLetters[] = {u"B", u"T", u"V", u"W"};
// The longest reveal the settings accept: the revealed column outlasts any slow test machine.
constexpr std::int32_t kLongRevealMs = 30000;
constexpr std::int32_t kScreenWidth = 1280;
constexpr std::int32_t kScreenHeight = 1024;

// Tests use ASCII passwords only, whose bytes are the same in the code page KAVO runs with.
class AsciiCodec final : public AnsiCodec {
  public:
    std::optional<std::string> toAnsi(std::u16string_view text) const override {
        std::string bytes;
        for (const char16_t unit : text) {
            bytes.push_back(unit < kFirstNonAscii ? static_cast<char>(unit) : '?');
        }
        return bytes;
    }
    std::optional<std::u16string> fromAnsi(std::string_view bytes) const override {
        return std::u16string(bytes.begin(), bytes.end());
    }

  private:
    static constexpr char16_t kFirstNonAscii = 0x80;
};

std::u16string numbered(std::u16string_view prefix, int n) {
    std::u16string text(prefix);
    for (const char c : std::to_string(n)) {
        text.push_back(static_cast<char16_t>(c));
    }
    return text;
}

ShownRow shownRow(const Entry& entry, std::u16string_view pwCell) {
    return {entry.title, entry.type, entry.id, std::u16string(pwCell)};
}

} // namespace

std::vector<Entry> numberedEntries(int count) {
    std::vector<Entry> entries;
    for (int n = 0; n < count; ++n) {
        entries.push_back({numbered(u"entry ", n),
                           std::u16string(kTypeLetters[n % std::size(kTypeLetters)]),
                           numbered(u"user", n), numbered(u"p@ss~", n)});
    }
    return entries;
}

std::vector<Entry> pick(std::span<const Entry> entries, const std::vector<int>& indices) {
    std::vector<Entry> picked;
    for (const int index : indices) {
        picked.push_back(entries[static_cast<std::size_t>(index)]);
    }
    return picked;
}

std::vector<ShownRow> maskedRows(std::span<const Entry> entries) {
    std::vector<ShownRow> rows;
    for (const Entry& entry : entries) {
        rows.push_back(shownRow(entry, kMask));
    }
    return rows;
}

std::vector<ShownRow> revealedRows(std::span<const Entry> entries) {
    std::vector<ShownRow> rows;
    for (const Entry& entry : entries) {
        rows.push_back(shownRow(entry, entry.password));
    }
    return rows;
}

Bytes listFileFor(std::span<const Entry> entries) {
    std::u16string text;
    for (const Entry& entry : entries) {
        text += u"title=" + entry.title + u"\r\n";
        text += u"type=" + entry.type + u"\r\n";
        text += u"id=" + entry.id + u"\r\n";
    }
    return encodeTextFile(text);
}

Bytes passwordFileFor(std::u16string_view masterPassword, std::span<const Entry> entries) {
    PasswordSlots slots;
    int slot = 0;
    for (const Entry& entry : entries) {
        slots.set(slot++, entry.password);
    }
    return kavo::passwordFileBytes({std::u16string(masterPassword), {}}, slots, AsciiCodec{});
}

SettingsRecord passModeSettings() {
    SettingsRecord settings = lockedSettings();
    settings.passMode = kPassModeMarker;
    return settings;
}

SettingsRecord lockedSettings() {
    SettingsRecord settings;
    repairSettings(settings, kScreenWidth, kScreenHeight);
    settings.pwShowMs = kLongRevealMs;
    return settings;
}

Bytes settingsFileBytes(const SettingsRecord& settings) {
    return encodeTextFile(settingsFileText(settings));
}

void writeDataFiles(const kavo::testing::TempDirectory& dir, std::span<const Entry> entries,
                    const SettingsRecord& settings) {
    dir.write(L"pw_set1.dat", listFileFor(entries));
    dir.write(L"pw_set2.dat", passwordFileFor(kMasterPassword, entries));
    dir.write(L"pw_set3.dat", settingsFileBytes(settings));
}

} // namespace kavo::e2e
