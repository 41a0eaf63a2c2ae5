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
    connect(lineEdit(), &QLineEdit::textChanged, this, &SpinEdit::textChanged);
}

int SpinEdit::value() const {
    return parseInteger(lineEdit()->text()).value_or(minValue_);
}

void SpinEdit::setValue(int value) {
    setText(QString::number(value));
}

QString SpinEdit::text() const {
    return lineEdit()->text();
}

void SpinEdit::setText(const QString& text) {
    if (lineEdit()->text() != text)
        lineEdit()->setText(text);
}

void SpinEdit::setRange(int minimum, int maximum) {
    minValue_ = minimum;
    maxValue_ = maximum;
}

int SpinEdit::clamped(int value) const {
    return hasRange() ? std::clamp(value, minValue_, maxValue_) : value;
}

void SpinEdit::stepBy(int steps) {
    const long long next =
        static_cast<long long>(value()) + static_cast<long long>(steps) * increment_;
    const long long limited = std::clamp<long long>(next, std::numeric_limits<int>::min(),
                                                    std::numeric_limits<int>::max());
    setValue(clamped(static_cast<int>(limited)));
}

// Every text is accepted while typing; what it reads as is decided at reading.
QValidator::State SpinEdit::validate(QString&, int&) const {
    return QValidator::Acceptable;
}

QAbstractSpinBox::StepEnabled SpinEdit::stepEnabled() const {
    if (!hasRange())
        return StepUpEnabled | StepDownEnabled;
    StepEnabled enabled = StepNone;
    if (value() < maxValue_)
        enabled |= StepUpEnabled;
    if (value() > minValue_)
        enabled |= StepDownEnabled;
    return enabled;
}

void SpinEdit::focusOutEvent(QFocusEvent* event) {
    if (hasRange() && value() != clamped(value()))
        setValue(clamped(value()));
    QAbstractSpinBox::focusOutEvent(event);
}

} // namespace voltarix::ui
