#pragma once

#include "profile/ProfileModel.h"

#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace hoplark {

// The font and colour dialogs the settings panel asks. std::nullopt means the user cancelled.
// Tests put their own answers in; the program uses Standard().
struct PanelDialogs {
    // Shows a font dialog titled sTitle, preset with preset. With bSizeColour the dialog also
    // offers size and colour and returns them; otherwise only name and styles count.
    std::function<std::optional<FontSpec>(const QString& sTitle, const FontSpec& preset,
                                          bool bSizeColour)>
        ChooseFont;
    // Shows a colour dialog titled sTitle; returns a Windows colour value.
    std::function<std::optional<int>(const QString& sTitle)> ChooseColor;

    // The font dialog of PanelFontDialog and QColorDialog, modal over parent.
    static PanelDialogs Standard(QWidget* parent);
};

} // namespace hoplark
