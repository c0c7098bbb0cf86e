#pragma once

#include <QLayout>

#include <array>

namespace hoplark {

// The main window's client area: the preview on the left, the tab strip on the right. The
// proportions are those of the original window in twips (preview at (30, 30) sized H + 90 by
// H + 140, tab strip at (H + 180, 30) sized W − H − 210 by H + 140, with W the inner width
// and H the inner height − 200), so the preview stays about square and grows with the
// window; the tab strip never gets narrower than its pages need, the preview yields first.
class PanelWindowLayout : public QLayout {
public:
    explicit PanelWindowLayout(int nDpi, QWidget* parent = nullptr);
    ~PanelWindowLayout() override;

    // The two parts, in this order.
    void SetParts(QWidget* preview, QWidget* tabs);

    // The starting size and place of a window of 11400 × 8300 twips, centred as the original
    // (top from a height of 8100), never above or left of the screen.
    static void PlaceWindow(QWidget* window, int nDpi);

    void addItem(QLayoutItem* item) override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    int count() const override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect& rect) override;

    // The two rectangles for a client area of this size.
    struct Parts {
        QRect preview, tabs;
    };
    Parts Compute(const QSize& area) const;

private:
    int Px(double twips) const;

    int m_nDpi;
    std::array<QLayoutItem*, 2> m_items{};
};

} // namespace hoplark
