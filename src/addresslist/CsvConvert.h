#pragma once

#include <QList>
#include <QString>

namespace hoplark {

// How the columns of a list in a known format become the columns that a code string reads:
// output column k joins the values of its source columns (from 0) with a full-width space,
// so a family and a given name in two columns stay one person. A country column leaves out
// a value that names Japan. A list with two addresses a person (home and business) marks
// the columns of the second with bAlt: they are read only in a row whose first address is
// empty. Empty: the columns as they are.
struct ColumnMap {
    struct Out {
        QList<int> src;
        bool bCountry = false;
        bool bAddress = false; // a part of an address
        bool bAlt = false;     // a part of the second address
    };
    QList<Out> outs;
};

// Converts the text of a CSV list into record lines, each followed by CR LF. Lines end at
// CR LF, LF or CR; a field that begins with a quote is read to its closing quote (see
// CsvReader). sCodes gives the code of each column (of each mapped column when map is not
// empty); bFullLay chooses the full layout (postal code, prefecture;address, affiliation,
// names, honorific) or the pre-split layout (postal code, address lines, names, honorific).
// Lines that carry nothing but an honorific yield no record line.
QString ConvertCsv(const QString& text, const QString& sCodes, bool bFullLay,
                   const ColumnMap& map = {});

// True for a country value that names Japan (日本, JP, Japan ...), which is not printed.
bool IsJapan(QStringView value);

} // namespace hoplark
