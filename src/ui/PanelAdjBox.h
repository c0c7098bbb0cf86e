#pragma once

#include "ui/PanelMarginBox.h"

namespace hoplark {

// One up-down of the print position correction: millimetres with one decimal, stepped by
// 0.1 mm within ±10.0 mm. Typing is free; a text that is no such value is refused with a
// message when the box is left, and the value from before the typing comes back.
class PanelAdjBox : public PanelMarginBox {
    Q_OBJECT
public:
    explicit PanelAdjBox(QWidget* parent = nullptr);

    // The value in 0.1 mm, shown without signalling valueEdited.
    void SetValue(int nTenths);
    int Value() const { return m_nValue; }

    void stepBy(int nSteps) override;

signals:
    // The user typed or stepped to a good value (0.1 mm).
    void valueEdited(int nTenths);

protected:
    StepEnabled stepEnabled() const override;

private:
    void OnText(const QString& sText);
    void OnFinished();

    int m_nValue = 0; // the last good value typed or stepped
    int m_nKept = 0;  // the value before the typing in progress
    bool m_bSetting = false;
};

} // namespace hoplark
