#pragma once

#include <QWidget>

#include <array>
#include <vector>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace hoplark {

class FontLabel;

// The page "宛先・差出" (FramePg(1)): common font and colour, the sender's data with its
// selector, and the formats of the sender and of the recipient.
class PageFormats : public QWidget {
    Q_OBJECT
public:
    explicit PageFormats(QWidget* parent = nullptr);

    QPushButton* cmFont;
    QPushButton* cmColor;
    QGroupBox* frameSenderData;       // "差出人のﾃﾞ-ﾀ-"
    std::array<QLineEdit*, 9> txAdd{}; // 0 postal code, 1-4 address, 5-7 workplace, 8 name
    QScrollBar* hsBar;                 // sender selector
    std::array<QPushButton*, 2> cmSasi{}; // 再表示, 編集
    QGroupBox* frameSender;            // "差出人"
    QGroupBox* frameRecipient;         // "宛先"
    std::array<QCheckBox*, 2> ckWaku{};   // recipient, sender
    std::array<QCheckBox*, 2> ckCnter{};  // recipient, sender
    QLineEdit* txSama;
    std::array<FontLabel*, 6> lbAdd{};
    // The six labels of the two sender frames, greyed with the sender switch:
    // "勤務先", "〒", "住所", "名前" of the data, "住所名前" and "〒" of the format.
    std::array<QLabel*, 6> lbSenderCaptions{};
};

} // namespace hoplark
