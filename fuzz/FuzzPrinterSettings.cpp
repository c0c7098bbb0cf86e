// The printer settings file ".ik7": read and parsed; settings that were read must read back
// the same from the text a save writes.
// Input: the file.
#include "FuzzSupport.h"

#include "imaging/PrinterSettings.h"

using namespace Qt::StringLiterals;
using namespace hoplark;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path = fuzz::WriteInput(u"P.ik7"_s, data, size);
    const std::optional<PrinterSettings> s = PrinterSettings::Read(path);
    if (!s)
        return 0;
    s->ReadableText();
    // A name with a line break cannot be saved (Write refuses it); everything else must
    // survive a save, or a profile's printer would change by saving it. Write puts Text()
    // into the file as UTF-8 and Read parses the file's text.
    for (const QString& v : {s->printerName, s->outputFile})
        if (v.contains(u'\n') || v.contains(u'\r'))
            return 0;
    if (PrinterSettings::Parse(s->Text()) != s)
        std::abort();
    return 0;
}
