#include "sender/Sasi.h"

#include "platform/MsgBox.h"
#include "sender/TextFiles.h"

using namespace Qt::StringLiterals;

namespace hoplark {

namespace {

// Blanks are code 32 only, as in the file rules.
QString TrimBlanks(const QString& s) {
    qsizetype a = 0;
    qsizetype b = s.size();
    while (a < b && s.at(a) == u' ')
        ++a;
    while (b > a && s.at(b - 1) == u' ')
        --b;
    return s.mid(a, b - a);
}

void RemoveLeadingSeps(QString& s) {
    qsizetype i = 0;
    while (i < s.size() && s.at(i) == u';')
        ++i;
    s.remove(0, i);
}

// The four values of the sender being read.
struct SasiValues {
    QString sZip, sAdr, sWork, sName;
    bool empty() const {
        return sZip.isEmpty() && sAdr.isEmpty() && sWork.isEmpty() && sName.isEmpty();
    }
};

QString BuildRecord(SasiValues v) {
    FitSep(v.sZip, 1);
    FitSep(v.sAdr, 4);
    FitSep(v.sWork, 3);
    v.sName.remove(u' ');
    RemoveLeadingSeps(v.sName);
    v.sName.replace(u';', u' ');
    return v.sZip + v.sAdr + v.sWork + v.sName;
}

} // namespace

QString SasiPath(const QString& UsrFld) {
    return UsrFld + u"Paper/差出人.ini"_s;
}

void FitSep(QString& sValue, int c) {
    if (c < 1)
        c = 1;
    RemoveLeadingSeps(sValue);
    QString s = sValue;
    if (s.endsWith(u';'))
        s.chop(1); // a closing ";" ends the last field, it opens none
    QStringList fields;
    if (!s.isEmpty())
        fields = s.split(u';');
    while (fields.size() < c)
        fields << QString();
    if (fields.size() > c) {
        const QString sTail = fields.mid(c - 1).join(u' ');
        fields.resize(c - 1);
        fields << sTail;
    }
    sValue.clear();
    for (const QString& f : fields)
        sValue += f + u';';
}

QStringList SasiRecords(const QString& sFileText) {
    QString sText = sFileText;
    sText.replace(QChar(0x3000), u';');
    // Lines end in CR LF; a file saved with bare LF by another editor reads the same.
    QStringList lines = sText.split(u'\n');
    QStringList records;
    SasiValues cur;
    const auto endSender = [&] {
        if (!cur.empty())
            records << BuildRecord(cur);
        cur = SasiValues();
    };
    for (QString& line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        line = TrimBlanks(line);
        if (line.isEmpty()) {
            endSender();
            continue;
        }
        const QString sTag = line.left(4);
        const QString sValue = TrimBlanks(line.mid(4));
        if (sTag == u"<郵便>"_s)
            cur.sZip = sValue;
        else if (sTag == u"<住所>"_s)
            cur.sAdr = sValue;
        else if (sTag == u"<勤務>"_s)
            cur.sWork = sValue;
        else if (sTag == u"<名前>"_s)
            cur.sName = sValue;
        // any other line is a comment
    }
    endSender();
    return records;
}

SasiView ShowSasi(const QString& UsrFld, qint16& n) {
    QString sWhy;
    const QStringList records = SasiRecords(F_GetTxt(SasiPath(UsrFld), &sWhy));
    if (!sWhy.isEmpty())
        MsgBox(sWhy); // no sender is shown rather than a wrong one, and nothing is lost
    SasiView view;
    if (records.isEmpty())
        return view;
    if (n < 1)
        n = 1;
    if (n > records.size())
        n = static_cast<qint16>(qMin<qsizetype>(records.size(), 32767));
    const QStringList fields = records.at(n - 1).split(u';');
    for (int i = 0; i < 9 && i < fields.size(); ++i)
        view.txAdd[i] = fields.at(i);
    view.nMin = 1;
    view.nMax = static_cast<int>(qMin<qsizetype>(records.size(), 32767));
    view.bEnabled = true;
    return view;
}

QString SasiEditText(const QString& sFileText) {
    QString s = sFileText;
    s.replace(u"\r\n"_s, u"\n"_s);
    return s;
}

QString SasiFileText(const QString& sEditText) {
    QString s = SasiEditText(sEditText); // no CR CR LF from text that already had CR LF
    s.replace(u"\n"_s, u"\r\n"_s);
    return s;
}

QString CloseSasi(const QString& UsrFld, QString& sTx, const QString& sEdited, bool bUpd,
                  bool& bUdt) {
    bUdt = false;
    if (!bUpd || sEdited == sTx)
        return {};
    const QString sMsg = F_PutTxt(SasiPath(UsrFld), SasiFileText(sEdited), false);
    if (!sMsg.isEmpty())
        return sMsg;
    sTx = sEdited;
    bUdt = true;
    return {};
}

} // namespace hoplark
