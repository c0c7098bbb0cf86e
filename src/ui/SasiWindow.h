#pragma once

#include <QDialog>

class QPlainTextEdit;

namespace hoplark {

// faSasi, "差出人の登録": the sender file edited as plain text. "更新して閉じる" writes the
// file when the text changed; when the write fails, or the text holds characters code page 932
// cannot hold, the message is shown and the window stays open with the edited text.
// "更新せずに閉じる" and the close box leave the file alone.
class SasiWindow : public QDialog {
    Q_OBJECT
public:
    SasiWindow(const QString& UsrFld, QWidget* parent = nullptr);

    // Shows sTx modally over the geometry of the owner. On return bUdt says whether the
    // text was changed and written, and sTx then holds the new text.
    void Act(QString& sTx, bool& bUdt);

    // The two menu commands (also used by the tests without a modal loop).
    bool UpdateAndClose();
    void CloseWithoutUpdate();

    QPlainTextEdit* txSasi() const { return m_txSasi; }
    void setText(const QString& sTx);
    bool updated() const { return m_bUdt; }
    const QString& text() const { return m_sTx; }

private:
    QString m_UsrFld;
    QPlainTextEdit* m_txSasi;
    QString m_sTx;
    bool m_bUdt = false;
};

} // namespace hoplark
