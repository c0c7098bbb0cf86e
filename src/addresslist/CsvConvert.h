#pragma once

#include <QString>

namespace hoplark {

// Converts the text of a CSV list (CR LF between lines, "," between columns, no quoting)
// into record lines, each followed by CR LF. sCodes gives the code of each column;
// bFullLay chooses the full layout (postal code, prefecture;address, affiliation, names,
// honorific) or the pre-split layout (postal code, address lines, names, honorific).
// Lines that carry nothing but an honorific yield no record line.
QString ConvertCsv(const QString& text, const QString& sCodes, bool bFullLay);

} // namespace hoplark
