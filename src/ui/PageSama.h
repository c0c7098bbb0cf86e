#pragma once

#include <QWidget>

class QCheckBox;
class QPlainTextEdit;
class QPushButton;

namespace hoplark {

// The page "設定" (FramePg(3)): the list of name endings that already are an honorific, its
// spacing flag, the button that takes them over, and a fixed explanation.
class PageSama : public QWidget {
    Q_OBJECT
public:
    explicit PageSama(QWidget* parent = nullptr);

    // The fixed text of txSamaD: seven lines, each ending in CR LF.
    static QString SamaHelpText();

    QPlainTextEdit* txSamaE;
    QCheckBox* chSama;
    QPushButton* cmNoSama;
    QPlainTextEdit* txSamaD;
};

} // namespace hoplark
