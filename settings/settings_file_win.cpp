#include "settings/settings_file_win.h"

#include "store/data_files_win.h"

namespace kavo {

void loadSettings(SettingsRecord& settings, std::wstring& dataDirectory) {
    dataDirectory = currentDirectory();
    const auto lines = readTextFile(dataDirectory, kSettingsFileName, FileMessages::Off, nullptr);
    if (lines) {
        applySettingsLines(settings, *lines);
    }
}

ScreenSize readScreenSize() {
    HDC screen = GetDC(nullptr);
    const ScreenSize size{GetDeviceCaps(screen, HORZRES), GetDeviceCaps(screen, VERTRES)};
    ReleaseDC(nullptr, screen);
    return size;
}

void saveSettings(const SettingsRecord& settings, const std::wstring& dataDirectory, HWND owner) {
    writeStoreFile(owner, dataDirectory, kSettingsFileName, FileMessages::Off,
                   encodeTextFile(settingsFileText(settings)));
}

} // namespace kavo
