#pragma once

#include <QWidget>

#include <array>

class QGroupBox;
class QRadioButton;
class QVBoxLayout;

namespace hoplark {

// The page "宛名" (FramePg(2)): prefecture/city omission, the address line-breaking method,
// and room for the address list below them.
class PageAddress : public QWidget {
    Q_OBJECT
public:
    explicit PageAddress(QWidget* parent = nullptr);

    // OptAdd(0) "宛名1.2.3と区切られている", OptAdd(1) "空白文字の仕切で再配置",
    // OptAdd(3) "省略は無し", OptAdd(4) "都道府県･市区郡は省略", OptAdd(5) "都道府県名は省略";
    // OptAdd(2) does not exist.
    std::array<QRadioButton*, 6> OptAdd{};
    QGroupBox* frameOmit;
    QGroupBox* frameBreak;
    // Where the window may put the address list; empty and stretching otherwise.
    QVBoxLayout* listHost;
};

} // namespace hoplark
