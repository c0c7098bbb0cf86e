#pragma once

#include <QGroupBox>
#include <QPointF>

#include <array>

class QLabel;

namespace hoplark {

class PanelCombo;
class PanelMarginBox;

// One margin panel (FramePc(0) horizontal, FramePc(1) vertical): a frame "配置" holding a small
// drawing of the page with each margin box at the edge it measures and each spacing box
// between the lines it spaces. The drawing scales with the frame; the boxes keep their size.
class MarginPanel : public QGroupBox {
    Q_OBJECT
public:
    MarginPanel(bool bVertical, QWidget* parent = nullptr);

    bool IsVertical() const { return m_bVertical; }

    // txYhk(i) / txYhkB(i) with their up-downs, and cbRwPt(i) / cbRwPtB(i).
    std::array<PanelMarginBox*, 8> txYhk{};
    std::array<PanelCombo*, 4> cbRwPt{};
    // The labels of the sender block: "差出人" and "下余白" (horizontal) or "左余白" (vertical).
    std::array<QLabel*, 2> lbSender{};

    // The sender shapes, labels, margin boxes 5 to 7 and spacing box 3 shown or hidden.
    void SetSenderVisible(bool bVisible);
    bool SenderVisible() const { return m_bSender; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct Placement {
        QWidget* widget;
        QPointF centre;     // in sketch units
        bool bLeftAligned;  // labels: anchored by their left edge
    };
    void Place();
    double Scale() const;
    QRect SketchRect() const;

    bool m_bVertical;
    bool m_bSender = true;
    QLabel* m_unit;
    std::array<Placement, 8 + 4 + 6> m_places{};
    int m_nPlaces = 0;
};

} // namespace hoplark
