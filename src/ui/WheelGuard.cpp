#include "ui/WheelGuard.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QWheelEvent>
#include <QWidget>

namespace hoplark {

namespace {
constexpr char kNeverByWheel[] = "hoplarkNeverByWheel";
} // namespace

void WheelGuard::Install(QWidget* root) {
    auto* guard = new WheelGuard(root);
    const QList<QWidget*> widgets = root->findChildren<QWidget*>();
    for (QWidget* w : widgets) {
        if (!qobject_cast<QAbstractSpinBox*>(w) && !qobject_cast<QComboBox*>(w))
            continue;
        w->setFocusPolicy(Qt::StrongFocus);
        w->installEventFilter(guard);
    }
}

void WheelGuard::NeverByWheel(QWidget* w) {
    w->setProperty(kNeverByWheel, true);
}

bool WheelGuard::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Wheel)
        return false;
    auto* w = static_cast<QWidget*>(watched);
    if (w->hasFocus() && !w->property(kNeverByWheel).toBool())
        return false;
    // Not taken here: the event goes on to the page, which scrolls.
    event->ignore();
    return true;
}

} // namespace hoplark
