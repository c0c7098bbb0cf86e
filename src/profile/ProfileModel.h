#pragma once

#include <QString>
#include <QStringList>

#include <array>

namespace hoplark {

// The system colour the font labels start with (button text), as a Windows colour value
// with the high bit set; written to profiles as a negative number.
inline constexpr int kSysButtonText = static_cast<int>(0x80000012u);

// The value of a combo box: its text and its list index (-1 when the text is typed).
struct ComboValue {
    QString text;
    int index = -1;
    bool operator==(const ComboValue&) const = default;
};

// The style of one font label.
struct FontSpec {
    QString name;
    double size = 9.0; // points, as the label holds it (14.25)
    int color = kSysButtonText;
    bool bold = false;
    bool italic = false;
    bool strike = false;
    bool underline = false;
    bool operator==(const FontSpec&) const = default;
};

// Every layout value of a profile, named after the settings-panel control that shows it.
// The panel edits this; loading, saving, layout and composition read and write it.
struct ProfileModel {
    // Paper and general.
    std::array<bool, 2> opMjhk{true, false}; // 横書き / 縦書き
    int chOvrRw = 0;                         // 住所・名前の行追加
    // Option buttons: 0 "宛名1.2.3と区切られている", 1 "空白文字の仕切で再配置" (line breaking);
    // 3 "省略は無し", 4 "都道府県･市区郡は省略", 5 "都道府県名は省略" (omission). 2 is unused.
    std::array<bool, 6> OptAdd{false, true, false, false, false, true};
    std::array<bool, 6> OptAddEnabled{false, false, false, true, true, true};
    int ckSashi = 1;
    std::array<ComboValue, 3> cbMxRw{
        {{QStringLiteral("4行"), -1}, {QStringLiteral("3行"), -1}, {QStringLiteral("3行"), -1}}};
    // 印刷位置の補正: across (+ right) and down (+ down), whole 0.1 mm within ±100, added to
    // every printed position (never to the preview).
    std::array<int, 2> udAdj{0, 0};

    // Horizontal margins (mm) and spacings (lines).
    std::array<QString, 8> txYhk{QStringLiteral("30"), QStringLiteral("30"), QStringLiteral("10"),
                                 QStringLiteral("40"), QStringLiteral("10"), QStringLiteral("20"),
                                 QStringLiteral("10"), QStringLiteral("10")};
    std::array<ComboValue, 4> cbRwPt{{{QStringLiteral("0.50行"), -1},
                                      {QStringLiteral("0.75行"), -1},
                                      {QStringLiteral("0.50行"), -1},
                                      {QStringLiteral("0.50行"), -1}}};
    // Vertical margins and spacings.
    std::array<QString, 8> txYhkB{QStringLiteral("10"), QStringLiteral("30"), QStringLiteral("10"),
                                  QStringLiteral("50"), QStringLiteral("20"), QStringLiteral("50"),
                                  QStringLiteral("10"), QStringLiteral("10")};
    std::array<ComboValue, 4> cbRwPtB{{{QStringLiteral("0.50行"), -1},
                                       {QStringLiteral("0.75行"), -1},
                                       {QStringLiteral("0.50行"), -1},
                                       {QStringLiteral("0.50行"), -1}}};

    // Fonts: 0 recipient postal code, 1 address, 2 title, 3 name, 4 sender postal code,
    // 5 sender address and name.
    std::array<FontSpec, 6> lbAdd{FontSpec{QStringLiteral("ＭＳ Ｐゴシック"), 14.25},
                                  FontSpec{QStringLiteral("ＭＳ Ｐゴシック"), 12},
                                  FontSpec{QStringLiteral("ＭＳ Ｐゴシック"), 9.75},
                                  FontSpec{QStringLiteral("ＭＳ Ｐゴシック"), 14.25},
                                  FontSpec{QStringLiteral("ＭＳ Ｐゴシック"), 9},
                                  FontSpec{QStringLiteral("ＭＳ Ｐゴシック"), 9}};
    std::array<int, 2> ckWaku{0, 0};  // 枠の印刷: recipient, sender
    std::array<int, 2> ckCnter{0, 0}; // 名前の中央合わせ: recipient, sender
    QString txSama = QStringLiteral("様");

    bool operator==(const ProfileModel&) const = default;

    // The fixed list entries of the combo boxes.
    static const QStringList& MxRwList(int i);  // cbMxRw(i)
    static const QStringList& RwPtList(int i);  // cbRwPt(i)
    static const QStringList& RwPtBList(int i); // cbRwPtB(i)
};

// The window variables of the loaded profile.
struct PageVars {
    QString sPage;  // name of the current profile ("Wrk" while printer set-up's copy is current)
    QString sIk7;   // full path of its ".ik7"
    QString sPaper; // paper name
    int nPaper = 0; // Windows paper code
    int nPaperW = 0, nPaperH = 0; // 0.1 mm
    bool bLandscape = false;
    bool bEnvelope = false;
    bool bVertical = false;
    bool bSender = true;
    bool bExtraOk = false;
};

} // namespace hoplark
