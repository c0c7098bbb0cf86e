#pragma once

#include "profile/ProfileModel.h"

#include <QDialog>

class QFontDialog;
class QPushButton;

namespace hoplark {

// A font dialog that also carries a text colour, as the font labels need: Qt's font page with
// a colour button beneath it.
class PanelFontDialog : public QDialog {
    Q_OBJECT
public:
    PanelFontDialog(const QString& sTitle, const FontSpec& preset, QWidget* parent = nullptr);

    // The chosen font; the preset's font name stays when the user kept its family, and the
    // preset's colour value (a system colour, say) stays unless a colour was picked.
    FontSpec Result() const;

private:
    void PickColor();
    void ShowColor();

    FontSpec m_preset;
    int m_nColor;
    QFontDialog* m_fonts;
    QPushButton* m_colorButton;
};

// FontSpec ⇄ QFont. The name goes through the font substitutions the program installs, so a
// Windows font name shows in its installed twin.
QFont FontOfSpec(const FontSpec& fnt);
// The description of a font chosen in a dialog; sizes like 14.25 are kept.
FontSpec SpecOfFont(const QFont& font, const FontSpec& preset);

} // namespace hoplark
