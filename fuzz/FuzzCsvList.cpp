// The address-list loader: a load request "CODES PATH" (or "PATH"), the list read in code
// page 932, converted by the column codes and filled into records and display rows.
// Input: the first line is the column-code string (none when the line is empty or there is
// no line break at all), the rest is the list file.
#include "FuzzSupport.h"

#include "addresslist/AddressList.h"

#include <cstring>

using namespace Qt::StringLiterals;
using namespace hoplark;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto* begin = reinterpret_cast<const char*>(data);
    const auto* nl = static_cast<const char*>(std::memchr(begin, '\n', size));
    QByteArray codes;
    const char* body = begin;
    if (nl) {
        codes = QByteArray(begin, nl - begin);
        if (codes.endsWith('\r'))
            codes.chop(1);
        body = nl + 1;
    }
    const QString path = fuzz::WriteInput(u"list.csv"_s, body, size - (body - begin));
    // Codes come from the command line, so as UTF-8.
    const QString request = codes.isEmpty() ? path : QString::fromUtf8(codes) + u' ' + path;

    AddressList list;
    list.LoadAdrList(request);
    return 0;
}
