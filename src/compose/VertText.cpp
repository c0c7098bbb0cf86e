#include "compose/VertText.h"

using namespace Qt::StringLiterals;

namespace hoplark {

namespace {

const QString kFrom = u"1234567890-ｰ"_s;
const QString kTo = u"一二三四五六七八九〇||"_s;

// Position of c in kFrom, comparing without regard to width: the full-width digits, the
// full-width hyphen-minus and the full-width long-vowel mark count as their narrow forms.
qsizetype FromIndex(QChar c) {
    char16_t u = c.unicode();
    if (u >= u'０' && u <= u'９')
        u = static_cast<char16_t>(u - u'０' + u'0');
    else if (u == 0xFF0D)
        u = u'-';
    else if (u == u'ー')
        u = u'ｰ';
    return kFrom.indexOf(QChar(u));
}

} // namespace

void VertText(QString& text, bool bMarks, bool bDashOnly) {
    if (bDashOnly) {
        text.replace(u"-"_s, u"|"_s);
        text.replace(u"ｰ"_s, u"|"_s);
    } else {
        for (QChar& c : text) {
            const qsizetype i = FromIndex(c);
            if (i >= 0)
                c = kTo.at(i);
        }
    }
    if (bMarks) {
        text.replace(u"(株)"_s, u"㈱"_s);
        text.replace(u"（株）"_s, u"㈱"_s);
        text.replace(u"(有)"_s, u"㈲"_s);
        text.replace(u"（有）"_s, u"㈲"_s);
    }
}

} // namespace hoplark
