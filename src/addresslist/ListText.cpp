#include "addresslist/ListText.h"

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

template <typename Pred> QStringView Trim(QStringView text, Pred isPad, bool bRight) {
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && isPad(text[start]))
        ++start;
    while (bRight && end > start && isPad(text[end - 1]))
        --end;
    return text.sliced(start, end - start);
}

} // namespace

QStringView TrimHalf(QStringView text) {
    return Trim(text, IsHalf, true);
}
QStringView TrimHalfLeft(QStringView text) {
    return Trim(text, IsHalf, false);
}
QStringView TrimBlank(QStringView text) {
    return Trim(text, IsHalfOrWide, true);
}

bool IsBlankHalf(QStringView text) {
    for (const QChar c : text)
        if (!IsHalf(c))
            return false;
    return true;
}

qsizetype IndexOfCrLf(QStringView text, qsizetype from) {
    while (from < text.size()) {
        const qsizetype cr = text.indexOf(u'\r', from);
        if (cr < 0 || cr + 1 >= text.size())
            return -1;
        if (text[cr + 1] == u'\n')
            return cr;
        from = cr + 1;
    }
    return -1;
}

} // namespace hoplark
