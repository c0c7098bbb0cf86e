#include "PrintTestSupport.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace hoplark::test {

QString RowName(int nRow) {
    static const QStringList names{u"一郎"_s, u"二郎"_s, u"三郎"_s, u"四郎"_s, u"五郎"_s,
                                   u"六郎"_s, u"七郎"_s, u"八郎"_s, u"九郎"_s};
    return names.at(nRow % names.size());
}

std::unique_ptr<Session> PostcardState(Imaging& ik, const QString& usrFld, int nRows) {
    auto st = std::make_unique<Session>(ik);
    st->UsrFld = usrFld;
    QDir().mkpath(usrFld + u"Paper"_s);
    st->page.sPage = u"はがき"_s;
    st->page.sIk7 = usrFld + u"Paper/はがき.ik7"_s;
    st->page.sPaper = u"はがき(100x148mm)"_s;
    st->page.nPaper = 43;
    st->page.nPaperW = 1000;
    st->page.nPaperH = 1480;
    st->adr.bFullLay = true;
    for (int i = 0; i < nRows; ++i)
        st->adr.colAdr << u"100-0005,東京都;千代田区;丸の内1-%1,,山田%2,様"_s.arg(i).arg(
            RowName(i));
    st->txAdd = {u"150-0001"_s, u"東京都渋谷区"_s, u"神宮前1-1"_s, QString(),    QString(),
                 QString(),     QString(),         QString(),      u"差出太郎"_s};
    return st;
}

} // namespace hoplark::test
