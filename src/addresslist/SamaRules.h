#pragma once

#include <QString>
#include <QStringList>

namespace hoplark {

// The honorific rules: the list of endings that already are an honorific ("重複敬称"),
// its spacing flag ("敬称SPC"), and the placing of honorifics in a names field.
class SamaRules {
public:
    // The list and flag a user starts with when nothing is stored yet (no "重複敬称" at all):
    // names that already carry one of these take no second honorific.
    static inline const QString kStarterList = QStringLiteral("先生,殿,御中,様,さま,各位");
    static inline const QString kStarterFlag = QStringLiteral("0");

    // Shows the stored list and flag in txSamaE/chSama and builds aSuffix.
    void ReadSamaRule(const QString& sList, const QString& sFlag);
    // Reads txSamaE/chSama, normalises the list, shows it, rebuilds aSuffix and returns
    // list and flag in their stored forms.
    void GetSamaRule(QString& sList, QString& sFlag);
    // Looks for a listed ending on one name entry.
    void CutSuffix(QString& sName, QString& sSuffix, bool& bNotFound) const;
    // Places the honorifics in a names field; both arguments change in place. sDefault is
    // the default honorific (txSama).
    void ApplySama(QString& sNames, QString& sHonorific, const QString& sDefault);

    // "なし", "無し" and "不要" mean that the record wants no honorific.
    static bool IsNoHonorific(const QString& sHonorific);
    // Whether one entry of a names field is several people written with "・" ("山田　太郎・
    // 花子", "山田太郎・山田花子"). A title ("'営業・企画部長") is none, and neither is a
    // foreign name: no blank, and katakana on both sides of every "・" ("ジョン・スミス",
    // also with its honorific placed: "ジョン・スミス 様").
    static bool IsJointName(const QString& sEntry);

    QStringList aSuffix;
    QString sDotSama;
    QString txSamaE; // text of the list box on the "設定" page (CR LF between entries;
                     // GetSamaRule takes a lone LF or CR as a line end too)
    int chSama = 1;  // "敬称は、ｽﾍﾟｰｽで区切られている"
};

} // namespace hoplark
