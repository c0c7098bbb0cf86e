#include "addresslist/CsvConvert.h"

#include "addresslist/AddressList.h"
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

QString ConvertCsv(const QString& text, const QString& sCodes, bool bFullLay) {
    QString out;
    out.reserve(text.size() + text.size() / 4 + 16);
    RecordFields f;
    const QStringView all(text);
    qsizetype lineStart = 0;
    while (lineStart <= all.size()) {
        qsizetype lineEnd = IndexOfCrLf(all, lineStart);
        if (lineEnd < 0)
            lineEnd = all.size();
        const QStringView line = all.sliced(lineStart, lineEnd - lineStart);
        lineStart = lineEnd + 2;

        f.Clear();
        // An empty line has no columns at all, not one empty column: it never yields a
        // record, whatever its first code.
        // Only the columns that have a code are read, so a huge line costs one scan at most.
        qsizetype colStart = line.isEmpty() ? 1 : 0;
        for (qsizetype j = 0; j < sCodes.size() && colStart <= line.size(); ++j) {
            qsizetype colEnd = line.indexOf(u',', colStart);
            if (colEnd < 0)
                colEnd = line.size();
            const QStringView column = line.sliced(colStart, colEnd - colStart);
            colStart = colEnd + 1;
            if (bFullLay)
                TakeFullColumn(f, sCodes.at(j), column);
            else
                TakePreSplitColumn(f, sCodes.at(j), column);
        }
        if (bFullLay)
            FinishFull(f);
        if (HasContent(f))
            AppendRecord(out, f, bFullLay);
    }
    return out;
}

} // namespace hoplark
