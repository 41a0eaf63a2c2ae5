#pragma once

#include "diagram17/synchronous_start.h"

#include <QObject>

class QCheckBox;
class QRadioButton;
class QWidget;

namespace voltarix::ui {
class ClickRegistry;
class MessageService;
class SpinEdit;
class StatusBar;
} // namespace voltarix::ui

namespace voltarix::diagram17 {

class CaptureLoop;
class CycleCounter;
class GaugeModel;
class MemoryGuard;
class PagingControl;
class ScreenRateDisplay;
struct Diagram17Controls;

// What run control works on besides its controls.
struct RunParts {
    bool& stopFlag;
    CycleCounter& counter;
    GaugeModel& gauge;
    CaptureLoop& loop;
    PagingControl& paging;
    ScreenRateDisplay& display;
    MemoryGuard& memory;
    const ui::ClickRegistry& clicks;
    ui::MessageService& messages;
    QWidget* window;
};

// Starts and stops runs of the capture loop: the start button with its
// density question, Start, the stop action, the cycle limit, the two linked
// count fields and the synchronous start.
class RunControl : public QObject, public SynchronousStart {
    Q_OBJECT
public:
    static const QString questionCaption;
    static const QString memoryShortText;

    RunControl(const RunParts& parts, const Diagram17Controls& controls, QObject* parent);

    void SpeedButton7Click();
    void Start();
    // The stop action.
    void SpeedButton8Click();
    // Runs at every change of the cycle counter.
    void Edit16Change();
    // How many of the next writes of the counter, one more each, the cycle
    // limit check would let pass without doing anything: the capture loop
    // counts that many cycles at once.
    std::int64_t quietCounterWrites() const;
    void SpinEdit2Change();
    void SpinEdit9Change();
    void CheckBox6Click();
    // A click on "Входным имп.", "Контроль. имп" or "Выходным имп.".
    void pulseSourceClick();
    // Memory ran short during a run: stop as the stop action does, and say so.
    void memoryRanShort();

    SynchronousSource selectedSource() const override;
    void requestSynchronousStart() override;

    bool startConfirmed() const { return startConfirmed_; }
    bool presetDone() const { return presetDone_; }
    QString questionText() const;

private:
    void synchronousStartNow();

    RunParts parts_;
    ui::SpinEdit& density_;
    ui::SpinEdit& cyclesToRecord_;
    ui::SpinEdit& synchronousCycles_;
    QCheckBox& unlimited_;
    QRadioButton& input_;
    QRadioButton& control_;
    QRadioButton& output_;
    bool startConfirmed_ = false;
    bool presetDone_ = false;
    bool synchronousStartQueued_ = false;
};

} // namespace voltarix::diagram17
