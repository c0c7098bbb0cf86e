#include "ui/PageSama.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace hoplark {

QString PageSama::SamaHelpText() {
    return u"社名等の末尾が殿である場合があります\r\n"
           u"\r\n"
           u"このような場合に、殿を敬称としては認識\r\n"
           u"して欲しくない場合は、\r\n"
           u"名前に含む敬称は、スペースを付けて\r\n"
           u" <例:　井上　太郎　先生> 登録し\r\n"
           u"上のチェックをオンにして下さい\r\n"_s;
}

PageSama::PageSama(QWidget* parent) : QWidget(parent) {
    setWindowTitle(u"設定"_s);

    auto* label = new QLabel(
        u"敬称が指定されていない場合　　　　　　名前の末尾が以下の文字列であれば、　「様」を付加しない"_s,
        this);
    label->setWordWrap(true);
    txSamaE = new QPlainTextEdit(this);
    txSamaE->setObjectName(u"txSamaE"_s);
    txSamaE->setTabChangesFocus(true);
    txSamaE->setLineWrapMode(QPlainTextEdit::NoWrap);
    label->setBuddy(txSamaE);
    chSama = new QCheckBox(u"敬称は、ｽﾍﾟｰｽで区切られている"_s, this);
    chSama->setObjectName(u"chSama"_s);
    chSama->setChecked(true);
    cmNoSama = new QPushButton(u"更新"_s, this);
    cmNoSama->setObjectName(u"cmNoSama"_s);
    txSamaD = new QPlainTextEdit(this);
    txSamaD->setObjectName(u"txSamaD"_s);
    txSamaD->setReadOnly(true);
    txSamaD->setTabChangesFocus(true);
    // The text box shows the line ends as line breaks; the text itself keeps CR LF.
    QString sShown = SamaHelpText();
    sShown.replace(u"\r\n"_s, u"\n"_s);
    txSamaD->setPlainText(sShown);

    auto* row = new QHBoxLayout;
    row->addWidget(chSama, 1);
    row->addWidget(cmNoSama);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(txSamaE, 2);
    layout->addLayout(row);
    layout->addWidget(txSamaD, 1);
}

} // namespace hoplark
