#include "diagram17/display_modes.h"

#include "chart/chart_model.h"
#include "diagram17/diagram17_controls.h"
#include "diagram17/trace_layout.h"

#include <QCheckBox>
#include <QRadioButton>

namespace voltarix::diagram17 {

DisplayModes::DisplayModes(const Diagram17Controls& controls, chart::ChartModel& chart2,
                           QObject* parent)
    : QObject(parent), chart_(chart2), normal_(*controls.RadioButton4),
      fast_(*controls.RadioButton5), oneTrace_(*controls.RadioButton6),
      boxes_(controls.visibilityBoxes), firstTrace_(chart2.seriesCount() - traceCount) {
    connect(&normal_, &QRadioButton::clicked, this, &DisplayModes::RadioButton4Click);
    connect(&fast_, &QRadioButton::clicked, this, &DisplayModes::RadioButton5Click);
    connect(&oneTrace_, &QRadioButton::clicked, this, &DisplayModes::RadioButton6Click);
    for (int k = 0; k < traceCount; ++k) {
        connect(boxes_[static_cast<std::size_t>(k)], &QCheckBox::clicked, this,
                [this, k] { visibilityBoxClick(k); });
    }
}

void DisplayModes::setTraceActive(int trace, bool active) {
    chart_.series(firstTrace_ + trace).setActive(active);
}

void DisplayModes::RadioButton4Click() {
    if (!normal_.isChecked())
        return;
    for (int k = 0; k < traceCount; ++k)
        setTraceActive(k, boxes_[static_cast<std::size_t>(k)]->isChecked());
}

void DisplayModes::RadioButton5Click() {
    if (!fast_.isChecked())
        return;
    for (int k = 0; k < traceCount; ++k)
        setTraceActive(k, false);
}

void DisplayModes::RadioButton6Click() {
    if (!oneTrace_.isChecked())
        return;
    for (int k = 0; k < traceCount; ++k)
        setTraceActive(k, k == 0);
}

void DisplayModes::visibilityBoxClick(int trace) {
    setTraceActive(trace, boxes_[static_cast<std::size_t>(trace)]->isChecked());
}

} // namespace voltarix::diagram17
