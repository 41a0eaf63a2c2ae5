#pragma once

#include <QAbstractSpinBox>

namespace voltarix::ui {

// A spin field as the window's controls behave: its value is the integer in its
// text at the moment of reading, and a text that is no integer reads as the
// minimum. Any text may be typed; the range is applied when the field loses the
// focus, and by the arrows. A range whose minimum equals its maximum is no range.
// textChanged fires once per real change of the text, typed or set.
class SpinEdit : public QAbstractSpinBox {
    Q_OBJECT
public:
    explicit SpinEdit(QWidget* parent = nullptr);

    int value() const;
    void setValue(int value);
    QString text() const;
    void setText(const QString& text);

    int minValue() const { return minValue_; }
    int maxValue() const { return maxValue_; }
    void setRange(int minimum, int maximum);
    void setIncrement(int increment) { increment_ = increment; }

    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& pos) const override;

signals:
    void textChanged(const QString& text);

protected:
    StepEnabled stepEnabled() const override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool hasRange() const { return minValue_ != maxValue_; }
    int clamped(int value) const;

    int minValue_ = 0;
    int maxValue_ = 0;
    int increment_ = 1;
};

} // namespace voltarix::ui
