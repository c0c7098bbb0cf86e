#include "ui/MarginPanel.h"

#include "profile/ProfileModel.h"
#include "ui/PanelCombo.h"
#include "ui/PanelMarginBox.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QStyleOptionGroupBox>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace hoplark {

namespace {

// The drawing's own units; at scale 1 one unit is one pixel.
constexpr double kW = 280;
constexpr double kH = 320;
// The drawing is drawn a little lower than its own units, so the page fits the window's
// starting size; the boxes stay clear of each other.
constexpr double kSquat = 0.84;
const QRectF kPage(30, 14, 220, 292);

struct Shape {
    QRectF rect;
    int nBars; // lines (horizontal) or columns (vertical) drawn in the block
};

struct Measure {
    QPointF from, to; // the distance the box measures
    QPointF box;      // where the box sits
};

// Horizontal writing: address at the top, name below it, sender at the bottom.
const Shape kShapesH[3] = {
    {QRectF(70, 66, 160, 48), 2}, {QRectF(80, 146, 140, 50), 2}, {QRectF(80, 228, 140, 52), 2}};
const Measure kBoxesH[8] = {
    {{110, 14}, {110, 78}, {110, 46}},    // 住所上余白: top edge to the first address line
    {{30, 90}, {70, 90}, {50, 90}},       // 住所左余白
    {{230, 90}, {250, 90}, {240, 90}},    // 住所右余白
    {{30, 171}, {80, 171}, {55, 171}},    // 名前左余白
    {{220, 171}, {250, 171}, {235, 171}}, // 名前右余白
    {{30, 254}, {80, 254}, {55, 254}},    // 差出左余白
    {{220, 254}, {250, 254}, {235, 254}}, // 差出右余白
    {{150, 280}, {150, 306}, {150, 293}}, // 差出下余白
};
const QPointF kSpacingsH[4] = {{150, 90}, {150, 130}, {150, 171}, {150, 254}};
const QPointF kLabelsH[6] = {{74, 68}, {84, 148},  {84, 230}, // block captions (left edge)
                             {66, 46}, {106, 293}, {0, 0}};   // 上余白, 下余白

// Vertical writing: address columns on the right, the name in the middle, the sender on the
// lower left.
const Shape kShapesV[3] = {
    {QRectF(196, 62, 34, 208), 2}, {QRectF(124, 70, 36, 186), 1}, {QRectF(44, 150, 50, 136), 3}};
const Measure kBoxesV[8] = {
    {{230, 160}, {250, 160}, {240, 160}}, // 住所右余白
    {{213, 14}, {213, 62}, {213, 48}},    // 住所上余白
    {{213, 270}, {213, 306}, {213, 288}}, // 住所下余白
    {{142, 14}, {142, 70}, {142, 48}},    // 名前上余白
    {{142, 256}, {142, 306}, {142, 281}}, // 名前下余白
    {{69, 14}, {69, 150}, {69, 100}},     // 差出上余白
    {{69, 286}, {69, 306}, {69, 296}},    // 差出下余白
    {{30, 236}, {44, 236}, {37, 236}},    // 差出左余白
};
const QPointF kSpacingsV[4] = {{200, 120}, {178, 230}, {142, 160}, {69, 204}};
const QPointF kLabelsV[6] = {{199, 64},  {127, 72}, {46, 152}, // block captions (left edge)
                             {226, 136}, {18, 260}, {0, 0}};   // 右余白, 左余白

void DrawMeasure(QPainter& p, QPointF a, QPointF b) {
    p.drawLine(a, b);
    const QPointF d = b - a;
    const double len = std::hypot(d.x(), d.y());
    if (len < 1) {
        return;
    }
    const QPointF u = d / len;
    const QPointF n(-u.y(), u.x());
    const double k = 4;
    for (auto [tip, dir] : {std::pair{a, u}, std::pair{b, -u}}) {
        QPolygonF head{tip, tip + dir * k + n * k * 0.5, tip + dir * k - n * k * 0.5};
        p.drawPolygon(head);
    }
}

} // namespace

MarginPanel::MarginPanel(bool bVertical, QWidget* parent)
    : QGroupBox(u"配置"_s, parent), m_bVertical(bVertical), m_unit(new QLabel(u"単位=mm"_s, this)) {
    static const QString tips[8] = {u"住所の最初の行の縦位置(mm)"_s, u"住所の左余白(mm)"_s,
                                    u"住所の右余白(mm)"_s,           u"宛名の左余白(mm)"_s,
                                    u"宛名の右余白(mm)"_s,           u"差出人の左余白(mm)"_s,
                                    u"差出人の右余白(mm)"_s,         u"差出人の下余白(mm)"_s};
    static const QString spacingTips[4] = {u"住所と次の住所の行間隔"_s, u"住所と宛名の行間隔"_s,
                                           u"宛名の行間隔"_s, u"差出人の行間隔"_s};
    const Measure* boxes = bVertical ? kBoxesV : kBoxesH;
    const QPointF* spacings = bVertical ? kSpacingsV : kSpacingsH;
    const QPointF* labels = bVertical ? kLabelsV : kLabelsH;
    const QString sName = bVertical ? u"txYhkB"_s : u"txYhk"_s;
    const QString sCombo = bVertical ? u"cbRwPtB"_s : u"cbRwPt"_s;

    // Created in reading order of the drawing, which is also the keyboard order.
    auto addBox = [&](int i) {
        txYhk[i] = new PanelMarginBox(this);
        txYhk[i]->setObjectName(sName + QString::number(i));
        txYhk[i]->setToolTip(tips[i]);
        m_places[m_nPlaces++] = {txYhk[i], boxes[i].box, false};
    };
    auto addCombo = [&](int i) {
        cbRwPt[i] = new PanelCombo(
            bVertical ? ProfileModel::RwPtBList(i) : ProfileModel::RwPtList(i), this);
        cbRwPt[i]->setObjectName(sCombo + QString::number(i));
        cbRwPt[i]->setToolTip(spacingTips[i]);
        m_places[m_nPlaces++] = {cbRwPt[i], spacings[i], false};
    };
    auto addLabel = [&](const QString& sText, int nAt, bool bLeft) {
        auto* label = new QLabel(sText, this);
        m_places[m_nPlaces++] = {label, labels[nAt], bLeft};
        return label;
    };

    addLabel(u"住所"_s, 0, true);
    addLabel(bVertical ? u"右余白"_s : u"上余白"_s, 3, false);
    if (bVertical) {
        addBox(1), addBox(0), addCombo(0), addBox(2);
    } else {
        addBox(0), addBox(1), addCombo(0), addBox(2);
    }
    addCombo(1);
    addLabel(u"宛名"_s, 1, true);
    addBox(3), addCombo(2), addBox(4);
    lbSender[0] = addLabel(u"差出人"_s, 2, true);
    lbSender[1] = addLabel(bVertical ? u"左余白"_s : u"下余白"_s, 4, false);
    // Read along the sender block: its first margin, its spacing, its second and third margins.
    addBox(5), addCombo(3), addBox(6), addBox(7);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void MarginPanel::SetSenderVisible(bool bVisible) {
    m_bSender = bVisible;
    for (int i = 5; i < 8; ++i) {
        txYhk[i]->setVisible(bVisible);
    }
    cbRwPt[3]->setVisible(bVisible);
    for (QLabel* label : lbSender) {
        label->setVisible(bVisible);
    }
    update();
}

double MarginPanel::Scale() const {
    // The drawing grows with the font so that the boxes fit between its edges.
    return std::max(1.0, txYhk[0]->sizeHint().height() / 24.0);
}

QRect MarginPanel::SketchRect() const {
    QStyleOptionGroupBox opt;
    initStyleOption(&opt);
    const QRect content =
        style()->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxContents, this);
    return content.adjusted(2, 2, -2, -m_unit->sizeHint().height() - 4);
}

QSize MarginPanel::minimumSizeHint() const {
    const double s = Scale() * kSquat;
    QStyleOptionGroupBox opt;
    initStyleOption(&opt);
    const QRect content =
        style()->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxContents, this);
    const QSize frame = size() - content.size();
    return QSize(std::ceil(kW * Scale()) + 4, std::ceil(kH * s) + m_unit->sizeHint().height() + 6) +
           frame;
}

QSize MarginPanel::sizeHint() const {
    return minimumSizeHint();
}

void MarginPanel::resizeEvent(QResizeEvent* event) {
    QGroupBox::resizeEvent(event);
    Place();
}

void MarginPanel::changeEvent(QEvent* event) {
    QGroupBox::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        updateGeometry();
        Place();
    }
}

void MarginPanel::Place() {
    const QRect area = SketchRect();
    const double s = std::min(area.width() / kW, area.height() / (kH * kSquat));
    const QPointF origin(area.left() + (area.width() - kW * s) / 2,
                         area.top() + (area.height() - kH * s * kSquat) / 2);
    for (int i = 0; i < m_nPlaces; ++i) {
        const Placement& place = m_places[i];
        const QSize size = place.widget->sizeHint();
        const QPointF at = origin + QPointF(place.centre.x() * s, place.centre.y() * s * kSquat);
        const int x =
            place.bLeftAligned ? std::lround(at.x()) : std::lround(at.x() - size.width() / 2.0);
        const int y =
            place.bLeftAligned ? std::lround(at.y()) : std::lround(at.y() - size.height() / 2.0);
        place.widget->setGeometry(x, y, size.width(), size.height());
    }
    const QSize unit = m_unit->sizeHint();
    m_unit->setGeometry(area.right() - unit.width(), area.bottom() + 4, unit.width(),
                        unit.height());
}

void MarginPanel::paintEvent(QPaintEvent* event) {
    QGroupBox::paintEvent(event);
    const QRect area = SketchRect();
    const double s = std::min(area.width() / kW, area.height() / (kH * kSquat));
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(area.left() + (area.width() - kW * s) / 2,
                area.top() + (area.height() - kH * s * kSquat) / 2);
    p.scale(s, s * kSquat);

    // The paper with a shadow, and the postal-code boxes.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawRect(kPage.translated(3, 3));
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(Qt::white);
    p.drawRect(kPage);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(220, 80, 80), 1));
    const double zipLeft = m_bVertical ? 130 : 140;
    for (int i = 0; i < 7; ++i) {
        p.drawRect(QRectF(zipLeft + i * 14 + (i > 2 ? 4 : 0), 18, 11, 13));
    }

    const Shape* shapes = m_bVertical ? kShapesV : kShapesH;
    const Measure* boxes = m_bVertical ? kBoxesV : kBoxesH;
    for (int b = 0; b < 3; ++b) {
        if (b == 2 && !m_bSender) {
            continue;
        }
        const Shape& shape = shapes[b];
        p.setPen(QPen(QColor(150, 165, 195), 1, Qt::DashLine));
        p.setBrush(QColor(232, 238, 248));
        p.drawRect(shape.rect);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(160, 175, 205));
        for (int k = 0; k < shape.nBars; ++k) {
            if (m_bVertical) {
                const double step = shape.rect.width() / shape.nBars;
                const double x = shape.rect.right() - step * (k + 0.5) - 3;
                p.drawRect(QRectF(x, shape.rect.top() + 8, 6, shape.rect.height() - 16));
            } else {
                const double step = shape.rect.height() / shape.nBars;
                const double y = shape.rect.top() + step * (k + 0.5) - 3;
                p.drawRect(QRectF(shape.rect.left() + 8, y, shape.rect.width() - 16, 6));
            }
        }
    }
    p.setPen(QPen(QColor(40, 70, 140), 1));
    p.setBrush(QColor(40, 70, 140));
    for (int i = 0; i < 8; ++i) {
        if (i >= 5 && !m_bSender) {
            continue;
        }
        DrawMeasure(p, boxes[i].from, boxes[i].to);
    }
}

} // namespace hoplark
