#include "ui/spin_edit.h"

#include "ui/integer_text.h"

#include <QLineEdit>

#include <algorithm>
#include <limits>

namespace voltarix::ui {

SpinEdit::SpinEdit(QWidget* parent) : QAbstractSpinBox(parent) {
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    setKeyboardTracking(true);
    connect(lineEdit(), &QLineEdit::textChanged, this, &SpinEdit::readText);
}

// The cached value is brought up to date before anyone hears of the change, so
// a handler reading the field sees the new text's value.
void SpinEdit::readText(const QString& text) {
    value_ = parseInteger(text).value_or(minimum_);
    emit textChanged(text);
}

void SpinEdit::setValue(int value) {
    setText(QString::number(limited(value)));
}

QString SpinEdit::text() const {
    return lineEdit()->text();
}

void SpinEdit::setText(const QString& text) {
    if (lineEdit()->text() != text)
        lineEdit()->setText(text);
}

// The text stays as it is, so nothing is notified; only a text that holds no
// integer reads differently now. A maximum below the minimum is taken as the
// minimum, which leaves no range rather than an impossible one.
void SpinEdit::setRange(int minimum, int maximum) {
    minimum_ = minimum;
    maximum_ = std::max(minimum, maximum);
    value_ = parseInteger(text()).value_or(minimum_);
}

int SpinEdit::limited(int value) const {
    return hasRange() ? std::clamp(value, minimum_, maximum_) : value;
}

void SpinEdit::stepBy(int steps) {
    const long long next =
        static_cast<long long>(value_) + static_cast<long long>(steps) * increment_;
    const long long bounded = std::clamp<long long>(next, std::numeric_limits<int>::min(),
                                                    std::numeric_limits<int>::max());
    setValue(static_cast<int>(bounded));
}

// Every text is accepted while typing; what it reads as is decided at reading.
QValidator::State SpinEdit::validate(QString&, int&) const {
    return QValidator::Acceptable;
}

QAbstractSpinBox::StepEnabled SpinEdit::stepEnabled() const {
    if (!hasRange())
        return StepUpEnabled | StepDownEnabled;
    StepEnabled enabled = StepNone;
    if (value_ < maximum_)
        enabled |= StepUpEnabled;
    if (value_ > minimum_)
        enabled |= StepDownEnabled;
    return enabled;
}

void SpinEdit::focusOutEvent(QFocusEvent* event) {
    if (limited(value_) != value_)
        setValue(value_);
    QAbstractSpinBox::focusOutEvent(event);
}

} // namespace voltarix::ui
