#include "profile/PrintAdjust.h"

#include <QRegularExpression>

#include <cstdlib>

using namespace Qt::StringLiterals;

namespace hoplark {

std::optional<int> AdjValue(const QString& value) {
    static const QRegularExpression kWhole(u"^[+-]?[0-9]{1,4}$"_s);
    const QString s = value.trimmed();
    if (!kWhole.match(s).hasMatch())
        return std::nullopt;
    const int n = s.toInt();
    if (n < -kAdjMax || n > kAdjMax)
        return std::nullopt;
    return n;
}

std::optional<int> AdjFromMm(const QString& mm) {
    static const QRegularExpression kMm(u"^([+-]?)([0-9]{0,3})(?:\\.([0-9]?))?$"_s);
    const QRegularExpressionMatch m = kMm.match(mm.trimmed());
    // Digits are needed on one side of the point at least.
    if (!m.hasMatch() || (m.captured(2).isEmpty() && m.captured(3).isEmpty()))
        return std::nullopt;
    const int n = m.captured(2).toInt() * 10 + m.captured(3).toInt();
    if (n > kAdjMax)
        return std::nullopt;
    return m.captured(1) == u"-"_s ? -n : n;
}

QString AdjMmText(int nTenths) {
    const QString s =
        QString::number(std::abs(nTenths) / 10) + u'.' + QString::number(std::abs(nTenths) % 10);
    return nTenths < 0 ? u'-' + s : s;
}

QString AdjRefusedText(const QString& value) {
    return u"印刷位置の補正「%1」は使えません\r-10.0～10.0 (mm) の範囲で 0.1 mm 単位で入力してください"_s
        .arg(value);
}

QString AdjLoadedAsZeroText(const QString& sKey, const QString& value) {
    return u"頁設定ﾌｧｲﾙの <%1> の値「%2」は使えません (-100～100, 0.1 mm 単位)\r0 として読み込みました"_s
        .arg(sKey, value);
}

} // namespace hoplark
