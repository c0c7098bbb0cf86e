#include "PanelTest.h"

#include "ui/PanelCombo.h"
#include "ui/PanelMarginBox.h"

#include <QComboBox>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace hoplark::test {
namespace {

TEST(PanelMarginBoxTest, UpDownSteps) {
    const struct {
        const char* sFrom;
        int nSteps;
        const char* sTo;
    } cases[] = {
        {"30", 1, "31"},  {"30", -1, "29"}, {"98", 1, "99"},  {"99", 1, "99"},
        {"99", 5, "99"},  {"2", -1, "1"},   {"1", -1, "1"},   {"12.5", 1, "13"},
        {"12.5", -1, "12"}, {"", 1, "1"},   {"120", -1, "99"}, {"0", 1, "1"},
    };
    for (auto c : cases) {
        PanelMarginBox box;
        box.setText(QString::fromUtf8(c.sFrom));
        box.stepBy(c.nSteps);
        EXPECT_EQ(box.text(), QString::fromUtf8(c.sTo)) << c.sFrom << " " << c.nSteps;
    }
}

TEST(PanelMarginBoxTest, ArrowsStopAt99And1) {
    // What the arrows and the Up/Down keys may do, read from the box as the style does.
    struct Probe : PanelMarginBox {
        using PanelMarginBox::stepEnabled;
    };
    Probe box;
    box.setText(u"99"_s);
    EXPECT_FALSE(box.stepEnabled() & QAbstractSpinBox::StepUpEnabled);
    EXPECT_TRUE(box.stepEnabled() & QAbstractSpinBox::StepDownEnabled);
    PressKey(&box, Qt::Key_Up);
    EXPECT_EQ(box.text(), u"99"_s);
    box.setText(u"1"_s);
    EXPECT_FALSE(box.stepEnabled() & QAbstractSpinBox::StepDownEnabled);
    PressKey(&box, Qt::Key_Up);
    EXPECT_EQ(box.text(), u"2"_s);
}

TEST(PanelMarginBoxTest, TypedTextIsKeptAsTyped) {
    PanelMarginBox box;
    QStringList seen;
    QObject::connect(&box, &PanelMarginBox::textChanged, [&](const QString& s) { seen << s; });
    box.setText(u"3"_s);
    box.setFocus();
    TypeText(&box, u".5mm"_s);
    EXPECT_EQ(box.text(), u"3.5mm"_s);
    // Leaving the box keeps the text: no correction to a number.
    box.clearFocus();
    QEvent leave(QEvent::FocusOut);
    QApplication::sendEvent(&box, &leave);
    EXPECT_EQ(box.text(), u"3.5mm"_s);
    EXPECT_EQ(seen.last(), u"3.5mm"_s);
}

class PanelSpacingTest : public PanelTest {};

TEST_F(PanelSpacingTest, UpDownOfAPanelBoxRedrawsWithTheNewText) {
    PanelMarginBox* box = frame(0).txYhk[0];
    box->setText(u"98"_s);
    nRefresh = 0;
    box->stepUp();
    box->stepUp();
    EXPECT_EQ(st.model.txYhk[0], u"99"_s);
    EXPECT_EQ(nRefresh, 1) << "the second step changes nothing";
}

TEST_F(PanelSpacingTest, TypedSpacingIsKeptWithIndexMinusOne) {
    const struct {
        int nPanel, nBox;
        const char* sTyped;
    } cases[] = {
        {0, 0, "0.6行"},
        {1, 3, "１．１０行"},
        {0, 1, "なし"}, // equal to an entry, still typed
    };
    for (auto c : cases) {
        PanelCombo* combo = frame(c.nPanel).cbRwPt[c.nBox];
        combo->setCurrentIndex(2);
        nRefresh = 0;
        combo->lineEdit()->selectAll();
        combo->lineEdit()->setFocus();
        TypeText(combo->lineEdit(), QString::fromUtf8(c.sTyped));
        const ComboValue expected{QString::fromUtf8(c.sTyped), -1};
        const ComboValue& stored =
            c.nPanel == 0 ? st.model.cbRwPt[c.nBox] : st.model.cbRwPtB[c.nBox];
        EXPECT_EQ(stored, expected) << c.sTyped;
        EXPECT_EQ(combo->currentIndex(), -1);
        EXPECT_EQ(combo->currentText(), expected.text);
        EXPECT_GE(nRefresh, 1) << "a typed spacing redraws";
    }
}

TEST_F(PanelSpacingTest, ChoosingAfterTypingStoresTheEntry) {
    PanelCombo* combo = paper().cbMxRw[0];
    combo->lineEdit()->selectAll();
    TypeText(combo->lineEdit(), u"6行"_s);
    EXPECT_EQ(st.model.cbMxRw[0], (ComboValue{u"6行"_s, -1}));
    combo->setCurrentIndex(1);
    EXPECT_EQ(st.model.cbMxRw[0], (ComboValue{u"３行"_s, 1}));
}

TEST_F(PanelSpacingTest, DefaultsShowTheirHalfWidthTextsWithoutEntry) {
    EXPECT_EQ(frame(0).cbRwPt[1]->currentText(), u"0.75行"_s);
    EXPECT_EQ(frame(0).cbRwPt[1]->currentIndex(), -1);
    EXPECT_EQ(paper().cbMxRw[0]->currentText(), u"4行"_s);
    EXPECT_EQ(frame(1).txYhk[3]->text(), u"50"_s);
}

TEST_F(PanelSpacingTest, ListsOfTheBoxes) {
    auto items = [](const QComboBox* combo) {
        QStringList list;
        for (int i = 0; i < combo->count(); ++i) {
            list << combo->itemText(i);
        }
        return list;
    };
    const QStringList spacings{u"なし"_s,       u"０．１２行"_s, u"０．２５行"_s,
                               u"０．５０行"_s, u"０．７５行"_s, u"１．００行"_s,
                               u"１．２５行"_s, u"１．５０行"_s, u"２．００行"_s};
    EXPECT_EQ(items(frame(0).cbRwPt[0]), spacings);
    EXPECT_EQ(items(frame(0).cbRwPt[2]), spacings);
    EXPECT_EQ(items(frame(0).cbRwPt[3]), spacings);
    EXPECT_EQ(items(frame(0).cbRwPt[1]),
              (spacings + QStringList{u"２．５０行"_s, u"３．００行"_s}));
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(items(frame(1).cbRwPt[i]), spacings.mid(0, 8)) << i;
    }
    EXPECT_EQ(items(paper().cbMxRw[0]),
              (QStringList{u"２行"_s, u"３行"_s, u"４行"_s, u"５行"_s}));
    for (int i : {1, 2}) {
        EXPECT_EQ(items(paper().cbMxRw[i]),
                  (QStringList{u"１行"_s, u"２行"_s, u"３行"_s, u"４行"_s, u"５行"_s}));
    }
}

TEST_F(PanelSpacingTest, TooltipsAreTheSameInBothPanels) {
    const QString tips[8] = {
        u"住所の最初の行の縦位置(mm)"_s, u"住所の左余白(mm)"_s, u"住所の右余白(mm)"_s,
        u"宛名の左余白(mm)"_s,           u"宛名の右余白(mm)"_s, u"差出人の左余白(mm)"_s,
        u"差出人の右余白(mm)"_s,         u"差出人の下余白(mm)"_s};
    const QString spacingTips[4] = {u"住所と次の住所の行間隔"_s, u"住所と宛名の行間隔"_s,
                                    u"宛名の行間隔"_s, u"差出人の行間隔"_s};
    for (int p = 0; p < 2; ++p) {
        for (int i = 0; i < 8; ++i) {
            EXPECT_EQ(frame(p).txYhk[i]->toolTip(), tips[i]) << p << " " << i;
        }
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(frame(p).cbRwPt[i]->toolTip(), spacingTips[i]) << p << " " << i;
        }
    }
}

} // namespace
} // namespace hoplark::test
