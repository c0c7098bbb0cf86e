#include "ui/PanelDialogs.h"
#include "imaging/WinColor.h"

#include "ui/PanelColor.h"
#include "ui/PanelFontDialog.h"

#include <QColorDialog>
#include <QPointer>

namespace hoplark {

PanelDialogs PanelDialogs::Standard(QWidget* parent) {
    QPointer<QWidget> owner(parent);
    PanelDialogs d;
    d.ChooseFont = [owner](const QString& sTitle, const FontSpec& preset,
                           bool bSizeColour) -> std::optional<FontSpec> {
        PanelFontDialog dlg(sTitle, preset, bSizeColour, owner);
        if (dlg.exec() != QDialog::Accepted) {
            return std::nullopt;
        }
        return dlg.Result();
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
