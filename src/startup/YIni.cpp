#include "startup/YIni.h"

#include "platform/ShareFolder.h"
#include "platform/TextFile.h"

#include <QProcess>

using namespace Qt::StringLiterals;

namespace hoplark {

namespace {

HelpOpener& Opener() {
    static HelpOpener opener;
    return opener;
}

void XdgOpen(const QUrl& url) {
    // The browser runs on its own; whether it starts is not looked at.
    QProcess::startDetached(u"xdg-open"_s, {url.toString()});
}

} // namespace

void SetHelpOpener(HelpOpener opener) {
    Opener() = std::move(opener);
}

QString HelpBase() {
    return QUrl::fromLocalFile(ShareFolder() + u"help"_s).toString() + u'/';
}

QString HelpAddress(const QString& sJob) {
    QString sPage = sJob.toLower();
    if (!sPage.contains(QChar(u'.')))
        sPage += u".htm"_s;
    return HelpBase() + sPage;
}

void YIni::W_Help(const QString& sJob) const {
    if (UsrFld.isEmpty())
        return;
    const QString sAddress = HelpAddress(sJob);
    const QByteArray entry = "[Desktop Entry]\nType=Link\nURL=" + sAddress.toUtf8() + '\n';
    if (!WriteBinaryFile(UsrFld + AppNm + u"_help.lnk"_s, entry).isEmpty())
        return;
    // The desktop does not follow a link file named ".lnk"; the address it holds is opened.
    const QUrl url(sAddress);
    if (Opener())
        Opener()(url);
    else
        XdgOpen(url);
}

} // namespace hoplark
