#include "imaging/FontSubstitution.h"

#include "platform/Width.h"

#include <QFont>
#include <QFontDatabase>
#include <QHash>

using namespace Qt::StringLiterals;

namespace hoplark {

namespace {

const QString kGothic = u"IPAGothic"_s;
const QString kPGothic = u"IPAPGothic"_s;
const QString kMincho = u"IPAMincho"_s;
const QString kPMincho = u"IPAPMincho"_s;

struct Entry {
    QString windowsName;
    QString family;
};

// The Windows Japanese fonts that profiles are likely to name, by kind.
const Entry kTable[] = {
    {u"ＭＳ ゴシック"_s, kGothic},     {u"MS Gothic"_s, kGothic},
    {u"HGｺﾞｼｯｸM"_s, kGothic},          {u"HGｺﾞｼｯｸE"_s, kGothic},
    {u"HG丸ｺﾞｼｯｸM-PRO"_s, kGothic},    {u"HG創英角ｺﾞｼｯｸUB"_s, kGothic},
    {u"ＭＳ Ｐゴシック"_s, kPGothic},  {u"MS PGothic"_s, kPGothic},
    {u"MS UI Gothic"_s, kPGothic},     {u"HGPｺﾞｼｯｸM"_s, kPGothic},
    {u"HGPｺﾞｼｯｸE"_s, kPGothic},        {u"HGSｺﾞｼｯｸM"_s, kPGothic},
    {u"HGSｺﾞｼｯｸE"_s, kPGothic},        {u"HGP創英角ｺﾞｼｯｸUB"_s, kPGothic},
    {u"HGS創英角ｺﾞｼｯｸUB"_s, kPGothic}, {u"メイリオ"_s, kPGothic},
    {u"Meiryo"_s, kPGothic},           {u"Meiryo UI"_s, kPGothic},
    {u"游ゴシック"_s, kPGothic},       {u"Yu Gothic"_s, kPGothic},
    {u"Yu Gothic UI"_s, kPGothic},     {u"ＭＳ 明朝"_s, kMincho},
    {u"MS Mincho"_s, kMincho},         {u"HG明朝B"_s, kMincho},
    {u"HG明朝E"_s, kMincho},           {u"HG正楷書体-PRO"_s, kMincho},
    {u"HG行書体"_s, kMincho},          {u"HG教科書体"_s, kMincho},
    {u"HG創英ﾌﾟﾚｾﾞﾝｽEB"_s, kMincho},   {u"ＭＳ Ｐ明朝"_s, kPMincho},
    {u"MS PMincho"_s, kPMincho},       {u"HGP明朝B"_s, kPMincho},
    {u"HGP明朝E"_s, kPMincho},         {u"HGS明朝B"_s, kPMincho},
    {u"HGS明朝E"_s, kPMincho},         {u"HGP行書体"_s, kPMincho},
    {u"HGP教科書体"_s, kPMincho},      {u"HGP創英ﾌﾟﾚｾﾞﾝｽEB"_s, kPMincho},
    {u"游明朝"_s, kPMincho},           {u"Yu Mincho"_s, kPMincho},
};

// Names are compared half-width, without blanks and in capitals, so "ＭＳ　ゴシック",
// "MS ｺﾞｼｯｸ" and "ms gothic" style variants all meet their entry.
QString Key(const QString& sName) {
    QString s = Narrow(sName).toUpper();
    s.remove(u' ');
    s.remove(u'\t');
    return s;
}

const QHash<QString, QString>& Table() {
    static const QHash<QString, QString> table = [] {
        QHash<QString, QString> t;
        for (const Entry& e : kTable)
            t.insert(Key(e.windowsName), e.family);
        return t;
    }();
    return table;
}

bool IsMinchoKind(const QString& sKey) {
    for (const QString& mark :
         {u"明朝"_s, u"MINCHO"_s, u"ﾐﾝﾁｮｳ"_s, u"楷書"_s, u"行書"_s, u"教科書"_s, u"ﾌﾟﾚｾﾞﾝｽ"_s})
        if (sKey.contains(mark))
            return true;
    return false;
}

} // namespace

QString SubstituteFontFamily(const QString& sName) {
    const QString sKey = Key(sName);
    if (sKey.isEmpty())
        return kGothic;
    const auto it = Table().find(sKey);
    if (it != Table().end())
        return *it;
    // A font that is really installed under that name is drawn as itself.
    const QStringList families = QFontDatabase::families();
    for (const QString& family : families)
        if (family.compare(sName.trimmed(), Qt::CaseInsensitive) == 0)
            return family;
    // Unlisted Windows names: HGP/HGS and MS P/MS UI are the proportional ones.
    const bool bWindows = sKey.startsWith(u"HG"_s) || sKey.startsWith(u"MS"_s);
    const bool bProp = bWindows && (sKey.startsWith(u"HGP"_s) || sKey.startsWith(u"HGS"_s) ||
                                    sKey.startsWith(u"MSP"_s) || sKey.startsWith(u"MSUI"_s));
    if (IsMinchoKind(sKey))
        return bProp ? kPMincho : kMincho;
    return bProp ? kPGothic : kGothic;
}

void InstallFontSubstitutions() {
    for (const Entry& e : kTable)
        QFont::insertSubstitution(e.windowsName, e.family);
}

} // namespace hoplark
