#include "store/load_report.h"

#include "resources/texts.h"

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
    text += kLossBullet;
    text += file;
    text += kLossFileSeparator;
    text += before;
    text += count(n);
    text += after;
    text += u"\n";
}

} // namespace

bool listNeedsKeeping(bool present, bool read, const ListLoadLosses& losses) {
    return present && (!read || losses.any());
}

bool passwordsNeedKeeping(bool present, bool read, const PasswordLoadLosses& losses) {
    return present && (!read || losses.missingRecords > 0 || losses.damagedRecords > 0);
}

std::u16string loadLossMessage(std::u16string_view listFile, const ListLoadLosses& list,
                               std::u16string_view passwordFile,
                               const PasswordLoadLosses& passwords, bool keepAside) {
    if (!list.any() && !passwords.any()) {
        return std::u16string();
    }
    std::u16string text(kLossHeading);
    if (list.entriesDropped > 0) {
        addLine(text, listFile, kEntriesDroppedBefore, list.entriesDropped, kEntriesDroppedAfter);
    }
    if (list.textsCut > 0) {
        addLine(text, listFile, kTextsCutBefore, list.textsCut, kTextsCutAfter);
    }
    if (passwords.missingRecords > 0) {
        addLine(text, passwordFile, kMissingRecordsBefore, passwords.missingRecords,
                kMissingRecordsAfter);
    }
    if (passwords.damagedRecords > 0) {
        addLine(text, passwordFile, kDamagedRecordsBefore, passwords.damagedRecords,
                kDamagedRecordsAfter);
    }
    if (passwords.unreadableRecords > 0) {
        addLine(text, passwordFile, kUnreadableRecordsBefore, passwords.unreadableRecords,
                kUnreadableRecordsAfter);
    }
    if (passwords.masterUnreadable) {
        text += kMasterUnreadableText;
    }
    if (keepAside) {
        text += kKeepAsideAheadText;
    }
    return text;
}

std::u16string keptAsideMessage(std::u16string_view keptPaths, bool alreadyKept) {
    std::u16string text(alreadyKept ? kAlreadyKeptHeading : kKeptAsideHeading);
    text += keptPaths;
    text += kPutKeptPairBackText;
    return text;
}

std::u16string keepAsideFailedMessage(std::u16string_view fileName) {
    std::u16string text(fileName);
    text += kKeepAsideFailedSuffix;
    return text;
}

std::u16string recoveryBlockedMessage(std::u16string_view heldFile) {
    std::u16string text(kRecoveryBlockedHeading);
    text += heldFile;
    text += kRecoveryBlockedAfterFile;
    return text;
}

std::u16string saveRefusedAfterBlockedRecoveryMessage() {
    return std::u16string(kSaveRefusedAfterBlockedRecoveryText);
}

} // namespace kavo
