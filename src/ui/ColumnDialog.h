#pragma once

#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class QComboBox;
class QLabel;
class QTableWidget;

namespace hoplark {

// "列の割り当て": the header and the first five rows of a list whose header names no known
// format, a code chooser above every column and the first record as the codes read it.
class ColumnDialog : public QDialog {
    Q_OBJECT
public:
    ColumnDialog(const QStringList& header, const QList<QStringList>& rows,
                 QWidget* parent = nullptr);

    // The code string of the choices, one character a column ("-": not used).
    QString Codes() const;
    // The first record as the current codes make it, in words.
    QString PreviewText() const;

    QList<QComboBox*> choosers;
    QTableWidget* table = nullptr;
    QLabel* preview = nullptr;

    // Shows the dialog for the list text; the codes, or nothing when it is cancelled.
    static std::optional<QString> Ask(const QStringList& header, const QString& text,
                                      QWidget* parent);

private:
    void UpdatePreview();

    QStringList m_header;
    QList<QStringList> m_rows;
};

} // namespace hoplark
