#pragma once

#include <QString>
#include <QStringView>

namespace hoplark {

// The trims of the address list and the honorific rules. Only blanks count: a tab or a
// line break inside a CSV field is data, not padding.

// Without leading and trailing half-width spaces.
QString TrimHalf(QStringView text);
// Without leading half-width spaces.
QString TrimHalfLeft(QStringView text);
// Without leading and trailing half-width and full-width (U+3000) spaces.
QString TrimBlank(QStringView text);
// True when the text holds nothing but half-width spaces.
bool IsBlankHalf(QStringView text);

} // namespace hoplark
