#pragma once

#include <QString>

namespace hoplark {

// The folder of the files the program ships (starter profiles, sample files, help page):
// share/hoplark beside the program's bin/, in the build tree and an installed tree alike, so a
// staged or moved installation finds its own. sProgFld is a program folder; empty stands for
// the running program's. The path is cleaned and ends in "/".
QString ShareFolder(const QString& sProgFld = {});

} // namespace hoplark
