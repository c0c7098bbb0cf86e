#pragma once

#include <QString>
#include <QStringView>

namespace hoplark {

// Small text helpers of the address list and the honorific rules. Only blanks count as
// padding: a tab or a line break inside a CSV field is data.

// Without leading and trailing half-width spaces.
QStringView TrimHalf(QStringView text);
// Without leading half-width spaces.
QStringView TrimHalfLeft(QStringView text);
// Without leading and trailing half-width and full-width (U+3000) spaces.
QStringView TrimBlank(QStringView text);
// True when the text holds nothing but half-width spaces.
bool IsBlankHalf(QStringView text);

// The line that starts at pos, without its line end (CR LF, LF or CR); pos moves past the
// line end.
QStringView NextLine(QStringView text, qsizetype& pos);

} // namespace hoplark
