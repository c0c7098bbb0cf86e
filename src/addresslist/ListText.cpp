#include "addresslist/TextTrim.h"

namespace hoplark {

namespace {

constexpr char16_t kSpace = u' ';
constexpr char16_t kWideSpace = 0x3000;

bool IsHalf(QChar c) {
    return c.unicode() == kSpace;
}
bool IsHalfOrWide(QChar c) {
    return c.unicode() == kSpace || c.unicode() == kWideSpace;
}

template <typename Pred> QString Trim(QStringView text, Pred isPad, bool bRight) {
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && isPad(text[start]))
        ++start;
    while (bRight && end > start && isPad(text[end - 1]))
        --end;
    return text.sliced(start, end - start).toString();
}

} // namespace

QString TrimHalf(QStringView text) {
    return Trim(text, IsHalf, true);
}
QString TrimHalfLeft(QStringView text) {
    return Trim(text, IsHalf, false);
}
QString TrimBlank(QStringView text) {
    return Trim(text, IsHalfOrWide, true);
}

bool IsBlankHalf(QStringView text) {
    for (const QChar c : text)
        if (!IsHalf(c))
            return false;
    return true;
}

} // namespace hoplark
