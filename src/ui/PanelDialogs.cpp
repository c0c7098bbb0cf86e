#include "ui/PanelDialogs.h"
#include "imaging/WinColor.h"

#include "ui/PanelColor.h"
#include "ui/PanelFontDialog.h"

#include <QColorDialog>
#include <QFontDialog>
#include <QPointer>

namespace hoplark {

PanelDialogs PanelDialogs::Standard(QWidget* parent) {
    QPointer<QWidget> owner(parent);
    PanelDialogs d;
    d.ChooseFont = [owner](const QString& sTitle, const FontSpec& preset,
                           bool bSizeColour) -> std::optional<FontSpec> {
        if (bSizeColour) {
            PanelFontDialog dlg(sTitle, preset, owner);
            if (dlg.exec() != QDialog::Accepted) {
                return std::nullopt;
            }
            return dlg.Result();
        }
        bool bOk = false;
        const QFont font = QFontDialog::getFont(&bOk, FontOfSpec(preset), owner, sTitle);
        if (!bOk) {
            return std::nullopt;
        }
        return SpecOfFont(font, preset);
    };
    d.ChooseColor = [owner](const QString& sTitle) -> std::optional<int> {
        const QColor color = QColorDialog::getColor(Qt::black, owner, sTitle);
        if (!color.isValid()) {
            return std::nullopt;
        }
        return QColorToWinColor(color);
    };
    return d;
}

} // namespace hoplark
