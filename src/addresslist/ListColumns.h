#pragma once

#include "addresslist/CsvConvert.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace hoplark {

// The columns of a list as a load reads them: the code string and, for a known format, the
// map that first joins its columns (see ColumnMap).
struct ListColumns {
    QString sCodes;
    ColumnMap map;
};

// The header line of a list text: the fields of its first record (quotes read as a load
// reads them).
QStringList ListHeader(const QString& text);
// The first nRows records after the header, as fields.
QList<QStringList> ListSample(const QString& text, int nRows);

// The columns of a header that names what its columns hold: our sample list's, a plain
// Japanese one (郵便番号, 住所1, 会社名, 氏名 or 姓 and 名, 敬称, 連名 ...), the exports of
// Google Contacts and Outlook (Japanese and English) and of Japan Post's postcard tool. A
// family and a given name are joined into one name; with home and business addresses, the
// home one is read, and the business one in a row without a home address. Nothing when the
// header names no name column or no address column.
std::optional<ListColumns> MatchHeader(const QStringList& header);

// The key under which the user's choice of codes for this header is kept in "User.xml":
// element names cannot hold any text, so the key is made of a hash of the header.
QString HeaderKey(const QStringList& header);

} // namespace hoplark
