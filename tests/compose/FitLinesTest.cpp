#include "compose/FitLines.h"
#include "compose/AdrParts.h"
#include "render/TraceScene.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace hoplark {
namespace {

TEST(FitLines, Wrapping) {
    struct Case {
        QString in;
        int maxLines, lineCap;
        bool bNames;
        QString out;
    };
    const QList<Case> cases{
        // 3 + 4 is not greater than 10; the third part starts a new line.
        {u"東京都;千代田区;丸の内一丁目1番1号"_s, 3, 10, false,
         u"東京都 千代田区;丸の内一丁目1番1号"_s},
        // A title entry always ends its line.
        {u"'代表取締役;山田太郎 様"_s, 3, 20, true, u"'代表取締役;山田太郎 様"_s},
        // ...and starts one: a second person's title is not joined to the first name.
        {u"'部長;山田太郎 様;'課長;鈴木花子 様"_s, 4, 20, true,
         u"'部長;山田太郎 様;'課長;鈴木花子 様"_s},
        // A joint name takes one placeholder line per further name.
        {u"山田　太郎・花子"_s, 3, 20, true, u"山田　太郎・花子;@%@"_s},
        {u"山田　太郎・花子・次郎"_s, 3, 20, true, u"山田　太郎・花子・次郎;@%@;@%@"_s},
        // The last address segment ends in a CR: the affiliation starts a line with a mark.
        {u"東京都;千代田区;丸の内1-1\r;総務部"_s, 4, 20, false,
         u"東京都 千代田区 丸の内1-1;☆総務部"_s},
        // Doubled and outer separators and blanks go.
        {u";;東京都;; 千代田区 ;"_s, 3, 20, false, u"東京都 千代田区"_s},
        // A part longer than the line stands alone and is never broken.
        {u"丸の内一丁目1番1号;A"_s, 3, 4, false, u"丸の内一丁目1番1号;A"_s},
        // Enlargement: 4, then 5, 6, 7, 8 characters until two lines suffice.
        {u"AAAA;BBBB;CCCC"_s, 2, 4, false, u"AAAA BBBB;CCCC"_s},
        // More lines than the block after every enlargement: the text keeps them all.
        {u"AAAAAAAAAAAAAAAAAAAAA;BBBBBBBBBBBBBBBBBBBBB;CCCCCCCCCCCCCCCCCCCCC"_s, 1, 2, false,
         u"AAAAAAAAAAAAAAAAAAAAA;BBBBBBBBBBBBBBBBBBBBB;CCCCCCCCCCCCCCCCCCCCC"_s},
        // An affiliation line keeps its mark at the start of a line when re-wrapped.
        {u"A\r;BB;CC"_s, 1, 2, false, u"A;☆BB CC"_s},
        // A title written with "・" is no joint name: no placeholder line under it.
        {u"'営業・企画部長;山田太郎"_s, 3, 20, true, u"'営業・企画部長;山田太郎"_s},
        // A name gathered before a joint name keeps its own line.
        {u"山田一郎 様;山田　太郎・花子"_s, 3, 20, true, u"山田一郎 様;山田　太郎・花子;@%@"_s},
    };
    for (const Case& c : cases) {
        QString s = c.in;
        FitLines(s, c.maxLines, c.lineCap, c.bNames);
        EXPECT_EQ(s, c.out) << c.in.toStdString();
    }
}

TEST(FitLines, OverflowAfterOneEnlargement) {
    struct Case {
        QString in;
        bool bOverflow;
        QString out;
    };
    for (const Case& c : {Case{u"AAAA;BBBB;CCCC"_s, true, u"AAAA;BBBB;CCCC"_s},
                          Case{u"AAAA;B;CCCC"_s, false, u"AAAA B;CCCC"_s}}) {
        QString s = c.in;
        bool bOverflow = !c.bOverflow;
        FitLines(s, 2, 4, false, &bOverflow);
        EXPECT_EQ(bOverflow, c.bOverflow) << c.in.toStdString();
        EXPECT_EQ(s, c.out);
    }
}

TEST(WrapParts, CapacityGrowsWithCount) {
    // 1.2^2 * 10 = 14.4 → 14: "AAAAAAA BBBBBBB" counts 14 characters.
    QString s = u"AAAAAAA;BBBBBBB"_s;
    WrapParts(s, 2, 10, 2, false);
    EXPECT_EQ(s, u"AAAAAAA BBBBBBB"_s);
    s = u"AAAAAAA;BBBBBBB"_s;
    WrapParts(s, 0, 10, 2, false); // no line limit: no enlargement
    EXPECT_EQ(s, u"AAAAAAA;BBBBBBB"_s);
}

TEST(TrimSepOnce, OneAtEachEnd) {
    EXPECT_EQ(TrimSepOnce(u";a;b;"_s, u";"_s), u"a;b"_s);
    EXPECT_EQ(TrimSepOnce(u";;a;;"_s, u";"_s), u";a;"_s);
    EXPECT_EQ(TrimSepOnce(u"a"_s, u";"_s), u"a"_s);
}

struct Parts {
    QString zip, address, names;
    bool ok;
};

Parts Get(test::TraceScene& s, const QString& record) {
    s.st.adr.colAdr = {record};
    s.st.adr.nAdrIdx = 0;
    Parts p{{}, {}, {}, false};
    GetAdrParts(s.st.PreviewCanvas(), s.st.Record(0), p.zip, p.address, p.names, p.ok);
    return p;
}

TEST(GetAdrParts, OmissionDropsPrefectureAndCityNeverAffiliation) {
    const QString rec = u" 100-0001 ,;東京都;千代田区;丸の内1-1,総務部,山田太郎,"_s;
    struct Case {
        int nOmit;
        QString address;
    };
    for (const Case& c :
         {Case{0, u"東京都;千代田区;丸の内1-1\r;総務部"_s},
          Case{1, u"千代田区;丸の内1-1\r;総務部"_s}, Case{2, u"丸の内1-1\r;総務部"_s}}) {
        test::TraceScene s;
        s.st.adr.bFullLay = true;
        s.st.lay.nOmit = c.nOmit;
        const Parts p = Get(s, rec);
        ASSERT_TRUE(p.ok);
        EXPECT_EQ(p.zip, u"100-0001"_s);
        EXPECT_EQ(p.address, c.address) << c.nOmit;
        EXPECT_EQ(p.names, u"山田太郎 様"_s);
    }
}

TEST(GetAdrParts, AffiliationWithoutNames) {
    struct Case {
        QString affil;
        QString address, names;
    };
    const QList<Case> cases{
        {u"A"_s, u"東京都\r;"_s, u"A 様"_s},
        {u"A;B"_s, u"東京都\r;A"_s, u"B 様"_s},
        {u"A;B;C"_s, u"東京都\r;A;B"_s, u"C 様"_s},
        {u"A;B;C;D"_s, u"東京都\r;A;B"_s, u"C 様;D 様"_s},
        // Five or more: the affiliation is shown as it stands.
        {u"A;B;C;D;E"_s, u"東京都\r;A;B;C;D;E"_s, u""_s},
    };
    for (const Case& c : cases) {
        test::TraceScene s;
        s.st.adr.bFullLay = true;
        const Parts p = Get(s, u"1,;東京都,"_s + c.affil + u",,"_s);
        EXPECT_EQ(p.address, c.address) << c.affil.toStdString();
        EXPECT_EQ(p.names, c.names) << c.affil.toStdString();
    }
}

TEST(GetAdrParts, HonorificAndVerticalConversions) {
    test::TraceScene s;
    s.st.adr.bFullLay = true;
    s.st.page.bVertical = true;
    Parts p = Get(s, u"1,;東京都;丸の内1-2,(株)本社,ｱｰﾄ(株)3,先生"_s);
    EXPECT_EQ(p.address, u"東京都;丸の内一|二\r;㈱本社"_s);
    EXPECT_EQ(p.names, u"ｱ|ﾄ㈱三 先生"_s);

    // Pre-split: honorific only with exactly four fields; conversion after the honorific.
    test::TraceScene q;
    q.st.adr.bFullLay = false;
    q.st.page.bVertical = true;
    p = Get(q, u"1,東京都1-2;;(株)X,ｱｰﾄ(株)3,殿"_s);
    EXPECT_EQ(p.address, u"東京都一|二;;㈱X"_s);
    EXPECT_EQ(p.names, u"ｱ|ﾄ㈱3 殿"_s);
    q.st.page.bVertical = false;
    p = Get(q, u"1,東京都,山田,殿,x"_s);
    EXPECT_EQ(p.names, u"山田 様"_s);
}

TEST(GetAdrParts, EmptyListOrLineIsNotOk) {
    test::TraceScene s;
    QString zip = u"keep"_s, a, n;
    bool ok = true;
    GetAdrParts(s.st.PreviewCanvas(), s.st.Record(0), zip, a, n, ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(zip, u"keep"_s);
    EXPECT_FALSE(Get(s, QString()).ok);
}

} // namespace
} // namespace hoplark
