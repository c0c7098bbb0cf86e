#include "ui/SettingsPanel.h"

#include "imaging/Imaging.h"
#include "imaging/WinColor.h"
#include "platform/Cp932.h"
#include "platform/MsgBox.h"
#include "profile/PageFile.h"
#include "session/Session.h"
#include "ui/FontLabel.h"
#include "ui/MarginPanel.h"
#include "ui/PageAddress.h"
#include "ui/PageFormats.h"
#include "ui/PagePaper.h"
#include "ui/PageSama.h"
#include "ui/PanelAdjBox.h"
#include "ui/PanelCombo.h"
#include "ui/PanelMarginBox.h"
#include "ui/WheelGuard.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>

using namespace Qt::StringLiterals;

namespace hoplark {

namespace {

void SetTextColour(QLabel* label, int nColor) {
    QPalette pal = label->palette();
    const QColor colour = WinColor(nColor);
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        pal.setColor(group, QPalette::WindowText, colour);
    }
    label->setPalette(pal);
}

// Takes out what code page 932 cannot hold and names it: the text is stored in Shift-JIS
// files, and one such character would keep the whole file from being written.
bool RefuseUnmappable(QString& sText) {
    const QString sBad = EncodeCp932(sText).unmappable;
    if (sBad.isEmpty())
        return false;
    for (qsizetype i = 0; i < sBad.size(); ++i) {
        const qsizetype n = sBad[i].isHighSurrogate() && i + 1 < sBad.size() ? 2 : 1;
        sText.remove(sBad.mid(i, n));
        i += n - 1;
    }
    MsgBox(u"保存できない文字があります: %1"_s.arg(sBad));
    return true;
}

QString ShownLines(QString sText) {
    return sText.replace(u"\r\n"_s, u"\n"_s);
}

} // namespace

SettingsPanel::SettingsPanel(Session& st, QWidget* parent)
    : QTabWidget(parent), pagePaper(new PagePaper), pageFormats(new PageFormats),
      pageAddress(new PageAddress), pageSama(new PageSama), st(st),
      m_dialogs(PanelDialogs::Standard(this)) {
    setObjectName(u"TabStrip"_s);
    // The drawing shows the line guides only while the first page is up.
    connect(this, &QTabWidget::currentChanged, this, [this](int n) { this->st.nTab = n; });
    // Tab i + 1 takes the caption of page i.
    int nPage = 0;
    for (QWidget* page :
         std::initializer_list<QWidget*>{pagePaper, pageFormats, pageAddress, pageSama}) {
        page->setObjectName(u"FramePg"_s + QString::number(nPage++));
        addTab(Wrap(page), page->windowTitle());
    }
    WheelGuard::NeverByWheel(pagePaper->cbYoshi);
    WheelGuard::Install(this);
    Connect();
}

QWidget* SettingsPanel::Wrap(QWidget* page) {
    // A page taller than the tab strip scrolls; it never gets narrower than its content.
    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidget(page);
    scroll->setMinimumWidth(page->minimumSizeHint().width() +
                            scroll->verticalScrollBar()->sizeHint().width());
    return scroll;
}

void SettingsPanel::InitTabs() {
    setCurrentIndex(0);
    st.page.bSender = true;
    // The load sequence has read the honorific rules by now.
    ShowSama();
}

void SettingsPanel::Refresh() {
    emit refreshRequested();
}

// ---- Wiring: every widget change goes into the model, then to its handler. ----

void SettingsPanel::Connect() {
    ConnectPaper();
    ConnectFormats();
    ConnectAddress();
    connect(pageSama->txSamaE, &QPlainTextEdit::textChanged, this, [this] {
        if (QString sText = pageSama->txSamaE->toPlainText();
            !m_bLoading && RefuseUnmappable(sText)) {
            pageSama->txSamaE->setPlainText(sText); // runs this handler again, clean
            pageSama->txSamaE->moveCursor(QTextCursor::End);
            return;
        }
        if (!m_bLoading) {
            st.sama.txSamaE = pageSama->txSamaE->toPlainText().replace(u"\n"_s, u"\r\n"_s);
        }
    });
    connect(pageSama->chSama, &QCheckBox::toggled, this, [this](bool bOn) {
        if (!m_bLoading) {
            st.sama.chSama = bOn ? 1 : 0;
        }
    });
    connect(pageSama->cmNoSama, &QPushButton::clicked, this, &SettingsPanel::OnNoSama);
}

void SettingsPanel::ConnectPaper() {
    PagePaper* pp = pagePaper;
    for (int i = 0; i < 2; ++i) {
        connect(pp->opMjhk[i], &QRadioButton::toggled, this, [this, i](bool bOn) {
            if (m_bLoading) {
                return;
            }
            st.model.opMjhk[i] = bOn;
            if (bOn) {
                OnMjhk(i);
            }
        });
    }
    // A pick from the list, also of the entry already selected, loads that profile.
    connect(pp->cbYoshi, &QComboBox::activated, this, [this](int n) {
        if (!st.bBusy && n >= 0) {
            emit profileActivated(n);
        }
    });
    connect(pp->chOvrRw, &QCheckBox::toggled, this, [this](bool bOn) {
        if (m_bLoading) {
            return;
        }
        st.model.chOvrRw = bOn ? 1 : 0;
        if (!st.bBusy) {
            Refresh();
        }
    });
    // Margin and spacing boxes of both panels, and the maximum-line boxes: value, then redraw.
    auto bindCombo = [this](PanelCombo* combo, ComboValue& target) {
        connect(combo, &PanelCombo::valueEdited, this, [this, &target](const ComboValue& v) {
            if (m_bLoading) {
                return;
            }
            target = v;
            if (!st.bBusy) {
                Refresh();
            }
        });
    };
    for (int i = 0; i < 3; ++i) {
        bindCombo(pp->cbMxRw[i], st.model.cbMxRw[i]);
    }
    for (int p = 0; p < 2; ++p) {
        auto& texts = p == 0 ? st.model.txYhk : st.model.txYhkB;
        auto& spacings = p == 0 ? st.model.cbRwPt : st.model.cbRwPtB;
        for (int i = 0; i < 8; ++i) {
            QString& target = texts[i];
            connect(pp->FramePc[p]->txYhk[i], &PanelMarginBox::textChanged, this,
                    [this, &target](const QString& s) {
                        if (m_bLoading) {
                            return;
                        }
                        target = s;
                        if (!st.bBusy) {
                            Refresh();
                        }
                    });
        }
        for (int i = 0; i < 4; ++i) {
            bindCombo(pp->FramePc[p]->cbRwPt[i], spacings[i]);
        }
    }
    connect(pp->ckSashi, &QCheckBox::toggled, this, [this](bool bOn) {
        if (m_bLoading) {
            return;
        }
        st.model.ckSashi = bOn ? 1 : 0;
        OnSashi();
    });
    // Held like every panel value; the preview does not move with it.
    for (int i = 0; i < 2; ++i) {
        connect(pp->udAdj[i], &PanelAdjBox::valueEdited, this, [this, i](int n) {
            if (!m_bLoading) {
                st.model.udAdj[i] = n;
            }
        });
    }
}

void SettingsPanel::ConnectFormats() {
    PageFormats* pf = pageFormats;
    connect(pf->cmFont, &QPushButton::clicked, this, &SettingsPanel::OnCommonFont);
    connect(pf->cmColor, &QPushButton::clicked, this, &SettingsPanel::OnCommonColor);
    for (int i = 0; i < 6; ++i) {
        connect(pf->lbAdd[i], &FontLabel::clicked, this, [this, i] { OnLabelFont(i); });
    }
    for (int i = 0; i < 2; ++i) {
        connect(pf->ckWaku[i], &QCheckBox::toggled, this, [this, i](bool bOn) {
            // No handler: the frames show at the next redraw.
            if (!m_bLoading) {
                st.model.ckWaku[i] = bOn ? 1 : 0;
            }
        });
        connect(pf->ckCnter[i], &QCheckBox::toggled, this, [this, i](bool bOn) {
            if (m_bLoading) {
                return;
            }
            st.model.ckCnter[i] = bOn ? 1 : 0;
            OnCnter(i);
        });
    }
    connect(pf->txSama, &QLineEdit::textChanged, this, [this](const QString& s) {
        if (m_bLoading) {
            return;
        }
        if (QString sClean = s; RefuseUnmappable(sClean)) {
            pageFormats->txSama->setText(sClean); // runs this handler again, clean
            return;
        }
        st.model.txSama = s;
        if (!st.bBusy) {
            Refresh();
        }
    });
    connect(pf->cmSasi[0], &QPushButton::clicked, this, [this] {
        if (!st.bBusy) {
            Refresh();
        }
    });
    connect(pf->cmSasi[1], &QPushButton::clicked, this, [this] {
        if (!st.bBusy) {
            emit senderEditRequested();
        }
    });
    for (int i = 0; i < 9; ++i) {
        // The composition reads the sender from the main state; a typed change shows at the
        // next redraw.
        connect(pf->txAdd[i], &QLineEdit::textChanged, this, [this, i](const QString& s) {
            if (!m_bLoading) {
                st.txAdd[i] = s;
            }
        });
    }
    connect(pf->hsBar, &QScrollBar::valueChanged, this, [this](int n) {
        if (!st.bBusy) {
            emit senderSelected(n);
        }
    });
}

void SettingsPanel::ConnectAddress() {
    for (int i : {0, 1, 3, 4, 5}) {
        connect(pageAddress->OptAdd[i], &QRadioButton::toggled, this, [this, i](bool bOn) {
            if (m_bLoading) {
                return;
            }
            st.model.OptAdd[i] = bOn;
            if (bOn) {
                OnOptAdd(i);
            }
        });
    }
}

// ---- Handlers ----

void SettingsPanel::OnMjhk(int i) {
    if (st.bBusy) {
        return;
    }
    SetMjhk(i == 1);
    Refresh();
}

void SettingsPanel::SetMjhk(bool bV) {
    st.page.bVertical = bV;
    pagePaper->FramePc[bV ? 0 : 1]->hide();
    pagePaper->FramePc[bV ? 1 : 0]->show();
}

void SettingsPanel::OnSashi() {
    if (st.bBusy) {
        return;
    }
    ApplySashi(true);
    Refresh();
}

void SettingsPanel::ApplySashi(bool bLabelColours) {
    PageFormats* pf = pageFormats;
    if (bLabelColours) {
        // bSender, and the sender font labels lose the colour the user gave them.
        PageFile::ApplySenderSwitch(st.model, st.page);
        for (int i : {4, 5}) {
            pf->lbAdd[i]->SetSpec(st.model.lbAdd[i]);
        }
    } else {
        st.page.bSender = st.model.ckSashi == 1;
    }
    const bool bSender = st.page.bSender;
    pf->ckCnter[1]->setEnabled(bSender);
    for (QLineEdit* field : pf->txAdd) {
        field->setEnabled(bSender);
    }
    pagePaper->cbMxRw[2]->setEnabled(bSender);
    pf->frameSender->setEnabled(bSender);
    pf->frameSenderData->setEnabled(bSender);

    const int nColour = bSender ? 0 : kGrey;
    SetTextColour(pagePaper->lbMxRwSender, nColour);
    for (QLabel* label : pf->lbSenderCaptions) {
        SetTextColour(label, nColour);
    }
    for (MarginPanel* panel : pagePaper->FramePc) {
        panel->SetSenderVisible(bSender);
    }
}

void SettingsPanel::OnCnter(int) {
    if (st.bBusy) {
        return;
    }
    ApplyCentring();
    Refresh();
}

void SettingsPanel::ApplyCentring() {
    // The labels only echo the choice; the drawing reads the check boxes.
    pageFormats->lbAdd[3]->SetCentred(st.model.ckCnter[0] != 0);
    pageFormats->lbAdd[5]->SetCentred(st.model.ckCnter[1] != 0);
}

void SettingsPanel::OnOptAdd(int i) {
    if (st.bBusy) {
        return;
    }
    if (i >= 3) {
        Refresh();
        return;
    }
    // Choosing the line-breaking method switches the omission choice off for good.
    for (int k : {3, 4, 5}) {
        st.model.OptAddEnabled[k] = false;
    }
    SetLineBreakEnabling();
}

void SettingsPanel::SetLineBreakEnabling() {
    for (int i : {0, 1, 3, 4, 5}) {
        pageAddress->OptAdd[i]->setEnabled(st.model.OptAddEnabled[i]);
    }
}

void SettingsPanel::OnCommonFont() {
    if (st.bBusy) {
        return;
    }
    const std::optional<FontSpec> chosen =
        m_dialogs.ChooseFont(u" 基本ﾌｫﾝﾄ指定"_s, st.model.lbAdd[1], false);
    if (!chosen || chosen->name.isEmpty()) {
        return;
    }
    // Name and styles for every label; sizes and colours stay.
    for (FontSpec& fnt : st.model.lbAdd) {
        fnt.name = chosen->name;
        fnt.bold = chosen->bold;
        fnt.italic = chosen->italic;
        fnt.strike = chosen->strike;
        fnt.underline = chosen->underline;
    }
    ShowFonts();
    Refresh();
}

void SettingsPanel::OnCommonColor() {
    if (st.bBusy) {
        return;
    }
    const std::optional<int> chosen = m_dialogs.ChooseColor(u" 基本文字色指定"_s);
    if (!chosen) {
        return;
    }
    for (FontSpec& fnt : st.model.lbAdd) {
        fnt.color = *chosen;
    }
    ShowFonts();
    Refresh();
}

void SettingsPanel::OnLabelFont(int i) {
    if (st.bBusy) {
        return;
    }
    const std::optional<FontSpec> chosen =
        m_dialogs.ChooseFont(u" ﾌｫﾝﾄ指定"_s, st.model.lbAdd[i], true);
    if (!chosen) {
        return;
    }
    st.model.lbAdd[i] = *chosen;
    pageFormats->lbAdd[i]->SetSpec(*chosen);
    Refresh();
}

void SettingsPanel::OnNoSama() {
    if (st.bBusy) {
        return;
    }
    QString sList, sFlag;
    st.sama.GetSamaRule(sList, sFlag);
    ShowSama();
    emit samaRulesTaken(sList, sFlag);
}

// ---- Model → widgets ----

void SettingsPanel::ShowFonts() {
    for (int i = 0; i < 6; ++i) {
        pageFormats->lbAdd[i]->SetSpec(st.model.lbAdd[i]);
    }
}

void SettingsPanel::LoadFromModel() {
    const bool bWasBusy = st.bBusy;
    st.bBusy = true;
    m_bLoading = true;
    const ProfileModel& m = st.model;
    PagePaper* pp = pagePaper;
    PageFormats* pf = pageFormats;

    pp->opMjhk[m.opMjhk[1] ? 1 : 0]->setChecked(true);
    SetMjhk(st.page.bVertical);
    pp->lbYoshi->setText(st.page.sPaper);
    pp->lbYoshi->setToolTip(st.page.sPaper);
    pp->chOvrRw->setChecked(m.chOvrRw != 0);
    for (int i : {0, 1, 3, 4, 5}) {
        if (m.OptAdd[i]) {
            pageAddress->OptAdd[i]->setChecked(true);
        }
    }
    SetLineBreakEnabling();
    pp->ckSashi->setChecked(m.ckSashi == 1);
    for (int i = 0; i < 3; ++i) {
        pp->cbMxRw[i]->SetValue(m.cbMxRw[i]);
    }
    for (int i = 0; i < 8; ++i) {
        pp->FramePc[0]->txYhk[i]->setText(m.txYhk[i]);
        pp->FramePc[1]->txYhk[i]->setText(m.txYhkB[i]);
    }
    for (int i = 0; i < 4; ++i) {
        pp->FramePc[0]->cbRwPt[i]->SetValue(m.cbRwPt[i]);
        pp->FramePc[1]->cbRwPt[i]->SetValue(m.cbRwPtB[i]);
    }
    ShowFonts();
    for (int i = 0; i < 2; ++i) {
        pf->ckWaku[i]->setChecked(m.ckWaku[i] != 0);
        pf->ckCnter[i]->setChecked(m.ckCnter[i] != 0);
    }
    pf->txSama->setText(m.txSama);
    for (int i = 0; i < 2; ++i) {
        pp->udAdj[i]->SetValue(m.udAdj[i]);
    }
    // What the switches derive follows the loaded values; the sender font labels keep the
    // colours the profile gave them.
    ApplySashi(false);
    ApplyCentring();

    m_bLoading = false;
    st.bBusy = bWasBusy;
}

void SettingsPanel::ShowSama() {
    const bool bWasLoading = m_bLoading;
    m_bLoading = true;
    pageSama->txSamaE->setPlainText(ShownLines(st.sama.txSamaE));
    pageSama->chSama->setChecked(st.sama.chSama == 1);
    m_bLoading = bWasLoading;
}

void SettingsPanel::SelectLineBreak(int i) {
    st.model.OptAddEnabled[i] = true;
    pageAddress->OptAdd[i]->setEnabled(true);
    pageAddress->OptAdd[i]->setChecked(true);
    st.model.OptAdd[i] = true;
    st.model.OptAdd[1 - i] = false;
}

void SettingsPanel::SetProfileList(const QStringList& names, int nIndex) {
    QComboBox* list = pagePaper->cbYoshi;
    const QSignalBlocker block(list);
    list->clear();
    list->addItems(names);
    list->setCurrentIndex(nIndex);
}

void SettingsPanel::ShowSender(const SasiView& view, int n) {
    const bool bWasBusy = st.bBusy;
    st.bBusy = true;
    m_bLoading = true;
    st.txAdd = view.txAdd;
    for (int i = 0; i < 9; ++i) {
        pageFormats->txAdd[i]->setText(view.txAdd[i]);
    }
    QScrollBar* bar = pageFormats->hsBar;
    bar->setRange(view.nMin, std::max(view.nMin, view.nMax));
    bar->setValue(n);
    bar->setEnabled(view.bEnabled);
    m_bLoading = false;
    st.bBusy = bWasBusy;
}

void SettingsPanel::ShowCaptions() {
    for (int i = 0; i < 6; ++i) {
        pageFormats->lbAdd[i]->SetCaption(st.lbAddCaption[i]);
    }
}

} // namespace hoplark
