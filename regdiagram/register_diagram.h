#pragma once

#include "regdiagram/register_recorder.h"

#include <QObject>

namespace voltarix::chart {
class Chart;
}
namespace voltarix::ui {
class ClickRegistry;
class HandlerErrors;
class StatusBar;
} // namespace voltarix::ui

namespace voltarix::regdiagram {

class RegisterPage;
class RegisterScroller;

// Where the register diagram's controls are: the register displays it
// records from, its settings tab, its chart and the status bar.
struct RegisterDiagramControls {
    RegisterDisplays displays;
    RegisterPage& page;
    chart::Chart& chart; // Chart1
    ui::StatusBar& statusBar;
};

// The register diagram: recording, the switches of the tab "Рег. диагр.", the
// page width and scrolling of the register chart.
class RegisterDiagram : public QObject {
    Q_OBJECT
public:
    // Timer5 becomes a child of the window.
    RegisterDiagram(const RegisterDiagramControls& controls, const ui::HandlerErrors& errors,
                    QObject* window);

    // The click operations of the chart's scroll buttons, by button name.
    void registerClicks(ui::ClickRegistry& clicks);
    // What showing the window does: each series shows as its switch says.
    void applySeriesSwitches();

    // See RegisterRecorder::setSynchronousStart.
    void setSynchronousStart(diagram17::SynchronousStart* start);
    // Timer5's interval; the 17-bit diagram's repeat field sets it too.
    void setRepeatInterval(int milliseconds);

    RegisterRecorder& recorder() { return *recorder_; }
    RegisterScroller& scroller() { return *scroller_; }

    void CheckBox1Click();
    void CheckBox2Click();
    void CheckBox3Click();
    void CheckBox5Click();
    void CheckBox26Click();
    void SpinEdit5Change();

private:
    void connectSwitches(const ui::HandlerErrors& errors);

    RegisterPage& page_;
    chart::Chart& chart_;
    RegisterRecorder* recorder_;
    RegisterScroller* scroller_;
};

} // namespace voltarix::regdiagram
