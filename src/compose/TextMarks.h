#pragma once

#include <QString>

namespace hoplark {

// Marks inside the address and names texts between splitting, fitting and drawing.
inline constexpr char16_t kSegEnd = u'\r';        // ends the last address segment
inline constexpr char16_t kAffiliation = u'☆';   // first affiliation line
inline constexpr char16_t kTitle = u'\'';         // title entry
inline const QString kPlaceholder = QStringLiteral("@%@"); // line kept under a "・" name

// Trim as the list's texts are trimmed: half-width and full-width blanks at both ends;
// a CR mark stays.
inline QString TrimBlanks(const QString& s) {
    qsizetype b = 0, e = s.size();
    auto blank = [](QChar c) { return c == u' ' || c == u'\u3000'; };
    while (b < e && blank(s.at(b)))
        ++b;
    while (e > b && blank(s.at(e - 1)))
        --e;
    return s.mid(b, e - b);
}

} // namespace hoplark
