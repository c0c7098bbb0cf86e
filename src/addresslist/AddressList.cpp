#include "addresslist/AddressList.h"

#include "addresslist/CsvConvert.h"
#include "addresslist/ListText.h"
#include "addresslist/VCard.h"
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

bool IsLineBreak(QChar c) {
    return c == u'\r' || c == u'\n';
}

// What the skipped lines were, one kind of fault a line, at most a few line numbers each.
QString SkippedText(const QList<AddressList::Skipped>& skipped) {
    constexpr int kShown = 20;
    QStringList empty, shortLines;
    int nEmpty = 0, nShort = 0;
    for (const AddressList::Skipped& s : skipped) {
        if (s.nFields == 0) {
            if (nEmpty++ < kShown)
                empty << QString::number(s.nLine);
        } else if (nShort++ < kShown) {
            shortLines << QString::number(s.nLine);
        }
    }
    QStringList parts;
    const auto add = [&](const QString& sWhat, const QStringList& lines, int n) {
        if (n == 0)
            return;
        QString s = sWhat + lines.join(u", "_s);
        if (n > kShown)
            s += u" ほか %1 行"_s.arg(n - kShown);
        parts << s;
    };
    add(u"項目が足りない行: "_s, shortLines, nShort);
    add(u"空の行: "_s, empty, nEmpty);
    return parts.join(QChar(13));
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

bool ReadListFile(const QString& sPath, ListEncoding enc, QString& text, QString& sWhy) {
    sWhy.clear();
    text.clear();
    if (sPath.isEmpty() || !QFileInfo::exists(sPath))
        return false;
    // The file may vanish or fail between the test and the read; a folder or a device is no
    // list file (reading /dev/zero would never end).
    bool bOk = false;
    const QByteArray bytes = ReadBinaryFile(sPath, &bOk, &sWhy);
    if (!bOk) {
        if (sWhy.isEmpty())
            sWhy = u"ファイル %1 を読み込めません"_s.arg(sPath);
        return false;
    }
    QString sNotText;
    if (!DecodeList(bytes, enc, text, sNotText)) {
        sWhy = u"ファイル %1 を読み込めません"_s.arg(sPath) + QChar(13) + sNotText;
        return false;
    }
    // An address book in vCard form reads as a list whose header names its columns.
    if (IsVCard(text))
        text = VCardToCsv(text);
    return true;
}

AddressList::Outcome AddressList::LoadAdrList(const QString& sCm, ListEncoding enc,
                                              const ColumnMap& map) {
    sLoadMsg.clear();
    skipped.clear();
    const LoadRequest req = SplitLoadRequest(sCm);
    QString text;
    if (!ReadListFile(req.sPath, enc, text, sLoadMsg))
        return sLoadMsg.isEmpty() ? Outcome::Unchanged : Outcome::Refused;
    return LoadListText(req, std::move(text), map);
}

AddressList::Outcome AddressList::LoadListText(const LoadRequest& req, QString text,
                                               const ColumnMap& map) {
    sLoadMsg.clear();
    skipped.clear();
    const auto refuse = [&](const QList<Skipped>& lines) {
        sLoadMsg = u"%1 には宛名がありません"_s.arg(req.sPath);
        if (!lines.isEmpty())
            sLoadMsg += QChar(13) + SkippedText(lines);
        return Outcome::Refused;
    };
    if (!req.bHasCodes) {
        // A short line may leave nothing to show: the fill happens on a copy, and a file that
        // yields no record leaves the list as it was.
        AddressList next = *this;
        next.FillAdrList(text);
        if (next.count() == 0)
            return refuse(next.skipped);
        *this = std::move(next);
    } else {
        QString sCodes = req.sCodes;
        const bool bFull = !sCodes.contains(u'@');
        if (bFull && sCodes.startsWith(u'['))
            sCodes = sCodes.size() >= 2 ? sCodes.sliced(1, sCodes.size() - 2) : QString();
        QString records = ConvertCsv(text, sCodes, bFull, map);
        text = QString();
        // Every converted line is a whole record line: a header and one more make a list.
        // Known before the old list goes, so that only one of them is ever held.
        const qsizetype nFirstEnd = records.indexOf(u"\r\n"_s);
        if (nFirstEnd < 0 || nFirstEnd + 2 >= records.size())
            return refuse({});
        bFullLay = bFull;
        FillAdrList(std::exchange(records, QString()));
    }
    if (!skipped.isEmpty())
        sLoadMsg = u"%1 の次の行は読み込みませんでした"_s.arg(req.sPath) + QChar(13) +
                   SkippedText(skipped);
    return Outcome::Filled;
}

AddressList::Outcome AddressList::FillAdrList(const QString& text) {
    colAdr.Adopt(text); // the lines stay pieces of the text, which is shared, not copied
    skipped.clear();
    const QStringView all(text);
    // Line breaks around the text are dropped, those in front counted for the line numbers.
    qsizetype start = 0;
    int nLine = 1;
    while (start < all.size() && IsLineBreak(all[start])) {
        if (!(all[start] == u'\r' && start + 1 < all.size() && all[start + 1] == u'\n'))
            ++nLine;
        ++start;
    }
    qsizetype end = all.size();
    while (end > start && IsLineBreak(all[end - 1]))
        --end;
    const QStringView view = all.sliced(start, end - start);
    nAdrIdx = 0;
    if (view.isEmpty())
        return Outcome::Filled;
    // The first line is the header.
    qsizetype pos = 0;
    NextLine(view, pos);
    ++nLine;
    const qsizetype nGuess = view.count(u'\n') + 1;
    colAdr.reserve(nGuess);
    QString row;
    while (pos < view.size()) {
        const QStringView line = NextLine(view, pos);
        // A short record line is left out; the lines after it still load.
        if (!DisplayRow(line, bFullLay, row)) {
            skipped.append({nLine++, line.isEmpty() ? 0 : static_cast<int>(line.count(u',')) + 1});
            continue;
        }
        ++nLine;
        colAdr.AddPiece(line.data() - text.constData(), line.size());
    }
    return Outcome::Filled;
}

QString AddressList::Row(qsizetype i) const {
    QString row;
    if (i >= 0 && i < colAdr.size())
        DisplayRow(colAdr.view(i), bFullLay, row);
    return row;
}

QStringList AddressList::Rows() const {
    QStringList out;
    out.reserve(colAdr.size());
    for (qsizetype i = 0; i < colAdr.size(); ++i)
        out.append(Row(i));
    return out;
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
