#include "compose/ComposeAdr.h"
#include "platform/Numbers.h"
#include "render/LayoutPage.h"
#include "render/TraceScene.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace Qt::StringLiterals;

namespace hoplark {
namespace {

using test::TraceScene;
using Rect = std::array<int, 4>;

// A postcard laid out for printing (the trace then shows page units), one record composed
// as a printed page.
struct Printed : TraceScene {
    explicit Printed(const QString& record, bool bFullLay = true) {
        st.adr.colAdr = {record};
        st.adr.bFullLay = bFullLay;
        st.model.OptAdd = {!bFullLay, bFullLay, false, true, false, false}; // no omission
        st.page.bSender = false;
    }
    void Compose() {
        PageUnits();
        LayoutPage(st.PreviewCanvas());
        r = ComposeAdr(st.PreviewCanvas(), st.Record(st.adr.nAdrIdx), ComposeMode::Print);
    }
    ComposeResult r;
    Rect At(const QString& text) const { return RectOf(TextCall(text)); }
};

TEST(ComposeAdr, AffiliationLineShiftedInMidStyle) {
    Printed p(u"100-0001,;東京都;千代田区;丸の内1-1,総務部,山田太郎,"_s);
    p.st.model.txYhk[1] = p.st.model.txYhk[2] = u"5"_s; // 90 mm lines: 16 characters
    p.Compose();
    EXPECT_EQ(p.st.lay.nLineCap[0], 16);
    const QJsonObject a = p.TextCall(u"東京都 千代田区 丸の内1-1"_s);
    EXPECT_EQ(TraceScene::RectOf(a), (Rect{50, 300, 950, 351}));
    EXPECT_EQ(a[u"size"_s].toInt(), 12);
    // Second row moved down one address pitch, and one character in (a short line).
    const QJsonObject b = p.TextCall(u"総務部"_s);
    EXPECT_EQ(TraceScene::RectOf(b), (Rect{101, 427, 950, 478}));
    EXPECT_EQ(b[u"size"_s].toInt(), 13); // mean of 12 and 14.25
    EXPECT_EQ(b[u"alignH"_s].toInt(), 0);
    EXPECT_EQ(b[u"alignV"_s].toInt(), 1);
    EXPECT_EQ(p.r.lbAddCaption[1], u"東京都 千代田区 丸の内1-1"_s);
    EXPECT_EQ(p.r.lbAddCaption[0], u"100-0001"_s);
}

TEST(ComposeAdr, ShortSecondLineIndentedInFullLayoutOnly) {
    Printed full(u"1,;東京都千代田区;丸の内1-1,,山田太郎,"_s, true);
    full.Compose();
    EXPECT_EQ(full.At(u"丸の内1-1"_s), (Rect{351, 376, 900, 427}));
    Printed pre(u"1,東京都千代田区;丸の内1-1,山田太郎,様"_s, false);
    pre.Compose();
    EXPECT_EQ(pre.At(u"東京都千代田区"_s), (Rect{300, 300, 900, 351}));
    EXPECT_EQ(pre.At(u"丸の内1-1"_s), (Rect{300, 376, 900, 427}));
}

TEST(ComposeAdr, SegmentsOptionDrawsEverySegmentWithoutMarks) {
    Printed p(u"1,;東京都;丸の内1-1,総務部,山田太郎,"_s);
    p.st.model.OptAdd[0] = true; // "宛名1.2.3と区切られている": no fitting
    p.st.model.OptAdd[1] = false;
    p.Compose();
    EXPECT_EQ(p.TextValues().mid(7, 3), (QStringList{u"東京都"_s, u"丸の内1-1"_s, u"総務部"_s}));
}

TEST(ComposeAdr, VerticalAffiliationShiftsLeftAndIndentsDown) {
    Printed p(u"1,;東京都千代田区;丸の内1-1,総務部,山田太郎,"_s);
    p.st.page.bVertical = true;
    p.Compose();
    // Column 1 of (824, 300)-(773, 1380), one pitch to the left, one character down.
    EXPECT_EQ(p.At(u"総務部"_s), (Rect{773, 351, 722, 1380}));
    EXPECT_EQ(p.TextCall(u"総務部"_s)[u"dir"_s].toInt(), 2);
}

TEST(ComposeAdr, TitleRowThenNameRow) {
    Printed p(u"1,;東京都,,'部長;山田太郎,"_s);
    p.Compose();
    const QJsonObject t = p.TextCall(u"部長"_s);
    EXPECT_EQ(TraceScene::RectOf(t), (Rect{400, 617, 900, 677}));
    EXPECT_EQ(t[u"size"_s].toInt(), 10); // title style 9.75 pt
    EXPECT_EQ(t[u"alignV"_s].toInt(), 2);
    const QJsonObject n = p.TextCall(u"山田太郎 様"_s);
    EXPECT_EQ(TraceScene::RectOf(n), (Rect{400, 707, 900, 767}));
    EXPECT_EQ(n[u"size"_s].toInt(), 14);
    EXPECT_EQ(p.r.lbAddCaption[2], u"部長"_s);
    EXPECT_EQ(p.r.lbAddCaption[3], u"山田太郎 様"_s);
    EXPECT_FALSE(p.r.bNameExtra);
}

TEST(ComposeAdr, SingleNameBetweenFirstTwoRows) {
    struct Case {
        QString rows;
        bool bVertical;
        Rect box;
        bool bNameExtra;
        QString spacing = u"0.5"_s; // name lines apart, in lines
    };
    for (const Case& c : {Case{u"3行"_s, false, {400, 662, 900, 722}, true},
                          Case{u"3行"_s, true, {538, 500, 478, 1280}, true},
                          Case{u"１行"_s, false, {400, 617, 900, 677}, false},
                          // Rows 75 apart: the half-way edge 654.5 (545.5 leftwards) is
                          // rounded once, to the even neighbour.
                          Case{u"3行"_s, false, {400, 654, 900, 714}, true, u"0.25"_s},
                          Case{u"3行"_s, true, {546, 500, 486, 1280}, true, u"0.25"_s}}) {
        Printed p(u"1,;東京都,,山田太郎,"_s);
        p.st.page.bVertical = c.bVertical;
        p.st.model.cbMxRw[1] = {c.rows, -1};
        p.st.model.cbRwPt[2] = p.st.model.cbRwPtB[2] = {c.spacing, -1};
        p.Compose();
        // Vertical text is widened, its blank too.
        EXPECT_EQ(p.At(c.bVertical ? u"山田太郎　様"_s : u"山田太郎 様"_s), c.box)
            << c.rows.toStdString() << c.bVertical;
        EXPECT_EQ(p.r.bNameExtra, c.bNameExtra);
    }
}

TEST(ComposeAdr, JointNameFamilyOnceGivenNamesAligned) {
    Printed p(u"1,;東京都,,山田　太郎・花子,様"_s);
    p.Compose();
    EXPECT_EQ(p.TextValues().mid(7),
              (QStringList{u"東京都"_s, u"山田"_s, u"太郎 様"_s, u"花子 様"_s}));
    // The trace measures 18 page units per character at 14 pt: "山田　" is 54 long.
    EXPECT_EQ(p.At(u"山田"_s), (Rect{400, 617, 454, 677}));
    EXPECT_EQ(p.At(u"太郎 様"_s), (Rect{454, 617, 900, 677}));
    EXPECT_EQ(p.At(u"花子 様"_s), (Rect{454, 683, 900, 743})); // one step of 66 below
    EXPECT_TRUE(p.r.bNameExtra);
    EXPECT_EQ(p.st.sama.sDotSama, u"様"_s);
    EXPECT_EQ(p.r.lbAddCaption[3], u"山田　太郎・花子"_s);
}

TEST(ComposeAdr, JointNameCentredAndSqueezed) {
    Printed p(u"1,;東京都,,山田　一郎・二郎・三郎,"_s);
    p.st.model.cbMxRw[1] = {u"2行"_s, -1};
    p.st.model.ckCnter[0] = 1;
    p.Compose();
    // Three names in two rows: pitch 2 * 60 / 3 = 40, step 44. The font shrinks to an em of
    // at most 0.9 * 44 = 39.6 units (11 pt: 14 units a character in the trace). The extent
    // "山田　一郎 様　" is 8 characters (112); (500 - 112) / 2.5 = 155.2 → start 555, end 667.
    EXPECT_EQ(p.At(u"山田"_s), (Rect{555, 617, 597, 657}));
    EXPECT_EQ(p.At(u"一郎 様"_s), (Rect{597, 617, 667, 657}));
    EXPECT_EQ(p.At(u"三郎 様"_s), (Rect{597, 705, 667, 745}));
    EXPECT_EQ(p.TextCall(u"三郎 様"_s)[u"size"_s].toInt(), 11);
}

TEST(ComposeAdr, JointNameHalfPitchBoxesRoundedOnce) {
    // Two names in one row of 51: pitch 25.5, step 28; each box edge is rounded once. The
    // font shrinks to 7 pt (em at most 0.9 * 28 units; 9 units a character in the trace).
    struct Case {
        bool bVertical;
        Rect family, first, second; // 山田, 一郎 様, 二郎 様
    };
    for (const Case& c :
         {Case{false, {400, 617, 427, 642}, {427, 617, 900, 642}, {427, 645, 900, 670}},
          Case{true, {583, 500, 558, 527}, {583, 527, 558, 1280}, {555, 527, 530, 1280}}}) {
        Printed p(u"1,;東京都,,山田　一郎・二郎,"_s);
        p.st.page.bVertical = c.bVertical;
        p.st.model.cbMxRw[1] = {u"1行"_s, -1};
        p.st.model.lbAdd[3].size = 12;
        p.Compose();
        const QString sp = c.bVertical ? u"　"_s : u" "_s; // vertical text is widened
        EXPECT_EQ(p.At(u"山田"_s), c.family) << c.bVertical;
        EXPECT_EQ(p.At(u"一郎"_s + sp + u"様"_s), c.first) << c.bVertical;
        EXPECT_EQ(p.At(u"二郎"_s + sp + u"様"_s), c.second) << c.bVertical;
    }
}

TEST(ComposeAdr, PostalCodeBoxesAndSenderWhenPrinting) {
    Printed p(u"123-4567,;東京都,,山田太郎,"_s);
    p.st.page.bSender = true;
    p.st.model.ckWaku = {1, 1};
    p.st.txAdd = {u"987-6543"_s, u"大阪府大阪市"_s, u"北区1-1"_s, {}, {}, u"株式会社X"_s, {}, {},
                  u"鈴木 一郎"_s};
    p.st.model.ckCnter[1] = 1;
    p.Compose();
    EXPECT_EQ(p.Calls(u"DrawRect"_s).size(), 14); // both sets of boxes, once each
    const QStringList t = p.TextValues();
    EXPECT_EQ(t.mid(0, 7).join(QString()), u"1234567"_s);
    EXPECT_EQ(p.r.lbAddCaption[4], u"9876543"_s);
    // Sender lines: 17 characters per line join the short ones.
    const QString first = u"大阪府大阪市 北区1-1 株式会社X"_s;
    EXPECT_EQ(p.r.lbAddCaption[5], first);
    const QJsonObject name = p.TextCall(u"鈴木 一郎"_s);
    EXPECT_EQ(TraceScene::RectOf(name), (Rect{200, 1285, 900, 1323}));
    EXPECT_EQ(name[u"alignH"_s].toInt(), 1); // the last line centred
    EXPECT_EQ(TraceScene::RectOf(p.TextCall(first)), (Rect{200, 1228, 900, 1266}));
    EXPECT_EQ(p.TextCall(first)[u"alignH"_s].toInt(), 0);
}

// What the record says is printed: a title with "・" leaves the name its honorific, a foreign
// name with "・" is one person, postal codes typed with 〒, blanks, dashes or full-width
// digits fill the boxes digit by digit.
TEST(ComposeAdr, NamesAndCodesAsPeopleWriteThem) {
    struct Case {
        QString record;
        QString zip;       // the seven digits drawn
        QStringList names; // the name rows drawn, in order
    };
    const Case cases[] = {
        {u"１００－０００５,;東京都,,'営業・企画部長;田中　一郎,"_s,
         u"1000005"_s,
         {u"営業・企画部長"_s, u"田中　一郎 様"_s}},
        {u"〒100-0005,;東京都,,'取締役・営業部長;田中一郎,殿"_s,
         u"1000005"_s,
         {u"取締役・営業部長"_s, u"田中一郎 殿"_s}},
        {u"100 ‐ 0005,;東京都,,ジョン・スミス,"_s, u"1000005"_s, {u"ジョン・スミス 様"_s}},
        {u"100ー0005,;東京都,,ｼﾞｮﾝ・ｽﾐｽ,"_s, u"1000005"_s, {u"ｼﾞｮﾝ・ｽﾐｽ 様"_s}},
        // Joint names as people write them stay joint names.
        {u"100―0005,;東京都,,山田太郎・山田花子,"_s,
         u"1000005"_s,
         {u"山田太郎 様"_s, u"山田花子 様"_s}},
        {u"100−0005,;東京都,,山田　太郎・花子,"_s,
         u"1000005"_s,
         {u"山田"_s, u"太郎 様"_s, u"花子 様"_s}},
    };
    for (const Case& c : cases) {
        Printed p(c.record);
        p.st.model.cbMxRw[1] = {u"3行"_s, -1};
        p.Compose();
        const QStringList t = p.TextValues();
        EXPECT_EQ(t.mid(0, 7).join(QString()), c.zip) << c.record.toStdString();
        EXPECT_EQ(t.mid(8), c.names) << c.record.toStdString() << " " << t.join(u'|').toStdString();
    }
}

// Four or more joint names in fewer rows: the font shrinks with the squeezed step, so the
// columns (or lines) never touch.
TEST(ComposeAdr, SqueezedJointNamesShrinkTheFont) {
    for (const bool bVertical : {true, false}) {
        for (const QString& names :
             {u"山田　一郎・二郎・三郎・四郎"_s, u"山田　一郎・二郎・三郎・四郎・五郎"_s}) {
            Printed p(u"1,;東京都,,"_s + names + u","_s);
            p.st.page.bVertical = bVertical;
            p.Compose();
            const QList<QJsonObject> texts = p.Texts();
            QList<QJsonObject> parts;
            for (const QJsonObject& o : texts)
                if (o[u"text"_s].toString().endsWith(u"様"_s))
                    parts << o;
            ASSERT_EQ(parts.size(), names.count(u'・') + 1) << names.toStdString();
            const QString across = bVertical ? u"x1"_s : u"y1"_s;
            const int step = std::abs(parts[1][across].toInt() - parts[0][across].toInt());
            const double em = parts[0][u"size"_s].toDouble() * 254 / 72;
            EXPECT_LE(em, 0.9 * step) << bVertical << names.toStdString();
        }
    }
}

// Every sender field is printed: more lines than the block has rows share the block, with
// pitch and font scaled down, and the name stands on a line of its own.
TEST(ComposeAdr, EverySenderLineIsPrinted) {
    for (const bool bVertical : {true, false}) {
        Printed p(u"123-4567,;東京都,,山田太郎,"_s);
        p.st.page.bVertical = bVertical;
        p.st.page.bSender = true;
        p.st.txAdd = {u"〒１５０－０００１"_s,
                      u"東京都渋谷区神宮前一丁目二番三号"_s,
                      u"ハイツ渋谷ガーデン百一号室"_s,
                      {},
                      {},
                      u"株式会社見本商事"_s,
                      u"営業本部　第一営業部"_s,
                      {},
                      u"山田　太郎"_s};
        p.Compose();
        const QStringList t = p.TextValues();
        QString all = t.join(QString()).remove(u' ').remove(u'　');
        for (QChar& c : all) // vertical writing draws the digits full-width
            if (c >= u'０' && c <= u'９')
                c = QChar(c.unicode() - u'０' + u'0');
        for (const QString& field :
             {u"東京都渋谷区神宮前一丁目二番三号"_s, u"ハイツ渋谷ガーデン百一号室"_s,
              u"株式会社見本商事"_s, u"営業本部第一営業部"_s, u"山田太郎"_s, u"1500001"_s})
            EXPECT_TRUE(all.contains(bVertical ? QString(field).replace(u'ー', u'｜') : field))
                << bVertical << " " << field.toStdString() << " in " << all.toStdString();
        // The sender's name lies inside the block of the sender rows, on a line of its own
        // when the lines outnumber the rows.
        QJsonObject o;
        for (const QJsonObject& text : p.Texts())
            if (text[u"text"_s].toString().remove(u' ').remove(u'　').endsWith(u"山田太郎"_s))
                o = text;
        const qsizetype nLines = t.size() - 7 - 2 - 7;
        if (!bVertical) {
            EXPECT_GT(nLines, p.st.lay.aSndBox.size()); // the case that lost the name
        }
        if (nLines > p.st.lay.aSndBox.size()) {
            EXPECT_EQ(o[u"text"_s].toString().remove(u' ').remove(u'　'), u"山田太郎"_s);
            EXPECT_LT(o[u"size"_s].toInt(), Single(p.st.model.lbAdd[5].size));
        }
        ASSERT_FALSE(o.isEmpty()) << bVertical << t.join(u'|').toStdString();
        const LineBox first = PageLayout::Box(p.st.lay.aSndBox, 0);
        const LineBox last = PageLayout::Box(p.st.lay.aSndBox, p.st.lay.aSndBox.size() - 1);
        const Rect r = TraceScene::RectOf(o);
        if (bVertical) {
            EXPECT_GE(r[2], last[2]) << r[2];
            EXPECT_LE(r[0], first[0]);
        } else {
            EXPECT_LE(r[3], last[3]) << r[3];
            EXPECT_GE(r[1], first[1]);
        }
    }
}

TEST(ComposeAdr, NothingWithoutProfileOrRecord) {
    TraceScene s;
    s.st.adr.colAdr = {u"1,;東京都,,山田,"_s};
    s.st.page.sPage.clear();
    s.PageUnits();
    LayoutPage(s.st.PreviewCanvas());
    s.ik.clear();
    ComposeAdr(s.st.PreviewCanvas(), s.st.Record(s.st.adr.nAdrIdx), ComposeMode::Preview);
    EXPECT_TRUE(s.ik.lines().isEmpty());
    s.st.page.sPage = u"x"_s;
    s.st.adr.colAdr.clear();
    ComposeAdr(s.st.PreviewCanvas(), s.st.Record(s.st.adr.nAdrIdx), ComposeMode::Preview);
    EXPECT_TRUE(s.ik.lines().isEmpty());
}

// The preview: a full refresh, then row changes.
struct Preview : TraceScene {
    Preview() {
        st.adr.bFullLay = true;
        st.adr.colAdr = {u"100-0001,;東京都;千代田区,,'部長;山田太郎,"_s,
                         u"200-0002,;大阪府;大阪市,,'課長;鈴木花子,"_s};
        st.txAdd[0] = u"300-0003"_s;
        st.txAdd[8] = u"差出 人"_s;
        st.nTab = 1; // no guides
    }
    // Texts drawn since the last blank preview.
    QStringList LastPicture() const {
        QStringList out;
        for (const QJsonObject& o : ik.records()) {
            const QString op = o[u"op"_s].toString();
            if (op == u"ResetImage"_s)
                out.clear();
            else if (op == u"DrawText"_s)
                out << o[u"text"_s].toString();
        }
        return out;
    }
};

TEST(ComposeAdrModes, RowChangeRedrawsRecordNotSender) {
    Preview p;
    EXPECT_EQ(p.st.RefreshPreview(), QString());
    EXPECT_TRUE(p.LastPicture().contains(u"差出 人"_s));
    p.ik.clear();
    EXPECT_EQ(p.st.SelectRow(1), QString());
    EXPECT_TRUE(p.Calls(u"ResetImage"_s).isEmpty());
    const QStringList t = p.TextValues();
    EXPECT_TRUE(t.contains(u"鈴木花子 様"_s));
    EXPECT_FALSE(t.contains(u"差出 人"_s));
    EXPECT_FALSE(t.contains(u"3"_s)); // no sender postal code
    // A white blank over the record area, then the recipient boxes renewed under the digits.
    const auto rects = p.Calls(u"DrawRect"_s);
    ASSERT_EQ(rects.size(), 8);
    EXPECT_EQ(rects[0][u"fillColor"_s].toInt(), kWhite);
    EXPECT_EQ(rects[1][u"lineColor"_s].toInt(), kRed);
}

TEST(ComposeAdrModes, GuidesOrExtraLinesMakeRowChangeRefresh) {
    Preview p;
    p.st.nTab = 0;
    p.st.RefreshPreview();
    EXPECT_TRUE(p.st.lay.bGuides);
    p.ik.clear();
    p.st.SelectRow(1);
    EXPECT_EQ(p.Calls(u"ResetImage"_s).size(), 1);
    EXPECT_TRUE(p.LastPicture().contains(u"差出 人"_s));

    Preview busy;
    busy.st.bBusy = true;
    busy.st.SelectRow(1);
    EXPECT_EQ(busy.st.adr.nAdrIdx, 0);
    EXPECT_TRUE(busy.ik.lines().isEmpty());
}

TEST(ComposeAdrModes, ExtraAddressLineIsLaidOutAndUsed) {
    Preview p;
    // 10, 9 and 5 characters in lines of 11: three lines even with one enlargement.
    p.st.adr.colAdr = {
        u"1,;東京都;千代田区丸の内一丁目;二番三号ＡＢＣビル;四階総務部,,山田太郎,"_s};
    p.st.model.cbMxRw[0] = {u"2行"_s, -1};
    struct Case {
        int chOvrRw;
        int nAdrRows;
        QStringList lines;
    };
    for (const Case& c :
         {Case{1, 3, {u"千代田区丸の内一丁目"_s, u"二番三号ＡＢＣビル"_s, u"四階総務部"_s}},
          // Without the extra line the lines grow (13, then 16 characters) until two suffice.
          Case{0, 2, {u"千代田区丸の内一丁目"_s, u"二番三号ＡＢＣビル 四階総務部"_s}}}) {
        p.st.model.chOvrRw = c.chOvrRw;
        p.ik.clear();
        EXPECT_EQ(p.st.RefreshPreview(), QString());
        EXPECT_EQ(p.st.lay.nAdrRows, c.nAdrRows);
        EXPECT_EQ(p.st.lay.bAdrExtra, c.chOvrRw == 1);
        const QStringList t = p.LastPicture();
        for (const QString& line : c.lines)
            EXPECT_TRUE(t.contains(line)) << line.toStdString() << c.chOvrRw;
    }
}

TEST(ComposeAdrModes, OverflowStopsDrawingWithoutCrash) {
    Preview p;
    p.st.model.txYhk[3] = u"99999"_s;
    const QString sError = p.st.RefreshPreview();
    EXPECT_FALSE(sError.isEmpty());
    EXPECT_FALSE(p.ik.lines().isEmpty()); // the paper was drawn before the fault
    EXPECT_TRUE(p.Texts().isEmpty());     // no record text
}

} // namespace
} // namespace hoplark
