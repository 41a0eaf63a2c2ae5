#include "diagram17/label_clock.h"

#include "diagram17/diagram17_controls.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>

namespace voltarix::diagram17 {

LabelClock::LabelClock(const Diagram17Controls& controls, QObject* parent)
    : QObject(parent), cycles_(*controls.RadioButton11), hoursMinutes_(*controls.RadioButton15),
      hoursMinutesSeconds_(*controls.RadioButton13), date_(*controls.RadioButton14),
      preview_(*controls.Edit20), clock_(*controls.Timer6) {
    connect(&clock_, &QTimer::timeout, this, &LabelClock::Timer6Timer);
    // The clock runs from the start until "Циклы" is clicked.
    clock_.start();
}

bool LabelClock::cyclesSelected() const {
    return cycles_.isChecked();
}

QString LabelClock::previewText() const {
    return preview_.text();
}

void LabelClock::RadioButton11Click() {
    if (cycles_.isChecked())
        preview_.setText(cyclesPreview);
    clock_.stop();
}

void LabelClock::timeFormatClick() {
    if (!clock_.isActive())
        clock_.start();
}

void LabelClock::Timer6Timer() {
    const QString text = formatted(selectedFormat(), QDateTime::currentDateTime());
    if (preview_.text() != text)
        preview_.setText(text);
}

LabelClock::Format LabelClock::selectedFormat() const {
    if (hoursMinutesSeconds_.isChecked())
        return Format::HoursMinutesSeconds;
    if (hoursMinutes_.isChecked())
        return Format::HoursMinutes;
    if (date_.isChecked())
        return Format::Date;
    return Format::Cycles;
}

QString LabelClock::formatted(Format format, const QDateTime& at) {
    switch (format) {
    case Format::HoursMinutesSeconds:
        return at.toString(QStringLiteral("hh:mm:ss"));
    case Format::HoursMinutes:
        return at.toString(QStringLiteral("hh : mm "));
    case Format::Date:
        return at.toString(QStringLiteral("dd.MM.yy"));
    case Format::Cycles:
        break;
    }
    return cyclesPreview;
}

} // namespace voltarix::diagram17
