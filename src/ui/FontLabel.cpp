#include "ui/FontLabel.h"

#include "imaging/WinColor.h"
#include "platform/Numbers.h"
#include "ui/PanelFontDialog.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>

using namespace Qt::StringLiterals;

namespace hoplark {

FontLabel::FontLabel(QWidget* parent) : QLabel(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    setFrameShape(QFrame::Box);
    setCursor(Qt::PointingHandCursor);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setMinimumWidth(60);
    setTextFormat(Qt::PlainText); // samples of the record are never markup
    SetSpec(m_spec);
}

void FontLabel::SetSpec(const FontSpec& fnt) {
    m_spec = fnt;
    setFont(FontOfSpec(fnt));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    const QColor text = WinColor(fnt.color);
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        pal.setColor(group, QPalette::WindowText, text);
    }
    setPalette(pal);
    ShowText();
}

void FontLabel::SetCaption(const QString& sCaption) {
    m_sCaption = sCaption;
    ShowText();
}

void FontLabel::ShowText() {
    setText(m_sCaption.isEmpty() ? u"%1 %2"_s.arg(m_spec.name, NumText(m_spec.size)) : m_sCaption);
}

void FontLabel::SetCentred(bool bCentred) {
    setAlignment((bCentred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter);
}

bool FontLabel::IsCentred() const {
    return (alignment() & Qt::AlignHCenter) != 0;
}

void FontLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

void FontLabel::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit clicked();
        return;
    default:
        QLabel::keyPressEvent(event);
    }
}

void FontLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (hasFocus()) {
        QPainter painter(this);
        QStyleOptionFocusRect opt;
        opt.initFrom(this);
        opt.rect = contentsRect().adjusted(1, 1, -1, -1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &opt, &painter, this);
    }
}

} // namespace hoplark
