#pragma once

#include <QAbstractSpinBox>

namespace hoplark {

// A margin box with its up-down control (txYhk(i) with UpDownA(i)): the text is kept as typed,
// the arrows (and the Up/Down keys) step its number by 1 within 1 to 99.
class PanelMarginBox : public QAbstractSpinBox {
    Q_OBJECT
public:
    static constexpr int kMin = 1;
    static constexpr int kMax = 99;

    explicit PanelMarginBox(QWidget* parent = nullptr);

    QString text() const;
    void setText(const QString& sText);

    void stepBy(int nSteps) override;
    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // Every change of the text, typed or stepped.
    void textChanged(const QString& sText);

protected:
    StepEnabled stepEnabled() const override;
    // The widest text the box is sized for.
    void SetWidestText(const QString& sText) { m_sWidest = sText; }

private:
    QString m_sWidest = QStringLiteral("999");
};

} // namespace hoplark
