#include "store/load_report.h"

namespace kavo {

namespace {

std::u16string count(int n) {
    std::u16string digits;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + n % 10));
        n /= 10;
    } while (n > 0);
    return digits;
}

void addLine(std::u16string& text, std::u16string_view file, std::u16string_view before, int n,
             std::u16string_view after) {
    text += u"・";
    text += file;
    text += u"：";
    text += before;
    text += count(n);
    text += after;
    text += u"\n";
}

} // namespace

std::u16string loadLossMessage(std::u16string_view listFile, const ListLoadLosses& list,
                               std::u16string_view passwordFile,
                               const PasswordLoadLosses& passwords) {
    if (!list.any() && !passwords.any()) {
        return std::u16string();
    }
    std::u16string text = u"ファイルの一部を読み込めませんでした。\n";
    if (list.entriesDropped > 0) {
        addLine(text, listFile, u"項目 ", list.entriesDropped,
                u" 件（1000 件を超えた分か、タイトルの行がない分）を読み込んでいません。");
    }
    if (list.textsCut > 0) {
        addLine(text, listFile, u"127 文字を超えたタイトルと ID ", list.textsCut,
                u" 個を、127 文字で切りました。");
    }
    if (passwords.missingRecords > 0) {
        addLine(text, passwordFile, u"ファイルが途中で終わっていて、パスワード ",
                passwords.missingRecords, u" 件分がありません。");
    }
    if (passwords.damagedRecords > 0) {
        addLine(text, passwordFile, u"壊れているパスワード ", passwords.damagedRecords,
                u" 件は、元と違っているかもしれません。");
    }
    if (passwords.unreadableRecords > 0) {
        addLine(text, passwordFile, u"この PC の文字コードで読めないパスワード ",
                passwords.unreadableRecords, u" 件は、空欄として扱います。");
    }
    if (passwords.masterUnreadable) {
        text += u"マスターパスワードが読めないので、ロックは解除できません。\n";
    }
    text += u"保存する前に、元のファイルを別の名前で残します。";
    return text;
}

std::u16string keptAsideName(std::u16string_view fileName, std::u16string_view stamp) {
    std::u16string name(fileName);
    name += u".as-found-";
    name += stamp;
    name += u".bak";
    return name;
}

std::u16string keptAsideMessage(std::u16string_view keptPaths) {
    std::u16string text = u"読み込めなかった元のファイルを、次の名前で残しました。\n";
    text += keptPaths;
    return text;
}

std::u16string keepAsideFailedMessage(std::u16string_view fileName) {
    std::u16string text(fileName);
    text += u"の元のファイルを別の名前で残せないので、保存しません。\nファイルは保存前のままです。";
    return text;
}

std::u16string recoveryBlockedMessage(std::u16string_view heldFile) {
    std::u16string text = u"前回の保存が途中で止まったファイルを元に戻せません。\n";
    text += heldFile;
    text += u" をほかのプログラムが使っています。\n"
            u"データは読み込まず、保存もしません。次の起動の時にもう一度戻します。";
    return text;
}

std::u16string saveRefusedAfterBlockedRecoveryMessage() {
    return u"前回の保存が途中で止まったファイルを元に戻せていないので、保存しません。\n"
           u"KAVO を終了して、起動し直してください。";
}

} // namespace kavo
