#include "diagram17/run_control.h"

#include "diagram17/capture_loop.h"
#include "diagram17/cycle_counter.h"
#include "diagram17/diagram17_controls.h"
#include "diagram17/gauge_model.h"
#include "diagram17/memory_guard.h"
#include "diagram17/paging_control.h"
#include "diagram17/screen_rate_display.h"
#include "ui/click_registry.h"
#include "ui/message_service.h"
#include "ui/spin_edit.h"

#include <QCheckBox>
#include <QRadioButton>

#include <algorithm>
#include <limits>

namespace voltarix::diagram17 {

namespace {

constexpr int presetCycles = 30;
const QString memoryCaption = QStringLiteral("Информация");

} // namespace

const QString RunControl::questionCaption = QStringLiteral("Выбор режима работы 17 bit графика");
const QString RunControl::memoryShortText =
    QStringLiteral("Недостаточно памяти: запись остановлена");

RunControl::RunControl(const RunParts& parts, const Diagram17Controls& controls, QObject* parent)
    : QObject(parent), parts_(parts), density_(*controls.SpinEdit1),
      cyclesToRecord_(*controls.SpinEdit2), synchronousCycles_(*controls.SpinEdit9),
      unlimited_(*controls.CheckBox6), input_(*controls.RadioButton16),
      control_(*controls.RadioButton17), output_(*controls.RadioButton18) {}

// The "o" in "прoцессор" is a Latin letter, as the program has always shown it.
QString RunControl::questionText() const {
    return QStringLiteral("Увеличение плотности графика уменьшает скорость. Не рекомендуется более "
                          "50 циклов на страницу для 100-500 МГц пр") +
           QLatin1Char('o') + QStringLiteral("цессор. Применить значение  =   ") +
           QString::number(density_.value()) + QStringLiteral(" циклов на страницу ?");
}

void RunControl::SpeedButton7Click() {
    if (startConfirmed_)
        Start();
    if (!startConfirmed_) {
        parts_.display.flush();
        if (parts_.messages.askYesNo(parts_.window, questionCaption, questionText())) {
            Start();
            startConfirmed_ = true;
        }
    }
}

void RunControl::Start() {
    parts_.gauge.setMaximum(parts_.counter.value() + cyclesToRecord_.value());
    parts_.gauge.setPosition(0);
    density_.setEnabled(false);
    parts_.paging.startPageTimer();
    parts_.display.flush();
    parts_.loop.DIA();
}

void RunControl::SpeedButton8Click() {
    parts_.stopFlag = true;
    parts_.paging.showPageCount();
    parts_.paging.stopPageTimer();
    parts_.display.flush();
}

void RunControl::Edit16Change() {
    if (unlimited_.isChecked())
        return;
    if (parts_.gauge.maximum() == parts_.gauge.position()) {
        parts_.stopFlag = true;
        parts_.clicks.click(QStringLiteral("SpeedButton8"));
    }
}

// Each write's check compares the gauge's maximum with its position as the
// cycle before left it: the counter then, clamped to the range. The first
// write sees the position as it stands; write j after it sees the counter
// plus j - 1, which reaches the maximum at j = maximum - counter + 1.
std::int64_t RunControl::quietCounterWrites() const {
    if (unlimited_.isChecked())
        return std::numeric_limits<std::int64_t>::max();
    const std::int64_t maximum = parts_.gauge.maximum();
    if (parts_.gauge.position() == maximum)
        return 0;
    const std::int64_t firstActing =
        std::max<std::int64_t>(2, maximum - parts_.counter.value() + 1);
    return firstActing - 1;
}

void RunControl::SpinEdit2Change() {
    // The synchronous cycles field limits the value; when that changes its
    // text, its own handler writes the limited value back here.
    synchronousCycles_.setValue(cyclesToRecord_.value());
    parts_.gauge.setMaximum(parts_.counter.value() + cyclesToRecord_.value());
    parts_.display.flush();
}

void RunControl::SpinEdit9Change() {
    cyclesToRecord_.setValue(synchronousCycles_.value());
}

void RunControl::CheckBox6Click() {
    cyclesToRecord_.setEnabled(!unlimited_.isChecked());
}

void RunControl::pulseSourceClick() {
    if (presetDone_)
        return;
    synchronousCycles_.setValue(presetCycles);
    presetDone_ = true;
}

void RunControl::memoryRanShort() {
    parts_.clicks.click(QStringLiteral("SpeedButton8"));
    parts_.messages.showInformation(parts_.window, memoryCaption, memoryShortText);
}

SynchronousSource RunControl::selectedSource() const {
    if (input_.isChecked())
        return SynchronousSource::Input;
    if (control_.isChecked())
        return SynchronousSource::Control;
    if (output_.isChecked())
        return SynchronousSource::Output;
    return SynchronousSource::Command;
}

// The request comes from a register display's change handler inside the live
// monitor's timer tick. A timer does not tick again while its own handler
// runs, so a run started right there would freeze the monitor for its whole
// length: the start is made from a queued call instead.
void RunControl::requestSynchronousStart() {
    startConfirmed_ = true;
    if (!parts_.stopFlag || synchronousStartQueued_)
        return;
    synchronousStartQueued_ = true;
    QMetaObject::invokeMethod(this, &RunControl::synchronousStartNow, Qt::QueuedConnection);
}

void RunControl::synchronousStartNow() {
    synchronousStartQueued_ = false;
    // A run begun in the meantime, or memory already short (its box has been
    // shown when the last run stopped), leaves the request without effect.
    if (!parts_.stopFlag || parts_.memory.runsShort())
        return;
    parts_.clicks.click(QStringLiteral("SpeedButton7"));
}

} // namespace voltarix::diagram17
