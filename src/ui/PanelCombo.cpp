#include "ui/PanelCombo.h"

#include <QLineEdit>
#include <QSignalBlocker>

namespace hoplark {

PanelCombo::PanelCombo(const QStringList& items, QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    // Typed texts stay as typed: no completion from the list.
    setCompleter(nullptr);
    addItems(items);
    setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_value = {currentText(), currentIndex()};
    connect(this, &QComboBox::currentIndexChanged, this, &PanelCombo::Chosen);
    connect(this, &QComboBox::activated, this, &PanelCombo::Chosen);
    connect(lineEdit(), &QLineEdit::textEdited, this, &PanelCombo::Typed);
}

void PanelCombo::SetValue(const ComboValue& value) {
    const QSignalBlocker block(this);
    m_bSetting = true;
    if (value.index >= 0 && value.index < count()) {
        setCurrentIndex(value.index);
        m_value = {itemText(value.index), value.index};
    } else {
        setCurrentIndex(-1);
        setEditText(value.text);
        m_value = {value.text, -1};
    }
    m_bSetting = false;
}

void PanelCombo::Chosen(int nIndex) {
    if (m_bSetting || nIndex < 0) {
        return;
    }
    const ComboValue value{itemText(nIndex), nIndex};
    if (value == m_value) {
        return;
    }
    m_value = value;
    emit valueEdited(m_value);
}

void PanelCombo::Typed(const QString& sText) {
    // A typed text selects no entry, even when it equals one.
    m_value = {sText, -1};
    {
        const QSignalBlocker block(this);
        m_bSetting = true;
        const int nPos = lineEdit()->cursorPosition();
        setCurrentIndex(-1);
        setEditText(sText);
        lineEdit()->setCursorPosition(nPos);
        m_bSetting = false;
    }
    emit valueEdited(m_value);
}

} // namespace hoplark
