#include "tagfile/AtIni.h"

#include "platform/Numbers.h"
#include "platform/TextFile.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <cmath>

using namespace Qt::StringLiterals;

namespace hoplark {

namespace {

const QString kCrLf = u"\r\n"_s;
const QChar kTab = QChar(9);

// The inner text between "<name>" and the first "</name>" after it, skipping `skip`
// characters behind the opening tag (its line break and the TAB of the first line, or the
// TAB of a tag line). Empty when either tag is missing or nothing lies between them.
QString Between(const QString& text, const QString& name, qsizetype skip) {
    const qsizetype p = text.indexOf(u'<' + name + u'>', 0, Qt::CaseInsensitive);
    if (p < 0)
        return {};
    const qsizetype q = text.indexOf(u"</"_s + name + u'>', p, Qt::CaseInsensitive);
    if (q < 0)
        return {};
    const qsizetype start = p + name.size() + skip;
    const qsizetype n = q - start;
    return n > 0 ? text.mid(start, n) : QString();
}

} // namespace

void AtIni::GetTxt(const QString& sFL, bool& bOk) {
    m_text.clear();
    bool bRead = false;
    if (QFileInfo(sFL).isFile())
        m_text = ReadTextFile(sFL, &bRead);
    if (!bRead)
        m_text.clear();
    bOk = !m_text.isEmpty();
}

bool AtIni::GetTxt(const QString& sFL) {
    bool bOk = false;
    GetTxt(sFL, bOk);
    return bOk;
}

QString AtIni::SetTxt(const QString& sFL) const {
    return WriteTextFile(sFL, m_text);
}

void AtIni::SetBlk(const QString& sGrp) {
    if (!sGrp.isEmpty()) {
        m_text += u'<' + sGrp + u'>' + kCrLf;
        m_openName = sGrp;
    } else {
        m_text += u"</"_s + m_openName + u'>' + kCrLf;
    }
}

void AtIni::GetBlk(const QString& sGrp, QString* vBLK) {
    // "<name>", CR LF and the TAB of the first tag line are passed over.
    m_block = Between(m_text, sGrp, 2 + 2 + 1);
    if (vBLK)
        *vBLK = m_block;
}

QString AtIni::TagText(const QString& sCp) const {
    // "<name>" and the TAB behind it are passed over.
    return Between(m_block, sCp, 2 + 1);
}

void AtIni::GetTag(const QString& sCp, QString& vDt) const {
    vDt = TagText(sCp);
}

void AtIni::GetTag(const QString& sCp, double& vDt) const {
    vDt = Num(TagText(sCp));
}

void AtIni::GetTag(const QString& sCp, TagDate& vDt) const {
    vDt = ParseDate(TagText(sCp));
}

void AtIni::GetTag(const QString& sCp, TagValue& vDt) const {
    std::visit([&](auto& v) { GetTag(sCp, v); }, vDt);
}

void AtIni::SetTag(const QString& sCp, const QString& vDt) {
    m_text += kTab + u'<' + sCp + u'>' + kTab + vDt + u"</"_s + sCp + u'>' + kCrLf;
}

void AtIni::SetTag(const QString& sCp, int vDt) {
    SetTag(sCp, QString::number(vDt));
}

void AtIni::SetTag(const QString& sCp, qint64 vDt) {
    SetTag(sCp, QString::number(vDt));
}

void AtIni::SetTag(const QString& sCp, double vDt) {
    SetTag(sCp, NumberText(vDt));
}

void AtIni::SetTag(const QString& sCp, const QDateTime& vDt) {
    SetTag(sCp, DateText(vDt));
}

void AtIni::SetTag(const QString& sCp, const TagValue& vDt) {
    std::visit(
        [&](const auto& v) {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, TagDate>)
                SetTag(sCp, v ? DateText(*v) : QString());
            else
                SetTag(sCp, v);
        },
        vDt);
}

QString AtIni::NumberText(double v) {
    // Up to 15 significant digits in plain decimal notation: the reading side takes digits,
    // sign and point only, so an exponent form would read back as its mantissa.
    if (!std::isfinite(v))
        return QString::number(v);
    const QString e = QString::number(v, 'e', 14); // "-d.dddddddddddddde+XX"
    const qsizetype nE = e.indexOf(u'e');
    const bool bNeg = e.startsWith(u'-');
    QString digits = e.mid(bNeg ? 1 : 0, nE - (bNeg ? 1 : 0)).remove(u'.');
    while (digits.size() > 1 && digits.endsWith(u'0'))
        digits.chop(1);
    if (digits == u"0"_s)
        return u"0"_s;
    // The point stands behind digit (exponent + 1).
    const int nPoint = e.mid(nE + 1).toInt() + 1;
    QString s;
    if (nPoint <= 0)
        s = u"0."_s + QString(-nPoint, u'0') + digits;
    else if (nPoint >= digits.size())
        s = digits + QString(nPoint - digits.size(), u'0');
    else
        s = digits.first(nPoint) + u'.' + digits.sliced(nPoint);
    return bNeg ? u'-' + s : s;
}

// The day a time-only value belongs to.
static const QDate kZeroDay(1899, 12, 30);

QString AtIni::DateText(const QDateTime& v) {
    const QTime t = v.time();
    const bool bTime = t.isValid() && t != QTime(0, 0);
    if (v.date() == kZeroDay && bTime)
        return t.toString(u"H:mm:ss"_s);
    QString s = v.date().toString(u"yyyy/MM/dd"_s);
    if (bTime)
        s += u' ' + t.toString(u"H:mm:ss"_s);
    return s;
}

TagDate AtIni::ParseDate(const QString& text) {
    // yyyy/M/d or yyyy-M-d, optionally followed by H:mm[:ss]; or the time alone.
    static const QRegularExpression re(
        uR"(^\s*(?:(\d{1,4})[/-](\d{1,2})[/-](\d{1,2}))?\s*(?:(\d{1,2}):(\d{2})(?::(\d{2}))?)?\s*$)"_s);
    const QRegularExpressionMatch m = re.match(text);
    if (!m.hasMatch() || text.trimmed().isEmpty())
        return std::nullopt;
    QDate d = kZeroDay;
    if (m.hasCaptured(1)) {
        d = QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
        if (!d.isValid())
            return std::nullopt;
    }
    QTime t(0, 0);
    if (m.hasCaptured(4)) {
        t = QTime(m.captured(4).toInt(), m.captured(5).toInt(),
                  m.hasCaptured(6) ? m.captured(6).toInt() : 0);
        if (!t.isValid())
            return std::nullopt;
    }
    return QDateTime(d, t);
}

} // namespace hoplark
