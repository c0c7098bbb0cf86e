#include "environment/UserEnv.h"

#include "platform/Cp932.h"
#include "platform/MsgBox.h"
#include "platform/Numbers.h"
#include "platform/TextFile.h"

#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace hoplark {

namespace {

const QString kCrLf = u"\r\n"_s;
const QString kRoot = u"運用"_s;

// Where an element stands in a text, found as the reader finds it: the first opening tag and
// the first closing tag, both from the start.
struct Element {
    enum State { Missing, Pair, Broken } state = Missing;
    qsizetype nOpen = -1;  // index of "<name>"
    qsizetype nInner = -1; // first character behind the opening tag
    qsizetype nClose = -1; // index of "</name>"
    // Index of the first of the two tags that is present (a broken element's remains).
    qsizetype first() const {
        if (nOpen < 0)
            return nClose;
        if (nClose < 0)
            return nOpen;
        return qMin(nOpen, nClose);
    }
};

Element FindElement(const QString& sSrc, const QString& sNm) {
    Element e;
    const QString sOpen = u"<"_s + sNm + u">"_s;
    e.nOpen = sSrc.indexOf(sOpen);
    e.nClose = sSrc.indexOf(u"</"_s + sNm + u">"_s);
    if (e.nOpen < 0 && e.nClose < 0)
        return e;
    e.nInner = e.nOpen + sOpen.size();
    e.state = e.nOpen >= 0 && e.nClose >= e.nInner ? Element::Pair : Element::Broken;
    return e;
}

// Start of the line that holds index n. lastIndexOf counts a negative start from the end,
// so index 0 is answered here: it would otherwise give the start of the last line.
qsizetype LineStart(const QString& s, qsizetype n) {
    return n <= 0 ? 0 : s.lastIndexOf(QChar(10), n - 1) + 1;
}

QVariant ToBoolean(const QString& s, const QVariant& vDef, bool* pbOk) {
    const QString t = s.trimmed();
    if (t.compare(u"true"_s, Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(u"false"_s, Qt::CaseInsensitive) == 0)
        return false;
    bool bNum = false;
    const double v = t.toDouble(&bNum);
    if (bNum)
        return v != 0.0;
    if (pbOk)
        *pbOk = false;
    return vDef;
}

QVariant ToDate(const QString& s, const QVariant& vDef) {
    QDateTime dt;
    for (const QString& fmt : {u"yyyy/M/d H:mm:ss"_s, u"yyyy/M/d H:mm"_s})
        if (!dt.isValid())
            dt = QDateTime::fromString(s.trimmed(), fmt);
    if (!dt.isValid()) {
        QDate d = QDate::fromString(s.trimmed(), u"yyyy/M/d"_s);
        if (!d.isValid())
            d = QDate::fromString(s.trimmed(), Qt::ISODate);
        if (d.isValid())
            dt = d.startOfDay();
    }
    if (!dt.isValid())
        dt = QDateTime::fromString(s.trimmed(), Qt::ISODate);
    if (!dt.isValid())
        return vDef;
    if (vDef.typeId() == QMetaType::QDate)
        return dt.date();
    return dt;
}

} // namespace

QString UserEnv::MakeElm(int nMode, const QString& sNm, const QString& sVL) {
    QString s;
    switch (nMode) {
    case 0:
        s = u"<?xml version='1.0' encoding='Shift-JIS' ?>‡<"_s + sNm + u">"_s + sVL + u"</"_s +
            sNm + u">"_s;
        break;
    case 1:
        s = u"   <"_s + sNm + u">‡"_s + sVL + u"   </"_s + sNm + u">‡"_s;
        break;
    default:
        s = u"      <"_s + sNm + u">"_s + sVL + u"</"_s + sNm + u">‡"_s;
        break;
    }
    return s.replace(QChar(0x2021), kCrLf);
}

QString UserEnv::EmptyDocument() {
    return MakeElm(0, kRoot, kCrLf);
}

QString UserEnv::GetElm(int nMode, const QString& sNm) const {
    const QString& sSrc = nMode == 0 ? m_sDoc : m_sGtx;
    if (sSrc.isEmpty())
        return {};
    const Element e = FindElement(sSrc, sNm);
    if (e.state == Element::Missing)
        return {};
    if (e.state == Element::Broken) {
        MsgBox(u"<"_s + sNm + u"> の設定が読み込めません"_s + QChar(13) + u"ﾕｰｻﾞｰ環境ﾌｧｲﾙ("_s +
               m_sPath + u") が破損しています"_s);
        return {};
    }
    const qsizetype nLen = e.nClose - e.nInner;
    if (nMode == 1)
        return sSrc.mid(e.nInner, nLen);
    // A group's value lines lie between the CR LF behind its opening tag and the three blanks
    // in front of its closing tag. Fewer than five characters hold no value line at all.
    if (nLen < 5)
        return {};
    return sSrc.mid(e.nInner + 2, nLen - 5);
}

void UserEnv::GetTxt(const QString& sFL, bool& bOk) {
    bOk = false;
    m_sDoc.clear();
    m_bUnread = false;
    m_sReadMsg.clear();
    m_sPath = sFL;
    const qsizetype nDv = m_sPath.indexOf(u"_DV.xml"_s, 0, Qt::CaseInsensitive);
    if (nDv >= 0)
        m_sPath.replace(nDv, 7, u".xml"_s);

    if (QFileInfo::exists(m_sPath)) {
        bool bRead = false;
        const QByteArray bytes = ReadBinaryFile(m_sPath, &bRead, &m_sReadMsg);
        if (!bRead) {
            m_bUnread = true;
            return;
        }
        // A file of nothing but line breaks and blanks holds no group. One that merely begins
        // with a line break is still read whole: treating it as empty would overwrite its
        // groups at the end.
        const QString sText = DecodeCp932(bytes);
        if (!sText.trimmed().isEmpty())
            m_sDoc = sText;
    } else {
        QFile f(m_sPath);
        if (!f.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return;
    }
    if (m_sDoc.isEmpty())
        m_sDoc = EmptyDocument();
    bOk = true;
}

void UserEnv::GetGtx(const QString& sGp) {
    m_sGrp = sGp;
    m_sGtx = GetElm(0, sGp);
}

QVariant UserEnv::vGtVal(const QString& sKy, const QVariant& vDef, bool* pbOk) {
    if (pbOk)
        *pbOk = true;
    const QString s = GetElm(1, sKy);
    switch (vDef.typeId()) {
    case QMetaType::QString:
        return s.isEmpty() ? vDef : QVariant(s);
    case QMetaType::Bool:
        return s.isEmpty() ? vDef : ToBoolean(s, vDef, pbOk);
    case QMetaType::QDate:
    case QMetaType::QDateTime:
        return s.isEmpty() ? vDef : ToDate(s, vDef);
    default:
        return s.isEmpty() ? vDef : QVariant(Num(s));
    }
}

QString UserEnv::ValueText(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::Bool:
        return v.toBool() ? u"True"_s : u"False"_s;
    case QMetaType::QDate:
        return v.toDate().toString(u"yyyy/MM/dd"_s);
    case QMetaType::QDateTime: {
        const QDateTime dt = v.toDateTime();
        if (dt.time() == QTime(0, 0))
            return dt.toString(u"yyyy/MM/dd"_s);
        return dt.toString(u"yyyy/MM/dd H:mm:ss"_s);
    }
    case QMetaType::Double:
    case QMetaType::Float:
        return NumText(v.toDouble());
    default:
        return v.toString();
    }
}

bool UserEnv::HasKey(const QString& sKy) const {
    return FindElement(m_sGtx, sKy).state != Element::Missing;
}

void UserEnv::SetVal(const QString& sKy, const QVariant& vVL) {
    // A value holding tags would be read as elements of its own (a list read from a broken
    // file can carry "<用紙>…</用紙>"): its angle brackets are stored full-width.
    QString sVL = ValueText(vVL);
    sVL.replace(u'<', u'＜');
    sVL.replace(u'>', u'＞');
    const Element e = FindElement(m_sGtx, sKy);
    // A pair whose value holds a tag spans other elements (broken remains, or a line another
    // SetVal put there): replacing it would take them along, so it counts as broken.
    const bool bSpansTags =
        e.state == Element::Pair && m_sGtx.mid(e.nInner, e.nClose - e.nInner).contains(u'<');
    switch (bSpansTags ? Element::Broken : e.state) {
    case Element::Pair:
        m_sGtx = m_sGtx.left(e.nInner) + sVL + m_sGtx.mid(e.nClose);
        break;
    case Element::Missing:
        m_sGtx += MakeElm(2, sKy, sVL);
        break;
    case Element::Broken:
        // In front of the broken remains, so that the next reading finds this line first.
        m_sGtx.insert(LineStart(m_sGtx, e.first()), MakeElm(2, sKy, sVL));
        break;
    }
}

void UserEnv::SetGtx() {
    if (m_sDoc.isEmpty())
        m_sDoc = EmptyDocument();
    const Element e = FindElement(m_sDoc, m_sGrp);
    switch (e.state) {
    case Element::Pair:
        if (e.nClose - e.nInner >= 5) {
            m_sDoc = m_sDoc.left(e.nInner + 2) + m_sGtx + u"   "_s + m_sDoc.mid(e.nClose);
        } else {
            // "<G></G>" and the like: laid out anew; nothing of another group fits in there.
            m_sDoc = m_sDoc.left(e.nInner) + kCrLf + m_sGtx + u"   "_s + m_sDoc.mid(e.nClose);
        }
        break;
    case Element::Broken:
        m_sDoc.insert(LineStart(m_sDoc, e.first()), MakeElm(1, m_sGrp, m_sGtx));
        break;
    case Element::Missing: {
        const qsizetype nRootEnd = m_sDoc.indexOf(u"</"_s + kRoot + u">"_s);
        if (nRootEnd >= 0) {
            m_sDoc.insert(nRootEnd, MakeElm(1, m_sGrp, m_sGtx));
        } else {
            // A document without its closing root tag (cut short): the group and the closing
            // tag go behind everything it holds.
            if (!m_sDoc.endsWith(QChar(10)))
                m_sDoc += kCrLf;
            m_sDoc += MakeElm(1, m_sGrp, m_sGtx) + u"</"_s + kRoot + u">"_s;
        }
        break;
    }
    }
}

void UserEnv::SetTxt(bool& bOk, QString* pMsg) {
    if (m_sPath.isEmpty())
        return;
    if (m_bUnread) {
        bOk = false;
        return;
    }
    const QString sMsg = WriteTextFile(m_sPath, m_sDoc);
    bOk = sMsg.isEmpty();
    if (pMsg)
        *pMsg = sMsg;
}

void AppEnd(UserEnv& env) {
    bool bOk = false;
    QString sMsg;
    env.SetTxt(bOk, &sMsg);
    if (!sMsg.isEmpty())
        MsgBox(sMsg + QChar(13) + u"今回の設定は保存されませんでした"_s);
    QCoreApplication::exit(0);
}

} // namespace hoplark
