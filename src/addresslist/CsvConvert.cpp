#include "addresslist/CsvConvert.h"

#include "addresslist/AddressList.h"
#include "addresslist/CsvReader.h"
#include "addresslist/ListText.h"

#include <QStringView>

using namespace Qt::StringLiterals;

namespace hoplark {

namespace {

constexpr char16_t kWideSpace = 0x3000;

// The fields of one record while its columns are read; kept from line to line so that their
// buffers are reused. The part counters keep the ";" between parts even when a part is
// empty (the pre-split layout keeps empty lines).
struct RecordFields {
    QString zip, pref, adr, org, names, sama;
    int nAdrParts = 0, nOrgParts = 0, nNameParts = 0;

    void Clear() {
        for (QString* s : {&zip, &pref, &adr, &org, &names, &sama})
            s->truncate(0);
        nAdrParts = nOrgParts = nNameParts = 0;
    }
};

void Assign(QString& field, QStringView value) {
    field.truncate(0);
    field.append(value);
}

// Appends one part after a ";" (unless it is the first); full-width spaces become ";", and
// with bHalfToo half-width spaces as well.
void AppendPart(QString& field, int& nParts, QStringView value, bool bWideToo = false,
                bool bHalfToo = false) {
    if (nParts++ > 0)
        field += u';';
    if (!bWideToo) {
        field.append(value);
        return;
    }
    const qsizetype nOld = field.size();
    field.append(value);
    for (QChar* c = field.data() + nOld; c != field.data() + field.size(); ++c)
        if (c->unicode() == kWideSpace || (bHalfToo && *c == u' '))
            *c = u';';
}

void AppendName(RecordFields& f, QStringView value, bool bTitle) {
    if (f.nNameParts++ > 0)
        f.names += u';';
    if (bTitle)
        f.names += u'\'';
    f.names.append(value);
}

// One column of the full layout: codes are case-sensitive, values trimmed, empty ones ignored.
void TakeFullColumn(RecordFields& f, QChar code, QStringView column) {
    const QStringView value = TrimBlank(column);
    if (value.isEmpty())
        return;
    switch (code.unicode()) {
    case u'Z':
    case u'z':
        Assign(f.zip, value);
        break;
    case u'K':
    case u'k':
        Assign(f.pref, value);
        break;
    case u'A':
    case u'a':
        AppendPart(f.adr, f.nAdrParts, value, true, code == u'a');
        break;
    case u'O':
    case u'o':
        AppendPart(f.org, f.nOrgParts, value, true, code == u'o');
        break;
    case u'E':
    case u'N':
        AppendName(f, value, code == u'E');
        break;
    case u'S':
        Assign(f.sama, value);
        break;
    default:
        break;
    }
}

// One column of the pre-split layout: codes in upper case, anything unknown is an address
// line, values untouched and kept even when empty.
void TakePreSplitColumn(RecordFields& f, QChar code, QStringView column) {
    switch (code.toUpper().unicode()) {
    case u'Z':
        Assign(f.zip, column);
        break;
    case u'S':
        Assign(f.sama, column);
        break;
    case u'A':
        AppendPart(f.adr, f.nAdrParts, column, true);
        break;
    case u'E':
    case u'N':
        AppendName(f, column, code.toUpper() == u'E');
        break;
    default: // "@" and every other code
        AppendPart(f.adr, f.nAdrParts, column);
        break;
    }
}

void FinishFull(RecordFields& f) {
    TidyField(f.adr);
    TidyField(f.org);
    TidyField(f.names);
    // A title alone is treated as the name.
    if (!f.names.contains(u';') && f.names.startsWith(u'\''))
        f.names.remove(0, 1);
}

bool HasContent(const RecordFields& f) {
    return !(IsBlankHalf(f.zip) && IsBlankHalf(f.pref) && IsBlankHalf(f.adr) &&
             IsBlankHalf(f.org) && IsBlankHalf(f.names));
}

void AppendRecord(QString& out, const RecordFields& f, bool bFullLay) {
    out += f.zip;
    out += u',';
    if (bFullLay) {
        out += f.pref;
        out += u';';
    }
    out += f.adr;
    out += u',';
    if (bFullLay) {
        out += f.org;
        out += u',';
    }
    out += f.names;
    out += u',';
    out += f.sama;
    out += u"\r\n"_s;
}

} // namespace

bool IsJapan(QStringView value) {
    const QStringView v = TrimBlank(value);
    return v == u"日本" || v == u"日本国" || v.compare(u"JP", Qt::CaseInsensitive) == 0 ||
           v.compare(u"JPN", Qt::CaseInsensitive) == 0 ||
           v.compare(u"Japan", Qt::CaseInsensitive) == 0 || v == u"ＪＡＰＡＮ" ||
           v == u"Ｊａｐａｎ";
}

namespace {

void MapColumns(const ColumnMap& map, const QList<QStringView>& in, QList<QString>& out,
                QList<QStringView>& views) {
    out.resize(map.outs.size());
    views.resize(map.outs.size());
    for (qsizetype k = 0; k < map.outs.size(); ++k) {
        const ColumnMap::Out& o = map.outs.at(k);
        QString& value = out[k];
        value.truncate(0);
        for (const int nCol : o.src) {
            const QStringView part = nCol < in.size() ? TrimBlank(in.at(nCol)) : QStringView();
            if (part.isEmpty() || (o.bCountry && IsJapan(part)))
                continue;
            if (!value.isEmpty())
                value += QChar(kWideSpace);
            value += part;
        }
    }
    // The second address only where the first is missing; the first one's columns are the
    // address columns that are not marked.
    bool bFirst = false;
    for (qsizetype k = 0; k < map.outs.size(); ++k)
        bFirst =
            bFirst || (map.outs.at(k).bAddress && !map.outs.at(k).bAlt && !out.at(k).isEmpty());
    for (qsizetype k = 0; k < map.outs.size(); ++k) {
        if (bFirst && map.outs.at(k).bAlt)
            out[k].truncate(0);
        views[k] = out.at(k);
    }
}

} // namespace

QString ConvertCsv(const QString& text, const QString& sCodes, bool bFullLay,
                   const ColumnMap& map) {
    QString out;
    out.reserve(text.size() + text.size() / 4 + 16);
    RecordFields f;
    const bool bMapped = !map.outs.isEmpty();
    QList<QString> mapped;
    QList<QStringView> mappedViews;
    int nWanted = static_cast<int>(sCodes.size());
    if (bMapped) {
        nWanted = 0;
        for (const ColumnMap::Out& o : map.outs)
            for (const int nCol : o.src)
                nWanted = qMax(nWanted, nCol + 1);
    }
    CsvReader reader(text);
    // Only the columns that have a code are kept, so a huge line costs one scan at most.
    while (reader.Next(nWanted)) {
        f.Clear();
        // An empty line has no columns at all, not one empty column: it never yields a
        // record, whatever its first code.
        const QList<QStringView>* cols = &reader.fields();
        if (bMapped && !cols->isEmpty()) {
            MapColumns(map, *cols, mapped, mappedViews);
            cols = &mappedViews;
        }
        const qsizetype n = qMin(sCodes.size(), cols->size());
        for (qsizetype j = 0; j < n; ++j) {
            if (bFullLay)
                TakeFullColumn(f, sCodes.at(j), cols->at(j));
            else
                TakePreSplitColumn(f, sCodes.at(j), cols->at(j));
        }
        if (bFullLay)
            FinishFull(f);
        if (HasContent(f))
            AppendRecord(out, f, bFullLay);
    }
    return out;
}

} // namespace hoplark
