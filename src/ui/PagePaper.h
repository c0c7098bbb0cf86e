#pragma once

#include <QWidget>

#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QRadioButton;

namespace hoplark {

class MarginPanel;
class PanelAdjBox;
class PanelCombo;

// The page "用紙・配置" (FramePg(0)): writing direction, profile list and paper, the margin
// panel of the current writing direction, maximum lines, the sender switch and the print
// position correction.
class PagePaper : public QWidget {
    Q_OBJECT
public:
    explicit PagePaper(QWidget* parent = nullptr);

    std::array<QRadioButton*, 2> opMjhk{}; // 横書き, 縦書き
    QComboBox* cbYoshi;                    // profile list
    QLabel* lbYoshi;                       // paper name
    QWidget* pcPos;                        // holds the margin panel of the writing direction
    std::array<MarginPanel*, 2> FramePc{}; // horizontal, vertical
    QCheckBox* chOvrRw;
    std::array<PanelCombo*, 3> cbMxRw{};
    QLabel* lbMxRwSender; // "差出人" beside cbMxRw(2)
    QCheckBox* ckSashi;
    // 印刷位置の補正: across (+ right) and down (+ down), in 0.1 mm steps.
    std::array<PanelAdjBox*, 2> udAdj{};
};

} // namespace hoplark
