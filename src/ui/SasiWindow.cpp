#include "ui/SasiWindow.h"

#include "imaging/FontSubstitution.h"
#include "platform/MsgBox.h"
#include "sender/Sasi.h"

#include <QMenuBar>
#include <QPlainTextEdit>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace hoplark {

SasiWindow::SasiWindow(const QString& UsrFld, QWidget* parent)
    : QDialog(parent), m_UsrFld(UsrFld), m_txSasi(new QPlainTextEdit(this)) {
    setObjectName(u"faSasi"_s);
    m_txSasi->setObjectName(u"txSasi"_s);
    setWindowTitle(u"差出人の登録"_s);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* bar = new QMenuBar(this);
    QMenu* file = bar->addMenu(u"ﾌｧｲﾙ"_s);
    QAction* update = file->addAction(u"更新して閉じる"_s);
    QAction* discard = file->addAction(u"更新せずに閉じる"_s);
    connect(update, &QAction::triggered, this, &SasiWindow::UpdateAndClose);
    connect(discard, &QAction::triggered, this, &SasiWindow::CloseWithoutUpdate);
    layout->setMenuBar(bar);
    QFont font(SubstituteFontFamily(u"ＭＳ Ｐゴシック"_s));
    m_txSasi->setFont(font);
    m_txSasi->setLineWrapMode(QPlainTextEdit::NoWrap);
    layout->addWidget(m_txSasi);
}

void SasiWindow::setText(const QString& sTx) {
    m_sTx = sTx;
    m_bUdt = false;
    m_txSasi->setPlainText(sTx);
}

bool SasiWindow::UpdateAndClose() {
    QString sTx = m_sTx;
    bool bUdt = false;
    const QString sMsg = CloseSasi(m_UsrFld, sTx, m_txSasi->toPlainText(), true, bUdt);
    if (!sMsg.isEmpty()) {
        MsgBox(sMsg); // nothing is lost: the window stays open with the edited text
        return false;
    }
    m_sTx = sTx;
    m_bUdt = bUdt;
    accept();
    return true;
}

void SasiWindow::CloseWithoutUpdate() {
    m_bUdt = false;
    reject();
}

void SasiWindow::Act(QString& sTx, bool& bUdt) {
    setText(sTx);
    if (parentWidget())
        setGeometry(parentWidget()->geometry());
    exec(); // the close box ends here like "更新せずに閉じる"
    bUdt = m_bUdt;
    if (m_bUdt)
        sTx = m_sTx;
}

} // namespace hoplark
