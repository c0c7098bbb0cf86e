#include "compose/AdrParts.h"

#include "addresslist/SamaRules.h"
#include "compose/ComposeAdr.h"
#include "compose/TextMarks.h"
#include "compose/VertText.h"
#include "render/Canvas.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace hoplark {

QString TrimSepOnce(const QString& text, const QString& sep) {
    QString s = text;
    if (!sep.isEmpty() && s.startsWith(sep))
        s.remove(0, sep.size());
    if (!sep.isEmpty() && s.endsWith(sep))
        s.chop(sep.size());
    return s;
}

namespace {

// Appends every non-empty segment of a ";"-separated field, each followed by ";" unless it
// is the field's last segment.
void AppendSegments(QString& out, const QStringList& segs, qsizetype from) {
    for (qsizetype i = from; i < segs.size(); ++i) {
        if (segs[i].isEmpty())
            continue;
        out += segs[i];
        if (i < segs.size() - 1)
            out += u';';
    }
}

// An affiliation without names: its last segments are the names.
void SplitAffiliation(QString& affil, QString& names) {
    const QStringList seg = affil.split(u';');
    switch (seg.size()) {
    case 1:
        names = seg[0];
        affil.clear();
        break;
    case 2:
        affil = seg[0];
        names = seg[1];
        break;
    case 3:
        affil = seg[0] + u';' + seg[1];
        names = seg[2];
        break;
    case 4:
        affil = seg[0] + u';' + seg[1];
        names = seg[2] + u';' + seg[3];
        break;
    default:
        // Five or more segments: no names can be told apart, so the affiliation is shown
        // as it stands rather than nothing.
        break;
    }
}

} // namespace

void GetAdrParts(const Canvas& cv, const ComposeInput& in, QString& zip, QString& address,
                 QString& names, bool& ok) {
    const QString& rec = in.sRec;
    if (rec.isEmpty()) {
        ok = false;
        return;
    }
    QStringList f = rec.split(u',');
    const qsizetype nFields = f.size();
    // A short line read without column codes lacks fields; they count as empty.
    while (f.size() < 5)
        f << QString();
    zip = TrimBlanks(f[0]);
    QString honorific;
    if (in.bFullLay) {
        for (QString& s : f)
            s = TrimBlanks(s);
        QString affil = f[2];
        QString nameField = f[3];
        if (!affil.isEmpty() && nameField.isEmpty())
            SplitAffiliation(affil, nameField);
        QString adrField = f[1];
        if (cv.page.bVertical) {
            VertText(adrField, false, false);
            VertText(affil, true, false);
            VertText(nameField, true, false);
        }
        address.clear();
        AppendSegments(address, TrimSepOnce(adrField, u";"_s).split(u';'), cv.lay.nOmit);
        address += kSegEnd;
        address += u';';
        AppendSegments(address, TrimSepOnce(affil, u";"_s).split(u';'), 0);
        names = nameField;
        if (nFields > 4)
            honorific = f[4];
        in.sama.ApplySama(names, honorific, cv.model.txSama);
    } else {
        address = f[1];
        names = f[2];
        if (nFields == 4)
            honorific = f[3];
        in.sama.ApplySama(names, honorific, cv.model.txSama);
        if (cv.page.bVertical) {
            VertText(address, true, false);
            VertText(names, true, true);
        }
    }
    ok = true;
}

} // namespace hoplark
