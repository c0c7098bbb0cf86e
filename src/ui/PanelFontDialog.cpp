#include "ui/PanelFontDialog.h"

#include "imaging/FontSubstitution.h"
#include "imaging/WinColor.h"
#include "ui/PanelColor.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace hoplark {

QFont FontOfSpec(const FontSpec& fnt) {
    QFont font(SubstituteFontFamily(fnt.name));
    if (fnt.size > 0) {
        font.setPointSizeF(fnt.size);
    }
    font.setBold(fnt.bold);
    font.setItalic(fnt.italic);
    font.setStrikeOut(fnt.strike);
    font.setUnderline(fnt.underline);
    return font;
}

FontSpec SpecOfFont(const QFont& font, const FontSpec& preset) {
    FontSpec fnt = preset;
    // A family that is only the installed twin of the preset's name keeps the preset's name,
    // so a profile made on Windows keeps its font names when only the size or style changes.
    const QString sShown = SubstituteFontFamily(preset.name);
    fnt.name =
        font.family() == sShown || font.family() == preset.name ? preset.name : font.family();
    if (font.pointSizeF() > 0) {
        fnt.size = font.pointSizeF();
    }
    fnt.bold = font.bold();
    fnt.italic = font.italic();
    fnt.strike = font.strikeOut();
    fnt.underline = font.underline();
    return fnt;
}

PanelFontDialog::PanelFontDialog(const QString& sTitle, const FontSpec& preset, QWidget* parent)
    : QDialog(parent), m_preset(preset), m_nColor(preset.color), m_fonts(new QFontDialog(this)),
      m_colorButton(new QPushButton(this)) {
    setWindowTitle(sTitle);
    // Qt's font page embedded as a plain widget; our own buttons close the dialog.
    m_fonts->setWindowFlags(Qt::Widget);
    m_fonts->setOptions(QFontDialog::NoButtons);
    m_fonts->setCurrentFont(FontOfSpec(preset));

    auto* label = new QLabel(u"色(&C)"_s, this);
    label->setBuddy(m_colorButton);
    connect(m_colorButton, &QPushButton::clicked, this, &PanelFontDialog::PickColor);
    ShowColor();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* colorRow = new QHBoxLayout;
    colorRow->addWidget(label);
    colorRow->addWidget(m_colorButton);
    colorRow->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_fonts);
    layout->addLayout(colorRow);
    layout->addWidget(buttons);
}

FontSpec PanelFontDialog::Result() const {
    FontSpec fnt = SpecOfFont(m_fonts->currentFont(), m_preset);
    fnt.color = m_nColor;
    return fnt;
}

void PanelFontDialog::PickColor() {
    const QColor color = QColorDialog::getColor(WinColor(m_nColor), this, windowTitle());
    if (color.isValid()) {
        m_nColor = QColorToWinColor(color);
        ShowColor();
    }
}

void PanelFontDialog::ShowColor() {
    const QColor color = WinColor(m_nColor);
    m_colorButton->setText(color.name());
    m_colorButton->setStyleSheet(u"QPushButton { color: %1; }"_s.arg(color.name()));
}

} // namespace hoplark
