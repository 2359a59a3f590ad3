// Resource, control, command and timer-free ids of KAVO. The numbers are fixed: stored files do
// not hold them, but the menus, dialogs and tests rely on them. Plain #defines so that the
// resource compiler can read this header too.
#pragma once

// Menus
#define IDM_MAIN_MENU 1
#define IDM_TRAY_MENU 2

// Keyboard shortcuts of the main window and the find box: Ctrl+F, F3 and Shift+F3
#define IDA_FIND_KEYS 3

// Icons: the three sequence states
#define IDI_STATE_IDLE 11
#define IDI_STATE_ID 12
#define IDI_STATE_PW 13

// Toolbar bitmap: seven 30 x 16 cells
#define IDB_TOOLBAR 21

// Dialogs
#define IDD_ABOUT 31
#define IDD_ENTRY_EDIT 32
#define IDD_COPY_WINDOW 33
#define IDD_UNLOCK 34
#define IDD_CHANGE_PASSWORD 35
#define IDD_SETTINGS 36
#define IDD_BULK_TYPE 37
#define IDD_FIND 38

// Menu and tray commands
#define IDC_CMD_SAVE 51
#define IDC_CMD_END 52
#define IDC_CMD_TO_TRAY 53
#define IDC_CMD_UNLOCK 54
#define IDC_CMD_CHANGE_PASSWORD 55
#define IDC_CMD_ADD 56
#define IDC_CMD_INSERT 57
#define IDC_CMD_EDIT 58
#define IDC_CMD_DELETE 59
#define IDC_CMD_REVEAL 60
#define IDC_CMD_SETTINGS 61
#define IDC_CMD_HELP 62
#define IDC_CMD_VERSION 63
#define IDC_CMD_MOVE_DOWN 64
#define IDC_CMD_MOVE_UP 65
#define IDC_CMD_FROM_TRAY 66
#define IDC_CMD_TRAY_END 67
#define IDC_CMD_HOME_PAGE 68
#define IDC_CMD_BULK_TYPE 69
#define IDC_CMD_IMPORT 70
#define IDC_CMD_EXPORT 71
#define IDC_CMD_FIND 72
#define IDC_CMD_FIND_NEXT 73     // F3: no menu item
#define IDC_CMD_FIND_PREVIOUS 74 // Shift+F3: no menu item

// Entries taken in from another KAVO folder, and the preview of what they bring
#define IDC_CMD_MERGE 76
#define IDD_MERGE_PREVIEW 41
#define IDC_MERGE_SUMMARY 411
#define IDC_MERGE_LIST 412
#define IDC_MERGE_OK 413
#define IDC_MERGE_CANCEL 414

// Child controls of the main window
#define IDC_LIST_VIEW 300
#define IDC_TOOLBAR 329

// Toolbar commands
#define IDC_TB_ID 330
#define IDC_TB_PW 331
#define IDC_TB_SETTINGS 332
#define IDC_TB_END 333
#define IDC_TB_TRAY 334
#define IDC_TB_BLANK1 335
#define IDC_TB_BLANK2 336

// The tray icon's own id
#define IDC_TRAY_ICON 901

// Dialog controls. Several dialogs reuse the same numbers.
#define IDC_BUTTON_1 101 // OK, "ID", "PW解除"
#define IDC_BUTTON_2 102 // Cancel, "PassWard", "New Version", "ロック", "閉じる"
#define IDC_BUTTON_3 103 // "COPY", "初", "クリア"
#define IDC_BUTTON_4 104 // "PASTE", "閉じる"
#define IDC_EDIT_1 121   // title, ID time, master password
#define IDC_EDIT_2 122   // ID, PW time
#define IDC_EDIT_3 123   // password, PW show time
#define IDC_CHECK_1 141  // clear selection at end, pass mode
#define IDC_CHECK_2 142  // PW timer for button
#define IDC_RADIO_FIRST 161
#define IDC_RADIO_LAST 173
// The type radios of the entry edit and bulk type dialogs, in type order: B, T, V, W
#define IDC_RADIO_BUTTON 161
#define IDC_RADIO_TIME 162
#define IDC_RADIO_CTRL_V 163
#define IDC_RADIO_CTRL_V_TIME 164
#define IDC_HIDDEN_INPUT 501

// The copy window's buttons
#define IDC_COPY_ID 101
#define IDC_COPY_PW 102

// The About box
#define IDC_ABOUT_OK 101             // "OK"
#define IDC_ABOUT_NEW_VERSION 102    // "New Version": the download page
#define IDC_ABOUT_CREATOR_LINE 111   // filled in when the box opens: the version
#define IDC_ABOUT_HOME_PAGE_LINE 112 // filled in when the box opens: the web site

// The unlock dialog
#define IDC_UNLOCK_CHECK 101 // "PW解除"
#define IDC_UNLOCK_LOCK 102  // "ロック"
#define IDC_UNLOCK_CLEAR 103 // "クリア"
#define IDC_UNLOCK_CLOSE 104 // "閉じる"

// The change-password dialog
#define IDC_CHANGE_APPLY 101         // "変更"
#define IDC_CHANGE_CLOSE 102         // "閉じる"
#define IDC_MASTER_PASSWORD_EDIT 121 // the master password, shown in clear
#define IDC_PASS_MODE_CHECK 141      // "パスワードを設定しない"

// The find box
#define IDC_FIND_NEXT 101     // "次へ", also Enter
#define IDC_FIND_CLOSE 102    // "閉じる"
#define IDC_FIND_PREVIOUS 103 // "前へ"
#define IDC_FIND_STATUS 111   // "見つかりません" and the like
#define IDC_FIND_TEXT 121     // what to find

// The settings dialog
#define IDC_SETTINGS_OK 101
#define IDC_SETTINGS_CANCEL 102
#define IDC_SETTINGS_RESET 103      // "初"
#define IDC_ID_TIME_EDIT 121        // "ID時間"
#define IDC_PW_TIME_EDIT 122        // "PW時間"
#define IDC_PW_SHOW_EDIT 123        // "PW表示"
#define IDC_CLEAR_AT_END_CHECK 141  // "カーソルはＰＷでクリアする"
#define IDC_PW_TIMER_CHECK 142      // "ButtonでもPWはTimer"
#define IDC_PLACE_TOP_LEFT 161      // "左上"
#define IDC_PLACE_TOP_RIGHT 162     // "右上"
#define IDC_PLACE_BOTTOM_LEFT 163   // "左下"
#define IDC_PLACE_BOTTOM_RIGHT 164  // "右下"
#define IDC_PLACE_CENTRE 165        // "中央"
#define IDC_PLACE_KEEP 166          // "保持"
#define IDC_STACK_ALWAYS_TOP 167    // "常に最上位"
#define IDC_STACK_BOTTOM_AT_ID 168  // "IDで最下位"
#define IDC_STACK_BOTTOM_AT_PW 169  // "IDで最上位、PWで最下位"
#define IDC_STACK_BOTTOM_AT_END 170 // "IDで最上位、ENDで最下位"
#define IDC_COPY_TOOLBAR_ONLY 171   // "ツールバーのボタンのみ"
#define IDC_COPY_SMALL_WINDOW 172   // "ツールバー＋小窓のボタン"
#define IDC_COPY_LIST_CLICK 173     // "ツールバー＋Listクリック位置"

// The CSV import's column picker
#define IDD_CSV_COLUMNS 40
#define IDC_COLUMNS_ROWS 401         // the file's first rows
#define IDC_COLUMNS_TITLE 402        // "タイトル"
#define IDC_COLUMNS_ID 403           // "ID"
#define IDC_COLUMNS_PASSWORD 404     // "パスワード"
#define IDC_COLUMNS_URL 405          // "URL"
#define IDC_COLUMNS_TYPE 406         // "種類"
#define IDC_COLUMNS_FIRST_HEADER 407 // "1 行目は見出し"

// Data protection: the command, its dialog and the master password asked at start
#define IDC_CMD_PROTECTION 75
#define IDD_PROTECTION 39
#define IDC_PROTECTION_SCRAMBLED 391 // "スクランブルのみ（互換）"
#define IDC_PROTECTION_MASTER 392    // "マスターパスワードで暗号化"
#define IDC_PROTECTION_WINDOWS 393   // "この Windows ユーザーだけが開ける"
#define IDC_PROTECTION_ON_DISK 394   // which protection the files on disk have
#define IDD_MASTER_PROMPT 42
#define IDC_MASTER_PROMPT_OK 421
#define IDC_MASTER_PROMPT_CANCEL 422
