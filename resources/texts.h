// Every text the program shows the user, in one place: captions, messages, notices, tooltips.
// The tests keep their own literal copies, so a text changed here by accident is noticed.
#pragma once

#include <string_view>

namespace kavo {

// General
inline constexpr std::u16string_view kProgramCaption = u"KAVO";
inline constexpr std::u16string_view kNoWindowText = u"ウィンドウを作成できません。";
inline constexpr std::u16string_view kAlreadyRunningText =
    u"このフォルダーの KAVO がすでに動いています。";
// {0} is the version.
inline constexpr std::u16string_view kAboutVersionText = u"Ver.{0} KAVO開発";
inline constexpr std::u16string_view kNoWebSiteCaption = u"ホームページ";
inline constexpr std::u16string_view kNoWebSiteText =
    u"この KAVO にはホームページがありません。\n"
    u"新しい版は、この KAVO を受け取った所で確かめてください。";
inline constexpr std::u16string_view kNoWebSiteAboutLine = u"ホームページなし";

// A data folder that will not keep the data, said once at start
inline constexpr std::u16string_view kDataFolderCaption = u"データの保存場所";
inline constexpr std::u16string_view kDataFolderHeading =
    u"KAVO を起動したフォルダーは、データの保存に向いていません。\n\n";
inline constexpr std::u16string_view kTemporaryFolderReason =
    u"ここは一時フォルダーです（zip ファイルの中の KAVO.exe を直接起動した時など）。"
    u"Windows があとで中身を消すので、保存したデータが失われます。";
inline constexpr std::u16string_view kProgramFilesReason =
    u"ここは Program Files の中です。Windows が書き込みを許さないので、データを保存できません。";
inline constexpr std::u16string_view kWindowsFolderReason =
    u"ここは Windows のフォルダーの中です。スタートアップなどから起動すると、"
    u"作業フォルダーがここになることがあります。";
inline constexpr std::u16string_view kNotWritableReason =
    u"このフォルダーには書き込めないので、データを保存できません。";
inline constexpr std::u16string_view kDataFolderAdvice =
    u"\n\n次のようにしてください。\n"
    u"・zip ファイルを、ドキュメントの中などご自分のフォルダーに展開して、"
    u"そこの KAVO.exe を起動する。\n"
    u"・ショートカットから起動する時は、ショートカットのプロパティの「作業フォルダー」に、"
    u"KAVO.exe とデータファイルのあるフォルダーを指定する。\n\n"
    u"このまま起動しますが、データが残らないかもしれません。";

// Ending: the exit prompt, and why Windows has to wait at log-off
inline constexpr std::u16string_view kExitPromptCaption = u"強制終了";
inline constexpr std::u16string_view kExitPromptText = u"データー保存後に終了しますか？。";
inline constexpr std::u16string_view kSessionBlockReason =
    u"保存していない変更があります。KAVO の確認に答えてください。";

// Toolbar tooltips
inline constexpr std::u16string_view kIdButtonTip = u"ＩＤを記憶";
inline constexpr std::u16string_view kPwButtonTip = u"パスワードを記憶";
inline constexpr std::u16string_view kSettingsButtonTip = u"表示設定";
inline constexpr std::u16string_view kEndButtonTip = u"終了";

// The entry table and its dialogs
inline constexpr std::u16string_view kSelectEntryText = u"項目を選んで下さい。";
inline constexpr std::u16string_view kMoveCaption = u"項目移動";
inline constexpr std::u16string_view kUnreadablePasswordText = u"（読めません）";
inline constexpr std::u16string_view kEditCaption = u"編集";
inline constexpr std::u16string_view kSelectEntryToEditText = u"項目を選択して下さい。";
inline constexpr std::u16string_view kFullTableText =
    u"登録できる項目は1000件までです。\n項目を削除してから追加して下さい。";
inline constexpr std::u16string_view kCheckCaption = u"入力確認";
inline constexpr std::u16string_view kIncompleteText = u"全てを入力して下さい。";
inline constexpr std::u16string_view kLockedWhileEditingText =
    u"ロックされたため、登録できません。\nCOPY で内容を控えてから閉じて下さい。";
inline constexpr std::u16string_view kUnstorableCharacterText =
    u"このパスワードには保存できない文字があります。\n半角の英数字と記号で入力して下さい。";
inline constexpr std::u16string_view kTooLongPasswordText =
    u"このパスワードは長すぎて保存できません。\n"
    u"全角文字は半角2文字分として、半角127文字分までにして下さい。";
inline constexpr std::u16string_view kBulkTypeCaption = u"一括動作変更";

// The find box: what it says under the text
inline constexpr std::u16string_view kFindNoMatchText = u"見つかりません";
inline constexpr std::u16string_view kFindWrappedToTopText = u"先頭から検索しました";
inline constexpr std::u16string_view kFindWrappedToBottomText = u"末尾から検索しました";

// The lock
inline constexpr std::u16string_view kUnlockCaption = u"パスワード";
inline constexpr std::u16string_view kLockedMessage = u"ロックしました。";
inline constexpr std::u16string_view kNoMasterPasswordMessage = u"設定されてません。";
inline constexpr std::u16string_view kUnlockedMessage = u"解除しました。";
inline constexpr std::u16string_view kWrongPasswordMessage = u"解除出来ません。";
inline constexpr std::u16string_view kLockedMeanwhileMessage =
    u"ロックされたため、変更できません。";
inline constexpr std::u16string_view kChangePasswordCaption = u"パスワード変更";
inline constexpr std::u16string_view kPassModeOnMessage = u"パスワードのパスモードになりました。";
inline constexpr std::u16string_view kPassModeOffMessage = u"パスワードのパスモードが解除された。";
inline constexpr std::u16string_view kChangedMessage =
    u"パスワード変更された。忘れないようにご注意！。";
inline constexpr std::u16string_view kUnstorableMasterMessage =
    u"このパスワードは保存出来ません。使えない文字を含むか、長過ぎます。";
inline constexpr std::u16string_view kMasterUnknownText =
    u"パスワードファイル\n{0}"
    u"\nを読み込めなかったので、マスターパスワードが分かりません。ロックは解除できません。\n"
    u"KAVO を終了し、ほかのプログラムが使っていれば閉じるか、バックアップから戻してから、"
    u"起動し直してください。";

// The window's title in each state
inline constexpr std::u16string_view kTitlePassMode = u"KAVO  (PASS)";
inline constexpr std::u16string_view kTitleUnlocked = u"KAVO (UnLocK)";
inline constexpr std::u16string_view kTitleLocked = u"KAVO  (LocK)";
inline constexpr std::u16string_view kTitleIdPhase = u"KAVO   (ID)";
inline constexpr std::u16string_view kTitlePwPhase = u"KAVO   (PW)";

// The clipboard sequence
inline constexpr std::u16string_view kIdCaption = u"ＩＤ記憶";
inline constexpr std::u16string_view kPwCaption = u"ＰＷ記憶";
inline constexpr std::u16string_view kHeldClipboardCaption = u"クリップボード使用中";
inline constexpr std::u16string_view kIdName = u"ＩＤ";
inline constexpr std::u16string_view kPasswordName = u"パスワード";
inline constexpr std::u16string_view kEndMarkerName = u"「pw-End」";
inline constexpr std::u16string_view kClipboardHeldText =
    u"クリップボードに書き込めません。\nほかのプログラムが使用中です。\n";
inline constexpr std::u16string_view kClipboardUnchangedText =
    u"クリップボードの内容は前のままです。\n";
inline constexpr std::u16string_view kStillOnClipboardText = u"まだ{0}が残っています。\n";
inline constexpr std::u16string_view kKeepTryingText = u"書き込めるまで続けて試します。";
inline constexpr std::u16string_view kClipboardNotClearedText =
    u"クリップボードを消せませんでした。\nほかのプログラムが使用中です。\n";
inline constexpr std::u16string_view kMayStayOnClipboardText =
    u"が残っているかもしれません。\n別の文字をコピーして消してください。";

// The data files
inline constexpr std::u16string_view kFileErrorCaption = u"ﾌｧｲﾙｴﾗｰ";
inline constexpr std::u16string_view kOpenFailureText = u"ﾌｧｲﾙが開けません";
inline constexpr std::u16string_view kMarkFailureCaption = u"ErrorFileRead";
inline constexpr std::u16string_view kMarkFailureText = u"{0}がWide文字で有りません!。";
inline constexpr std::u16string_view kCloseFailureCaption = u"CloseHandle-errer";
inline constexpr std::u16string_view kTooLargeText = u"{0}が大き過ぎるので読み込みません。";
inline constexpr std::u16string_view kNotSavedText = u"{0}を保存できません。\n";
inline constexpr std::u16string_view kRestorePendingText =
    u"保存前のファイルに戻し切れませんでした。次の保存か起動の時に戻します。";
inline constexpr std::u16string_view kUnchangedFilesText = u"ファイルは保存前のままです。";
inline constexpr std::u16string_view kNoMemoryForDataText =
    u"メモリが足りないのでデータを読み込めません。";
inline constexpr std::u16string_view kLossHeading = u"ファイルの一部を読み込めませんでした。\n";
// One line each: {0} is the file's name, {1} the count.
inline constexpr std::u16string_view kEntriesDroppedText =
    u"・{0}：項目 {1} 件（1000 件を超えた分か、タイトルの行がない分）を読み込んでいません。\n";
inline constexpr std::u16string_view kTextsCutText =
    u"・{0}：127 文字を超えたタイトルと ID {1} 個を、127 文字で切りました。\n";
inline constexpr std::u16string_view kMissingRecordsText =
    u"・{0}：ファイルが途中で終わっていて、パスワード {1} 件分がありません。\n";
inline constexpr std::u16string_view kDamagedRecordsText =
    u"・{0}：壊れているパスワード {1} 件は、元と違っているかもしれません。\n";
inline constexpr std::u16string_view kUnreadableRecordsText =
    u"・{0}：この PC の文字コードで読めないパスワード {1} 件は、空欄として扱います。\n";
inline constexpr std::u16string_view kMasterUnreadableText =
    u"マスターパスワードが読めないので、ロックは解除できません。\n";
inline constexpr std::u16string_view kKeepAsideAheadText =
    u"保存する前に、元のファイルを 2 つとも別の名前で残します。";
inline constexpr std::u16string_view kKeptAsideHeading =
    u"保存する前に、読み込めなかった元のファイルを、組にして次の名前で残しました。\n";
inline constexpr std::u16string_view kAlreadyKeptHeading =
    u"読み込めなかった元のファイルは、前に次の名前で残したものと同じなので、もう一度は残しません。"
    u"\n";
inline constexpr std::u16string_view kPutKeptPairBackText =
    u"\n元に戻す時は、KAVO を終了してから、同じ時刻の名前のファイルをすべて一緒に元の名前"
    u"（pw_set1.dat と pw_set2.dat）に戻して下さい。片方だけを戻すと、項目とパスワードの組み合わせ"
    u"が狂います。";
inline constexpr std::u16string_view kKeepAsideFailedText =
    u"{0}の元のファイルを別の名前で残せないので、保存しません。\nファイルは保存前のままです。";
inline constexpr std::u16string_view kUnsavedChangesCaption = u"保存されなかった変更";
inline constexpr std::u16string_view kUnsavedChangesFoundText =
    u"前回、Windows の終了で KAVO が終わった時の、保存されていない変更が残っています。\n\n"
    u"はい：その変更を読み込みます（まだ保存されていない状態です。「データ保存」で保存して下さい）"
    u"。\n"
    u"いいえ：今のファイルのまま始め、その変更は別の名前で残します。";
inline constexpr std::u16string_view kUnsavedChangesUnreadableText =
    u"保存されなかった変更を読み込めませんでした。今のファイルのまま始めます。\n"
    u"変更のファイルはそのまま残し、次の起動の時にもう一度たずねます。";
inline constexpr std::u16string_view kUnsavedChangesKeptHeading =
    u"保存されなかった変更を、組にして次の名前で残しました。\n";
inline constexpr std::u16string_view kRecoveryBlockedText =
    u"前回の保存が途中で止まったファイルを元に戻せません。\n"
    u"{0} をほかのプログラムが使っています。\n"
    u"データは読み込まず、保存もしません。次の起動の時にもう一度戻します。";
inline constexpr std::u16string_view kSaveRefusedAfterBlockedRecoveryText =
    u"前回の保存が途中で止まったファイルを元に戻せていないので、保存しません。\n"
    u"KAVO を終了して、起動し直してください。";
inline constexpr std::u16string_view kSaveRefusedMasterUnknownText =
    u"{0}を読み込めなかったので、マスターパスワードが分かりません。"
    u"パスワードなしとして保存しないよう、保存しません。\n"
    u"ファイルを読めるようにして起動し直すか、パスモードの「パスワード変更」で新しいパスワードを"
    u"決めてから保存してください。";

// CSV import and export
inline constexpr std::u16string_view kImportCaption = u"CSVインポート";
inline constexpr std::u16string_view kExportCaption = u"CSVエクスポート";
inline constexpr std::u16string_view kCsvFilter =
    u"CSV ファイル (*.csv)\0*.csv\0すべてのファイル (*.*)\0*.*\0";
inline constexpr std::u16string_view kExportDefaultName = u"KAVO-export.csv";
// {0} is the file's name, cut to one short line.
inline constexpr std::u16string_view kImportAddCountText =
    u"「{0}」から {1} 件を、表の最後に追加します。";
inline constexpr std::u16string_view kImportNothingText =
    u"「{0}」には、追加できる行がありません。";
inline constexpr std::u16string_view kImportSkippedHeading = u"\n\n追加しない行: {0} 件";
// {0}: why, {1}: how many rows.
inline constexpr std::u16string_view kImportSkippedReasonText = u"\n・{0}: {1} 件";
inline constexpr std::u16string_view kImportSkippedFullText = u"登録できる 1000 件を超える行";
inline constexpr std::u16string_view kImportSkippedPasswordText =
    u"保存できない文字を含むか、長すぎるパスワード";
inline constexpr std::u16string_view kImportSkippedIncompleteText =
    u"タイトル・ID・パスワードのどれかが空の行";
inline constexpr std::u16string_view kImportSkippedEmptyText = u"空の行";
inline constexpr std::u16string_view kImportSkippedRowsHeading =
    u"\n\n追加しない行（初めの 5 行まで）:";
// {0}: the line's number, {1}: its title.
inline constexpr std::u16string_view kImportSkippedRowText = u"\n・{0}行目 「{1}」";
inline constexpr std::u16string_view kImportSkippedUntitledRowText =
    u"\n・{0}行目 （タイトルなし）";
inline constexpr std::u16string_view kImportCutText =
    u"\n\nタイトルか ID が 127 文字を超えるので、127 文字で切る項目: {0} 件";
inline constexpr std::u16string_view kImportConfirmText =
    u"\n\n「はい」で追加します。追加した項目は「データ保存」か終了時の保存でファイルに書かれます。"
    u"\n"
    u"列の読み取りが違うときは、「いいえ」で読み込む列を選び直せます。";
inline constexpr std::u16string_view kImportNotTextText =
    u"「{0}」は CSV ファイルとして読めません。\n文字コードが UTF-8 か UTF-16 "
    u"のテキストファイルを選んで下さい。";
inline constexpr std::u16string_view kImportUnclosedQuoteText =
    u"「{0}」の {1} 行目で始まる \" が閉じていません。\nファイルが壊れているので読み込みません。";
inline constexpr std::u16string_view kImportNoHeaderText =
    u"「{0}」の 1 行目に、パスワードの列と、タイトル・ID・URL のどれかの列の見出しがありません。\n"
    u"見出し行のある CSV ファイルだけを読み込めます。";
inline constexpr std::u16string_view kExportLockedText = u"ロックされたため、書き出しません。";
inline constexpr std::u16string_view kExportWarningText =
    u"書き出すファイルには、すべてのパスワードが暗号化されずにそのまま書かれます。\n"
    u"誰でも読めるので、共有や同期されるフォルダーには置かず、使い終わったら削除して下さい。\n\n"
    u"書き出しますか？";
// {0} is the count, {1} the file's full path.
inline constexpr std::u16string_view kExportDoneText = u"{0} 件を書き出しました。\n{1}";
inline constexpr std::u16string_view kExportUnreadableText =
    u"\n読めないパスワード {0} 件は、空欄で書きました。";
// {0} is the file's full path.
inline constexpr std::u16string_view kExportFailedText = u"{0}\nに書き出せませんでした。";
inline constexpr std::u16string_view kCsvOpenFailedText = u"{0}\nを開けません。";
inline constexpr std::u16string_view kCsvTooLargeText = u"{0}\nは大き過ぎるので読み込みません。";
// CSV import: dialects the file is not consistent with, and the column picker
inline constexpr std::u16string_view kImportPickerOfferText =
    u"\n\n列の読み取りが違うときは、ＯＫで読み込む列を選び直せます。";
// {0} is the file's name, {1} the line.
inline constexpr std::u16string_view kImportInconsistentText =
    u"「{0}」の {1} 行目で、閉じた \" の後に文字が続きます。\n"
    u"どの CSV の書き方としても一貫して読めないので、読み込みません。";
inline constexpr std::u16string_view kImportNoRowsText = u"「{0}」には行がありません。";
inline constexpr std::u16string_view kPickerNoColumn = u"なし";
// {0} is the column's number, from 1; {1} its header or first value.
inline constexpr std::u16string_view kPickerColumnChoice = u"{0}列目 ({1})";
inline constexpr std::u16string_view kPickerColumnHeading = u"{0}列目";
inline constexpr std::u16string_view kPickerNotEnoughText =
    u"パスワードの列と、タイトル・ID・URL のどれかの列を選んで下さい。";
inline constexpr std::u16string_view kExportOntoDataFileText =
    u"{0}\nは KAVO "
    u"のデータファイルなので、上書きしません。\n別の名前か、別のフォルダーを選んでください。";
inline constexpr std::u16string_view kExportNotCleanText =
    u"{0}\nに書き出しましたが、後片付けができませんでした。";
inline constexpr std::u16string_view kExportLeftBehindText =
    u"\n\n書き出しの作業用ファイルを消せませんでした。平文のパスワードが入っているので、"
    u"手で削除してください:";

// Data files changed by another program, generations of earlier saves, sync clients' copies and
// entries taken in from another KAVO folder.
inline constexpr std::u16string_view kChangedOnDiskCaption = u"データファイルの変更";
// {0}: one line for each file that changed.
inline constexpr std::u16string_view kChangedOnDiskText =
    u"KAVO が読み込んだ後に、ほかのプログラム（同期ソフトや別の PC の KAVO など）が"
    u"データファイルを変えました。\n{0}\n"
    u"はい：KAVO の内容を保存します。変えられたファイルは、組にして別の名前で残します。\n"
    u"いいえ：変えられたファイルを読み込みます。KAVO の保存していない内容は、組にして別の名前で"
    u"残します。\n"
    u"キャンセル：何もしません。";
// {0}: the file's name.
inline constexpr std::u16string_view kFileChangedLine = u"\n・{0}：内容が変わりました";
inline constexpr std::u16string_view kFileAppearedLine = u"\n・{0}：新しく作られました";
inline constexpr std::u16string_view kFileVanishedLine = u"\n・{0}：なくなりました";
inline constexpr std::u16string_view kOtherVersionKeptHeading =
    u"保存する前に、ほかのプログラムが変えたファイルを、組にして次の名前で残しました。\n";
inline constexpr std::u16string_view kOwnVersionKeptHeading =
    u"変えられたファイルを読み込む前に、KAVO の保存していない内容を、組にして次の名前で残しました。"
    u"\n";
inline constexpr std::u16string_view kTakeInKeptPairText =
    u"\nその項目は「編集」→「ほかの KAVO データから取り込み...」で、pw_set1 "
    u"の付くファイルを選ぶと取り込めます。";
// {0}: the generation's folder.
inline constexpr std::u16string_view kGenerationFailedText =
    u"保存しましたが、その前のデータファイルを\n{0}\nに残せませんでした。\n"
    u"フォルダーに書き込めるか、ディスクに空きがあるか確かめて下さい。";
inline constexpr std::u16string_view kConflictCopiesCaption = u"同期ソフトが作ったコピー";
// {0}: the copies' names, one a line.
inline constexpr std::u16string_view kConflictCopiesText =
    u"データのフォルダーに、同期ソフト（OneDrive、Dropbox など）が作ったデータファイルのコピーが"
    u"あります。\n{0}\n"
    u"2 台の PC で同じファイルを変えた時にできるもので、KAVO は消しません。中の項目は、"
    u"「編集」→「ほかの KAVO データから取り込み...」で pw_set1 の付くファイルを選ぶと取り込めます。"
    u"取り込んだ後のコピーは、ご自分で削除して下さい。";
inline constexpr std::u16string_view kMergeCaption = u"ほかの KAVO データから取り込み";
inline constexpr std::u16string_view kMergeFilter =
    u"KAVO の一覧ファイル (pw_set1*)\0pw_set1*\0すべてのファイル (*.*)\0*.*\0";
// {0}: the list file's name; {1} new, {2} differing, {3} same entries.
inline constexpr std::u16string_view kMergeSummaryText =
    u"「{0}」とその組のパスワードファイルから：\n"
    u"・新しい項目：{1} 件（表の最後に追加します）\n"
    u"・同じタイトルと ID で、パスワードか動作の違う項目：{2} "
    u"件（チェックしたものだけを取り込みます）"
    u"\n"
    u"・同じ項目：{3} 件";
inline constexpr std::u16string_view kMergeLeftOutText =
    u"\n・登録できる 1000 件を超えるので追加しない項目：{0} 件";
inline constexpr std::u16string_view kMergeRepeatedText =
    u"\n・ファイルの中に同じタイトルと ID で違う内容があるので、最初の 1 つだけを追加する項目：{0} "
    u"件";
inline constexpr std::u16string_view kMergeUnreadableText =
    u"\n・この PC の文字コードでパスワードが読めないので取り込まない項目：{0} 件";
// {0}: title, {1}: ID, {2}: what differs.
inline constexpr std::u16string_view kMergeDifferingLine = u"{0} ／ {1}（{2}）";
inline constexpr std::u16string_view kMergeDiffersPassword = u"パスワードが違う";
inline constexpr std::u16string_view kMergeDiffersBoth = u"パスワードと動作が違う";
// {0}: the type here, {1}: the other one.
inline constexpr std::u16string_view kMergeDiffersType = u"動作が違う：{0} → {1}";
// {0}: the list file, {1}: the password file it needs.
inline constexpr std::u16string_view kMergeNoPartnerText =
    u"{0}\nと組になるパスワードファイル\n{1}\nがないので、取り込めません。";
// {0}: the file.
inline constexpr std::u16string_view kMergeUnreadableFileText =
    u"{0}\nを KAVO のデータファイルとして読めないので、取り込みません。";
// {0}: the file.
inline constexpr std::u16string_view kMergeProtectedElsewhereText =
    u"{0}\nは、別の Windows ユーザーか別の PC で保護されたので、取り込めません。";
inline constexpr std::u16string_view kMergeOwnFilesText =
    u"今使っているデータファイルなので、取り込むものはありません。\n"
    u"ほかのフォルダーか、別の名前で残したファイルを選んで下さい。";
inline constexpr std::u16string_view kMergeNothingText = u"\n\n取り込む項目はありません。";
// Data protection: the dialog, the master password asked at start, and what the files say
inline constexpr std::u16string_view kProtectionCaption = u"データの保護";
inline constexpr std::u16string_view kProtectionScrambledName = u"スクランブルのみ（互換）";
inline constexpr std::u16string_view kProtectionMasterName = u"マスターパスワードで暗号化";
inline constexpr std::u16string_view kProtectionWindowsUserName =
    u"この Windows ユーザーだけが開ける";
// {0} is one of the three names above.
inline constexpr std::u16string_view kProtectionOnDiskText = u"今のファイル：{0}";
inline constexpr std::u16string_view kProtectionNeedsMasterText =
    u"マスターパスワードが設定されていません。\n"
    u"先に「パスワード変更」でマスターパスワードを設定してください。";
inline constexpr std::u16string_view kProtectionBackToScrambledText =
    u"次の保存から、データファイルを暗号化せずに、スクランブルだけの互換の形で書きます。\n"
    u"フォルダーをコピーした人は、すべてのパスワードを読めるようになります。\n\n"
    u"よろしいですか？";
inline constexpr std::u16string_view kMasterPromptCaption = u"マスターパスワード";
inline constexpr std::u16string_view kMasterPromptWrongText =
    u"マスターパスワードが違います。もう一度入力してください。";
// {0} is the file's full path, or both files' one a line.
inline constexpr std::u16string_view kProtectedDamagedText =
    u"{0}\nを開けません。ファイルがないか、壊れているか、もう一方のファイルと同じ時に保存された"
    u"ものではありません。\n\n"
    u"どちらのファイルも今のまま残し、読み込みも保存もしません。KAVO を終了して、2 つのファイルを"
    u"同じ時のバックアップから一緒に戻してから、起動し直してください。";
inline constexpr std::u16string_view kProtectedOtherUserText =
    u"{0}\nは、別の Windows ユーザーか別の PC で保護されたので、ここでは開けません。\n\n"
    u"ファイルは今のまま残し、読み込みも保存もしません。保護した時の Windows ユーザーで KAVO "
    u"を起動するか、CSV エクスポートやマスターパスワードで暗号化したコピーから戻してください。";
inline constexpr std::u16string_view kProtectedSaveRefusedText =
    u"保護されたデータファイルを開けなかったので、保存しません。ファイルは今のままです。\n"
    u"KAVO を終了して、ファイルを戻してから起動し直してください。";
inline constexpr std::u16string_view kProtectionSaveNeedsMasterText =
    u"「マスターパスワードで暗号化」が選ばれていますが、マスターパスワードが設定されていないので"
    u"保存しません。\n"
    u"「パスワード変更」で設定するか、「データの保護」で別の方法を選んでください。";
inline constexpr std::u16string_view kProtectionFailedText =
    u"データファイルを暗号化できないので、保存しません。\nファイルは保存前のままです。";
inline constexpr std::u16string_view kClearCopiesHeading =
    u"データファイルを暗号化して保存しました。\n"
    u"KAVO が前にこのフォルダーに作った次のコピーは暗号化されていないので、フォルダーをコピーした人"
    u"に読まれます。\n\n";
inline constexpr std::u16string_view kClearCopiesQuestion = u"\n削除しますか？";
inline constexpr std::u16string_view kClearCopiesLeftText =
    u"次のファイルを削除できませんでした。手で削除してください。\n";

} // namespace kavo
