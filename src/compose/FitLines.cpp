#include "compose/FitLines.h"

#include "addresslist/AddressList.h"
#include "addresslist/SamaRules.h"
#include "compose/TextMarks.h"
#include "platform/Numbers.h"

#include <QStringList>

#include <cmath>

using namespace Qt::StringLiterals;

namespace hoplark {

void WrapParts(QString& text, int maxLines, int lineCap, int count, bool bNames) {
    TrimSepAll(text, u";"_s);
    int cap = lineCap;
    if (maxLines != 0 && count > 0)
        cap = Nearest(std::pow(1.2, count) * lineCap);

    const QStringList parts = text.split(u';');
    text.clear();
    QString line;
    enum class Break { None, Plain, Cr } pending = Break::None;
    auto flushLine = [&] {
        if (!line.isEmpty())
            text += TrimBlanks(line) + u';';
        line.clear();
    };
    for (QString part : parts) {
        if (pending != Break::None) {
            flushLine();
            if (pending == Break::Cr)
                text += kAffiliation;
            pending = Break::None;
        }
        part = TrimBlanks(part);
        if (bNames && SamaRules::IsJointName(part)) {
            // A joint name stands on its own line with one placeholder line for every name
            // after the first. A name gathered before it keeps its own line. A title or a
            // foreign name with a "・" ("営業・企画部長", "ジョン・スミス") is drawn whole.
            flushLine();
            if (!text.isEmpty() && !text.endsWith(u';'))
                text += u';';
            text += part + u';';
            text += (kPlaceholder + u';').repeated(part.count(u'・'));
            continue;
        }
        if (part.endsWith(kSegEnd)) {
            part.chop(1);
            pending = Break::Cr;
        } else if (part.startsWith(kTitle)) {
            pending = Break::Plain;
        }
        // A title stands on its own line, so it starts one as well as ending it; an
        // affiliation line made by an earlier pass starts its line again on a re-wrap. Either
        // mark thus stays at the start of a line, where the drawing looks for it.
        if (line.size() + part.size() > cap || part.startsWith(kAffiliation) ||
            part.startsWith(kTitle)) {
            flushLine();
            line = part;
        } else {
            if (!line.isEmpty())
                line += u' ';
            line += part;
        }
    }
    if (!line.isEmpty())
        text += TrimBlanks(line);
    TrimSepAll(text, u";"_s);
}

void FitLines(QString& text, int maxLines, int lineCap, bool bNames, bool* overflow) {
    const int limit = overflow ? 1 : 10;
    if (overflow)
        *overflow = false;
    while (text.contains(u";;"_s))
        text.replace(u";;"_s, u";"_s);
    int count = 0;
    for (;;) {
        WrapParts(text, maxLines, lineCap, count, bNames);
        if (text.count(u';') + 1 <= maxLines)
            return;
        if (++count > limit) {
            if (overflow)
                *overflow = true;
            return;
        }
        text.remove(u";"_s + kPlaceholder);
    }
}

} // namespace hoplark
