#include "ui/PanelMarginBox.h"

#include "platform/Numbers.h"

#include <QLineEdit>
#include <QStyleOptionSpinBox>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace hoplark {

PanelMarginBox::PanelMarginBox(QWidget* parent) : QAbstractSpinBox(parent) {
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    setKeyboardTracking(true);
    connect(lineEdit(), &QLineEdit::textChanged, this, &PanelMarginBox::textChanged);
}

QString PanelMarginBox::text() const {
    return lineEdit()->text();
}

void PanelMarginBox::setText(const QString& sText) {
    if (lineEdit()->text() != sText) {
        lineEdit()->setText(sText);
    }
    update(); // the arrows' enabled state follows the text
}

void PanelMarginBox::stepBy(int nSteps) {
    // A fraction steps to the next whole number in the direction of the step.
    const double v = Num(text());
    double next = nSteps > 0 ? std::floor(v) + nSteps : std::ceil(v) + nSteps;
    next = std::clamp(next, double(kMin), double(kMax));
    setText(QString::number(static_cast<int>(next)));
    selectAll();
}

QValidator::State PanelMarginBox::validate(QString&, int&) const {
    return QValidator::Acceptable; // the text box takes any text; the drawing reads its number
}

void PanelMarginBox::fixup(QString&) const {}

QAbstractSpinBox::StepEnabled PanelMarginBox::stepEnabled() const {
    if (isReadOnly()) {
        return StepNone;
    }
    const double v = Num(text());
    StepEnabled steps = StepNone;
    if (v < kMax) {
        steps |= StepUpEnabled;
    }
    if (v > kMin) {
        steps |= StepDownEnabled;
    }
    return steps;
}

QSize PanelMarginBox::sizeHint() const {
    ensurePolished();
    const QFontMetrics fm(font());
    QStyleOptionSpinBox opt;
    initStyleOption(&opt);
    const QSize text(fm.horizontalAdvance(m_sWidest) + 6, lineEdit()->sizeHint().height());
    return style()->sizeFromContents(QStyle::CT_SpinBox, &opt, text, this);
}

QSize PanelMarginBox::minimumSizeHint() const {
    return sizeHint();
}

} // namespace hoplark
