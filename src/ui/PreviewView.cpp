#include "ui/PreviewView.h"

#include <QPainter>

namespace hoplark {

PreviewView::PreviewView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(200, 200);
}

void PreviewView::setImage(const QImage& image) {
    m_image = image;
    // An image set while painting (a redraw run from aboutToPaint) is drawn by that same
    // paint; asking for another would repaint for ever.
    if (!m_bPainting)
        update();
}

int PreviewView::WidthTwips(int nScrDpi) const {
    return nScrDpi > 0 ? width() * 1440 / nScrDpi : 0;
}

void PreviewView::paintEvent(QPaintEvent*) {
    m_bPainting = true;
    emit aboutToPaint();
    m_bPainting = false;
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Mid));
    if (!m_image.isNull())
        p.drawImage(0, 0, m_image);
}

} // namespace hoplark
