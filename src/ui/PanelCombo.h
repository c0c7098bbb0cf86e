#pragma once

#include "profile/ProfileModel.h"

#include <QComboBox>

namespace hoplark {

// A drop-down box whose text can also be typed (cbRwPt, cbMxRw): a choice from the list
// gives its text and index, a typed text is kept as typed with index -1.
class PanelCombo : public QComboBox {
    Q_OBJECT
public:
    PanelCombo(const QStringList& items, QWidget* parent = nullptr);

    ComboValue Value() const { return m_value; }
    // Shows a value without signalling: a valid index selects its entry, index -1 shows the
    // text. An index beyond the list shows the text with no entry selected.
    void SetValue(const ComboValue& value);

signals:
    // The user chose an entry or typed a text.
    void valueEdited(const ComboValue& value);

private:
    void Chosen(int nIndex);
    void Typed(const QString& sText);

    ComboValue m_value;
    bool m_bSetting = false;
};

} // namespace hoplark
