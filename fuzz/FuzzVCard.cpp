// The vCard reader: a file read as a list (detected by its BEGIN:VCARD), turned into CSV,
// its columns matched by the header and the records filled.
#include "FuzzSupport.h"

#include "addresslist/AddressList.h"
#include "addresslist/ListColumns.h"

using namespace Qt::StringLiterals;
using namespace hoplark;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Every input is taken for a vCard, so that the fuzzer needs not find the opening first.
    QByteArray bytes("BEGIN:VCARD\r\n");
    bytes.append(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString path = fuzz::WriteInput(u"list.vcf"_s, bytes.constData(), bytes.size());
    QString text, sWhy;
    if (!ReadListFile(path, ListEncoding::Auto, text, sWhy))
        return 0;
    AddressList list;
    if (const auto cols = MatchHeader(ListHeader(text)))
        list.LoadListText(LoadRequest{true, cols->sCodes, path}, text, cols->map);
    return 0;
}
