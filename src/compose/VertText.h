#pragma once

#include <QString>

namespace hoplark {

// Makes a text read well in vertical writing, in place: digits become kanji numerals and
// dashes a vertical bar (bDashOnly: only "-" and "ｰ", digits stay); with bMarks the company
// marks (株) and (有) become ㈱ and ㈲.
void VertText(QString& text, bool bMarks, bool bDashOnly);

} // namespace hoplark
