#include "store/other_pair_win.h"

#include "store/ansi_codec_win.h"
#include "store/conflict_copies.h"
#include "store/container_crypto_win.h"
#include "store/data_files_win.h"
#include "store/data_store_win.h"
#include "store/list_file.h"
#include "store/password_file.h"
#include "store/text_lines.h"
#include "win/wide_text_win.h"

namespace kavo {

namespace {

std::wstring partnerPath(const std::wstring& listPath) {
    const std::size_t slash = listPath.find_last_of(L"\\/");
    const std::size_t nameAt = slash == std::wstring::npos ? 0 : slash + 1;
    const std::optional<std::u16string> partner =
        partnerFileName(fromWide(std::wstring_view(listPath).substr(nameAt)),
                        fromWide(kListFileName), fromWide(kPasswordFileName));
    return partner ? listPath.substr(0, nameAt) + toWide(*partner) : std::wstring();
}

} // namespace

OtherPair readOtherPair(const std::wstring& listPath, const MasterPasswordAsk& ask) {
    OtherPair pair;
    pair.passwordPath = partnerPath(listPath);
    if (pair.passwordPath.empty() || pair.passwordPath == listPath) {
        pair.status = OtherPairStatus::NoPartner;
        return pair;
    }
    const auto refuse = [&pair](OtherPairStatus status, const std::wstring& path) {
        pair.status = status;
        pair.failedPath = path;
        return pair;
    };
    FileRead list = readWholeFile(listPath, kMaxListFileBytes);
    if (list.status != FileReadStatus::Ok) {
        return refuse(OtherPairStatus::Unreadable, listPath);
    }
    if (GetFileAttributesW(pair.passwordPath.c_str()) == INVALID_FILE_ATTRIBUTES) {
        pair.status = OtherPairStatus::NoPartner;
        return pair;
    }
    FileRead passwords = readWholeFile(pair.passwordPath, kMaxPasswordFileBytes);
    if (passwords.status != FileReadStatus::Ok) {
        return refuse(OtherPairStatus::Unreadable, pair.passwordPath);
    }
    PairBytes bytes{std::move(list.bytes), std::move(passwords.bytes)};
    WindowsContainerCrypto crypto;
    DataProtection protection;
    const PairOpen opened = openPair(crypto, bytes, protection, ask);
    const std::wstring& atFault =
        !opened.refused.empty() && opened.refused[0] == ContainerKind::List ? listPath
                                                                            : pair.passwordPath;
    switch (opened.status) {
    case PairOpenStatus::Compatible:
    case PairOpenStatus::Opened:
        break;
    case PairOpenStatus::Damaged:
        return refuse(OtherPairStatus::Unreadable, atFault);
    case PairOpenStatus::OtherUser:
        return refuse(OtherPairStatus::ProtectedElsewhere, atFault);
    case PairOpenStatus::Cancelled:
        pair.status = OtherPairStatus::Cancelled;
        return pair;
    }
    const ThreadAnsiCodec codec;
    MasterPassword master;
    PasswordSlots slots;
    if (!hasTextMark(*bytes.list)) {
        return refuse(OtherPairStatus::Unreadable, listPath);
    }
    if (readPasswordFile(*bytes.passwords, codec, master, slots).status != PasswordFileStatus::Ok) {
        return refuse(OtherPairStatus::Unreadable, pair.passwordPath);
    }
    // A parser of its own: the running table's last type letter has nothing to do with this list.
    ListParser parser;
    std::vector<Entry> rows;
    parser.parseListFile(rows, *bytes.list);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int slot = static_cast<int>(i);
        rows[i].password = slots.at(slot);
        pair.entries.push_back({std::move(rows[i]), slots.isUnreadable(slot)});
    }
    crypto.wipe(*bytes.passwords);
    return pair;
}

} // namespace kavo
