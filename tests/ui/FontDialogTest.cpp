#include "PanelTest.h"

#include "profile/ProfileValues.h"
#include "ui/FontLabel.h"
#include "ui/FontSample.h"
#include "ui/PanelDialogs.h"
#include "ui/PanelFontDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QImage>
#include <QLayout>
#include <QPushButton>
#include <QTimer>

#include <functional>

using namespace Qt::StringLiterals;

namespace hoplark::test {
namespace {

using Act = std::function<void(PanelFontDialog&)>;

FontSpec Stored(const QString& sValue) {
    FontSpec fnt;
    ApplyFontSpec(sValue, fnt);
    return fnt;
}

// A font as the profile stores it, readable in a failure message.
std::string Saved(const FontSpec& fnt) {
    return FontSpecText(fnt).toStdString();
}

void PickFamily(PanelFontDialog& dlg, const QString& sFamily) {
    const int i = dlg.cbFamily->findText(sFamily);
    ASSERT_GE(i, 0) << sFamily.toStdString() << " is not offered";
    dlg.cbFamily->setCurrentIndex(i);
}

void TypeSize(PanelFontDialog& dlg, const QString& sSize) {
    dlg.spSize->setFocus();
    dlg.spSize->selectAll();
    TypeText(dlg.spSize, sSize);
}

// Answers the next font dialog from inside its exec(), as the user would: act, then OK or
// cancel. Any other dialog open is closed too, so a test cannot hang on it.
void AnswerNextDialog(Act act, bool bAccept) {
    QTimer::singleShot(0, [act = std::move(act), bAccept] {
        bool bFound = false;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* dlg = qobject_cast<QDialog*>(w);
            if (!dlg || !dlg->isVisible()) {
                continue;
            }
            if (auto* font = qobject_cast<PanelFontDialog*>(dlg)) {
                bFound = true;
                if (act) {
                    act(*font);
                }
            }
            bAccept ? dlg->accept() : dlg->reject();
        }
        EXPECT_TRUE(bFound) << "no font dialog open";
    });
}

const QString kSystemText = u"-2147483630"_s; // COLOR_BTNTEXT, the labels' default

TEST(FontDialogTest, OkWithoutAChangeGivesBackTheStoredFont) {
    const QString stored[] = {
        u"ＭＳ 明朝|11.5|255|B| | | |"_s,
        u"ＭＳ Ｐゴシック|14.25|%1| | | | |"_s.arg(kSystemText),
        u"ＭＳ Ｐゴシック|9.75|0| |I| | |"_s,
        u"ＭＳ Ｐ明朝|8.25|%1|B|I|S|U|"_s.arg(kSystemText),
        u"HGP創英角ｺﾞｼｯｸUB|12|16711680| | |S|U|"_s,
        u"IPAGothic|10.5|32768| | | |U|"_s,
        u"IPAPMincho|7.125|0| | | | |"_s, // more decimals than the size box shows
    };
    for (const QString& sStored : stored) {
        for (const bool bSizeColour : {true, false}) {
            SCOPED_TRACE(sStored.toStdString() + (bSizeColour ? " (label)" : " (common)"));
            const FontSpec preset = Stored(sStored);
            PanelFontDialog dlg(u" ﾌｫﾝﾄ指定"_s, preset, bSizeColour);
            EXPECT_EQ(dlg.cbFamily->currentText().toStdString(), preset.name.toStdString());
            EXPECT_NEAR(dlg.spSize->value(), preset.size, 0.005);
            EXPECT_EQ(dlg.ckBold->isChecked(), preset.bold);
            EXPECT_EQ(dlg.ckItalic->isChecked(), preset.italic);
            EXPECT_EQ(dlg.ckStrike->isChecked(), preset.strike);
            EXPECT_EQ(dlg.ckUnderline->isChecked(), preset.underline);
            dlg.accept();
            EXPECT_EQ(Saved(dlg.Result()), sStored.toStdString());
            EXPECT_TRUE(dlg.Result() == preset);
        }
    }
}

TEST(FontDialogTest, AChangeComesBackAsExactlyThatChange) {
    const QString sStored = u"ＭＳ 明朝|11.5|%1|B| | | |"_s.arg(kSystemText);
    struct Row {
        const char* what;
        Act act;
        QString sExpected;
    };
    const QString c = kSystemText;
    const std::vector<Row> rows = {
        {"size set to 10.5", [](auto& d) { d.spSize->setValue(10.5); },
         u"ＭＳ 明朝|10.5|%1|B| | | |"_s.arg(c)},
        {"size typed as 9.75", [](auto& d) { TypeSize(d, u"9.75"_s); },
         u"ＭＳ 明朝|9.75|%1|B| | | |"_s.arg(c)},
        {"size stepped up", [](auto& d) { d.spSize->stepUp(); },
         u"ＭＳ 明朝|12|%1|B| | | |"_s.arg(c)},
        {"bold off", [](auto& d) { d.ckBold->click(); }, u"ＭＳ 明朝|11.5|%1| | | | |"_s.arg(c)},
        {"italic on", [](auto& d) { d.ckItalic->click(); }, u"ＭＳ 明朝|11.5|%1|B|I| | |"_s.arg(c)},
        {"strike-through on", [](auto& d) { d.ckStrike->click(); },
         u"ＭＳ 明朝|11.5|%1|B| |S| |"_s.arg(c)},
        {"underline on", [](auto& d) { d.ckUnderline->click(); },
         u"ＭＳ 明朝|11.5|%1|B| | |U|"_s.arg(c)},
        {"another family", [](auto& d) { PickFamily(d, u"IPAPGothic"_s); },
         u"IPAPGothic|11.5|%1|B| | | |"_s.arg(c)},
        {"another family and back",
         [](auto& d) {
             PickFamily(d, u"IPAPGothic"_s);
             PickFamily(d, u"ＭＳ 明朝"_s);
         },
         sStored},
        {"colour picked",
         [](auto& d) {
             d.SetColorPicker([](const QColor&) { return QColor(0, 128, 255); });
             d.cmColor->click();
         },
         u"ＭＳ 明朝|11.5|16744448|B| | | |"_s},
        {"colour dialog cancelled",
         [](auto& d) {
             d.SetColorPicker([](const QColor&) { return QColor(); });
             d.cmColor->click();
         },
         sStored},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        PanelFontDialog dlg(u" ﾌｫﾝﾄ指定"_s, Stored(sStored), true);
        row.act(dlg);
        dlg.accept();
        EXPECT_EQ(Saved(dlg.Result()), row.sExpected.toStdString());
    }
}

TEST(FontDialogTest, TheStandardDialogsAnswerOkAndCancel) {
    const FontSpec preset = Stored(u"ＭＳ 明朝|11.5|255|B|I| | |"_s);
    const PanelDialogs dialogs = PanelDialogs::Standard(nullptr);

    AnswerNextDialog({}, true);
    EXPECT_EQ(dialogs.ChooseFont(u" ﾌｫﾝﾄ指定"_s, preset, true), preset);

    AnswerNextDialog([](auto& d) { d.ckBold->click(); }, false);
    EXPECT_EQ(dialogs.ChooseFont(u" ﾌｫﾝﾄ指定"_s, preset, true), std::nullopt);

    AnswerNextDialog(
        [](auto& d) {
            EXPECT_EQ(d.windowTitle(), u" 基本ﾌｫﾝﾄ指定"_s);
            EXPECT_FALSE(d.spSize->isVisible()) << "no size in the common font dialog";
            EXPECT_FALSE(d.cmColor->isVisible()) << "no colour in the common font dialog";
        },
        true);
    EXPECT_EQ(dialogs.ChooseFont(u" 基本ﾌｫﾝﾄ指定"_s, preset, false), preset);
}

// The settings panel with the real dialogs, answered from inside their exec().
class FontDialogPanelTest : public PanelTest {
public:
    FontDialogPanelTest() { panel.SetDialogs(PanelDialogs::Standard(&panel)); }
};

TEST_F(FontDialogPanelTest, ALabelsDialogSavesWhatTheUserLeftOrChanged) {
    struct Row {
        const char* what;
        int nLabel;
        QString sStored;
        Act act;
        bool bAccept;
        QString sSaved;
    };
    const QString c = kSystemText;
    const std::vector<Row> rows = {
        {"〒, OK", 0, u"ＭＳ 明朝|11.5|255|B| | | |"_s, {}, true, u"ＭＳ 明朝|11.5|255|B| | | |"_s},
        {"肩書, OK",
         2,
         u"ＭＳ Ｐゴシック|8.25|%1| | | | |"_s.arg(c),
         {},
         true,
         u"ＭＳ Ｐゴシック|8.25|%1| | | | |"_s.arg(c)},
        {"名前, OK",
         3,
         u"ＭＳ Ｐ明朝|14.25|0| |I|S|U|"_s,
         {},
         true,
         u"ＭＳ Ｐ明朝|14.25|0| |I|S|U|"_s},
        {"住所, size 10.5", 1, u"ＭＳ 明朝|9.75|255|B| | | |"_s,
         [](auto& d) { d.spSize->setValue(10.5); }, true, u"ＭＳ 明朝|10.5|255|B| | | |"_s},
        {"差出名前, italic", 5, u"ＭＳ 明朝|9.75|255|B| | | |"_s,
         [](auto& d) { d.ckItalic->click(); }, true, u"ＭＳ 明朝|9.75|255|B|I| | |"_s},
        {"住所, cancelled", 1, u"ＭＳ 明朝|9.75|255|B| | | |"_s,
         [](auto& d) { d.spSize->setValue(20); }, false, u"ＭＳ 明朝|9.75|255|B| | | |"_s},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        st.model.lbAdd[row.nLabel] = Stored(row.sStored);
        panel.LoadFromModel();
        AnswerNextDialog(row.act, row.bAccept);
        PressKey(formats().lbAdd[row.nLabel], Qt::Key_Space);
        EXPECT_EQ(Saved(st.model.lbAdd[row.nLabel]), row.sSaved.toStdString());
        EXPECT_EQ(formats().lbAdd[row.nLabel]->Spec(), st.model.lbAdd[row.nLabel]);
    }
}

TEST_F(FontDialogPanelTest, CommonFontKeepsEachLabelsSizeAndColour) {
    const std::array<QString, 6> stored = {u"ＭＳ Ｐゴシック|14.25|0| | | | |"_s,
                                           u"ＭＳ 明朝|11.5|255| |I| | |"_s,
                                           u"ＭＳ Ｐゴシック|8.25|%1|B| | | |"_s.arg(kSystemText),
                                           u"ＭＳ Ｐ明朝|9.75|32768| | |S|U|"_s,
                                           u"IPAGothic|10.5|0| | | | |"_s,
                                           u"ＭＳ ゴシック|9|%1| | | | |"_s.arg(kSystemText)};
    struct Row {
        const char* what;
        Act act;
        QString sStyles; // as stored after the colour: what every label takes
        QString sName;
    };
    const std::vector<Row> rows = {
        {"OK", {}, u" |I| | |"_s, u"ＭＳ 明朝"_s},
        {"bold", [](auto& d) { d.ckBold->click(); }, u"B|I| | |"_s, u"ＭＳ 明朝"_s},
        {"family", [](auto& d) { PickFamily(d, u"IPAPMincho"_s); }, u" |I| | |"_s, u"IPAPMincho"_s},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        for (int i = 0; i < 6; ++i) {
            st.model.lbAdd[i] = Stored(stored[i]);
        }
        panel.LoadFromModel();
        AnswerNextDialog(row.act, true);
        formats().cmFont->click();
        for (int i = 0; i < 6; ++i) {
            const FontSpec before = Stored(stored[i]);
            const QString sExpected =
                u"%1|%2|%3"_s.arg(row.sName, FontSpecText(before).section(u'|', 1, 2), row.sStyles);
            EXPECT_EQ(Saved(st.model.lbAdd[i]), sExpected.toStdString()) << "label " << i;
        }
    }
}

// Ink of an image inside a rectangle: its bounding box, darker pixels only.
QRect InkBox(const QImage& image, const QRect& area) {
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (qGray(image.pixel(x, y)) < 160) {
                box |= QRect(x, y, 1, 1);
            }
        }
    }
    return box;
}

TEST(FontDialogTest, TheSampleShowsBothWritingDirectionsAndFollowsTheControls) {
    PanelFontDialog dlg(u" ﾌｫﾝﾄ指定"_s, Stored(u"ＭＳ 明朝|11.5|0| | | | |"_s), true);
    dlg.layout()->activate();
    const QImage plain = dlg.sample->grab().toImage();
    const int w = plain.width(), h = plain.height();
    ASSERT_GT(w, 200);
    // The vertical column stands at the right, the horizontal line runs from the left.
    const QRect column = InkBox(plain, QRect(w * 3 / 4, 4, w / 4 - 8, h - 8));
    const QRect line = InkBox(plain, QRect(4, 4, w * 2 / 3, h - 8));
    ASSERT_FALSE(column.isEmpty());
    ASSERT_FALSE(line.isEmpty());
    EXPECT_GT(column.height(), 3 * column.width()) << "vertical sample";
    EXPECT_GT(line.width(), 3 * line.height()) << "horizontal sample";

    dlg.ckBold->click();
    EXPECT_TRUE(dlg.sample->SampleFont().bold());
    const QImage bold = dlg.sample->grab().toImage();
    EXPECT_NE(bold, plain) << "IPA fonts have no bold face; the sample must embolden";
    dlg.ckItalic->click();
    EXPECT_TRUE(dlg.sample->SampleFont().italic());
    EXPECT_NE(dlg.sample->grab().toImage(), bold) << "and slant";
    dlg.spSize->setValue(20);
    EXPECT_EQ(dlg.sample->SampleFont().pointSizeF(), 20);
}

} // namespace
} // namespace hoplark::test
