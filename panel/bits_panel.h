#pragma once

#include <QFrame>

#include <array>

class QLineEdit;
class QToolButton;
class QWidget;

namespace voltarix::panel {

// The right port panel: the pin strings of the data, control and status
// pins, the two bit keyboards under them, the PIN/BIT switch, and the port
// capability and platform fields.
class BitsPanel : public QFrame {
    Q_OBJECT
public:
    explicit BitsPanel(QWidget* parent = nullptr);

    QLineEdit* Edit11 = nullptr;
    QLineEdit* Edit12 = nullptr;
    QLineEdit* Edit13 = nullptr;
    QLineEdit* Edit14 = nullptr;
    QLineEdit* Edit15 = nullptr;
    QWidget* ToolBar1 = nullptr;
    QWidget* ToolBar2 = nullptr;
    // Button1..Button8 (data bits 7..0), then Button9..Button12 (control).
    std::array<QToolButton*, 8> dataKeys{};
    std::array<QToolButton*, 4> controlKeys{};
    QToolButton* SpeedButton5 = nullptr;

private:
    void buildDataGroup();
    void buildControlGroup();
    void buildInputGroup();
};

} // namespace voltarix::panel
