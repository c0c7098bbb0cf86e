#include "ui/PanelFontDialog.h"

#include "imaging/FontSubstitution.h"
#include "imaging/WinColor.h"
#include "ui/FontSample.h"
#include "ui/PanelColor.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace hoplark {

namespace {

// Sizes read as the labels and the profile write them: 14.25, 12, 9.75 (not 12.00).
class PointSizeBox : public QDoubleSpinBox {
public:
    using QDoubleSpinBox::QDoubleSpinBox;

protected:
    QString textFromValue(double dValue) const override {
        QString s = locale().toString(dValue, 'f', decimals());
        s.remove(locale().groupSeparator());
        const QChar point = locale().decimalPoint().front();
        if (s.contains(point)) {
            while (s.endsWith(u'0')) {
                s.chop(1);
            }
            if (s.endsWith(point)) {
                s.chop(1);
            }
        }
        return s;
    }
};

} // namespace

QFont FontOfSpec(const FontSpec& fnt) {
    QFont font(SubstituteFontFamily(fnt.name));
    if (fnt.size > 0) {
        font.setPointSizeF(fnt.size);
    }
    font.setBold(fnt.bold);
    font.setItalic(fnt.italic);
    font.setStrikeOut(fnt.strike);
    font.setUnderline(fnt.underline);
    return font;
}

PanelFontDialog::PanelFontDialog(const QString& sTitle, const FontSpec& preset, bool bSizeColour,
                                 QWidget* parent)
    : QDialog(parent), cbFamily(new QComboBox(this)), spSize(new PointSizeBox(this)),
      ckBold(new QCheckBox(u"太字(&B)"_s, this)), ckItalic(new QCheckBox(u"斜体(&I)"_s, this)),
      ckUnderline(new QCheckBox(u"下線(&U)"_s, this)),
      ckStrike(new QCheckBox(u"取り消し線(&K)"_s, this)), cmColor(new QPushButton(this)),
      sample(new FontSample(this)), m_preset(preset), m_nColor(preset.color),
      m_lbDrawnAs(new QLabel(this)) {
    setWindowTitle(sTitle);
    cbFamily->setObjectName(u"cbFamily"_s);
    spSize->setObjectName(u"spSize"_s);
    cmColor->setObjectName(u"cmColor"_s);

    FillFamilies();
    cbFamily->setMaxVisibleItems(20);
    cbFamily->setMinimumContentsLength(16);

    // Windows sizes such as 14.25 and 9.75 are quarters of a point; two decimals hold them.
    spSize->setDecimals(2);
    spSize->setRange(1, 1638);
    spSize->setSingleStep(0.5);
    spSize->setSuffix(u" pt"_s);
    spSize->setValue(preset.size);
    m_dShownSize = spSize->value();

    ckBold->setChecked(preset.bold);
    ckItalic->setChecked(preset.italic);
    ckUnderline->setChecked(preset.underline);
    ckStrike->setChecked(preset.strike);
    ShowColor();

    auto* form = m_form = new QFormLayout;
    form->addRow(u"ﾌｫﾝﾄ名(&F):"_s, cbFamily);
    form->addRow(QString(), m_lbDrawnAs);
    form->addRow(u"ｻｲｽﾞ(&S):"_s, spSize);
    auto* styles = new QGridLayout;
    styles->addWidget(ckBold, 0, 0);
    styles->addWidget(ckItalic, 0, 1);
    styles->addWidget(ckUnderline, 1, 0);
    styles->addWidget(ckStrike, 1, 1);
    form->addRow(u"ｽﾀｲﾙ:"_s, styles);
    form->addRow(u"色(&C):"_s, cmColor);
    if (!bSizeColour) {
        form->setRowVisible(spSize, false);
        form->setRowVisible(cmColor, false);
    }

    auto* sampleBox = new QGroupBox(u"見本"_s, this);
    auto* sampleLayout = new QVBoxLayout(sampleBox);
    sampleLayout->addWidget(sample);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(sampleBox, 1);
    layout->addWidget(buttons);

    connect(cbFamily, &QComboBox::currentIndexChanged, this, &PanelFontDialog::ShowFont);
    connect(spSize, &QDoubleSpinBox::valueChanged, this, &PanelFontDialog::ShowFont);
    for (QCheckBox* box : {ckBold, ckItalic, ckUnderline, ckStrike}) {
        connect(box, &QCheckBox::toggled, this, &PanelFontDialog::ShowFont);
    }
    connect(cmColor, &QPushButton::clicked, this, &PanelFontDialog::PickColor);
    ShowFont();
    cbFamily->setFocus();
}

void PanelFontDialog::FillFamilies() {
    // Each entry carries the name to store. The preset's name stays as written even when no
    // installed family carries it, so a profile made on Windows keeps its font names.
    const QStringList families = QFontDatabase::families();
    for (const QString& sFamily : families) {
        if (!QFontDatabase::isPrivateFamily(sFamily)) {
            cbFamily->addItem(sFamily, sFamily);
        }
    }
    int nPreset = cbFamily->findData(m_preset.name);
    if (nPreset < 0) {
        cbFamily->insertItem(0, m_preset.name, m_preset.name);
        nPreset = 0;
    }
    cbFamily->setCurrentIndex(nPreset);
}

FontSpec PanelFontDialog::Result() const {
    FontSpec fnt = m_preset;
    fnt.name = cbFamily->currentData().toString();
    // The spin box shows two decimals; an untouched size keeps every digit it came with.
    if (spSize->value() != m_dShownSize) {
        fnt.size = spSize->value();
    }
    fnt.bold = ckBold->isChecked();
    fnt.italic = ckItalic->isChecked();
    fnt.underline = ckUnderline->isChecked();
    fnt.strike = ckStrike->isChecked();
    fnt.color = m_nColor;
    return fnt;
}

void PanelFontDialog::SetColorPicker(std::function<QColor(const QColor&)> picker) {
    m_picker = std::move(picker);
}

void PanelFontDialog::PickColor() {
    const QColor initial = WinColor(m_nColor);
    const QColor color =
        m_picker ? m_picker(initial) : QColorDialog::getColor(initial, this, windowTitle());
    if (color.isValid()) {
        m_nColor = QColorToWinColor(color);
        ShowColor();
        ShowFont();
    }
}

void PanelFontDialog::ShowColor() {
    const QColor color = WinColor(m_nColor);
    QPixmap swatch(28, 14);
    swatch.fill(color);
    {
        QPainter painter(&swatch);
        painter.setPen(Qt::gray);
        painter.drawRect(swatch.rect().adjusted(0, 0, -1, -1));
    }
    cmColor->setIcon(QIcon(swatch));
    cmColor->setIconSize(swatch.size());
    // A system colour follows the Windows scheme it was saved under; say so instead of RGB.
    cmColor->setText(m_nColor < 0 ? u"ｼｽﾃﾑ色"_s : color.name());
}

void PanelFontDialog::ShowFont() {
    const FontSpec fnt = Result();
    sample->SetSpec(fnt);
    const QString sDrawn = SubstituteFontFamily(fnt.name);
    // A Windows name is drawn in its installed twin; tell the user which one.
    m_lbDrawnAs->setText(u"表示・印刷: %1"_s.arg(sDrawn));
    m_form->setRowVisible(m_lbDrawnAs, sDrawn != fnt.name);
}

} // namespace hoplark
