#pragma once

#include <QAbstractSpinBox>

namespace voltarix::ui {

// A spin field as the window's controls behave: its value is the integer in its
// text at the moment of reading, and a text that is no integer reads as the
// minimum. Any text may be typed; the range is applied when the field loses the
// focus, by the arrows and by setValue. A range whose minimum equals its maximum
// is no range. textChanged fires once per real change of the text, typed or set.
class SpinEdit : public QAbstractSpinBox {
    Q_OBJECT
public:
    explicit SpinEdit(QWidget* parent = nullptr);

    // Cheap: loops read it every cycle, so the text is parsed once per change.
    int value() const { return value_; }
    // Writes the value, limited to the range, as decimal text.
    void setValue(int value);
    QString text() const;
    void setText(const QString& text);

    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }
    void setRange(int minimum, int maximum);
    bool hasRange() const { return minimum_ != maximum_; }
    void setIncrement(int increment) { increment_ = increment; }

    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& pos) const override;

signals:
    void textChanged(const QString& text);

protected:
    StepEnabled stepEnabled() const override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void readText(const QString& text);
    int limited(int value) const;

    int minimum_ = 0;
    int maximum_ = 0;
    int increment_ = 1;
    int value_ = 0;
};

} // namespace voltarix::ui
