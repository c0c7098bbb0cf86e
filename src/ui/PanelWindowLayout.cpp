#include "ui/PanelWindowLayout.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace hoplark {

PanelWindowLayout::PanelWindowLayout(int nDpi, QWidget* parent)
    : QLayout(parent), m_nDpi(nDpi > 0 ? nDpi : 96) {
    setContentsMargins(0, 0, 0, 0);
}

PanelWindowLayout::~PanelWindowLayout() {
    for (QLayoutItem* item : m_items) {
        delete item;
    }
}

void PanelWindowLayout::SetParts(QWidget* preview, QWidget* tabs) {
    addChildWidget(preview);
    addChildWidget(tabs);
    for (int i = 0; i < 2; ++i) {
        delete m_items[i];
    }
    m_items = {new QWidgetItem(preview), new QWidgetItem(tabs)};
    invalidate();
}

void PanelWindowLayout::addItem(QLayoutItem* item) {
    // Parts come in order: the first free slot takes the item.
    for (QLayoutItem*& slot : m_items) {
        if (!slot) {
            slot = item;
            return;
        }
    }
    delete item;
}

QLayoutItem* PanelWindowLayout::itemAt(int index) const {
    int n = 0;
    for (QLayoutItem* item : m_items) {
        if (item && n++ == index) {
            return item;
        }
    }
    return nullptr;
}

QLayoutItem* PanelWindowLayout::takeAt(int index) {
    int n = 0;
    for (QLayoutItem*& item : m_items) {
        if (item && n++ == index) {
            QLayoutItem* taken = item;
            item = nullptr;
            return taken;
        }
    }
    return nullptr;
}

int PanelWindowLayout::count() const {
    return static_cast<int>(std::count_if(m_items.begin(), m_items.end(),
                                          [](QLayoutItem* item) { return item != nullptr; }));
}

int PanelWindowLayout::Px(double twips) const {
    return static_cast<int>(std::lround(twips * m_nDpi / 1440.0));
}

QSize PanelWindowLayout::sizeHint() const {
    return QSize(Px(11400), Px(8300)).expandedTo(minimumSize());
}

QSize PanelWindowLayout::minimumSize() const {
    const int nTabs = m_items[1] ? m_items[1]->minimumSize().width() : 0;
    const int nTabsH = m_items[1] ? m_items[1]->minimumSize().height() : 0;
    const int nPreview = Px(2000);
    return QSize(Px(30) + nPreview + Px(60) + nTabs + Px(30),
                 std::max(nTabsH, nPreview) + Px(60));
}

PanelWindowLayout::Parts PanelWindowLayout::Compute(const QSize& area) const {
    const int W = area.width();
    const int H = area.height() - Px(200);
    const int nMinTabs = m_items[1] ? m_items[1]->minimumSize().width() : 0;
    Parts parts;
    int nTabsW = std::max(W - H - Px(210), nMinTabs);
    // The preview yields to the tab strip, keeping the original's gaps.
    const int nPreviewW = std::max(0, std::min(H + Px(90), W - Px(30) - Px(60) - nTabsW - Px(30)));
    const int nTabsX = Px(30) + nPreviewW + Px(60);
    nTabsW = std::max(0, W - nTabsX - Px(30));
    parts.preview = QRect(Px(30), Px(30), nPreviewW, std::max(0, H + Px(140)));
    parts.tabs = QRect(nTabsX, Px(30), nTabsW, std::max(0, H + Px(140)));
    return parts;
}

void PanelWindowLayout::setGeometry(const QRect& rect) {
    QLayout::setGeometry(rect);
    const Parts parts = Compute(rect.size());
    if (m_items[0]) {
        m_items[0]->setGeometry(parts.preview.translated(rect.topLeft()));
    }
    if (m_items[1]) {
        m_items[1]->setGeometry(parts.tabs.translated(rect.topLeft()));
    }
}

void PanelWindowLayout::PlaceWindow(QWidget* window, int nDpi) {
    if (nDpi <= 0) {
        nDpi = 96;
    }
    auto px = [nDpi](double twips) { return static_cast<int>(std::lround(twips * nDpi / 1440.0)); };
    window->resize(px(11400), px(8300));
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) {
        return;
    }
    const QRect avail = screen->geometry();
    const double sw = avail.width() * 1440.0 / nDpi;
    const double sh = avail.height() * 1440.0 / nDpi;
    const double left = std::max(0.0, std::nearbyint((sw - 11400) / 2));
    const double top = std::max(0.0, std::nearbyint((sh - 8100) / 2));
    window->move(avail.left() + px(left), avail.top() + px(top));
}

} // namespace hoplark
