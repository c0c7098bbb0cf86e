#pragma once

#include <QString>
#include <QStringList>

namespace hoplark {

class UserEnv;
class YIni;

// The part of start-up that needs no window, shared by the window program and hoplark-batch.

// The running program's folder, ending in "/".
QString ProgramFolder();

// The user data folder with its subfolders "Data" and "Paper", resolved and created as
// start-up does. sDataDir, when not empty, is the folder a command line asked for: it is used
// as given (made absolute) and created like a missing one, without "UserData.ini". Otherwise
// "UserData.ini" in sProgFld decides. sUsrFld receives the folder, ending in "/". Returns the
// message to show when the folder or a subfolder cannot be created, else the empty string.
// A folder that "UserData.ini" names and that is created here (a first run) receives the
// starter profiles in "Paper".
QString PrepareUserFolder(const QString& sProgFld, const QString& sAppNm, const QString& sDataDir,
                          QString& sUsrFld);

// Sets the program name and the user data folder of ini, prepares the folder and loads
// "User.xml". Returns the message of a folder that cannot be created (start-up then ends).
QString StartUpCore(YIni& ini, const QString& sProgFld, const QString& sAppNm,
                    const QString& sDataDir = {});

// Loads "User.xml" of the user data folder sUsrFld into env. A file that is there but cannot
// be read (not a regular file, too large) is shown, and the values read as their defaults;
// the file is then left as it is at the end.
void ReadUserEnv(UserEnv& env, const QString& sUsrFld);

// The command line as the main window receives it: the arguments joined by blanks, every
// double quote removed.
QString CommandLine(const QStringList& args);

} // namespace hoplark
