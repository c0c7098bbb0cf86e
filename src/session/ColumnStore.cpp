#include "session/ColumnStore.h"

#include "environment/UserEnv.h"

using namespace Qt::StringLiterals;

namespace hoplark {

namespace {

const QString kGroup = u"列割当"_s;

} // namespace

std::optional<QString> StoredColumns(UserEnv& env, const QStringList& header) {
    env.GetGtx(kGroup);
    const QString sCodes = env.vGtVal(HeaderKey(header), QString()).toString();
    if (sCodes.isEmpty())
        return std::nullopt;
    return sCodes;
}

void StoreColumns(UserEnv& env, const QStringList& header, const QString& sCodes) {
    env.GetGtx(kGroup);
    env.SetVal(HeaderKey(header), sCodes);
    env.SetGtx();
}

std::optional<ListColumns> ColumnsFor(UserEnv& env, const QStringList& header) {
    if (const auto sCodes = StoredColumns(env, header))
        return ListColumns{*sCodes, {}};
    return MatchHeader(header);
}

AddressList::Outcome LoadByHeader(AddressList& adr, UserEnv& env, const QString& sPath,
                                  ListEncoding enc, const AskColumns& ask) {
    adr.sLoadMsg.clear();
    QString text;
    if (!ReadListFile(sPath, enc, text, adr.sLoadMsg))
        return adr.sLoadMsg.isEmpty() ? AddressList::Outcome::Unchanged
                                      : AddressList::Outcome::Refused;
    const QStringList header = ListHeader(text);
    std::optional<ListColumns> cols = ColumnsFor(env, header);
    bool bAsked = false;
    if (!cols && ask) {
        const std::optional<QString> sCodes = ask(header, text);
        if (!sCodes)
            return AddressList::Outcome::Unchanged;
        cols = ListColumns{*sCodes, {}};
        bAsked = true;
    }
    if (!cols) {
        adr.sLoadMsg = u"%1 の見出し行の列がわかりません: %2"_s.arg(sPath, header.join(u','));
        return AddressList::Outcome::Refused;
    }
    const AddressList::Outcome outcome =
        adr.LoadListText(LoadRequest{true, cols->sCodes, sPath}, std::move(text), cols->map);
    // A choice that yields no address is not kept: the next open asks again.
    if (bAsked && outcome == AddressList::Outcome::Filled)
        StoreColumns(env, header, cols->sCodes);
    return outcome;
}

} // namespace hoplark
