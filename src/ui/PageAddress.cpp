#include "ui/PageAddress.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace hoplark {

PageAddress::PageAddress(QWidget* parent) : QWidget(parent) {
    setWindowTitle(u"宛名"_s);

    frameOmit = new QGroupBox(u"県･市区郡の省略"_s, this);
    OptAdd[3] = new QRadioButton(u"省略は無し"_s, frameOmit);
    OptAdd[5] = new QRadioButton(u"都道府県名は省略"_s, frameOmit);
    OptAdd[4] = new QRadioButton(u"都道府県･市区郡は省略"_s, frameOmit);
    OptAdd[5]->setChecked(true);
    auto* omit = new QVBoxLayout(frameOmit);
    for (int i : {3, 5, 4}) {
        omit->addWidget(OptAdd[i]);
    }

    frameBreak = new QGroupBox(u"住所の改行方法"_s, this);
    OptAdd[1] = new QRadioButton(u"空白文字の仕切で再配置"_s, frameBreak);
    OptAdd[1]->setToolTip(u"住所表記の区切り位置と行巾で改行位置を決めます"_s);
    OptAdd[0] = new QRadioButton(u"宛名1.2.3と区切られている"_s, frameBreak);
    OptAdd[0]->setToolTip(u"予め宛名が分かれている場合､文字ｻｲｽﾞで調整されます"_s);
    OptAdd[1]->setChecked(true);
    OptAdd[0]->setEnabled(false);
    OptAdd[1]->setEnabled(false);
    auto* lineBreak = new QVBoxLayout(frameBreak);
    lineBreak->addWidget(OptAdd[1]);
    lineBreak->addWidget(OptAdd[0]);

    // Each frame is its own group of options, whatever the parent.
    for (auto [frame, members] : {std::pair{frameOmit, std::array{3, 4, 5}},
                                  std::pair{frameBreak, std::array{0, 1, -1}}}) {
        auto* group = new QButtonGroup(frame);
        for (int i : members) {
            if (i >= 0) {
                group->addButton(OptAdd[i], i);
            }
        }
    }
    for (int i : {0, 1, 3, 4, 5}) {
        OptAdd[i]->setObjectName(u"OptAdd"_s + QString::number(i));
    }

    listHost = new QVBoxLayout;
    listHost->setContentsMargins(0, 0, 0, 0);

    // The frames keep their height; the list, when there is one, takes the rest.
    for (QGroupBox* frame : {frameOmit, frameBreak}) {
        frame->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frameOmit);
    layout->addWidget(frameBreak);
    layout->addLayout(listHost, 1);
    layout->addStretch(0);
}

} // namespace hoplark
