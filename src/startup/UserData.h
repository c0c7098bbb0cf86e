#pragma once

#include <QString>
#include <QStringList>

namespace hoplark {

// The user data folder: where "UserData.ini" beside the program says the user's files live.
// Paths use "/" and every folder path handed out ends in "/".

// Special folders by their Windows numbers: 26 the application data folder (XDG data home),
// 5 the documents folder. Without a trailing "/"; empty for any other number or when the
// system names none.
QString FsGtSpFld(int nFlg);

// Creates every missing folder along the absolute path sFd, from the root down. A level that
// cannot be created is passed over. Returns the folders created, in the order of creation.
QStringList F_CreateFld(const QString& sFd);

// Creates the folder sPh + name for each name of Ary that is missing (one level; sPh ends in
// "/" and exists). Returns a message naming the first folder that could not be created, or
// the empty string.
QString F_ChkSb(const QString& sPh, const QStringList& Ary);

// The per-user program path record (organisation "MarbrookTools", group "Path", key sAppNm):
// written when it does not hold sProgFld + sAppNm already.
void RecordProgramPath(const QString& sProgFld, const QString& sAppNm);
QString ProgramPathRecord(const QString& sAppNm);

// The default user data folder: application data + "/Marbrook/" + sAppNm + "/".
QString DefaultUserFolder(const QString& sAppNm);

// The folder setting of the whole system: "hoplark/UserData.ini" in the configuration folder
// of the installation (/etc for a program installed in /usr).
QString SystemUserDataIni();

// Resolves the user data folder from "UserData.ini" in sProgFld (which ends in "/"), or from
// sSysIni when there is none beside the program, shows the message of a missing, empty or
// unusable folder setting, records the program path and creates the folder when it is
// missing. Neither file is no fault for an installed program (ShareFolder(sProgFld) exists):
// it uses the default folder without a word. Returns the folder, ending in "/".
// pbCreated, when given, tells whether the folder was created here (a first run).
QString W_UserData(const QString& sProgFld, const QString& sAppNm, bool* pbCreated = nullptr,
                   const QString& sSysIni = SystemUserDataIni());

} // namespace hoplark
