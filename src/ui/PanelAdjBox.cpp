#include "ui/PanelAdjBox.h"

#include "platform/MsgBox.h"
#include "profile/PrintAdjust.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace hoplark {

PanelAdjBox::PanelAdjBox(QWidget* parent) : PanelMarginBox(parent) {
    SetWidestText(u"-10.0"_s);
    SetValue(0);
    connect(this, &PanelMarginBox::textChanged, this, &PanelAdjBox::OnText);
    connect(this, &QAbstractSpinBox::editingFinished, this, &PanelAdjBox::OnFinished);
}

void PanelAdjBox::SetValue(int nTenths) {
    m_nValue = std::clamp(nTenths, -kAdjMax, kAdjMax);
    m_nKept = m_nValue;
    m_bSetting = true;
    setText(AdjMmText(m_nValue));
    m_bSetting = false;
}

void PanelAdjBox::OnText(const QString& sText) {
    if (m_bSetting)
        return;
    // Half-typed values ("-", "1.") wait for the box to be left.
    if (const std::optional<int> n = AdjFromMm(sText)) {
        m_nValue = *n;
        emit valueEdited(m_nValue);
    }
}

void PanelAdjBox::OnFinished() {
    const QString sText = text();
    if (AdjFromMm(sText)) {
        m_nKept = m_nValue;
        return;
    }
    // Back to the value from before the typing ("1" of "12" was good on the way, but is not
    // what was meant), first, so the message box taking the focus finds a good value.
    const bool bChanged = m_nValue != m_nKept;
    SetValue(m_nKept);
    if (bChanged)
        emit valueEdited(m_nValue);
    MsgBox(AdjRefusedText(sText));
}

void PanelAdjBox::stepBy(int nSteps) {
    const int next = std::clamp(m_nValue + nSteps, -kAdjMax, kAdjMax);
    SetValue(next);
    emit valueEdited(next);
    selectAll();
}

QAbstractSpinBox::StepEnabled PanelAdjBox::stepEnabled() const {
    if (isReadOnly())
        return StepNone;
    StepEnabled steps = StepNone;
    if (m_nValue < kAdjMax)
        steps |= StepUpEnabled;
    if (m_nValue > -kAdjMax)
        steps |= StepDownEnabled;
    return steps;
}

} // namespace hoplark
