#include "ProfileTestEnv.h"

#include "platform/TextFile.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace hoplark::test {

QStringList FakePrinter::Loaded() const {
    QStringList paths;
    for (const QJsonObject& o : records())
        if (o.value(u"op"_s).toString() == u"LoadPrinterSettings"_s)
            paths << o.value(u"path"_s).toString();
    return paths;
}

QString NewUserFolder() {
    const QString dir = NewTempDir() + u'/';
    QDir().mkpath(dir + u"Paper"_s);
    return dir;
}

void WriteProfileFiles(const QString& UsrFld, const QString& sName, const QString& sIni,
                       const QByteArray& sIk7Tag) {
    const QString base = UsrFld + u"Paper/"_s + sName;
    WriteBytes(base + u".ik7"_s, sIk7Tag + " settings");
    WriteBytes(base + u".ik7.prnTxt"_s, sIk7Tag + " companion");
    if (!sIni.isNull())
        WriteTextFile(base + u".ini"_s, sIni);
}

QString MinimalIni(int nW, int nH) {
    return u"<用紙指定>\r\n\t<用紙>\tはがき(100x148mm)</用紙>\r\n\t<用紙幅>\t%1</用紙幅>\r\n"
           "\t<用紙高>\t%2</用紙高>\r\n</用紙指定>\r\n"_s.arg(nW)
               .arg(nH);
}

ProfileModel ChangedModel() {
    ProfileModel m;
    m.opMjhk = {false, true};
    m.chOvrRw = 1;
    m.OptAdd[3] = false;
    m.OptAdd[4] = true;
    m.OptAdd[5] = false;
    m.ckSashi = 0;
    for (int i = 0; i < 3; ++i)
        m.cbMxRw[i] = {ProfileModel::MxRwList(i).at(i + 1), i + 1};
    for (int i = 0; i < 8; ++i) {
        m.txYhk[i] = QString::number(11 + i) + u".5"_s;
        m.txYhkB[i] = QString::number(31 + i);
    }
    for (int i = 0; i < 4; ++i) {
        m.cbRwPt[i] = {ProfileModel::RwPtList(i).at(8 - i), 8 - i};
        m.cbRwPtB[i] = {ProfileModel::RwPtBList(i).at(7 - i), 7 - i};
    }
    const QString fonts[6] = {u"ＭＳ 明朝"_s,  u"ＭＳ ゴシック"_s, u"HGP行書体"_s,
                              u"IPAPMincho"_s, u"ＭＳ Ｐ明朝"_s,   u"Noto Sans CJK JP"_s};
    const double sizes[6] = {16, 10.5, 8.25, 20.25, 11, 9.75};
    for (int i = 0; i < 6; ++i)
        m.lbAdd[i] = {fonts[i], sizes[i], 0x102030 * (i + 1), i % 2 == 0, i % 3 == 0,
                      i == 1,   i >= 4};
    m.lbAdd[2].color = static_cast<int>(0x80000008u); // a system colour
    m.ckWaku = {1, 1};
    m.ckCnter = {1, 1};
    m.txSama = u"御中"_s;
    m.udAdj = {15, -7};
    return m;
}

} // namespace hoplark::test
