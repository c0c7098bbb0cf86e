#include "addresslist/SamaRules.h"

#include "addresslist/ListText.h"
#include "platform/Numbers.h"
#include "platform/Width.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace hoplark {

namespace {

const QString kCrLf = u"\r\n"_s;

QString WithoutSpaces(QString s) {
    s.remove(u' ');
    s.remove(QChar(0x3000));
    return s;
}

// The entries of a stored list in upper case; with the flag "1" each gets one leading
// space, so that it matches only an ending that stands apart in the name.
QStringList SuffixArray(const QString& sList, bool bSpaced) {
    QString s = sList;
    if (bSpaced)
        s = u' ' + s.replace(u","_s, u", "_s);
    if (s.isEmpty())
        return {};
    return s.toUpper().split(u',');
}

} // namespace

namespace {

bool IsKatakana(QChar c) {
    const char16_t u = c.unicode();
    return (u >= 0x30A1 && u <= 0x30FA) || u == 0x30FC || (u >= 0xFF66 && u <= 0xFF9F);
}

} // namespace

bool SamaRules::IsJointName(const QString& sEntry) {
    if (sEntry.startsWith(u'\'') || !sEntry.contains(u'・'))
        return false;
    // An honorific placed already stands after a blank behind the last name.
    const qsizetype nLastDot = sEntry.lastIndexOf(u'・');
    qsizetype nEnd = sEntry.size();
    for (qsizetype i = nLastDot + 1; i < sEntry.size(); ++i) {
        if (sEntry[i] == u' ' || sEntry[i] == QChar(0x3000)) {
            nEnd = i;
            break;
        }
    }
    const QString sName = sEntry.left(nEnd);
    if (sName.contains(u' ') || sName.contains(QChar(0x3000)))
        return true;
    const QStringList parts = sName.split(u'・');
    for (const QString& part : parts)
        if (part.isEmpty() || !std::all_of(part.cbegin(), part.cend(), IsKatakana))
            return true;
    return false;
}

bool SamaRules::IsNoHonorific(const QString& sHonorific) {
    return sHonorific == u"なし"_s || sHonorific == u"無し"_s || sHonorific == u"不要"_s;
}

void SamaRules::ReadSamaRule(const QString& sList, const QString& sFlag) {
    const QString list = WithoutSpaces(sList);
    txSamaE = QString(list).replace(u',', kCrLf);
    // A check box holds 0, 1 (checked) or 2 (grey); any other stored number clears it.
    const double n = Num(sFlag);
    chSama = (n == 1 || n == 2) ? static_cast<int>(n) : 0;
    aSuffix = SuffixArray(list, sFlag == u"1"_s);
}

void SamaRules::GetSamaRule(QString& sList, QString& sFlag) {
    sFlag = chSama == 1 ? u"1"_s : u"0"_s;
    QString list = WithoutSpaces(txSamaE);
    list.replace(kCrLf, u","_s);
    // The text box of a Qt window ends its lines with LF alone.
    list.replace(u'\n', u',');
    list.replace(u'\r', u',');
    while (list.contains(u",,"_s))
        list.replace(u",,"_s, u","_s);
    while (list.endsWith(u','))
        list.chop(1);
    txSamaE = QString(list).replace(u',', kCrLf);
    aSuffix = SuffixArray(list, sFlag == u"1"_s);
    sList = list;
}

void SamaRules::CutSuffix(QString& sName, QString& sSuffix, bool& bNotFound) const {
    sSuffix.clear();
    bNotFound = true;
    // The key is narrowed, the entries are not: an entry in full-width letters, digits or
    // katakana never matches. The cut length below comes from the key.
    const QString key = Narrow(sName.toUpper());
    for (const QString& entry : aSuffix) {
        if (key.right(entry.size()) != entry)
            continue;
        sSuffix = TrimHalfLeft(entry).toString();
        const qsizetype nKeep = qMin(sName.size(), key.size() - sSuffix.size());
        sName = TrimBlank(QStringView(sName).first(qMax<qsizetype>(0, nKeep))).toString();
        bNotFound = false;
        return;
    }
}

void SamaRules::ApplySama(QString& sNames, QString& sHonorific, const QString& sDefault) {
    if (sHonorific.isEmpty())
        sHonorific = sDefault;
    const bool bNone = IsNoHonorific(sHonorific);

    // Only a joint name takes the "・" way: a title or a foreign name with "・" gets its
    // honorific like any other entry.
    const QStringList entries = sNames.split(u';');
    if (std::any_of(entries.cbegin(), entries.cend(), IsJointName)) {
        // A joint name in one column: the composition writes sDotSama once after it.
        sDotSama = bNone ? QString() : sHonorific;
        QStringList parts = sNames.split(u'・');
        for (QString& part : parts) {
            if (part.endsWith(sHonorific, Qt::CaseInsensitive)) {
                part.chop(sHonorific.size());
                part = TrimBlank(part).toString();
            }
        }
        sNames = parts.join(u'・');
        return;
    }

    QString out;
    out.reserve(sNames.size() + entries.size() * (sHonorific.size() + 2));
    for (const QString& entry : entries) {
        if (entry.isEmpty() || entry == u"'"_s)
            continue;
        if (entry.startsWith(u'\'') || bNone) {
            out += entry;
        } else if (entry.endsWith(sHonorific, Qt::CaseInsensitive)) {
            out += entry;
            out += u' ';
        } else {
            QString sName = entry;
            QString sSuffix;
            bool bNotFound = true;
            CutSuffix(sName, sSuffix, bNotFound);
            out += sName;
            out += u' ';
            out += bNotFound ? sHonorific : sSuffix;
        }
        out += u';';
    }
    out.chop(out.endsWith(u';') ? 1 : 0);
    sNames = out;
}

} // namespace hoplark
