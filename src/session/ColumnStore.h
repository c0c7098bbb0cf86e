#pragma once

#include "addresslist/AddressList.h"
#include "addresslist/ListColumns.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace hoplark {

class UserEnv;

// The column codes the user chose for a header, kept in "User.xml" (group "列割当").
std::optional<QString> StoredColumns(UserEnv& env, const QStringList& header);
void StoreColumns(UserEnv& env, const QStringList& header, const QString& sCodes);

// The columns of a header: the user's choice for it, else a known format.
std::optional<ListColumns> ColumnsFor(UserEnv& env, const QStringList& header);

// Asked for the codes of a header that no saved choice and no known format names; the text
// is the whole list (for a sample). Nothing: the user cancelled.
using AskColumns =
    std::function<std::optional<QString>(const QStringList& header, const QString& text)>;

// Loads the list sPath into adr with its columns chosen by its header (ColumnsFor); without
// a match, ask chooses them, and a choice that yields addresses is stored in env for the
// next time. Without ask, an unknown header is refused, naming it. A cancelled choice
// changes nothing, silently.
AddressList::Outcome LoadByHeader(AddressList& adr, UserEnv& env, const QString& sPath,
                                  ListEncoding enc, const AskColumns& ask = {});

} // namespace hoplark
