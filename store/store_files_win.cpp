#include "store/store_files_win.h"

#include "app/app_state_win.h"
#include "app/wide_text_win.h"
#include "store/ansi_codec_win.h"
#include "store/data_files_win.h"
#include "store/file_messages_win.h"
#include "store/password_file.h"

#include <array>
#include <new>

namespace kavo {

namespace {

// The two files are saved as one, list first; the order also tells an interrupted save apart.
std::array<std::u16string, 2> storeFileNames() {
    return {fromWide(kListFileName), fromWide(kPasswordFileName)};
}

void readStoreFiles(App& app, HWND owner) {
    const ThreadAnsiCodec codec;
    const auto passwordBytes = readDataFile(app.dataDirectory, kPasswordFileName,
                                            kMaxPasswordFileBytes, FileMessages::On, owner);
    if (passwordBytes && readPasswordFile(*passwordBytes, codec, app.masterPassword, app.slots) ==
                             PasswordFileStatus::BadMark) {
        showMarkFailure(owner, kPasswordFileName);
    }

    // Emptied before the list is opened, so a failed read leaves an empty table.
    const ListRedrawPause pause(app.listView);
    app.rows->deleteAllRows();
    const auto listBytes =
        readDataFile(app.dataDirectory, kListFileName, kMaxListFileBytes, FileMessages::On, owner);
    if (listBytes && !app.listParser.parseListFile(*app.rows, *listBytes)) {
        showMarkFailure(owner, kListFileName);
    }
}

} // namespace

void loadStore(App& app, HWND owner) {
    app.masterPassword = MasterPassword{};
    app.slots.clearAll();
    const auto names = storeFileNames();
    recoverDataFiles(app.dataDirectory, names);
    try {
        readStoreFiles(app, owner);
    } catch (const std::bad_alloc&) {
        // Whatever was read stays; the rest of the program runs on.
        MessageBoxW(owner, L"メモリが足りないのでデータを読み込めません。", L"ﾌｧｲﾙｴﾗｰ",
                    MB_OK | MB_ICONWARNING);
    }
}

bool saveStore(App& app, HWND owner) {
    const ThreadAnsiCodec codec;
    const auto names = storeFileNames();
    const std::array<FileToSave, 2> files{
        FileToSave{names[0], encodeTextFile(listFileText(*app.rows))},
        FileToSave{names[1], passwordFileBytes(app.masterPassword, app.slots, codec)}};
    const bool saved = saveDataFiles(owner, app.dataDirectory, files, FileMessages::On);
    if (saved) {
        app.dirty = false;
    }
    return saved;
}

bool confirmExit(App& app, HWND owner) {
    if (!app.dirty) {
        return true;
    }
    switch (MessageBoxW(owner, L"データー保存後に終了しますか？。", L"強制終了", MB_YESNOCANCEL)) {
    case IDYES:
        return saveStore(app, owner);
    case IDNO:
        return true;
    default:
        return false;
    }
}

} // namespace kavo
