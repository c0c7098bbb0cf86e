#pragma once

#include "profile/ProfileModel.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace hoplark {

// The profiles shipped in data/paper/ and copied into a new user data folder.
struct StarterProfile {
    QString sName;        // profile and file name
    int nPaper;           // Windows paper code
    int nPaperW, nPaperH; // 0.1 mm, as the page is seen
    bool bLandscape;
    ProfileModel model;
    PageVars page;
};

// Every starter profile, built from the panel defaults with the paper and margins of each.
QList<StarterProfile> StarterProfiles();

// Writes the ".ini", ".ik7" and ".ik7.prnTxt" of every starter profile into sDir (which must
// exist). Empty on success, else the message of the first file that could not be written.
QString WriteStarterProfiles(const QString& sDir);

// Copies the shipped starter profiles into sPaperDir, never replacing a file that is there
// already. Returns the file names copied. sFromDir empty: "paper" in ShareFolder(), the
// copies shipped with the program. pMsg (when given) gets the message of the first file that
// could not be written, or of a shipped folder that is not there.
QStringList SeedStarterProfiles(const QString& sPaperDir, const QString& sFromDir = {},
                                QString* pMsg = nullptr);

// Copies the shipped sample sender (fictional) to sPaperDir + "/差出人.ini" unless a sender
// file is there. Empty on success (or when one is there), else the write's message.
QString SeedSampleSender(const QString& sPaperDir);

// Puts the shipped copy in place of a starter file in sPaperDir that a failed write left
// broken: an empty file, or a ".ini" without its "用紙指定" block. A missing file stays
// missing (the user may have deleted the profile), and a profile of the user's own is never
// broken in this sense. Returns the file names replaced; pMsg as above.
QStringList RepairStarterProfiles(const QString& sPaperDir, const QString& sFromDir = {},
                                  QString* pMsg = nullptr);

} // namespace hoplark
