#include "diagram17/paging_control.h"

#include "chart/chart.h"
#include "diagram17/cycle_counter.h"
#include "diagram17/diagram17_controls.h"
#include "diagram17/page_count.h"
#include "diagram17/scroll_control.h"
#include "ui/spin_edit.h"
#include "ui/status_bar.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QLineEdit>
#include <QTimer>
#include <QToolButton>

namespace voltarix::diagram17 {

namespace {

constexpr int pageCountPanel = 2;

} // namespace

PagingControl::PagingControl(const Diagram17Controls& controls, const CycleCounter& counter,
                             ui::StatusBar& statusBar, ScrollControl& scroll, QWidget* window,
                             QObject* parent)
    : QObject(parent), chart_(*controls.Chart2), counter_(counter), statusBar_(statusBar),
      scroll_(scroll), density_(*controls.SpinEdit1), autoCompress_(*controls.CheckBox4),
      repeatInterval_(*controls.SpinEdit4), forward_(*controls.SpeedButton9),
      back_(*controls.SpeedButton13), pageTimer_(*controls.Timer4), pageNumber_(*controls.Edit18),
      beepBox_(*controls.CheckBox7), verticalPanning_(*controls.CheckBox30),
      chooseColour_([window](const QColor& current) -> std::optional<QColor> {
          const QColor chosen = QColorDialog::getColor(current, window);
          return chosen.isValid() ? std::optional(chosen) : std::nullopt;
      }),
      beep_([] { QApplication::beep(); }) {
    connect(&pageTimer_, &QTimer::timeout, this, &PagingControl::Timer4Timer);
}

int PagingControl::cyclesPerPage() const {
    return density_.value();
}

void PagingControl::SpinEdit1Change() {
    chart_.model().setMaxPointsPerPage(cyclesPerPage());
}

// The choice can be made once: both controls stay disabled afterwards.
void PagingControl::CheckBox4Click() {
    const bool compress = autoCompress_.isChecked();
    chart_.bottomAxis().setAutomatic(compress);
    density_.setEnabled(false);
    autoCompress_.setEnabled(false);
    chart_.model().setMaxPointsPerPage(compress ? 0 : cyclesPerPage());
}

void PagingControl::SpeedButton18Click() {
    if (forward_.isEnabled())
        chart_.bottomAxis().scroll(cyclesPerPage());
}

void PagingControl::SpeedButton19Click() {
    if (back_.isEnabled())
        chart_.bottomAxis().scroll(-cyclesPerPage());
}

void PagingControl::SpinEdit4Change() {
    const int interval = repeatInterval_.value();
    scroll_.setRepeatInterval(interval);
    if (repeatFollower_)
        repeatFollower_(interval);
}

void PagingControl::Timer4Timer() {
    const std::int64_t pages = completedPages(counter_.value(), cyclesPerPage());
    statusBar_.setPanelText(pageCountPanel, pageCountText(pages));
    const QString number = QString::number(pages);
    if (pageNumber_.text() != number)
        pageNumber_.setText(number);
}

void PagingControl::Edit18Change() {
    if (beepBox_.isChecked())
        beep_();
}

void PagingControl::SpeedButton17Click() {
    chart_.model().setAxisVisible(!chart_.model().axisVisible());
}

void PagingControl::CheckBox30Click() {
    const chart::Panning panning =
        verticalPanning_.isChecked() ? chart::Panning::Both : chart::Panning::Horizontal;
    chart_.model().setAllowPanning(panning);
    if (panningFollower_)
        panningFollower_(panning);
}

void PagingControl::SpeedButton31Click() {
    if (const auto colour = chooseColour_(chart_.model().frameColour()))
        chart_.model().setFrameColour(*colour);
}

void PagingControl::startPageTimer() {
    pageTimer_.start();
}

void PagingControl::stopPageTimer() {
    pageTimer_.stop();
}

void PagingControl::showPageCount() {
    statusBar_.setPanelText(pageCountPanel,
                            pageCountText(completedPages(counter_.value(), cyclesPerPage())));
}

void PagingControl::setRepeatIntervalFollower(std::function<void(int)> follower) {
    repeatFollower_ = std::move(follower);
}

void PagingControl::setPanningFollower(std::function<void(chart::Panning)> follower) {
    panningFollower_ = std::move(follower);
}

} // namespace voltarix::diagram17
