#pragma once

#include <QObject>

class QLineEdit;
class QProgressBar;
class QTimer;

namespace voltarix::diagram17 {

class CycleCounter;
class GaugeModel;

// Shows the cycle counter in Edit16 and the gauge in Gauge1. While a run
// lasts they change every cycle, hundreds of thousands of times a second;
// repainting a field that often would cost more than the whole cycle. They
// are refreshed once per screen frame instead, at once whenever the program
// stops or asks something (flush), and before a mouse press or key press of
// the user is handled, so that what the user acts on is exact.
class ScreenRateDisplay : public QObject {
    Q_OBJECT
public:
    static constexpr int kIntervalMs = 16;

    ScreenRateDisplay(const CycleCounter& counter, const GaugeModel& gauge, QLineEdit& counterField,
                      QProgressBar& gaugeBar, QObject* parent);

    // Runs nest; the refresh goes on until the outermost one ends.
    void runBegins();
    void runEnds();
    void flush();

    bool runActive() const { return runs_ > 0; }

signals:
    // After every refresh: what else shows the run's progress refreshes too.
    void refreshed();
    // The outermost run began, or ended (before the refresh that follows it).
    void runsBegan();
    void runsEnded();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const CycleCounter& counter_;
    const GaugeModel& gauge_;
    QLineEdit& counterField_;
    QProgressBar& gaugeBar_;
    QTimer* timer_;
    int runs_ = 0;
};

} // namespace voltarix::diagram17
