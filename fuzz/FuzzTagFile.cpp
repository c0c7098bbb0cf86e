// A profile's ".ini" tag file read as the window loads a profile: AtIni reads the file, the
// blocks "用紙指定", "配置横", "配置縦" and "書式設定" are read into the model (numbers, combo
// choices, check values, font specs), then the model is written back as the save would.
// Input: the ".ini" file.
#include "FuzzSupport.h"

#include "imaging/TraceImaging.h"
#include "profile/PageFile.h"
#include "tagfile/AtIni.h"

using namespace Qt::StringLiterals;
using namespace hoplark;

namespace {

// Any valid printer settings: the profile load only needs the ".ik7" to be there.
const char kIk7[] = "HOPLARK-IK7 1\nprinter=\noutput=\npaper=43\nwidth=1000\nheight=1480\n"
                    "orientation=1\nmarginLeft=0\nmarginTop=0\nmarginRight=0\nmarginBottom=0\n"
                    "end\n";

// The name in the first "<...>" of a text, so the input can name a block or tag of its own.
QString FirstName(const QString& text) {
    const qsizetype open = text.indexOf(u'<');
    const qsizetype close = open < 0 ? -1 : text.indexOf(u'>', open + 1);
    return close < 0 ? QString() : text.sliced(open + 1, close - open - 1);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::WriteInput(u"Paper/P.ik7"_s, kIk7, sizeof kIk7 - 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::WriteInput(u"Paper/P.ini"_s, data, size);

    ProfileModel model;
    PageVars page;
    TraceImaging ik;
    bool bBusy = false;
    PageFile file(model, page, ik, fuzz::Folder(), bBusy);
    file.LoadPage(u"P"_s);
    file.BuildPage();

    // The other kinds of tag value, on a block and a tag the file names itself.
    AtIni ini;
    ini.InTxt(file.oPage().InTxt());
    QString block;
    ini.GetBlk(FirstName(ini.InTxt()), &block);
    const QString tag = FirstName(block);
    TagValue text = QString(), number = 0.0, date = TagDate();
    ini.GetTag(tag, text);
    ini.GetTag(tag, number);
    ini.GetTag(tag, date);
    return 0;
}
