#include "support/FullDisk.h"

#include "support/TestEnv.h"

#include <QFile>

#include <csignal>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

namespace hoplark::test {

FullDisk::FullDisk() : m_sDir(NewTempDir()) {
    m_bMounted = ::mount("tmpfs", QFile::encodeName(m_sDir).constData(), "tmpfs", 0,
                         "size=256k,mode=0755") == 0;
}

FullDisk::~FullDisk() {
    if (m_bLimited) {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, SIG_DFL);
    }
    if (m_bMounted)
        ::umount2(QFile::encodeName(m_sDir).constData(), MNT_DETACH);
}

void FullDisk::Fill() {
    if (m_bMounted) {
        const QByteArray filler = QFile::encodeName(m_sDir + QStringLiteral("/.filler"));
        const int fd = ::open(filler.constData(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        const QByteArray block(4096, 'x');
        while (fd >= 0 && ::write(fd, block.constData(), block.size()) > 0) {
        }
        if (fd >= 0) {
            // The last few bytes of a partly used block.
            while (::write(fd, "x", 1) > 0) {
            }
            ::close(fd);
        }
        return;
    }
    if (m_bLimited)
        return;
    getrlimit(RLIMIT_FSIZE, &m_old);
    rlimit none = m_old;
    none.rlim_cur = 0;
    std::signal(SIGXFSZ, SIG_IGN); // a write that fails rather than a killed process
    m_bLimited = setrlimit(RLIMIT_FSIZE, &none) == 0;
}

} // namespace hoplark::test
