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

QStringView NextLine(QStringView text, qsizetype& pos) {
    const qsizetype start = pos;
    const qsizetype n = text.size();
    const QChar* p = text.data();
    qsizetype i = start;
    while (i < n && p[i] != u'\n' && p[i] != u'\r')
        ++i;
    const QStringView line = text.sliced(start, i - start);
    if (i < n && p[i] == u'\r' && i + 1 < n && p[i + 1] == u'\n')
        ++i;
    pos = i + 1;
    return line;
}

} // namespace hoplark
