#include "regdiagram/register_diagram.h"

#include "chart/chart.h"
#include "regdiagram/register_chart.h"
#include "regdiagram/register_page.h"
#include "regdiagram/register_scroller.h"
#include "ui/click_registry.h"
#include "ui/glyph_button.h"
#include "ui/handler_errors.h"
#include "ui/spin_edit.h"

#include <QCheckBox>

namespace voltarix::regdiagram {

RegisterDiagram::RegisterDiagram(const RegisterDiagramControls& controls,
                                 const ui::HandlerErrors& errors, QObject* window)
    : QObject(window), page_(controls.page), chart_(controls.chart),
      recorder_(new RegisterRecorder(controls.displays, controls.page, controls.chart,
                                     controls.statusBar, errors, this)),
      scroller_(new RegisterScroller(controls.page, controls.chart, window, this)) {
    connectSwitches(errors);
    applySeriesSwitches();
}

// A box written by the program runs its handler as a click would.
void RegisterDiagram::connectSwitches(const ui::HandlerErrors& errors) {
    connect(page_.CheckBox1, &QCheckBox::toggled, this, &RegisterDiagram::CheckBox1Click);
    connect(page_.CheckBox2, &QCheckBox::toggled, this, &RegisterDiagram::CheckBox2Click);
    connect(page_.CheckBox3, &QCheckBox::toggled, this, &RegisterDiagram::CheckBox3Click);
    connect(page_.CheckBox5, &QCheckBox::toggled, this, &RegisterDiagram::CheckBox5Click);
    connect(page_.CheckBox26, &QCheckBox::toggled, this, &RegisterDiagram::CheckBox26Click);
    // The chart refuses a page width below zero and a maximum below the
    // minimum with its own error box.
    connect(page_.SpinEdit5, &ui::SpinEdit::textChanged, this,
            errors.guarded([this] { SpinEdit5Change(); }));
}

void RegisterDiagram::registerClicks(ui::ClickRegistry& clicks) {
    RegisterScroller* s = scroller_;
    clicks.add(QStringLiteral("SpeedButton6"), [s] { s->SpeedButton6Click(); });
    clicks.add(QStringLiteral("SpeedButton16"), [s] { s->SpeedButton16Click(); });
    clicks.add(QStringLiteral("SpeedButton22"), [s] { s->SpeedButton22Click(); });
    clicks.add(QStringLiteral("SpeedButton23"), [s] { s->SpeedButton23Click(); });
}

void RegisterDiagram::applySeriesSwitches() {
    CheckBox1Click();
    CheckBox2Click();
    CheckBox3Click();
}

void RegisterDiagram::setSynchronousStart(diagram17::SynchronousStart* start) {
    recorder_->setSynchronousStart(start);
}

void RegisterDiagram::setRepeatInterval(int milliseconds) {
    scroller_->setRepeatInterval(milliseconds);
}

void RegisterDiagram::CheckBox1Click() {
    chart_.model().series(StatusSeries).setActive(page_.CheckBox1->isChecked());
}

void RegisterDiagram::CheckBox2Click() {
    chart_.model().series(ControlSeries).setActive(page_.CheckBox2->isChecked());
}

void RegisterDiagram::CheckBox3Click() {
    chart_.model().series(DataSeries).setActive(page_.CheckBox3->isChecked());
}

void RegisterDiagram::CheckBox5Click() {
    page_.SpeedButton21->setEnabled(!page_.CheckBox5->isChecked());
}

void RegisterDiagram::CheckBox26Click() {
    chart_.bottomAxis().setAutomatic(page_.CheckBox26->isChecked());
}

void RegisterDiagram::SpinEdit5Change() {
    const int cyclesPerPage = page_.SpinEdit5->value();
    chart_.model().setMaxPointsPerPage(cyclesPerPage);
    chart_.bottomAxis().setMaximum(cyclesPerPage);
}

} // namespace voltarix::regdiagram
