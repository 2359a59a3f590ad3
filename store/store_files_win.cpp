#include "store/store_files_win.h"

#include "app/app_state_win.h"
#include "store/ansi_codec_win.h"
#include "store/data_files_win.h"
#include "store/file_messages_win.h"
#include "store/password_file.h"

namespace kavo {

void loadStore(App& app, HWND owner) {
    const ThreadAnsiCodec codec;
    app.masterPassword.clear();
    app.slots.clearAll();
    const auto passwordBytes =
        readDataFile(app.dataDirectory, kPasswordFileName, FileMessages::On, owner);
    if (passwordBytes && readPasswordFile(*passwordBytes, codec, app.masterPassword, app.slots) ==
                             PasswordFileStatus::BadMark) {
        showMarkFailure(owner, kPasswordFileName);
    }

    // Emptied before the list is opened, so a failed read leaves an empty table.
    const ListRedrawPause pause(app.listView);
    app.rows->deleteAllRows();
    const auto lines = readTextFile(app.dataDirectory, kListFileName, FileMessages::On, owner);
    if (lines) {
        app.listParser.parseListLines(*app.rows, *lines);
    }
}

bool saveStore(App& app, HWND owner) {
    const ThreadAnsiCodec codec;
    const bool listWritten =
        writeStoreFile(owner, app.dataDirectory, kListFileName, FileMessages::On,
                       encodeTextFile(listFileText(*app.rows)));
    // The password file is written even when the list was not, as it always has been.
    const bool passwordsWritten =
        writeStoreFile(owner, app.dataDirectory, kPasswordFileName, FileMessages::On,
                       passwordFileBytes(app.masterPassword, app.slots, codec));
    if (listWritten && passwordsWritten) {
        app.dirty = false;
    }
    return listWritten && passwordsWritten;
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
