#include "PanelTest.h"
#include "support/TestEnv.h"

#include "imaging/Imaging.h"
#include "ui/FontLabel.h"
#include "ui/PanelCombo.h"
#include "ui/PanelMarginBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QWheelEvent>

#include <functional>

using namespace Qt::StringLiterals;

namespace hoplark::test {
namespace {

// One user action on the panel and what it must leave in the model.
struct Action {
    const char* name;
    std::function<void(PanelTest&)> act;
    std::function<bool(const Session&)> stored;
};

class HandlerTest : public PanelTest {
public:
    void RunTable(bool bBusy);
};

void HandlerTest::RunTable(bool bBusy) {
    const std::vector<Action> actions = {
        {"chOvrRw", [](PanelTest& t) { t.paper().chOvrRw->click(); },
         [](const Session& s) { return s.model.chOvrRw == 1; }},
        {"cbMxRw(1) chosen", [](PanelTest& t) { t.paper().cbMxRw[1]->setCurrentIndex(4); },
         [](const Session& s) {
             return s.model.cbMxRw[1] == ComboValue{u"５行"_s, 4};
         }},
        {"cbRwPt(1) chosen", [](PanelTest& t) { t.frame(0).cbRwPt[1]->setCurrentIndex(10); },
         [](const Session& s) {
             return s.model.cbRwPt[1] == ComboValue{u"３．００行"_s, 10};
         }},
        {"cbRwPtB(2) chosen", [](PanelTest& t) { t.frame(1).cbRwPt[2]->setCurrentIndex(0); },
         [](const Session& s) {
             return s.model.cbRwPtB[2] == ComboValue{u"なし"_s, 0};
         }},
        {"txYhk(3) typed",
         [](PanelTest& t) {
             t.frame(0).txYhk[3]->setFocus();
             TypeText(t.frame(0).txYhk[3], u"5"_s);
         },
         [](const Session& s) { return s.model.txYhk[3] == u"405"_s; }},
        {"txYhkB(6) stepped", [](PanelTest& t) { t.frame(1).txYhk[6]->stepUp(); },
         [](const Session& s) { return s.model.txYhkB[6] == u"11"_s; }},
        {"OptAdd(3)", [](PanelTest& t) { t.address().OptAdd[3]->click(); },
         [](const Session& s) { return s.model.OptAdd[3] && !s.model.OptAdd[5]; }},
        {"OptAdd(4)", [](PanelTest& t) { t.address().OptAdd[4]->click(); },
         [](const Session& s) { return s.model.OptAdd[4] && !s.model.OptAdd[5]; }},
        {"txSama typed",
         [](PanelTest& t) {
             t.formats().txSama->selectAll();
             TypeText(t.formats().txSama, u"殿"_s);
         },
         [](const Session& s) { return s.model.txSama == u"殿"_s; }},
        {"ckCnter(0)", [](PanelTest& t) { t.formats().ckCnter[0]->click(); },
         [](const Session& s) { return s.model.ckCnter[0] == 1; }},
        {"opMjhk(1)", [](PanelTest& t) { t.paper().opMjhk[1]->click(); },
         [](const Session& s) {
             return s.model.opMjhk == std::array{false, true};
         }},
        {"cmSasi(0) 再表示", [](PanelTest& t) { t.formats().cmSasi[0]->click(); },
         [](const Session&) { return true; }},
    };
    for (const Action& a : actions) {
        SCOPED_TRACE(a.name);
        st.model = ProfileModel();
        panel.LoadFromModel();
        st.bBusy = bBusy;
        nRefresh = 0;
        a.act(*this);
        EXPECT_TRUE(a.stored(st)) << "the model follows the control";
        EXPECT_EQ(nRefresh, bBusy ? 0 : 1);
        st.bBusy = false;
    }
}

TEST_F(HandlerTest, EachChangeStoresAndRedrawsOnce) {
    RunTable(false);
}

TEST_F(HandlerTest, WhileBusyValuesAreStoredButNothingRedraws) {
    RunTable(true);
}

TEST_F(HandlerTest, FrameCheckBoxesHaveNoHandler) {
    formats().ckWaku[0]->click();
    formats().ckWaku[1]->click();
    EXPECT_EQ(st.model.ckWaku, (std::array{1, 1}));
    EXPECT_EQ(nRefresh, 0);
}

TEST_F(HandlerTest, WritingDirectionShowsItsPanel) {
    paper().opMjhk[1]->click();
    EXPECT_TRUE(st.page.bVertical);
    EXPECT_TRUE(frame(0).isHidden());
    EXPECT_FALSE(frame(1).isHidden());
    paper().opMjhk[0]->click();
    EXPECT_FALSE(st.page.bVertical);
    EXPECT_FALSE(frame(0).isHidden());
    EXPECT_TRUE(frame(1).isHidden());
    EXPECT_EQ(st.model.opMjhk, (std::array{true, false}));
    EXPECT_EQ(nRefresh, 2);
}

// Everything the sender switch must have put in place for the state S.
void ExpectSenderState(PanelTest& t, const Session& st, bool S) {
    EXPECT_EQ(st.page.bSender, S);
    for (int p = 0; p < 2; ++p) {
        MarginPanel& f = *t.panel.pagePaper->FramePc[p];
        for (int i = 0; i < 8; ++i) {
            EXPECT_EQ(f.txYhk[i]->isHidden(), i >= 5 && !S) << "panel " << p << " box " << i;
        }
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(f.cbRwPt[i]->isHidden(), i == 3 && !S) << "panel " << p << " spacing " << i;
        }
        for (QLabel* label : f.lbSender) {
            EXPECT_EQ(label->isHidden(), !S) << label->text().toStdString();
        }
    }
    PageFormats& pf = *t.panel.pageFormats;
    const QColor colour = S ? QColor(Qt::black) : QColor(0x80, 0x80, 0x80);
    std::vector<QLabel*> labels(pf.lbSenderCaptions.begin(), pf.lbSenderCaptions.end());
    labels.push_back(t.panel.pagePaper->lbMxRwSender);
    for (QLabel* label : labels) {
        EXPECT_EQ(label->palette().color(QPalette::Disabled, QPalette::WindowText), colour)
            << label->text().toStdString();
        EXPECT_EQ(label->palette().color(QPalette::Active, QPalette::WindowText), colour);
    }
    for (QWidget* w : std::initializer_list<QWidget*>{
             pf.ckCnter[1], pf.frameSender, pf.frameSenderData, t.panel.pagePaper->cbMxRw[2]}) {
        EXPECT_EQ(w->isEnabled(), S) << w->metaObject()->className();
    }
    for (QLineEdit* field : pf.txAdd) {
        EXPECT_EQ(field->isEnabledTo(&pf), S);
    }
    EXPECT_TRUE(pf.frameRecipient->isEnabled());
    EXPECT_TRUE(pf.ckCnter[0]->isEnabled());
}

TEST_F(HandlerTest, SenderSwitchOffHidesGreysAndRedraws) {
    paper().ckSashi->click();
    EXPECT_EQ(st.model.ckSashi, 0);
    ExpectSenderState(*this, st, false);
    EXPECT_EQ(st.model.lbAdd[4].color, kGrey);
    EXPECT_EQ(st.model.lbAdd[5].color, kGrey);
    EXPECT_EQ(formats().lbAdd[4]->palette().color(QPalette::WindowText), QColor(0x80, 0x80, 0x80));
    EXPECT_EQ(st.model.lbAdd[0].color, kSysButtonText) << "recipient labels keep their colour";
    EXPECT_EQ(nRefresh, 1);
}

TEST_F(HandlerTest, SenderSwitchOnMakesSenderLabelsBlackWhateverTheirColour) {
    paper().ckSashi->click();
    // The user gives the sender labels a colour of their own while the sender is off.
    st.model.lbAdd[4].color = 255;
    st.model.lbAdd[5].color = 0xFF0000;
    panel.LoadFromModel();
    paper().ckSashi->click();
    ExpectSenderState(*this, st, true);
    EXPECT_EQ(st.model.lbAdd[4].color, 0);
    EXPECT_EQ(st.model.lbAdd[5].color, 0);
    EXPECT_EQ(formats().lbAdd[5]->palette().color(QPalette::WindowText), QColor(Qt::black));
    EXPECT_EQ(nRefresh, 2);
}

TEST_F(HandlerTest, CentringEchoAlignsTheNameLabels) {
    const struct { int nBox, nLabel; } cases[] = {{0, 3}, {1, 5}};
    for (auto c : cases) {
        FontLabel* label = formats().lbAdd[c.nLabel];
        EXPECT_FALSE(label->IsCentred());
        formats().ckCnter[c.nBox]->click();
        EXPECT_TRUE(label->IsCentred()) << c.nBox;
        formats().ckCnter[c.nBox]->click();
        EXPECT_FALSE(label->IsCentred()) << c.nBox;
    }
    EXPECT_FALSE(formats().lbAdd[1]->IsCentred());
    EXPECT_EQ(nRefresh, 4);
}

TEST_F(HandlerTest, LineBreakOptionsDisableOmissionWithoutRedraw) {
    PageAddress& pa = address();
    EXPECT_FALSE(pa.OptAdd[0]->isEnabled());
    EXPECT_FALSE(pa.OptAdd[1]->isEnabled());
    // A pre-split list selects OptAdd(0): a change of selection, so its click runs.
    panel.SelectLineBreak(0);
    EXPECT_TRUE(pa.OptAdd[0]->isEnabled());
    EXPECT_TRUE(st.model.OptAdd[0]);
    EXPECT_FALSE(st.model.OptAdd[1]);
    for (int i : {3, 4, 5}) {
        EXPECT_FALSE(pa.OptAdd[i]->isEnabled()) << i;
        EXPECT_FALSE(st.model.OptAddEnabled[i]) << i;
    }
    EXPECT_TRUE(st.model.OptAdd[5]) << "the omission choice itself stays";
    EXPECT_EQ(nRefresh, 0);
}

TEST_F(HandlerTest, SelectingTheLineBreakAlreadySelectedRunsNoClick) {
    panel.SelectLineBreak(1);
    EXPECT_TRUE(address().OptAdd[1]->isEnabled());
    for (int i : {3, 4, 5}) {
        EXPECT_TRUE(address().OptAdd[i]->isEnabled()) << i;
    }
}

// ---- The three dialogs ----

TEST_F(HandlerTest, CancelOfEachDialogChangesNothing) {
    st.model.lbAdd[3].size = 14.25;
    st.model.lbAdd[2].color = 0x00FF00;
    panel.LoadFromModel();
    const ProfileModel before = st.model;
    fontAnswer.reset();
    colorAnswer.reset();
    formats().cmFont->click();
    formats().cmColor->click();
    for (int i = 0; i < 6; ++i) {
        formats().lbAdd[i]->clicked();
    }
    EXPECT_EQ(fontCalls.size(), 7u);
    EXPECT_EQ(colorCalls.size(), 1u);
    EXPECT_TRUE(st.model == before);
    EXPECT_EQ(formats().lbAdd[3]->font().pointSizeF(), 14.25);
    EXPECT_EQ(nRefresh, 0);
}

TEST_F(HandlerTest, CommonFontKeepsSizesAndColours) {
    st.model.lbAdd[1] = {u"ＭＳ 明朝"_s, 12, 255, true, false, false, true};
    st.model.lbAdd[3].size = 14.25;
    st.model.lbAdd[3].color = 0x123456;
    panel.LoadFromModel();
    const ProfileModel before = st.model;
    fontAnswer = FontSpec{u"IPAMincho"_s, 30, 0xFF, false, true, true, false};
    formats().cmFont->click();

    ASSERT_EQ(fontCalls.size(), 1u);
    EXPECT_EQ(fontCalls[0].sTitle, u" 基本ﾌｫﾝﾄ指定"_s);
    EXPECT_FALSE(fontCalls[0].bSizeColour);
    EXPECT_EQ(fontCalls[0].preset.name, u"ＭＳ 明朝"_s) << "preset from lbAdd(1)";
    EXPECT_TRUE(fontCalls[0].preset.bold);
    EXPECT_TRUE(fontCalls[0].preset.underline);
    for (int i = 0; i < 6; ++i) {
        const FontSpec& fnt = st.model.lbAdd[i];
        EXPECT_EQ(fnt.name, u"IPAMincho"_s) << i;
        EXPECT_FALSE(fnt.bold);
        EXPECT_TRUE(fnt.italic);
        EXPECT_TRUE(fnt.strike);
        EXPECT_FALSE(fnt.underline);
        EXPECT_EQ(fnt.size, before.lbAdd[i].size) << i;
        EXPECT_EQ(fnt.color, before.lbAdd[i].color) << i;
        EXPECT_EQ(formats().lbAdd[i]->font().pointSizeF(), before.lbAdd[i].size) << i;
    }
    EXPECT_EQ(st.model.lbAdd[3].size, 14.25);
    EXPECT_EQ(nRefresh, 1);
}

TEST_F(HandlerTest, CommonFontWithoutANameChangesNothing) {
    const ProfileModel before = st.model;
    fontAnswer = FontSpec{QString(), 10};
    formats().cmFont->click();
    EXPECT_TRUE(st.model == before);
    EXPECT_EQ(nRefresh, 0);
}

TEST_F(HandlerTest, CommonColourColoursAllSixLabels) {
    colorAnswer = 0x0000FF; // red
    formats().cmColor->click();
    ASSERT_EQ(colorCalls.size(), 1u);
    EXPECT_EQ(colorCalls[0], u" 基本文字色指定"_s);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(st.model.lbAdd[i].color, 0xFF) << i;
        EXPECT_EQ(formats().lbAdd[i]->palette().color(QPalette::WindowText), QColor(Qt::red));
    }
    EXPECT_EQ(nRefresh, 1);
}

TEST_F(HandlerTest, LabelFontSetsThatLabelOnly) {
    st.model.lbAdd[2] = {u"ＭＳ ゴシック"_s, 9.75, 0x808000, false, true, false, false};
    panel.LoadFromModel();
    const ProfileModel before = st.model;
    const FontSpec chosen{u"IPAPMincho"_s, 10.5, 0x0000FF, true, false, true, true};
    fontAnswer = chosen;
    formats().lbAdd[2]->clicked();
    ASSERT_EQ(fontCalls.size(), 1u);
    EXPECT_EQ(fontCalls[0].sTitle, u" ﾌｫﾝﾄ指定"_s);
    EXPECT_TRUE(fontCalls[0].bSizeColour);
    EXPECT_EQ(fontCalls[0].preset, before.lbAdd[2]) << "preset with font and colour";
    EXPECT_EQ(st.model.lbAdd[2], chosen);
    for (int i : {0, 1, 3, 4, 5}) {
        EXPECT_EQ(st.model.lbAdd[i], before.lbAdd[i]) << i;
    }
    EXPECT_EQ(formats().lbAdd[2]->font().pointSizeF(), 10.5);
    EXPECT_EQ(nRefresh, 1);
}

TEST_F(HandlerTest, KeyboardOpensALabelsDialog) {
    PressKey(formats().lbAdd[0], Qt::Key_Space);
    PressKey(formats().lbAdd[0], Qt::Key_Return);
    EXPECT_EQ(fontCalls.size(), 2u);
}

TEST_F(HandlerTest, NoDialogWhileBusy) {
    st.bBusy = true;
    formats().cmFont->click();
    formats().cmColor->click();
    formats().lbAdd[1]->clicked();
    EXPECT_TRUE(fontCalls.empty());
    EXPECT_TRUE(colorCalls.empty());
}

// ---- Signals for the other parts of the window ----

TEST_F(HandlerTest, HonorificUpdateStoresNormalisedRulesWithoutRedraw) {
    QStringList taken;
    QObject::connect(&panel, &SettingsPanel::samaRulesTaken,
                     [&](const QString& l, const QString& f) { taken << l << f; });
    sama().txSamaE->setPlainText(u"先 生\n\n殿\n\n"_s);
    sama().chSama->setChecked(false);
    sama().cmNoSama->click();
    EXPECT_EQ(taken, (QStringList{u"先生,殿"_s, u"0"_s}));
    EXPECT_EQ(sama().txSamaE->toPlainText(), u"先生\n殿"_s);
    EXPECT_EQ(st.sama.aSuffix, (QStringList{u"先生"_s, u"殿"_s}));
    EXPECT_EQ(nRefresh, 0);
}

TEST_F(HandlerTest, ProfileListPickLoadsUnlessBusy) {
    std::vector<int> loads;
    QObject::connect(&panel, &SettingsPanel::profileActivated, [&](int n) { loads.push_back(n); });
    panel.SetProfileList({u"A4 横書き"_s, u"はがき 縦書き"_s, u"はがき 横書き"_s}, 2);
    EXPECT_EQ(paper().cbYoshi->currentText(), u"はがき 横書き"_s);
    EXPECT_TRUE(loads.empty()) << "showing the list is no pick";
    // The user picks another entry, then the same one again (a reload).
    emit paper().cbYoshi->activated(1);
    emit paper().cbYoshi->activated(1);
    st.bBusy = true;
    emit paper().cbYoshi->activated(0);
    EXPECT_EQ(loads, (std::vector<int>{1, 1}));
    st.bBusy = false;
    panel.SetProfileList({u"A4 横書き"_s}, -1);
    EXPECT_TRUE(paper().cbYoshi->currentText().isEmpty());
}

TEST_F(HandlerTest, SenderButtonsAndSelector) {
    int nEdit = 0;
    std::vector<int> shown;
    QObject::connect(&panel, &SettingsPanel::senderEditRequested, [&] { ++nEdit; });
    QObject::connect(&panel, &SettingsPanel::senderSelected, [&](int n) { shown.push_back(n); });
    SasiView view;
    view.txAdd = {u"100-0001"_s, u"東京都千代田区"_s, u"千代田1-1"_s, {}, {}, u"本社"_s, {}, {},
                  u"山田 太郎"_s};
    view.nMax = 3;
    view.bEnabled = true;
    panel.ShowSender(view, 2);
    EXPECT_TRUE(shown.empty()) << "showing a sender is no selector change";
    EXPECT_EQ(formats().txAdd[8]->text(), u"山田 太郎"_s);
    EXPECT_EQ(st.txAdd[1], u"東京都千代田区"_s);
    EXPECT_EQ(formats().hsBar->value(), 2);
    formats().hsBar->setValue(3);
    formats().cmSasi[1]->click();
    EXPECT_EQ(shown, std::vector<int>{3});
    EXPECT_EQ(nEdit, 1);
    st.bBusy = true;
    formats().hsBar->setValue(1);
    formats().cmSasi[1]->click();
    EXPECT_EQ(shown, std::vector<int>{3});
    EXPECT_EQ(nEdit, 1);
    st.bBusy = false;
    panel.ShowSender(SasiView{}, 0);
    EXPECT_FALSE(formats().hsBar->isEnabled()) << "no sender: the selector is off";
    EXPECT_TRUE(formats().txAdd[0]->text().isEmpty());
}

// Characters the Shift-JIS files cannot hold are refused where they are typed, and named.
TEST_F(HandlerTest, UnstorableCharactersAreRefusedWhereTyped) {
    test::MessageCapture cap;
    TypeText(sama().txSamaE, u"先生€x"_s);
    EXPECT_EQ(sama().txSamaE->toPlainText(), u"先生x"_s);
    EXPECT_EQ(st.sama.txSamaE, u"先生x"_s);
    formats().txSama->clear();
    TypeText(formats().txSama, u"様€"_s);
    EXPECT_EQ(formats().txSama->text(), u"様"_s);
    EXPECT_EQ(st.model.txSama, u"様"_s);
    ASSERT_EQ(cap.messages().size(), 2);
    for (const QString& m : cap.messages())
        EXPECT_TRUE(m.contains(u"€"_s)) << m.toStdString();
}

// The wheel over a page scrolls it: unfocused up-downs and combo boxes keep their values, and
// the profile list never loads a profile from the wheel, focused or not.
TEST_F(HandlerTest, TheWheelChangesNothingItIsNotMeantFor) {
    std::vector<int> loads;
    QObject::connect(&panel, &SettingsPanel::profileActivated, [&](int n) { loads.push_back(n); });
    panel.SetProfileList({u"A4 横書き"_s, u"はがき 縦書き"_s, u"はがき 横書き"_s}, 1);
    panel.show();
    const auto turn = [](QWidget* w, int nDelta) {
        QWheelEvent wheel(QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, nDelta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(w, &wheel);
    };
    PanelMarginBox* margin = frame(0).txYhk[1];
    PanelCombo* spacing = frame(0).cbRwPt[0];
    const QString marginBefore = margin->text();
    const int spacingBefore = spacing->currentIndex();
    for (QWidget* w : std::initializer_list<QWidget*>{margin, spacing, paper().cbYoshi})
        for (int nDelta : {-120, -120, 120})
            turn(w, nDelta);
    EXPECT_EQ(margin->text(), marginBefore);
    EXPECT_EQ(spacing->currentIndex(), spacingBefore);
    EXPECT_EQ(paper().cbYoshi->currentIndex(), 1);
    EXPECT_TRUE(loads.empty());
    EXPECT_EQ(nRefresh, 0);

    // With the focus, an up-down takes the wheel as before; the profile list still does not.
    QApplication::setActiveWindow(&panel);
    paper().cbYoshi->setFocus();
    ASSERT_TRUE(paper().cbYoshi->hasFocus());
    turn(paper().cbYoshi, -120);
    EXPECT_TRUE(loads.empty());
    margin->setFocus();
    ASSERT_TRUE(margin->hasFocus());
    turn(margin, 120);
    EXPECT_NE(margin->text(), marginBefore);
}
} // namespace
} // namespace hoplark::test
