#include "store/load_report.h"

#include "resources/texts.h"
#include "store/decimal_text.h"
#include "store/text_format.h"

namespace kavo {

namespace {

void addLine(std::u16string& text, std::u16string_view line, std::u16string_view file, int n) {
    text += formatText(line, {file, formatInt(n)});
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
        addLine(text, kEntriesDroppedText, listFile, list.entriesDropped);
    }
    if (list.textsCut > 0) {
        addLine(text, kTextsCutText, listFile, list.textsCut);
    }
    if (passwords.missingRecords > 0) {
        addLine(text, kMissingRecordsText, passwordFile, passwords.missingRecords);
    }
    if (passwords.damagedRecords > 0) {
        addLine(text, kDamagedRecordsText, passwordFile, passwords.damagedRecords);
    }
    if (passwords.unreadableRecords > 0) {
        addLine(text, kUnreadableRecordsText, passwordFile, passwords.unreadableRecords);
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
    return formatText(kKeepAsideFailedText, {fileName});
}

std::u16string recoveryBlockedMessage(std::u16string_view heldFile) {
    return formatText(kRecoveryBlockedText, {heldFile});
}

std::u16string saveRefusedAfterBlockedRecoveryMessage() {
    return std::u16string(kSaveRefusedAfterBlockedRecoveryText);
}

} // namespace kavo
