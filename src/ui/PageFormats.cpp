#include "ui/PageFormats.h"

#include "ui/FontLabel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace hoplark {

namespace {

FontLabel* NewFontLabel(int i, const QString& sTip, QWidget* parent) {
    auto* label = new FontLabel(parent);
    label->setObjectName(u"lbAdd"_s + QString::number(i));
    label->setToolTip(sTip);
    return label;
}

} // namespace

PageFormats::PageFormats(QWidget* parent) : QWidget(parent) {
    setWindowTitle(u"宛先・差出"_s);

    auto* basic = new QLabel(u"基本"_s, this);
    cmFont = new QPushButton(u"ﾌｫﾝﾄ(ｻｲｽﾞ以外)"_s, this);
    cmFont->setObjectName(u"cmFont"_s);
    cmFont->setToolTip(u"宛名･差出人の共通のﾌｫﾝﾄ(ｻｲｽﾞ以外)を指定します"_s);
    cmColor = new QPushButton(u"文字色"_s, this);
    cmColor->setObjectName(u"cmColor"_s);
    cmColor->setToolTip(u"宛名･差出人の文字色を指定します"_s);
    auto* hint = new QLabel(u"個別の設定は下のﾗﾍﾞﾙをｸﾘｯｸして下さい"_s, this);
    hint->setWordWrap(true);

    // The sender's data: postal code, four address lines, three workplace lines, the name.
    frameSenderData = new QGroupBox(u"差出人のﾃﾞ-ﾀ-"_s, this);
    auto* data = new QGridLayout(frameSenderData);
    for (int i = 0; i < 9; ++i) {
        txAdd[i] = new QLineEdit(frameSenderData);
        txAdd[i]->setObjectName(u"txAdd"_s + QString::number(i));
    }
    struct Row {
        QString sCaption;
        int nFirst, nCount, nLabel;
    };
    const Row rows[4] = {
        {u"〒"_s, 0, 1, 1}, {u"住所"_s, 1, 4, 2}, {u"勤務先"_s, 5, 3, 0}, {u"名前"_s, 8, 1, 3}};
    int nRow = 0;
    for (const Row& row : rows) {
        auto* label = new QLabel(row.sCaption, frameSenderData);
        label->setBuddy(txAdd[row.nFirst]);
        lbSenderCaptions[row.nLabel] = label;
        data->addWidget(label, nRow, 0, Qt::AlignRight | Qt::AlignTop);
        for (int k = 0; k < row.nCount; ++k) {
            data->addWidget(txAdd[row.nFirst + k], nRow++, 1, 1, 3);
        }
    }
    hsBar = new QScrollBar(Qt::Horizontal, frameSenderData);
    hsBar->setObjectName(u"hsBar"_s);
    hsBar->setFocusPolicy(Qt::StrongFocus);
    hsBar->setRange(1, 1);
    hsBar->setPageStep(1);
    cmSasi[0] = new QPushButton(u"再表示"_s, frameSenderData);
    cmSasi[1] = new QPushButton(u"編集"_s, frameSenderData);
    for (int i = 0; i < 2; ++i) {
        cmSasi[i]->setObjectName(u"cmSasi"_s + QString::number(i));
    }
    // The selector and the two buttons share the postal code's row: the page must fit the
    // window's starting size without scrolling.
    data->removeWidget(txAdd[0]);
    auto* zipRow = new QHBoxLayout;
    zipRow->setSpacing(4);
    txAdd[0]->setMinimumWidth(txAdd[0]->fontMetrics().horizontalAdvance(u"000-0000"_s) + 12);
    hsBar->setFixedWidth(hsBar->sizeHint().height() * 5 / 2);
    for (QPushButton* button : cmSasi)
        button->setMinimumWidth(button->fontMetrics().horizontalAdvance(button->text()) + 16);
    zipRow->addWidget(txAdd[0], 1);
    zipRow->addWidget(hsBar);
    zipRow->addWidget(cmSasi[0]);
    zipRow->addWidget(cmSasi[1]);
    data->addLayout(zipRow, 0, 1, 1, 3);
    data->setColumnStretch(1, 1);
    data->setVerticalSpacing(1);
    data->setContentsMargins(6, 2, 6, 4);

    // The sender's formats.
    frameSender = new QGroupBox(u"差出人"_s, this);
    ckWaku[1] = new QCheckBox(u"枠の印刷"_s, frameSender);
    ckCnter[1] = new QCheckBox(u"名前の中央合わせ"_s, frameSender);
    ckCnter[1]->setToolTip(u"差出人の名前等をｾﾝﾀﾘﾝｸﾞします"_s);
    lbAdd[4] = NewFontLabel(4, u"差出人郵便番号の書式"_s, frameSender);
    lbAdd[5] = NewFontLabel(5, u"差出人住所の書式"_s, frameSender);
    lbSenderCaptions[5] = new QLabel(u"〒"_s, frameSender);
    lbSenderCaptions[4] = new QLabel(u"住所名前"_s, frameSender);
    auto* sender = new QGridLayout(frameSender);
    sender->addWidget(ckWaku[1], 0, 0, 1, 2);
    sender->addWidget(ckCnter[1], 0, 2);
    sender->addWidget(lbSenderCaptions[5], 1, 0, Qt::AlignRight);
    sender->addWidget(lbAdd[4], 1, 1, 1, 2);
    sender->addWidget(lbSenderCaptions[4], 2, 0, Qt::AlignRight);
    sender->addWidget(lbAdd[5], 2, 1, 1, 2);
    sender->setColumnStretch(2, 1);
    sender->setVerticalSpacing(1);
    sender->setContentsMargins(6, 2, 6, 4);

    // The recipient's formats.
    frameRecipient = new QGroupBox(u"宛先"_s, this);
    ckWaku[0] = new QCheckBox(u"枠の印刷"_s, frameRecipient);
    ckCnter[0] = new QCheckBox(u"名前の中央合わせ"_s, frameRecipient);
    ckCnter[0]->setToolTip(u"名前をｾﾝﾀﾘﾝｸﾞします"_s);
    auto* samaLabel = new QLabel(u"敬称"_s, frameRecipient);
    txSama = new QLineEdit(frameRecipient);
    txSama->setObjectName(u"txSama"_s);
    txSama->setMaximumWidth(80);
    samaLabel->setBuddy(txSama);
    lbAdd[0] = NewFontLabel(0, u"送り先郵便番号の書式"_s, frameRecipient);
    lbAdd[1] = NewFontLabel(1, u"送り先住所の書式"_s, frameRecipient);
    lbAdd[2] = NewFontLabel(2, u"送り先名前の書式"_s, frameRecipient);
    lbAdd[3] = NewFontLabel(3, u"送り先名前の書式"_s, frameRecipient);
    auto* recipient = new QGridLayout(frameRecipient);
    recipient->addWidget(ckWaku[0], 0, 0, 1, 2);
    recipient->addWidget(ckCnter[0], 0, 2, 1, 2);
    const QString captions[4] = {u"〒"_s, u"住所"_s, u"肩書"_s, u"名前"_s};
    for (int i = 0; i < 4; ++i) {
        recipient->addWidget(new QLabel(captions[i], frameRecipient), 1 + i, 0, Qt::AlignRight);
        // The default honorific stands beside the postal code's sample.
        recipient->addWidget(lbAdd[i], 1 + i, 1, 1, i == 0 ? 1 : 3);
    }
    auto* samaRow = new QHBoxLayout;
    samaRow->addWidget(samaLabel);
    samaRow->addWidget(txSama);
    recipient->addLayout(samaRow, 1, 2, 1, 2, Qt::AlignRight);
    recipient->setColumnStretch(1, 1);
    recipient->setVerticalSpacing(1);
    recipient->setContentsMargins(6, 2, 6, 4);

    for (int i = 0; i < 2; ++i) {
        ckWaku[i]->setObjectName(u"ckWaku"_s + QString::number(i));
        ckCnter[i]->setObjectName(u"ckCnter"_s + QString::number(i));
    }

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(basic);
    buttons->addWidget(cmFont);
    buttons->addWidget(cmColor);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(2);
    layout->setContentsMargins(6, 2, 6, 2);
    layout->addLayout(buttons);
    layout->addWidget(frameSenderData);
    layout->addWidget(hint);
    layout->addWidget(frameSender);
    layout->addWidget(frameRecipient);
    layout->addStretch();
}

} // namespace hoplark
