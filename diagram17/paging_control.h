#pragma once

#include <QColor>
#include <QObject>

#include <functional>
#include <optional>

class QCheckBox;
class QLineEdit;
class QTimer;
class QToolButton;

namespace voltarix::chart {
class Chart;
enum class Panning;
} // namespace voltarix::chart
namespace voltarix::ui {
class SpinEdit;
class StatusBar;
} // namespace voltarix::ui

namespace voltarix::diagram17 {

class CycleCounter;
class ScrollControl;
struct Diagram17Controls;

// Page density and compression, page jumps, the page counter Timer4 with its
// page number field Edit18 and new-page beep, the axes button, vertical
// panning and the chart's frame colour.
class PagingControl : public QObject {
    Q_OBJECT
public:
    using ColourChooser = std::function<std::optional<QColor>(const QColor& current)>;
    using Beeper = std::function<void()>;

    PagingControl(const Diagram17Controls& controls, const CycleCounter& counter,
                  ui::StatusBar& statusBar, ScrollControl& scroll, QWidget* window,
                  QObject* parent);

    void SpinEdit1Change();
    void CheckBox4Click();
    void SpeedButton18Click();
    void SpeedButton19Click();
    void SpinEdit4Change();
    void Timer4Timer();
    void Edit18Change();
    void SpeedButton17Click();
    void CheckBox30Click();
    void SpeedButton31Click();

    void startPageTimer();
    void stopPageTimer();
    // Writes "Страниц: " and the completed pages into the status bar.
    void showPageCount();

    // The register chart's repeat timer (Timer5) follows the repeat interval
    // field too; its owner hands over how to set it.
    void setRepeatIntervalFollower(std::function<void(int milliseconds)> follower);
    // The register chart takes the panning setting of "Верт. пр." too.
    void setPanningFollower(std::function<void(chart::Panning)> follower);
    // Test seams for the system's colour dialog and beep.
    void setColourChooser(ColourChooser chooser) { chooseColour_ = std::move(chooser); }
    void setBeeper(Beeper beeper) { beep_ = std::move(beeper); }

private:
    int cyclesPerPage() const;

    chart::Chart& chart_;
    const CycleCounter& counter_;
    ui::StatusBar& statusBar_;
    ScrollControl& scroll_;
    ui::SpinEdit& density_;
    QCheckBox& autoCompress_;
    ui::SpinEdit& repeatInterval_;
    QToolButton& forward_;
    QToolButton& back_;
    QTimer& pageTimer_;
    QLineEdit& pageNumber_;
    QCheckBox& beepBox_;
    QCheckBox& verticalPanning_;
    std::function<void(int)> repeatFollower_;
    std::function<void(chart::Panning)> panningFollower_;
    ColourChooser chooseColour_;
    Beeper beep_;
};

} // namespace voltarix::diagram17
