// The sender file "Paper/差出人.ini": read in code page 932, split into senders, one shown
// in the nine sender fields (the first, and one far past the last), and the text turned into
// the sender window's edit form and back.
// Input: the file.
#include "FuzzSupport.h"

#include "platform/Cp932.h"
#include "sender/Sasi.h"

using namespace Qt::StringLiterals;
using namespace hoplark;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::WriteInput(u"Paper/差出人.ini"_s, data, size);
    for (qint16 n : {qint16(0), qint16(32767)})
        ShowSasi(fuzz::Folder(), n);
    // The window's edit form of the same text, without reading the file again.
    SasiFileText(SasiEditText(DecodeCp932(
        QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)))));
    return 0;
}
