#pragma once

#include <QObject>

class QAbstractButton;
class QWidget;

namespace voltarix::chart {
class Chart;
}
namespace voltarix::ui {
class ClickRegistry;
}

namespace voltarix::regdiagram {

class View3DPage;
class ViewButtonBar;

// The widgets the views lay out and present.
struct DiagramViewWidgets {
    QWidget& chartPanel;           // Panel4, holding both charts
    QWidget& settingsPanel;        // Panel5, tabs and run tool bars
    chart::Chart& traceChart;      // Chart2, the 17-bit chart
    chart::Chart& registerChart;   // Chart1
    ViewButtonBar& viewButtons;    // SpeedButton10, 11, 12
    QAbstractButton& cyclesButton; // SpeedButton24 "#", on the register chart's tool bar
    View3DPage& page3D;            // the tab "3D"
};

// Which of the two charts shows and how large, the chart panel widened over
// the port panel and back, the register chart's axes, and the 3D presentation
// of both charts. The window keeps a fixed pixel layout: sizes here are the
// design's pixels, whatever the window's size.
class DiagramViews : public QObject {
    Q_OBJECT
public:
    // Gives both charts their design 3D settings, which the tab "3D" shows.
    DiagramViews(const DiagramViewWidgets& widgets, QObject* parent = nullptr);

    // The view buttons (a program click first sets its button down, so that
    // buttons and view agree), "#", and the chart panel's click.
    void registerClicks(ui::ClickRegistry& clicks);

    void SpeedButton10Click(); // register chart only
    void SpeedButton11Click(); // 17-bit chart only
    void SpeedButton12Click(); // both charts
    // Expand / collapse: the chart panel's click, the 17-bit chart's double
    // click and the menu command.
    void Panel4Click();
    void Chart2DblClick() { Panel4Click(); }
    void SpeedButton24Click();

    void CheckBox28Click();
    void TrackBar2Change();
    void TrackBar3Change();
    void TrackBar4Change();
    void SpinEdit8Change();
    void CheckBox29Click();
    void TrackBar6Change();
    void TrackBar7Change();

    // The chart panel is widened over the port panel.
    bool expanded() const;

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectViewControls();
    void connect3DControls();
    void showChartsByButtons(bool bothView);

    DiagramViewWidgets w_;
    bool panelPressed_ = false;
};

} // namespace voltarix::regdiagram
