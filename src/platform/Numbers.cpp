#include "platform/Numbers.h"

#include <cfenv>
#include <limits>

namespace hoplark {

double Num(const QString& text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text.at(i) == QLatin1Char(' ') || text.at(i) == QLatin1Char('\t')))
        ++i;
    QString digits;
    if (i < n && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+')))
        digits += text.at(i++);
    bool seenPoint = false;
    bool seenDigit = false;
    for (; i < n; ++i) {
        const QChar c = text.at(i);
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            digits += c;
            seenDigit = true;
        } else if (c == QLatin1Char('.') && !seenPoint) {
            digits += c;
            seenPoint = true;
        } else {
            break;
        }
    }
    if (!seenDigit)
        return 0.0;
    bool ok = false;
    const double v = digits.toDouble(&ok);
    return ok ? v : 0.0;
}

int Nearest(double v) {
    if (!std::isfinite(v) || v > std::numeric_limits<int>::max() + 0.5 ||
        v < std::numeric_limits<int>::min() - 0.5)
        throw OverflowError();
    const double r = std::nearbyint(v); // default rounding mode: halves to even
    if (r > std::numeric_limits<int>::max() || r < std::numeric_limits<int>::min())
        throw OverflowError();
    return static_cast<int>(r);
}

QString NumText(double v) {
    QString s = QString::number(v, 'f', 6);
    if (s.contains(QLatin1Char('.'))) {
        while (s.endsWith(QLatin1Char('0')))
            s.chop(1);
        if (s.endsWith(QLatin1Char('.')))
            s.chop(1);
    }
    if (s == QLatin1String("-0"))
        s = QStringLiteral("0");
    return s;
}

} // namespace hoplark
