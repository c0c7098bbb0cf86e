#pragma once

#include "profile/ProfileModel.h"

#include <QColor>
#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QFormLayout;
class QLabel;
class QPushButton;

namespace hoplark {

class FontSample;

// The font dialog of the font labels: family, size in points with decimals, the four styles,
// the text colour and a live sample in horizontal and vertical writing. Qt's own font dialog
// would not do: it rounds 11.5 to 12 and offers only "Regular" for the IPA fonts, which have no
// bold or italic faces (Qt draws those styles synthetically).
//
// What the user leaves alone comes back exactly as it came in: the stored font name (a Windows
// name such as ＭＳ 明朝 that no installed family carries), the size to the last decimal and a
// system colour value.
class PanelFontDialog : public QDialog {
    Q_OBJECT
public:
    // Without bSizeColour the dialog offers name and styles only ("ﾌｫﾝﾄ(ｻｲｽﾞ以外)"); size and
    // colour then come back as the preset holds them.
    PanelFontDialog(const QString& sTitle, const FontSpec& preset, bool bSizeColour,
                    QWidget* parent = nullptr);

    // The font as the dialog shows it now, for the caller to take after accept.
    FontSpec Result() const;

    // How the colour button asks for a colour; QColorDialog unless replaced (an invalid colour
    // means cancelled).
    void SetColorPicker(std::function<QColor(const QColor& initial)> picker);

    QComboBox* cbFamily;
    QDoubleSpinBox* spSize;
    QCheckBox* ckBold;
    QCheckBox* ckItalic;
    QCheckBox* ckUnderline;
    QCheckBox* ckStrike;
    QPushButton* cmColor;
    FontSample* sample;

private:
    void FillFamilies();
    void PickColor();
    void ShowColor();
    void ShowFont();

    FontSpec m_preset;
    int m_nColor;
    double m_dShownSize = 0; // the preset's size as the spin box shows it
    QFormLayout* m_form = nullptr;
    QLabel* m_lbDrawnAs;
    std::function<QColor(const QColor&)> m_picker;
};

// FontSpec as a QFont. The name goes through the font substitutions the program installs, so a
// Windows font name shows in its installed twin.
QFont FontOfSpec(const FontSpec& fnt);

} // namespace hoplark
