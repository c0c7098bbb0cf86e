#include "profile/ProfileValues.h"

#include "platform/Numbers.h"
#include "tagfile/AtIni.h"

#include <optional>

using namespace Qt::StringLiterals;

namespace hoplark {

namespace {

// The rounded number of a text, or nothing when it does not fit an int.
std::optional<int> RoundedNum(const QString& text) {
    try {
        return Nearest(Num(text));
    } catch (const OverflowError&) {
        return std::nullopt;
    }
}

} // namespace

void PutText(AtIni& oPage, const QString& sKey, const QString& tx) {
    oPage.SetTag(sKey, tx);
}

void PutCheck(AtIni& oPage, const QString& sKey, int ck) {
    oPage.SetTag(sKey, ck);
}

void PutCombo(AtIni& oPage, const QString& sKey, const ComboValue& cb) {
    oPage.SetTag(sKey, ChoiceText(cb));
}

void PutFont(AtIni& oPage, const QString& sKey, const FontSpec& lb) {
    oPage.SetTag(sKey, FontSpecText(lb));
}

void GetText(const AtIni& oPage, const QString& sKey, QString& tx) {
    oPage.GetTag(sKey, tx);
}

void GetCheck(const AtIni& oPage, const QString& sKey, int& ck) {
    ck = CheckValue(oPage.TagText(sKey));
}

void GetCombo(const AtIni& oPage, const QString& sKey, ComboValue& cb, const QStringList& list) {
    cb = ChoiceValue(oPage.TagText(sKey), list);
}

void GetFont(const AtIni& oPage, const QString& sKey, FontSpec& lb) {
    ApplyFontSpec(oPage.TagText(sKey), lb);
}

QString ChoiceText(const ComboValue& cb) {
    return cb.text + u'|' + QString::number(cb.index);
}

ComboValue ChoiceValue(const QString& value, const QStringList& list) {
    const qsizetype bar = value.indexOf(u'|');
    const QString sIndex = bar < 0 ? value : value.mid(bar + 1);
    const std::optional<int> index = RoundedNum(sIndex);
    if (index && *index >= 0 && *index < list.size())
        return {list.at(*index), *index};
    return {bar < 0 ? QString() : value.left(bar), -1};
}

QString FontSpecText(const FontSpec& lb) {
    const auto flag = [](bool b, QChar c) { return b ? QString(c) : u" "_s; };
    return lb.name + u'|' + NumText(lb.size) + u'|' + QString::number(lb.color) + u'|' +
           flag(lb.bold, u'B') + u'|' + flag(lb.italic, u'I') + u'|' + flag(lb.strike, u'S') +
           u'|' + flag(lb.underline, u'U') + u'|';
}

void ApplyFontSpec(const QString& value, FontSpec& lb) {
    if (value.isEmpty())
        return;
    const QStringList f = value.split(u'|');
    // A field that is missing or empty ends the restore, as would a value the label rejects.
    const auto field = [&f](int i) { return i < f.size() ? f.at(i) : QString(); };

    if (field(0).isEmpty())
        return;
    lb.name = field(0);

    const double size = Num(field(1));
    if (field(1).isEmpty() || !(size > 0) || size > 2160)
        return;
    lb.size = size;

    const std::optional<int> color = RoundedNum(field(2));
    if (field(2).isEmpty() || !color)
        return;
    lb.color = *color;

    bool* const styles[] = {&lb.bold, &lb.italic, &lb.strike, &lb.underline};
    const QChar letters[] = {u'B', u'I', u'S', u'U'};
    for (int i = 0; i < 4; ++i) {
        if (field(3 + i).isEmpty())
            return;
        *styles[i] = field(3 + i) == letters[i];
    }
}

int CheckValue(const QString& value) {
    const std::optional<int> v = RoundedNum(value);
    return v && *v >= 0 && *v <= 2 ? *v : 0;
}

} // namespace hoplark
