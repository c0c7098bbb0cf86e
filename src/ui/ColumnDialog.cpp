#include "ui/ColumnDialog.h"

#include "addresslist/CsvConvert.h"
#include "addresslist/ListColumns.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace hoplark {

namespace {

struct Choice {
    QChar code;
    const char16_t* text;
};

// The codes a column can take, with what they mean.
const Choice kChoices[] = {
    {u'-', u"使わない"},
    {u'Z', u"郵便番号"},
    {u'K', u"都道府県"},
    {u'A', u"住所 (全角空白で改行)"},
    {u'a', u"住所 (半角空白でも改行)"},
    {u'O', u"勤務先・部署 (全角空白で改行)"},
    {u'E', u"肩書・役職"},
    {u'N', u"氏名 (列ごとに一人)"},
    {u'S', u"敬称"},
};

// The default of the menu's load: postal code, address, affiliation, title, name.
const QString kDefault = u"ZAOEN"_s;

int ChoiceIndex(QChar code) {
    for (int i = 0; i < static_cast<int>(std::size(kChoices)); ++i)
        if (kChoices[i].code == code)
            return i;
    return 0;
}

QString CsvLine(const QStringList& fields) {
    // Values come from the reader, which has turned the commas and line breaks in them into
    // other characters.
    return fields.join(u',');
}

} // namespace

ColumnDialog::ColumnDialog(const QStringList& header, const QList<QStringList>& rows,
                           QWidget* parent)
    : QDialog(parent), m_header(header), m_rows(rows) {
    setWindowTitle(u"列の割り当て"_s);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel(u"見出し行から列の内容がわかりません。各列の内容を選んで下さい。"_s, this));

    int nCols = static_cast<int>(header.size());
    for (const QStringList& r : rows)
        nCols = qMax(nCols, static_cast<int>(r.size()));
    table = new QTableWidget(static_cast<int>(rows.size()) + 1, nCols, this);
    table->verticalHeader()->setVisible(false);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    QStringList captions;
    for (int j = 0; j < nCols; ++j)
        captions << header.value(j);
    table->setHorizontalHeaderLabels(captions);
    for (int j = 0; j < nCols; ++j) {
        auto* cb = new QComboBox(table);
        for (const Choice& c : kChoices)
            cb->addItem(QString::fromUtf16(c.text), QString(c.code));
        cb->setCurrentIndex(j < kDefault.size() ? ChoiceIndex(kDefault.at(j)) : 0);
        table->setCellWidget(0, j, cb);
        choosers << cb;
        connect(cb, &QComboBox::currentIndexChanged, this, &ColumnDialog::UpdatePreview);
    }
    for (int i = 0; i < rows.size(); ++i)
        for (int j = 0; j < rows.at(i).size(); ++j)
            table->setItem(i + 1, j, new QTableWidgetItem(rows.at(i).at(j)));
    table->resizeColumnsToContents();
    layout->addWidget(table);

    layout->addWidget(new QLabel(u"1件目の宛名:"_s, this));
    preview = new QLabel(this);
    preview->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(preview);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(760, 420);
    UpdatePreview();
}

QString ColumnDialog::Codes() const {
    QString s;
    for (const QComboBox* cb : choosers)
        s += cb->currentData().toString();
    return s;
}

QString ColumnDialog::PreviewText() const {
    if (m_rows.isEmpty())
        return u"(宛名の行がありません)"_s;
    // The first row alone, converted as the load will convert it.
    const QString sRecord = ConvertCsv(CsvLine(m_rows.first()), Codes(), true).trimmed();
    if (sRecord.isEmpty())
        return u"(1件目は宛名になりません)"_s;
    const QStringList f = sRecord.split(u',');
    const auto part = [](const QString& s) {
        QString t = s;
        t.replace(u';', u' ');
        return t.trimmed();
    };
    // Title entries carry a leading "'".
    QStringList titles, names;
    for (const QString& entry : f.value(3).split(u';', Qt::SkipEmptyParts))
        (entry.startsWith(u'\'') ? titles : names) << entry.mid(entry.startsWith(u'\'') ? 1 : 0);
    return u"〒 %1 / 住所: %2 / 勤務先: %3 / 肩書: %4 / 氏名: %5 / 敬称: %6"_s.arg(
        part(f.value(0)), part(f.value(1)), part(f.value(2)), titles.join(u' '), names.join(u' '),
        part(f.value(4)));
}

void ColumnDialog::UpdatePreview() {
    preview->setText(PreviewText());
}

std::optional<QString> ColumnDialog::Ask(const QStringList& header, const QString& text,
                                         QWidget* parent) {
    ColumnDialog dlg(header, ListSample(text, 5), parent);
    if (dlg.exec() != QDialog::Accepted)
        return std::nullopt;
    return dlg.Codes();
}

} // namespace hoplark
