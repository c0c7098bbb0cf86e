#include "PanelTest.h"

#include "ui/FontLabel.h"
#include "ui/PanelColor.h"
#include "ui/PanelCombo.h"
#include "ui/PanelMarginBox.h"
#include "ui/PanelWindowLayout.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>

using namespace Qt::StringLiterals;

namespace hoplark::test {
namespace {

// A profile in which every value differs from the defaults.
ProfileModel Unusual() {
    ProfileModel m;
    m.opMjhk = {false, true};
    m.chOvrRw = 1;
    m.OptAdd = {false, true, false, false, true, false};
    m.ckSashi = 0;
    m.cbMxRw = {{{u"５行"_s, 3}, {u"1行"_s, -1}, {u"２行"_s, 1}}};
    for (int i = 0; i < 8; ++i) {
        m.txYhk[i] = QString::number(11 + i);
        m.txYhkB[i] = QString::number(21 + i) + (i == 7 ? u".5"_s : QString());
    }
    m.cbRwPt = {{{u"なし"_s, 0}, {u"３．００行"_s, 10}, {u"0.6行"_s, -1}, {u"１．００行"_s, 5}}};
    m.cbRwPtB = {{{u"１．５０行"_s, 7}, {u"x"_s, -1}, {u"０．１２行"_s, 1}, {u"なし"_s, 0}}};
    m.lbAdd[0] = {u"ＭＳ 明朝"_s, 16, 0xFF, true, false, false, false};
    m.lbAdd[3] = {u"IPAPGothic"_s, 14.25, 0x00FF00, false, true, true, true};
    m.lbAdd[4] = {u"ＭＳ ゴシック"_s, 8.25, 0xFF0000, false, false, false, true};
    m.lbAdd[5].color = 0x00FFFF;
    m.ckWaku = {1, 1};
    m.ckCnter = {1, 1};
    m.txSama = u"殿"_s;
    return m;
}

class PanelLoadTest : public PanelTest {};

TEST_F(PanelLoadTest, LoadShowsEveryValueAndLeavesTheModelAsItWas) {
    const ProfileModel m = Unusual();
    st.model = m;
    st.page.bVertical = true;
    st.page.sPaper = u"はがき"_s;
    panel.LoadFromModel();

    EXPECT_TRUE(st.model == m) << "showing the model writes nothing back";
    EXPECT_FALSE(st.bBusy) << "bBusy restored";
    EXPECT_EQ(nRefresh, 0) << "a load redraws once, later, through its caller";

    EXPECT_TRUE(paper().opMjhk[1]->isChecked());
    EXPECT_FALSE(paper().FramePc[1]->isHidden());
    EXPECT_TRUE(paper().FramePc[0]->isHidden());
    EXPECT_EQ(paper().lbYoshi->text(), u"はがき"_s);
    EXPECT_TRUE(paper().chOvrRw->isChecked());
    EXPECT_TRUE(address().OptAdd[4]->isChecked());
    EXPECT_FALSE(paper().ckSashi->isChecked());
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(paper().cbMxRw[i]->Value(), m.cbMxRw[i]) << i;
        EXPECT_EQ(paper().cbMxRw[i]->currentText(), m.cbMxRw[i].text) << i;
    }
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(frame(0).txYhk[i]->text(), m.txYhk[i]);
        EXPECT_EQ(frame(1).txYhk[i]->text(), m.txYhkB[i]);
    }
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(frame(0).cbRwPt[i]->Value(), m.cbRwPt[i]) << i;
        EXPECT_EQ(frame(1).cbRwPt[i]->Value(), m.cbRwPtB[i]) << i;
        EXPECT_EQ(frame(1).cbRwPt[i]->currentText(), m.cbRwPtB[i].text) << i;
    }
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(formats().lbAdd[i]->Spec(), m.lbAdd[i]) << i;
    }
    const QFont f3 = formats().lbAdd[3]->font();
    EXPECT_EQ(f3.pointSizeF(), 14.25);
    EXPECT_TRUE(f3.italic() && f3.strikeOut() && f3.underline() && !f3.bold());
    EXPECT_EQ(formats().lbAdd[3]->palette().color(QPalette::WindowText), QColor(Qt::green));
    EXPECT_TRUE(formats().ckWaku[0]->isChecked() && formats().ckWaku[1]->isChecked());
    EXPECT_EQ(formats().txSama->text(), u"殿"_s);
}

TEST_F(PanelLoadTest, LoadAppliesWhatTheSwitchesDerive) {
    st.model = Unusual(); // sender off, both centred
    panel.LoadFromModel();
    EXPECT_FALSE(st.page.bSender);
    for (int p = 0; p < 2; ++p) {
        EXPECT_TRUE(frame(p).txYhk[5]->isHidden());
        EXPECT_TRUE(frame(p).cbRwPt[3]->isHidden());
    }
    EXPECT_FALSE(formats().frameSender->isEnabled());
    EXPECT_EQ(formats().lbSenderCaptions[0]->palette().color(QPalette::WindowText),
              QColor(0x80, 0x80, 0x80));
    // The sender font labels keep the colours the profile gave them.
    EXPECT_EQ(st.model.lbAdd[4].color, 0xFF0000);
    EXPECT_EQ(formats().lbAdd[4]->palette().color(QPalette::WindowText), QColor(Qt::blue));
    EXPECT_TRUE(formats().lbAdd[3]->IsCentred());
    EXPECT_TRUE(formats().lbAdd[5]->IsCentred());

    // The next profile turns the sender on and centring off again.
    st.model = ProfileModel();
    panel.LoadFromModel();
    EXPECT_TRUE(st.page.bSender);
    for (int p = 0; p < 2; ++p) {
        EXPECT_FALSE(frame(p).txYhk[7]->isHidden());
        EXPECT_FALSE(frame(p).cbRwPt[3]->isHidden());
    }
    EXPECT_TRUE(formats().frameSender->isEnabled());
    EXPECT_EQ(formats().lbSenderCaptions[4]->palette().color(QPalette::WindowText),
              QColor(Qt::black));
    EXPECT_FALSE(formats().lbAdd[3]->IsCentred());
    EXPECT_FALSE(formats().lbAdd[5]->IsCentred());
    EXPECT_EQ(nRefresh, 0);
}

TEST_F(PanelLoadTest, LoadKeepsTheCallersBusyFlag) {
    st.bBusy = true;
    panel.LoadFromModel();
    EXPECT_TRUE(st.bBusy);
}

TEST_F(PanelLoadTest, UserChangesAfterALoadGoToTheModel) {
    st.model = Unusual();
    panel.LoadFromModel();
    frame(1).txYhk[7]->stepDown();
    paper().ckSashi->click();
    EXPECT_EQ(st.model.txYhkB[7], u"28"_s);
    EXPECT_EQ(st.model.ckSashi, 1);
    EXPECT_EQ(nRefresh, 2);
}

TEST_F(PanelLoadTest, CaptionsShowTheRecordSamples) {
    st.lbAddCaption = {u"1000001"_s, u"東京都"_s, QString(), u"山田 太郎 様"_s, {}, {}};
    panel.ShowCaptions();
    EXPECT_EQ(formats().lbAdd[0]->text(), u"1000001"_s);
    EXPECT_EQ(formats().lbAdd[3]->text(), u"山田 太郎 様"_s);
    EXPECT_EQ(formats().lbAdd[2]->text(), u"ＭＳ Ｐゴシック 9.75"_s) << "no sample: its font";
}

TEST_F(PanelLoadTest, SamaPageShowsTheRulesAndItsFixedText) {
    // The load sequence reads the rules before it sets up the tabs.
    st.sama.ReadSamaRule(u"先生,殿"_s, u"1"_s);
    panel.InitTabs();
    EXPECT_EQ(sama().txSamaE->toPlainText(), u"先生\n殿"_s);
    EXPECT_TRUE(sama().chSama->isChecked());
    EXPECT_TRUE(sama().txSamaD->isReadOnly());
    EXPECT_EQ(PageSama::SamaHelpText().count(u"\r\n"_s), 7);
    EXPECT_TRUE(PageSama::SamaHelpText().contains(u"\r\n <例:　井上　太郎　先生> 登録し\r\n"_s));
    // Typing in the list box reaches the rules with CR LF between entries.
    sama().txSamaE->setPlainText(u"先生\n様"_s);
    EXPECT_EQ(st.sama.txSamaE, u"先生\r\n様"_s);
}

// The controls as a test or a tool finds them by name: caption, tooltip and start state.
TEST_F(PanelLoadTest, ControlsByNameWithCaptionsTooltipsAndStartState) {
    const struct {
        const char* name;
        QString sCaption; // the button's text; empty for other controls
        QString sTip;
        int nChecked; // -1: not a button
        bool bEnabled;
    } controls[] = {
        {"opMjhk0", u"横書き"_s, {}, 1, true},
        {"opMjhk1", u"縦書き"_s, {}, 0, true},
        {"cbYoshi", {}, u"用紙の選択"_s, -1, true},
        {"chOvrRw", u"住所・名前の行追加"_s,
         u"住所・名前の文字数が多い場合に１行追加してよければチェックオン"_s, 0, true},
        {"cbMxRw0", {}, u"勤務先･事業所･部署等"_s, -1, true},
        {"cbMxRw1", {}, u"連名の場合は大きくします"_s, -1, true},
        {"cbMxRw2", {}, {}, -1, true},
        {"ckSashi", u"差出人の住所･名前を記入する"_s, {}, 1, true},
        {"cmFont", u"ﾌｫﾝﾄ(ｻｲｽﾞ以外)"_s, u"宛名･差出人の共通のﾌｫﾝﾄ(ｻｲｽﾞ以外)を指定します"_s, 0,
         true},
        {"cmColor", u"文字色"_s, u"宛名･差出人の文字色を指定します"_s, 0, true},
        {"ckWaku0", u"枠の印刷"_s, {}, 0, true},
        {"ckWaku1", u"枠の印刷"_s, {}, 0, true},
        {"ckCnter0", u"名前の中央合わせ"_s, u"名前をｾﾝﾀﾘﾝｸﾞします"_s, 0, true},
        {"ckCnter1", u"名前の中央合わせ"_s, u"差出人の名前等をｾﾝﾀﾘﾝｸﾞします"_s, 0, true},
        {"cmSasi0", u"再表示"_s, {}, 0, true},
        {"cmSasi1", u"編集"_s, {}, 0, true},
        {"txSama", {}, {}, -1, true},
        {"lbAdd0", {}, u"送り先郵便番号の書式"_s, -1, true},
        {"lbAdd1", {}, u"送り先住所の書式"_s, -1, true},
        {"lbAdd2", {}, u"送り先名前の書式"_s, -1, true},
        {"lbAdd3", {}, u"送り先名前の書式"_s, -1, true},
        {"lbAdd4", {}, u"差出人郵便番号の書式"_s, -1, true},
        {"lbAdd5", {}, u"差出人住所の書式"_s, -1, true},
        {"OptAdd3", u"省略は無し"_s, {}, 0, true},
        {"OptAdd5", u"都道府県名は省略"_s, {}, 1, true},
        {"OptAdd4", u"都道府県･市区郡は省略"_s, {}, 0, true},
        {"OptAdd1", u"空白文字の仕切で再配置"_s,
         u"住所表記の区切り位置と行巾で改行位置を決めます"_s, 1, false},
        {"OptAdd0", u"宛名1.2.3と区切られている"_s,
         u"予め宛名が分かれている場合､文字ｻｲｽﾞで調整されます"_s, 0, false},
        {"chSama", u"敬称は、ｽﾍﾟｰｽで区切られている"_s, {}, 1, true},
        {"cmNoSama", u"更新"_s, {}, 0, true},
    };
    for (const auto& c : controls) {
        SCOPED_TRACE(c.name);
        const QList<QWidget*> found = panel.findChildren<QWidget*>(QString::fromLatin1(c.name));
        ASSERT_EQ(found.size(), 1);
        QWidget* w = found.first();
        EXPECT_EQ(w->toolTip(), c.sTip);
        EXPECT_EQ(w->isEnabled(), c.bEnabled);
        const auto* button = qobject_cast<QAbstractButton*>(w);
        EXPECT_EQ(button != nullptr, c.nChecked >= 0);
        if (button) {
            EXPECT_EQ(button->text(), c.sCaption);
            EXPECT_EQ(button->isChecked(), c.nChecked == 1);
        }
    }
    EXPECT_EQ(formats().txSama->text(), u"様"_s);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(panel.findChildren<QWidget*>(u"FramePg"_s + QString::number(i)).size(), 1);
    }

    // Frames and labels, wherever they sit.
    QStringList frames;
    for (const QGroupBox* box : panel.findChildren<QGroupBox*>()) {
        frames << box->title();
    }
    frames.sort();
    QStringList expected{u"文字方向"_s,       u"最大行(列)数"_s,  u"配置"_s, u"配置"_s,
                         u"差出人のﾃﾞ-ﾀ-"_s,  u"差出人"_s,        u"宛先"_s, u"県･市区郡の省略"_s,
                         u"住所の改行方法"_s, u"印刷位置の補正"_s};
    expected.sort();
    EXPECT_EQ(frames, expected);
    QStringList labels;
    for (const QLabel* label : panel.findChildren<QLabel*>()) {
        labels << label->text();
    }
    const QStringList shown{
        u"用紙"_s,   u"単位=mm"_s, u"基本"_s,   u"個別の設定は下のﾗﾍﾞﾙをｸﾘｯｸして下さい"_s,
        u"敬称"_s,   u"肩書"_s,    u"勤務先"_s, u"住所名前"_s,
        u"上余白"_s, u"下余白"_s,  u"右余白"_s, u"左余白"_s};
    for (const QString& s : shown) {
        EXPECT_TRUE(labels.contains(s)) << s.toStdString();
    }
    EXPECT_TRUE(labels.contains(
        u"敬称が指定されていない場合　　　　　　名前の末尾が以下の文字列であれば、　「様」を付加しない"_s));
}

TEST_F(PanelLoadTest, TabsAndTheirPages) {
    ASSERT_EQ(panel.count(), 4);
    const QString captions[4] = {u"用紙・配置"_s, u"宛先・差出"_s, u"宛名"_s, u"設定"_s};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(panel.tabText(i), captions[i]);
    }
    panel.setCurrentIndex(2);
    EXPECT_EQ(st.nTab, 2);
    panel.setCurrentIndex(0);
    EXPECT_EQ(st.nTab, 0);
    EXPECT_EQ(nRefresh, 0);
}

// Every control the user works with takes the keyboard focus with Tab.
TEST_F(PanelLoadTest, EveryControlIsReachableByKeyboard) {
    int nControls = 0;
    for (QWidget* w : panel.findChildren<QWidget*>()) {
        const QWidget* parent = w->parentWidget();
        // Line edits inside spin and combo boxes belong to them.
        const bool bInner = parent->inherits("QAbstractSpinBox") || parent->inherits("QComboBox");
        const bool bControl = qobject_cast<QAbstractButton*>(w) || qobject_cast<QComboBox*>(w) ||
                              qobject_cast<QAbstractSpinBox*>(w) ||
                              qobject_cast<QPlainTextEdit*>(w) || qobject_cast<FontLabel*>(w) ||
                              (qobject_cast<QScrollBar*>(w) && w->objectName() == u"hsBar"_s) ||
                              (qobject_cast<QLineEdit*>(w) && !bInner);
        if (!bControl || w->inherits("QTabBar") || w->parentWidget()->inherits("QTabBar")) {
            continue;
        }
        ++nControls;
        EXPECT_TRUE(w->focusPolicy() & Qt::TabFocus)
            << w->metaObject()->className() << " " << w->objectName().toStdString();
    }
    EXPECT_GT(nControls, 60);
    // Plain text boxes hand Tab on instead of keeping it.
    EXPECT_TRUE(sama().txSamaE->tabChangesFocus());
    EXPECT_TRUE(sama().txSamaD->tabChangesFocus());
}

TEST_F(PanelLoadTest, MarginBoxesAreVisitedInReadingOrder) {
    panel.resize(600, 900);
    panel.show();
    std::vector<QWidget*> chain;
    QWidget* w = frame(0).txYhk[0];
    for (int n = 0; n < 40 && chain.size() < 12; ++n, w = w->nextInFocusChain()) {
        if (w->parentWidget() == &frame(0) && (w->focusPolicy() & Qt::TabFocus)) {
            chain.push_back(w);
        }
    }
    const std::vector<QWidget*> expected{frame(0).txYhk[0],  frame(0).txYhk[1],  frame(0).cbRwPt[0],
                                         frame(0).txYhk[2],  frame(0).cbRwPt[1], frame(0).txYhk[3],
                                         frame(0).cbRwPt[2], frame(0).txYhk[4],  frame(0).txYhk[5],
                                         frame(0).cbRwPt[3], frame(0).txYhk[6],  frame(0).txYhk[7]};
    EXPECT_EQ(chain, expected);
}

TEST(PanelWindowLayoutTest, StartingSizesFromTheTwips) {
    QWidget host;
    auto& layout = *new PanelWindowLayout(96, &host);
    auto* tabs = new QWidget;
    tabs->setMinimumWidth(100);
    layout.SetParts(new QWidget, tabs);
    // Inner area 760 × 533: H = 533 − 13 = 520 (200 twips), in pixels at 96 dpi.
    const auto parts = layout.Compute(QSize(760, 533));
    EXPECT_EQ(parts.preview, QRect(2, 2, 526, 529));
    EXPECT_EQ(parts.tabs, QRect(532, 2, 226, 529));
    // A taller window: the preview grows, keeping about its square.
    const auto big = layout.Compute(QSize(1280, 760));
    EXPECT_EQ(big.preview.width(), 753);
    EXPECT_EQ(big.preview.height(), 756);
    EXPECT_EQ(big.tabs.right(), 1277);
}

TEST(PanelWindowLayoutTest, PreviewYieldsToTheTabStripsMinimum) {
    QWidget host;
    auto& layout = *new PanelWindowLayout(96, &host);
    auto* tabs = new QWidget;
    tabs->setMinimumWidth(400);
    layout.SetParts(new QWidget, tabs);
    const auto parts = layout.Compute(QSize(760, 533));
    EXPECT_EQ(parts.tabs.width(), 400);
    EXPECT_EQ(parts.preview.width(), 760 - 2 - 4 - 400 - 2);
    EXPECT_EQ(parts.tabs.right(), 757);
}

TEST(PanelWindowLayoutTest, TwiceTheDpiDoublesTheStartingWindow) {
    QWidget window;
    PanelWindowLayout::PlaceWindow(&window, 96);
    EXPECT_EQ(window.size(), QSize(760, 553));
    PanelWindowLayout::PlaceWindow(&window, 192);
    EXPECT_EQ(window.size(), QSize(1520, 1107));
    EXPECT_GE(window.x(), 0);
    EXPECT_GE(window.y(), 0);
}

} // namespace
} // namespace hoplark::test
