#pragma once

#include "profile/ProfileModel.h"

#include <QLabel>

namespace hoplark {

// A font label (lbAdd): shows the font of one text block by its own appearance (name, size,
// style and colour on white) and opens that block's font dialog when clicked. It takes the
// keyboard focus, and Space or Enter count as a click.
class FontLabel : public QLabel {
    Q_OBJECT
public:
    explicit FontLabel(QWidget* parent = nullptr);

    void SetSpec(const FontSpec& fnt);
    // The sample text shown in the font; without one the label names its font and size.
    void SetCaption(const QString& sCaption);
    const FontSpec& Spec() const { return m_spec; }
    // The centring echo: centred or left-aligned text.
    void SetCentred(bool bCentred);
    bool IsCentred() const;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void ShowText();

    FontSpec m_spec;
    QString m_sCaption;
};

} // namespace hoplark
