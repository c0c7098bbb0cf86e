#include "addresslist/AddressList.h"

#include "addresslist/CsvConvert.h"
#include "addresslist/TextTrim.h"
#include "platform/TextFile.h"

#include <QFileInfo>
#include <QStringView>

using namespace Qt::StringLiterals;

namespace hoplark {

namespace {

constexpr qsizetype kRowChars = 50;

// The n-th (0-based) comma-separated field of a record line, or nothing when the line has
// fewer fields.
bool FieldAt(QStringView line, int n, QStringView& field) {
    qsizetype start = 0;
    for (int i = 0; i < n; ++i) {
        const qsizetype comma = line.indexOf(u',', start);
        if (comma < 0)
            return false;
        start = comma + 1;
    }
    qsizetype end = line.indexOf(u',', start);
    if (end < 0)
        end = line.size();
    field = line.sliced(start, end - start);
    return true;
}

// The row of LsAdd for one record line; false when the line has too few fields.
bool DisplayRow(QStringView line, bool bFullLay, QString& row) {
    if (bFullLay) {
        QStringView org, names, sama;
        if (!FieldAt(line, 2, org) || !FieldAt(line, 3, names) || !FieldAt(line, 4, sama))
            return false;
        QString joined;
        joined.reserve(org.size() + names.size() + sama.size() + 2);
        joined += org;
        joined += u' ';
        joined += names;
        joined += u' ';
        joined += sama;
        row = TrimHalfLeft(joined).left(kRowChars);
    } else {
        QStringView names;
        if (!FieldAt(line, 2, names))
            return false;
        row = names.toString();
    }
    row.remove(u';');
    row.remove(u'\'');
    row = TrimHalf(row);
    return true;
}

} // namespace

LoadRequest SplitLoadRequest(const QString& sCm) {
    LoadRequest req;
    const QString s = TrimHalf(sCm);
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
    static const QString kCrLf = u"\r\n"_s;
    QString all = text;
    TrimSepAll(all, kCrLf);

    colAdr.clear();
    rows.clear();
    const QStringView view(all);
    // The first line is the header.
    qsizetype start = view.indexOf(kCrLf);
    if (start < 0) {
        nAdrIdx = 0;
        return Outcome::Filled;
    }
    start += kCrLf.size();
    const qsizetype nGuess = view.count(kCrLf);
    colAdr.reserve(nGuess);
    rows.reserve(nGuess);
    QString row;
    while (start <= view.size()) {
        qsizetype end = view.indexOf(kCrLf, start);
        if (end < 0)
            end = view.size();
        const QStringView line = view.sliced(start, end - start);
        start = end + kCrLf.size();
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
    value = TrimHalf(value);
    while (value.contains(u"  "_s))
        value.replace(u"  "_s, u" "_s);
    while (value.contains(u";;"_s))
        value.replace(u";;"_s, u";"_s);
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
