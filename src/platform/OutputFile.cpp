#include "platform/OutputFile.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace hoplark {

namespace {

QString ErrnoText(int nErr) {
    return QString::fromLocal8Bit(std::strerror(nErr));
}

// Where a name finally points: links followed as far as they go, even to a missing file.
QString ResolveLinks(const QString& sPath) {
    QString s = QFileInfo(sPath).absoluteFilePath();
    for (int i = 0; i < 40; ++i) {
        const QFileInfo fi(s);
        if (!fi.isSymLink())
            return s;
        s = fi.symLinkTarget();
    }
    return s;
}

bool SyncPath(const QByteArray& path, int nFlags, int& nErr) {
    const int fd = ::open(path.constData(), nFlags | O_CLOEXEC);
    if (fd < 0) {
        nErr = errno;
        return false;
    }
    const bool bOk = ::fsync(fd) == 0 || errno == EINVAL; // some file systems cannot sync
    nErr = bOk ? 0 : errno;
    ::close(fd);
    return bOk;
}

} // namespace

OutputFile::OutputFile(const QString& sPath) : m_sGiven(sPath) {}

OutputFile::~OutputFile() {
    Discard();
}

QString OutputFile::Failed(const QString& sReason) const {
    return CannotWrite(m_sGiven, sReason);
}

QString OutputFile::Open() {
    Discard();
    m_bCommitted = false;
    if (m_sGiven.isEmpty())
        return u"ファイル名がありません"_s;
    m_sFinal = ResolveLinks(m_sGiven);
    const QFileInfo target(m_sFinal);
    if (target.exists() && !target.isFile())
        return Failed(u"通常のファイルではありません"_s);
    if (!QFileInfo(target.absolutePath()).isDir())
        return Failed(u"フォルダ %1 がありません"_s.arg(target.absolutePath()));

    // Created exclusively with the usual mode, so the umask applies as for any new file; an
    // existing file's permissions are kept.
    struct stat old {};
    const bool bHadOld = ::stat(QFile::encodeName(m_sFinal).constData(), &old) == 0;
    for (int nTry = 0; nTry < 100; ++nTry) {
        const QString sTemp = target.absolutePath() + u"/."_s + target.fileName() + u'.' +
                              QString::number(QRandomGenerator::global()->generate(), 36) +
                              u".tmp"_s;
        const QByteArray temp = QFile::encodeName(sTemp);
        const int fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return Failed(ErrnoText(errno));
        }
        if (bHadOld)
            (void)::fchmod(fd, old.st_mode & 07777);
        m_sTemp = sTemp;
        m_file.setFileName(sTemp);
        if (!m_file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
            ::close(fd);
            const QString sWhy = m_file.errorString();
            Discard();
            return Failed(sWhy);
        }
        return {};
    }
    return Failed(u"一時ファイルを作れません"_s);
}

QString OutputFile::Commit() {
    if (m_sTemp.isEmpty())
        return Failed(u"書き込みが始まっていません"_s);
    QString sWhy;
    if (m_file.isOpen()) {
        // A buffered write that failed shows only here, when the rest is pushed out.
        if (!m_file.flush() || m_file.error() != QFileDevice::NoError)
            sWhy = m_file.errorString();
        else if (::fsync(m_file.handle()) != 0 && errno != EINVAL)
            sWhy = ErrnoText(errno);
        m_file.close();
        if (sWhy.isEmpty() && m_file.error() != QFileDevice::NoError)
            sWhy = m_file.errorString();
    } else if (int nErr = 0; !SyncPath(QFile::encodeName(m_sTemp), O_RDONLY, nErr)) {
        sWhy = ErrnoText(nErr);
    }
    if (sWhy.isEmpty() && ::rename(QFile::encodeName(m_sTemp).constData(),
                                   QFile::encodeName(m_sFinal).constData()) != 0)
        sWhy = ErrnoText(errno);
    if (!sWhy.isEmpty()) {
        Discard();
        return Failed(sWhy);
    }
    m_sTemp.clear();
    m_bCommitted = true;
    int nErr = 0;
    // The new name itself is on disk once its folder is.
    SyncPath(QFile::encodeName(QFileInfo(m_sFinal).absolutePath()), O_RDONLY | O_DIRECTORY, nErr);
    return {};
}

void OutputFile::Discard() {
    if (m_file.isOpen())
        m_file.close();
    if (!m_sTemp.isEmpty())
        ::unlink(QFile::encodeName(m_sTemp).constData());
    m_sTemp.clear();
}

QString CannotWrite(const QString& sPath, const QString& sReason) {
    return u"ファイル %1 に書き込めません"_s.arg(sPath) + QChar(13) + sReason;
}

QString SameFileKey(const QString& sPath) {
    if (sPath.isEmpty())
        return {};
    const QFileInfo fi(ResolveLinks(sPath));
    if (fi.exists())
        return fi.canonicalFilePath();
    const QString sDir = QFileInfo(fi.absolutePath()).canonicalFilePath();
    return (sDir.isEmpty() ? fi.absolutePath() : sDir) + u'/' + fi.fileName();
}

} // namespace hoplark
