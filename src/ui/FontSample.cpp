#include "ui/FontSample.h"

#include "imaging/WinColor.h"
#include "ui/PanelFontDialog.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace hoplark {

namespace {

const QString kHorizontal = u"東京都千代田区 123 AaBb"_s;
const QString kVertical = u"山田太郎様"_s;

// The font shrunk so that one line of it is no taller than dMaxHeight, so that a 72-point
// sample still fits.
QFont Fitted(QFont font, double dMaxHeight) {
    const double dHeight = QFontMetricsF(font).height();
    if (dHeight > dMaxHeight && dMaxHeight > 0) {
        const double dPx = QFontInfo(font).pixelSize() * dMaxHeight / dHeight;
        font.setPixelSize(std::max(1, static_cast<int>(dPx)));
    }
    return font;
}

} // namespace

FontSample::FontSample(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(320, 150);
}

void FontSample::SetSpec(const FontSpec& fnt) {
    m_spec = fnt;
    update();
}

QFont FontSample::SampleFont() const {
    return FontOfSpec(m_spec);
}

QSize FontSample::sizeHint() const {
    return {420, 190};
}

void FontSample::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.fillRect(rect(), Qt::white);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));

    const QRectF inner = QRectF(rect()).adjusted(8, 8, -8, -8);
    const QFont base = SampleFont();
    painter.setPen(WinColor(m_spec.color));

    // Vertical column at the right, as a vertical address reads from the right.
    const double dCell = std::min(inner.height() / kVertical.size(), inner.width() / 3);
    // Lines across each character would cut the column into pieces; underline and
    // strike-through run along the column instead (the underline on its right, as 傍線).
    QFont vfont = Fitted(base, dCell);
    vfont.setUnderline(false);
    vfont.setStrikeOut(false);
    const QFontMetricsF vfm(vfont);
    const double dStep = std::max(vfm.height(), 1.0);
    const double dColW = std::max(vfm.horizontalAdvance(u"国"_s), dStep);
    const QRectF column(inner.right() - dColW, inner.top(), dColW, inner.height());
    painter.setFont(vfont);
    double y = column.top();
    for (const QChar c : kVertical) {
        if (y + dStep > column.bottom() + 0.5) {
            break;
        }
        painter.drawText(QRectF(column.left(), y, dColW, dStep), Qt::AlignCenter, QString(c));
        y += dStep;
    }
    const QPen textPen = painter.pen();
    painter.setPen(QPen(textPen.color(), std::max(1.0, vfm.lineWidth())));
    if (m_spec.underline) {
        painter.drawLine(QPointF(column.right() + 2, column.top()), QPointF(column.right() + 2, y));
    }
    if (m_spec.strike) {
        painter.drawLine(QPointF(column.center().x(), column.top()),
                         QPointF(column.center().x(), y));
    }
    painter.setPen(textPen);

    // Horizontal line, centred in what is left; wider than the box it is clipped, not wrapped.
    const QRectF left(inner.left(), inner.top(), inner.width() - dColW - 12, inner.height());
    const QFont hfont = Fitted(base, left.height() / 2);
    painter.setFont(hfont);
    painter.save();
    painter.setClipRect(left);
    painter.drawText(left, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, kHorizontal);
    painter.restore();
}

} // namespace hoplark
