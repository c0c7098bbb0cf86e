#include "platform/Width.h"

#include <array>

namespace hoplark {

namespace {

// Half-width katakana U+FF61..U+FF9F and their full-width forms, in code order.
constexpr std::array<char16_t, 63> kFullKana = {
    u'。', u'「', u'」', u'、', u'・', u'ヲ', u'ァ', u'ィ', u'ゥ', u'ェ', u'ォ', u'ャ', u'ュ',
    u'ョ', u'ッ', u'ー', u'ア', u'イ', u'ウ', u'エ', u'オ', u'カ', u'キ', u'ク', u'ケ', u'コ',
    u'サ', u'シ', u'ス', u'セ', u'ソ', u'タ', u'チ', u'ツ', u'テ', u'ト', u'ナ', u'ニ', u'ヌ',
    u'ネ', u'ノ', u'ハ', u'ヒ', u'フ', u'ヘ', u'ホ', u'マ', u'ミ', u'ム', u'メ', u'モ', u'ヤ',
    u'ユ', u'ヨ', u'ラ', u'リ', u'ル', u'レ', u'ロ', u'ワ', u'ン', u'゛', u'゜'};

constexpr char16_t kHalfFirst = 0xFF61;
constexpr char16_t kDakuten = 0xFF9E;
constexpr char16_t kHandakuten = 0xFF9F;

int HalfIndexOf(char16_t full) {
    for (size_t i = 0; i < kFullKana.size(); ++i)
        if (kFullKana[i] == full)
            return static_cast<int>(i);
    return -1;
}

// カ..ト and ハ..ホ take a dakuten as code + 1; ハ..ホ a handakuten as code + 2; ウ → ヴ.
// The small ッ sits between チ and ツ, so the pairs after it start one code later.
bool TakesDakuten(char16_t c) {
    return (c >= u'カ' && c <= u'チ' && (c - u'カ') % 2 == 0) ||
           (c >= u'ツ' && c <= u'ト' && (c - u'ツ') % 2 == 0) ||
           (c >= u'ハ' && c <= u'ホ' && (c - u'ハ') % 3 == 0) || c == u'ウ';
}
bool TakesHandakuten(char16_t c) {
    return c >= u'ハ' && c <= u'ホ' && (c - u'ハ') % 3 == 0;
}

} // namespace

QString Narrow(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (const QChar qc : text) {
        const char16_t c = qc.unicode();
        if (c >= 0xFF01 && c <= 0xFF5E) {
            out += QChar(c - 0xFF01 + 0x21);
        } else if (c == 0x3000) {
            out += QLatin1Char(' ');
        } else if (c == u'ヴ') {
            out += QChar(0xFF73);
            out += QChar(kDakuten);
        } else if (const int i = HalfIndexOf(c); i >= 0) {
            out += QChar(kHalfFirst + i);
        } else if (c > u'ァ' && c <= u'ポ' && HalfIndexOf(c - 1) >= 0 && TakesDakuten(c - 1)) {
            out += QChar(kHalfFirst + HalfIndexOf(c - 1));
            out += QChar(kDakuten);
        } else if (c > u'ァ' && c <= u'ポ' && HalfIndexOf(c - 2) >= 0 && TakesHandakuten(c - 2)) {
            out += QChar(kHalfFirst + HalfIndexOf(c - 2));
            out += QChar(kHandakuten);
        } else {
            out += qc;
        }
    }
    return out;
}

QString Wide(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c >= 0x21 && c <= 0x7E) {
            out += QChar(c - 0x21 + 0xFF01);
        } else if (c == 0x20) {
            out += QChar(0x3000);
        } else if (c >= kHalfFirst && c <= kHandakuten) {
            char16_t full = kFullKana[c - kHalfFirst];
            const char16_t next = i + 1 < text.size() ? text.at(i + 1).unicode() : 0;
            if (next == kDakuten && TakesDakuten(full)) {
                full = full == u'ウ' ? u'ヴ' : static_cast<char16_t>(full + 1);
                ++i;
            } else if (next == kHandakuten && TakesHandakuten(full)) {
                full = static_cast<char16_t>(full + 2);
                ++i;
            }
            out += QChar(full);
        } else {
            out += text.at(i);
        }
    }
    return out;
}

} // namespace hoplark
