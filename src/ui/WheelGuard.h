#pragma once

#include <QObject>

class QWidget;

namespace hoplark {

// Keeps the mouse wheel from changing settings by accident while a page is scrolled: an
// up-down or a combo box takes the wheel only when it has the keyboard focus, otherwise the
// page scrolls; a widget marked with NeverByWheel never takes it (the profile list, where a
// turn would load another profile and throw the panel's state away).
class WheelGuard : public QObject {
    Q_OBJECT
public:
    // Guards every up-down and combo box below root (clicking or tabbing gives them focus;
    // the wheel does not).
    static void Install(QWidget* root);
    static void NeverByWheel(QWidget* w);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit WheelGuard(QObject* parent) : QObject(parent) {}
};

} // namespace hoplark
