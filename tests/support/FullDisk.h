#pragma once

#include <QString>

#include <sys/resource.h>

namespace hoplark::test {

// A folder whose file system fills up on demand. A small tmpfs is mounted on it where the
// tests may mount (root with CAP_SYS_ADMIN); elsewhere a file-size limit of the process (and
// of the programs it starts) stands in: once full, no file can grow, as on a full disk.
class FullDisk {
public:
    FullDisk();
    ~FullDisk(); // unmounts, or lifts the limit
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

    QString dir() const { return m_sDir; }
    bool mounted() const { return m_bMounted; }
    // From now on writes in dir() fail for want of space.
    void Fill();

private:
    QString m_sDir;
    bool m_bMounted = false;
    bool m_bLimited = false;
    rlimit m_old{};
};

} // namespace hoplark::test
