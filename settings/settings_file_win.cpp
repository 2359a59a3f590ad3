#include "settings/settings_file_win.h"

#include "store/data_files_win.h"
#include "win/owned_handles_win.h"
#include "win/wide_text_win.h"

#include <array>

namespace kavo {

void loadSettings(SettingsRecord& settings, const std::wstring& dataDirectory) {
    const std::array<std::u16string, 1> names{fromWide(kSettingsFileName)};
    recoverDataFiles(dataDirectory, names);
    const auto lines = readTextFile(dataDirectory, kSettingsFileName, kMaxSettingsFileBytes,
                                    FileMessages::Off, nullptr);
    if (lines) {
        applySettingsLines(settings, *lines);
    }
}

ScreenSize readScreenSize() {
    const WindowDc screen(nullptr);
    return {GetDeviceCaps(screen.get(), HORZRES), GetDeviceCaps(screen.get(), VERTRES)};
}

void saveSettings(const SettingsRecord& settings, const std::wstring& dataDirectory, HWND owner) {
    const std::array<FileToSave, 1> files{
        FileToSave{fromWide(kSettingsFileName), encodeTextFile(settingsFileText(settings))}};
    saveDataFiles(owner, dataDirectory, files, FileMessages::Off);
}

} // namespace kavo
