#include "sender/Sasi.h"
#include "sender/TextFiles.h"

#include "platform/TextFile.h"
#include "support/TestEnv.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace hoplark;

namespace {

// A user data folder with a "Paper" folder and, when given, a sender file (lines joined
// with CR LF, ideographic spaces written as "　").
QString UsrFldWith(const QStringList& lines) {
    const QString usr = test::NewTempDir() + u"/"_s;
    QDir().mkpath(usr + u"Paper"_s);
    if (!lines.isEmpty()) {
        EXPECT_EQ(WriteTextFile(SasiPath(usr), lines.join(u"\r\n"_s)), QString());
    }
    return usr;
}

QStringList Fields(const SasiView& v) {
    return QStringList(v.txAdd.begin(), v.txAdd.end());
}

} // namespace

TEST(FitSep, FieldLayout) {
    struct Case {
        QString in;
        int c;
        QString out;
    };
    const Case cases[] = {
        {u"a;b"_s, 4, u"a;b;;;"_s},         {u"1;2;3;4;5;6"_s, 4, u"1;2;3;4 5 6;"_s},
        {u";;a;b"_s, 4, u"a;b;;;"_s}, // leading separators go
        {u"a;b;"_s, 4, u"a;b;;;"_s},  // a closing ";" opens no field
        {u"a;b;;"_s, 4, u"a;b;;;"_s}, // only the last one closes
        {u"a;;b"_s, 3, u"a;;b;"_s},   // inner empty lines stay
        {QString(), 3, u";;;"_s},           {u";"_s, 1, u";"_s},
        {u"123-4567"_s, 1, u"123-4567;"_s}, {u"a;b;c"_s, 1, u"a b c;"_s},
    };
    for (const Case& t : cases) {
        QString v = t.in;
        FitSep(v, t.c);
        EXPECT_EQ(v, t.out) << t.in.toStdString() << " c=" << t.c;
    }
}

TEST(SasiRecords, FileRules) {
    struct Case {
        const char* what;
        QStringList lines;
        QStringList records;
    };
    const Case cases[] = {
        {"one sender without any empty line",
         {u"<郵便>100-0001"_s, u"<住所>東京都千代田区　丸の内1-1"_s, u"<勤務>総務部"_s,
          u"<名前>山田　太郎"_s},
         {u"100-0001;東京都千代田区;丸の内1-1;;;総務部;;;山田 太郎"_s}},
        {"several empty lines between senders give no empty sender",
         {u""_s, u"<名前>甲"_s, u""_s, u""_s, u"  "_s, u""_s, u"<名前>乙"_s, u""_s, u""_s},
         {u";;;;;;;;甲"_s, u";;;;;;;;乙"_s}},
        {"blanks leave names, ideographic spaces become one blank each, last sender too",
         {u"<名前>山 田　太郎"_s, u""_s, u"<名前> 佐藤　　花 子 "_s},
         {u";;;;;;;;山田 太郎"_s, u";;;;;;;;佐藤  花子"_s}},
        {"five address lines: 1-3 kept, 4 and 5 joined; workplace unaffected",
         {u"<住所>一;二;三;四;五"_s, u"<勤務>部;課"_s},
         {u";一;二;三;四 五;部;課;;"_s}},
        {"tags and values trimmed, comments ignored, later tag replaces",
         {u"  <郵便>  111  "_s, u"# comment"_s, u"<郵便>222"_s, u"<名前>;;名"_s, u"<その他>x"_s},
         {u"222;;;;;;;;名"_s}},
        {"a sender of comments only is dropped",
         {u"メモ"_s, u""_s, u"<勤務>会社"_s},
         {u";;;;;会社;;;"_s}},
        {"nothing", {}, {}},
    };
    for (const Case& t : cases)
        EXPECT_EQ(SasiRecords(t.lines.join(u"\r\n"_s)), t.records) << t.what;
}

TEST(SasiRecords, BareLineFeedsReadLikeCrLf) {
    EXPECT_EQ(SasiRecords(u"<名前>甲\n\n<名前>乙\n"_s),
              SasiRecords(u"<名前>甲\r\n\r\n<名前>乙\r\n"_s));
}

TEST(ShowSasi, ChoosesAndAdjustsTheSender) {
    const QString usr = UsrFldWith({u"<郵便>123-4567"_s, u"<住所>大阪府　北区"_s, u"<名前>甲"_s,
                                    u""_s, u"<名前>乙"_s, u""_s, u"<名前>丙"_s});
    struct Case {
        qint16 n, nAfter;
        QString name;
    };
    const Case cases[] = {{0, 1, u"甲"_s}, {1, 1, u"甲"_s},   {2, 2, u"乙"_s}, {3, 3, u"丙"_s},
                          {4, 3, u"丙"_s}, {999, 3, u"丙"_s}, {-5, 1, u"甲"_s}};
    for (const Case& t : cases) {
        qint16 n = t.n;
        const SasiView v = ShowSasi(usr, n);
        EXPECT_EQ(n, t.nAfter) << t.n;
        EXPECT_EQ(v.txAdd[8], t.name) << t.n;
        EXPECT_TRUE(v.bEnabled);
        EXPECT_EQ(v.nMin, 1);
        EXPECT_EQ(v.nMax, 3);
    }
    qint16 n = 1;
    EXPECT_EQ(Fields(ShowSasi(usr, n)),
              (QStringList{u"123-4567"_s, u"大阪府"_s, u"北区"_s, QString(), QString(), QString(),
                           QString(), QString(), u"甲"_s}));
}

TEST(ShowSasi, NoSenderSwitchesTheSelectorOff) {
    for (const QStringList& lines : {QStringList{}, QStringList{u"コメントだけ"_s, u""_s}}) {
        const QString usr = UsrFldWith(lines);
        qint16 n = 2;
        const SasiView v = ShowSasi(usr, n);
        EXPECT_FALSE(v.bEnabled);
        EXPECT_EQ(n, 2);
        for (const QString& f : v.txAdd)
            EXPECT_TRUE(f.isEmpty());
    }
}

TEST(ShowSasi, FewerSendersAfterAnEditFallBackToTheLast) {
    const QString usr = UsrFldWith({u"<名前>甲"_s, u""_s, u"<名前>乙"_s, u""_s, u"<名前>丙"_s});
    qint16 n = 3;
    EXPECT_EQ(ShowSasi(usr, n).txAdd[8], u"丙"_s);

    QString sTx = SasiEditText(F_GetTxt(SasiPath(usr)));
    bool bUdt = false;
    EXPECT_EQ(CloseSasi(usr, sTx, u"<名前>甲\n\n<名前>乙\n"_s, true, bUdt), QString());
    EXPECT_TRUE(bUdt);
    EXPECT_EQ(test::ReadBytes(SasiPath(usr)),
              QByteArray("<\x96\xbc\x91\x4f>\x8d\x62\r\n\r\n<\x96\xbc\x91\x4f>\x89\xb3\r\n"));
    const SasiView v = ShowSasi(usr, n);
    EXPECT_EQ(n, 2);
    EXPECT_EQ(v.nMax, 2);
    EXPECT_EQ(v.txAdd[8], u"乙"_s);
}

TEST(CloseSasi, WritesOnlyAChangedTextOnUpdate) {
    const QString usr = UsrFldWith({u"<名前>甲"_s, u""_s});
    const QString path = SasiPath(usr);
    const QDateTime old = QDateTime::currentDateTime().addDays(-3);
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(old, QFileDevice::FileModificationTime));
    }
    const QString sOpened = SasiEditText(F_GetTxt(path));
    ASSERT_EQ(sOpened, u"<名前>甲\n"_s);

    struct Case {
        const char* what;
        QString edited;
        bool bUpd;
    };
    const Case untouched[] = {{"更新して閉じる without change", sOpened, true},
                              {"更新せずに閉じる with change", u"<名前>乙\n"_s, false},
                              {"close box with change", u"<名前>丙\n"_s, false}};
    for (const Case& t : untouched) {
        QString sTx = sOpened;
        bool bUdt = true;
        EXPECT_EQ(CloseSasi(usr, sTx, t.edited, t.bUpd, bUdt), QString()) << t.what;
        EXPECT_FALSE(bUdt) << t.what;
        EXPECT_EQ(sTx, sOpened) << t.what;
        EXPECT_EQ(QFileInfo(path).lastModified(), old) << t.what;
    }
}

TEST(CloseSasi, RefusedTextKeepsFileAndEdit) {
    const QString usr = UsrFldWith({u"<名前>甲"_s});
    const QByteArray before = test::ReadBytes(SasiPath(usr));
    QString sTx = u"<名前>甲"_s;
    bool bUdt = true;
    const QString msg = CloseSasi(usr, sTx, u"<名前>😀𠮷"_s, true, bUdt);
    EXPECT_TRUE(msg.contains(SasiPath(usr)));
    EXPECT_TRUE(msg.contains(u"😀"_s));
    EXPECT_TRUE(msg.contains(u"𠮷"_s));
    EXPECT_FALSE(bUdt);
    EXPECT_EQ(sTx, u"<名前>甲"_s);
    EXPECT_EQ(test::ReadBytes(SasiPath(usr)), before);
}

TEST(CloseSasi, UnwritableFolderNamesTheFile) {
    const QString usr = test::NewTempDir() + u"/"_s; // no "Paper" folder to write into
    QString sTx;
    bool bUdt = true;
    const QString msg = CloseSasi(usr, sTx, u"<名前>甲"_s, true, bUdt);
    EXPECT_TRUE(msg.contains(SasiPath(usr)));
    EXPECT_FALSE(bUdt);
    EXPECT_FALSE(QFileInfo::exists(SasiPath(usr)));
}

TEST(TextFiles, PutAndGet) {
    const QString dir = test::NewTempDir();
    const QString path = dir + u"/s.txt"_s;
    EXPECT_EQ(F_GetTxt(path), QString());
    EXPECT_EQ(F_PutTxt(path, u"一\r\n"_s, true), QString()); // append creates
    EXPECT_EQ(F_PutTxt(path, u"二"_s, true), QString());
    EXPECT_EQ(F_GetTxt(path), u"一\r\n二"_s);
    EXPECT_EQ(F_PutTxt(path, u"三"_s, false), QString());
    EXPECT_EQ(F_GetTxt(path), u"三"_s);

    // Appending keeps the old bytes untouched, even bytes that do not decode.
    test::WriteBytes(path, QByteArray("\x81"));
    EXPECT_EQ(F_PutTxt(path, u"A"_s, true), QString());
    EXPECT_EQ(test::ReadBytes(path), QByteArray("\x81"
                                                "A"));
    const QString msg = F_PutTxt(path, u"😀"_s, true);
    EXPECT_TRUE(msg.contains(path));
    EXPECT_EQ(test::ReadBytes(path), QByteArray("\x81"
                                                "A"));
}
