#pragma once

#include "profile/ProfileModel.h"

#include <QWidget>

namespace hoplark {

// The live sample of the font dialog: a line of horizontal text and a column of vertical text
// (one character under the other, as the address is set in 縦書き) in the chosen font, its
// styles and its colour on white. Large sizes are shrunk to fit the box.
class FontSample : public QWidget {
    Q_OBJECT
public:
    explicit FontSample(QWidget* parent = nullptr);

    void SetSpec(const FontSpec& fnt);
    const FontSpec& Spec() const { return m_spec; }
    // The font the sample is drawn in, before any shrinking to fit.
    QFont SampleFont() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    FontSpec m_spec;
};

} // namespace hoplark
