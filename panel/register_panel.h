#pragma once

#include <QFrame>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QToolButton;

namespace voltarix::panel {

// The left port panel: the three registers in hex and decimal, the write
// fields and buttons of the control and data registers, and the port
// selector. It only builds and lays out its controls; the live monitor and
// the register writer give them their behaviour.
class RegisterPanel : public QFrame {
    Q_OBJECT
public:
    explicit RegisterPanel(QWidget* parent = nullptr);

    QComboBox* ComboBox1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QLineEdit* Edit4 = nullptr;
    QLineEdit* Edit5 = nullptr;
    QLineEdit* Edit6 = nullptr;
    QLineEdit* Edit7 = nullptr;
    QLineEdit* Edit8 = nullptr;
    QLineEdit* Edit9 = nullptr;
    QLineEdit* Edit10 = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QToolButton* SpeedButton2 = nullptr;
    QToolButton* SpeedButton3 = nullptr;
    QToolButton* SpeedButton4 = nullptr;

private:
    // Where the controls of a register that can be written go: its display in
    // hex and decimal, and a hex and a decimal input with their write buttons.
    struct WritableGroup {
        QLineEdit*& hex;
        QLineEdit*& decimal;
        QLineEdit*& hexInput;
        QToolButton*& hexWrite;
        QLineEdit*& decimalInput;
        QToolButton*& decimalWrite;
    };

    void buildStatusGroup();
    QGroupBox* makeRegisterGroup(const QString& caption, int top, int height);
    // Names the controls Edit<firstField>.. and SpeedButton<firstButton>..
    void buildWritableGroup(const QString& caption, int top, int firstField, int firstButton,
                            const WritableGroup& g);
};

} // namespace voltarix::panel
