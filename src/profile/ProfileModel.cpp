#include "profile/ProfileModel.h"

using namespace Qt::StringLiterals;

namespace hoplark {

const QStringList& ProfileModel::MxRwList(int i) {
    static const QStringList address{u"２行"_s, u"３行"_s, u"４行"_s, u"５行"_s};
    static const QStringList other{u"１行"_s, u"２行"_s, u"３行"_s, u"４行"_s, u"５行"_s};
    return i == 0 ? address : other;
}

namespace {
const QStringList& Spacings() {
    static const QStringList list{u"なし"_s,        u"０．１２行"_s, u"０．２５行"_s,
                                  u"０．５０行"_s,  u"０．７５行"_s, u"１．００行"_s,
                                  u"１．２５行"_s,  u"１．５０行"_s, u"２．００行"_s};
    return list;
}
} // namespace

const QStringList& ProfileModel::RwPtList(int i) {
    static const QStringList wide = Spacings() + QStringList{u"２．５０行"_s, u"３．００行"_s};
    return i == 1 ? wide : Spacings();
}

const QStringList& ProfileModel::RwPtBList(int) {
    static const QStringList list = Spacings().mid(0, 8);
    return list;
}

} // namespace hoplark
