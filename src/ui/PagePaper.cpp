#include "ui/PagePaper.h"

#include "profile/ProfileModel.h"
#include "ui/MarginPanel.h"
#include "ui/PanelAdjBox.h"
#include "ui/PanelCombo.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace hoplark {

PagePaper::PagePaper(QWidget* parent) : QWidget(parent) {
    setWindowTitle(u"用紙・配置"_s);

    auto* frameMjhk = new QGroupBox(u"文字方向"_s, this);
    opMjhk[0] = new QRadioButton(u"横書き"_s, frameMjhk);
    opMjhk[1] = new QRadioButton(u"縦書き"_s, frameMjhk);
    opMjhk[0]->setChecked(true);
    opMjhk[0]->setObjectName(u"opMjhk0"_s);
    opMjhk[1]->setObjectName(u"opMjhk1"_s);
    auto* mjhkLayout = new QHBoxLayout(frameMjhk);
    mjhkLayout->addWidget(opMjhk[0]);
    mjhkLayout->addWidget(opMjhk[1]);

    cbYoshi = new QComboBox(this);
    cbYoshi->setObjectName(u"cbYoshi"_s);
    cbYoshi->setToolTip(u"用紙の選択"_s);
    cbYoshi->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cbYoshi->setMinimumContentsLength(10);
    auto* paperLabel = new QLabel(u"用紙"_s, this);
    lbYoshi = new QLabel(this);
    lbYoshi->setObjectName(u"lbYoshi"_s);
    lbYoshi->setFrameShape(QFrame::StyledPanel);
    lbYoshi->setMinimumWidth(80);
    lbYoshi->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    lbYoshi->setWordWrap(true); // envelope names are long: the whole name, on two lines if need be

    pcPos = new QWidget(this);
    pcPos->setObjectName(u"pcPos"_s);
    auto* posLayout = new QVBoxLayout(pcPos);
    posLayout->setContentsMargins(0, 0, 0, 0);
    FramePc[0] = new MarginPanel(false, pcPos);
    FramePc[1] = new MarginPanel(true, pcPos);
    FramePc[0]->setObjectName(u"FramePc0"_s);
    FramePc[1]->setObjectName(u"FramePc1"_s);
    posLayout->addWidget(FramePc[0]);
    posLayout->addWidget(FramePc[1]);
    FramePc[1]->hide();

    auto* frameRows = new QGroupBox(u"最大行(列)数"_s, this);
    chOvrRw = new QCheckBox(u"住所・名前の行追加"_s, frameRows);
    chOvrRw->setObjectName(u"chOvrRw"_s);
    chOvrRw->setToolTip(u"住所・名前の文字数が多い場合に１行追加してよければチェックオン"_s);
    static const QString captions[3] = {u"住所"_s, u"名前"_s, u"差出人"_s};
    static const QString tips[3] = {u"勤務先･事業所･部署等"_s, u"連名の場合は大きくします"_s,
                                    QString()};
    auto* rowsLayout = new QGridLayout(frameRows);
    rowsLayout->addWidget(chOvrRw, 0, 0, 1, 6);
    for (int i = 0; i < 3; ++i) {
        auto* label = new QLabel(captions[i], frameRows);
        cbMxRw[i] = new PanelCombo(ProfileModel::MxRwList(i), frameRows);
        cbMxRw[i]->setObjectName(u"cbMxRw"_s + QString::number(i));
        cbMxRw[i]->setToolTip(tips[i]);
        label->setBuddy(cbMxRw[i]);
        rowsLayout->addWidget(label, 1, 2 * i, Qt::AlignRight);
        rowsLayout->addWidget(cbMxRw[i], 1, 2 * i + 1);
        if (i == 2) {
            lbMxRwSender = label;
        }
    }
    rowsLayout->setColumnStretch(5, 1);

    ckSashi = new QCheckBox(u"差出人の住所･名前を記入する"_s, this);
    ckSashi->setObjectName(u"ckSashi"_s);
    ckSashi->setChecked(true);

    // Printers feed the paper a little off; this moves what is printed, never the preview.
    auto* frameAdj = new QGroupBox(u"印刷位置の補正"_s, this);
    frameAdj->setObjectName(u"frameAdj"_s);
    static const QString adjCaptions[2] = {u"横"_s, u"縦"_s};
    static const QString adjTips[2] = {
        u"印刷位置を横に動かします (0.1mm 単位、+ は右へ、- は左へ、±10mm まで)"_s,
        u"印刷位置を縦に動かします (0.1mm 単位、+ は下へ、- は上へ、±10mm まで)"_s};
    auto* adjLayout = new QGridLayout(frameAdj);
    adjLayout->setVerticalSpacing(0); // no taller than the frame of line counts beside it
    for (int i = 0; i < 2; ++i) {
        auto* label = new QLabel(adjCaptions[i], frameAdj);
        udAdj[i] = new PanelAdjBox(frameAdj);
        udAdj[i]->setObjectName(u"udAdj"_s + QString::number(i));
        udAdj[i]->setToolTip(adjTips[i]);
        label->setToolTip(adjTips[i]);
        label->setBuddy(udAdj[i]);
        adjLayout->addWidget(label, i, 0, Qt::AlignRight);
        adjLayout->addWidget(udAdj[i], i, 1);
        adjLayout->addWidget(new QLabel(u"mm"_s, frameAdj), i, 2);
    }

    auto* rowsAndAdj = new QHBoxLayout;
    rowsAndAdj->addWidget(frameRows, 1);
    rowsAndAdj->addWidget(frameAdj);

    auto* top = new QGridLayout;
    top->addWidget(frameMjhk, 0, 0, 2, 1);
    top->addWidget(cbYoshi, 0, 1, 1, 2);
    top->addWidget(paperLabel, 1, 1, Qt::AlignRight | Qt::AlignTop);
    top->addWidget(lbYoshi, 1, 2);
    top->setColumnStretch(2, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(3);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->addLayout(top);
    layout->addWidget(pcPos, 1);
    layout->addLayout(rowsAndAdj);
    layout->addWidget(ckSashi);
}

} // namespace hoplark
