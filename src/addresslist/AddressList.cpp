#include "addresslist/AddressList.h"

#include "addresslist/CsvConvert.h"
#include "addresslist/ListText.h"
#include "platform/TextFile.h"

#include <QFileInfo>
#include <QStringView>

using namespace Qt::StringLiterals;

namespace hoplark {

namespace {

constexpr qsizetype kRowChars = 50;

// The first nMax comma-separated fields of a record line; returns how many there are
// (at most nMax).
int SplitFields(QStringView line, QStringView* fields, int nMax) {
    qsizetype start = 0;
    for (int i = 0; i < nMax; ++i) {
        qsizetype end = line.indexOf(u',', start);
        if (end < 0)
            end = line.size();
        fields[i] = line.sliced(start, end - start);
        if (end == line.size())
            return i + 1;
        start = end + 1;
    }
    return nMax;
}

// Appends text to a row, leaving out ";" and "'", while the row has fewer than nCut
// characters counted before the removal. Returns the characters still allowed.
qsizetype AppendRowText(QString& row, QStringView text, qsizetype nCut) {
    const qsizetype n = qMin(nCut, text.size());
    const qsizetype nOld = row.size();
    row.resize(nOld + n);
    QChar* out = row.data() + nOld;
    for (const QChar c : text.first(n))
        if (c != u';' && c != u'\'')
            *out++ = c;
    row.resize(out - row.constData());
    return nCut - n;
}

// The row of LsAdd for one record line; false when the line has too few fields.
bool DisplayRow(QStringView line, bool bFullLay, QString& row) {
    row.truncate(0);
    QStringView f[5];
    if (bFullLay) {
        if (SplitFields(line, f, 5) < 5)
            return false;
        // org " " names " " sama, without leading spaces, cut to 50 characters, then
        // without ";" and "'", trimmed: built in one pass.
        const QStringView parts[] = {f[2], u" ", f[3], u" ", f[4]};
        qsizetype nLeft = kRowChars;
        bool bLead = true;
        for (QStringView part : parts) {
            if (bLead) {
                part = TrimHalfLeft(part);
                bLead = part.isEmpty();
            }
            nLeft = AppendRowText(row, part, nLeft);
        }
    } else {
        if (SplitFields(line, f, 3) < 3)
            return false;
        AppendRowText(row, f[2], f[2].size());
    }
    const QStringView trimmed = TrimHalf(row);
    if (trimmed.size() != row.size())
        row = trimmed.toString();
    return true;
}

} // namespace

LoadRequest SplitLoadRequest(const QString& sCm) {
    LoadRequest req;
    const QString s = TrimHalf(sCm).toString();
    const qsizetype space = s.indexOf(u' ');
    if (space >= 0 && !QStringView(s).first(space).contains(u'/')) {
        req.bHasCodes = true;
        req.sCodes = s.first(space);
        req.sPath = s.sliced(space + 1);
    } else {
        req.sPath = s;
    }
    return req;
}

AddressList::Outcome AddressList::LoadAdrList(const QString& sCm) {
    const LoadRequest req = SplitLoadRequest(sCm);
    // A folder or a device is no list file; reading /dev/zero would never end.
    if (req.sPath.isEmpty() || !QFileInfo(req.sPath).isFile())
        return Outcome::Unchanged;

    // The file may vanish or fail between the test and the read: then nothing changes.
    bool bOk = false;
    const QString text = ReadTextFile(req.sPath, &bOk);
    if (!bOk || text.isEmpty())
        return Outcome::Unchanged;

    if (!req.bHasCodes)
        return FillAdrList(text);

    QString sCodes = req.sCodes;
    if (sCodes.contains(u'@')) {
        bFullLay = false;
    } else {
        bFullLay = true;
        if (sCodes.startsWith(u'['))
            sCodes = sCodes.size() >= 2 ? sCodes.sliced(1, sCodes.size() - 2) : QString();
    }
    return FillAdrList(ConvertCsv(text, sCodes, bFullLay));
}

AddressList::Outcome AddressList::FillAdrList(const QString& text) {
    QString all = text;
    TrimSepAll(all, u"\r\n"_s);

    colAdr.clear();
    rows.clear();
    const QStringView view(all);
    // The first line is the header.
    qsizetype start = IndexOfCrLf(view);
    if (start < 0) {
        nAdrIdx = 0;
        return Outcome::Filled;
    }
    start += 2;
    const qsizetype nGuess = view.count(u'\n');
    colAdr.reserve(nGuess);
    rows.reserve(nGuess);
    QString row;
    while (start <= view.size()) {
        qsizetype end = IndexOfCrLf(view, start);
        if (end < 0)
            end = view.size();
        const QStringView line = view.sliced(start, end - start);
        start = end + 2;
        // A short record line ends the fill: the rows before it stay, nothing is selected.
        if (!DisplayRow(line, bFullLay, row))
            return Outcome::Partial;
        colAdr.append(line.toString());
        rows.append(row);
    }
    nAdrIdx = 0;
    return Outcome::Filled;
}

void TidyField(QString& value) {
    // Trim, then every run of spaces becomes one space and every run of ";" one ";": the
    // same as replacing "  " and ";;" until none is left, in one pass.
    const QStringView trimmed = TrimHalf(value);
    QString out;
    out.reserve(trimmed.size());
    QChar prev;
    for (const QChar c : trimmed) {
        if (c == prev && (c == u' ' || c == u';'))
            continue;
        out += c;
        prev = c;
    }
    if (out.size() != value.size())
        value = out;
}

void TidyFields(QStringList& values) {
    for (QString& value : values)
        TidyField(value);
}

void TrimSepAll(QString& text, const QString& sep) {
    if (sep.isEmpty())
        return;
    const QStringView view(text);
    const qsizetype n = sep.size();
    qsizetype end = view.size();
    while (end >= n && view.sliced(end - n, n) == sep)
        end -= n;
    qsizetype start = 0;
    while (end - start >= n && view.sliced(start, n) == sep)
        start += n;
    if (start > 0 || end < text.size())
        text = text.sliced(start, end - start);
}

} // namespace hoplark
