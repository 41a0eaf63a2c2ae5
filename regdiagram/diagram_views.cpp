#include "regdiagram/diagram_views.h"

#include "chart/chart.h"
#include "regdiagram/chart_3d_design.h"
#include "regdiagram/view3d_page.h"
#include "regdiagram/view_buttons.h"
#include "ui/click_registry.h"
#include "ui/spin_edit.h"

#include <QCheckBox>
#include <QLabel>
#include <QMouseEvent>
#include <QSlider>
#include <QToolButton>

namespace voltarix::regdiagram {

namespace {

// The design's pixels.
constexpr int normalPanelLeft = 338;
constexpr int normalPanelWidth = 453;
constexpr int normalTraceWidth = 439;
constexpr int normalRegisterWidth = 434;
constexpr int expandedPanelLeft = 6;
constexpr int expandedPanelWidth = 785;
constexpr int expandedTraceWidth = 772;
constexpr int expandedRegisterWidth = 770;
constexpr int registerOnlyTop = 15;
constexpr int registerOnlyHeight = 480;
constexpr int traceOnlyHeight = 486;
constexpr int bothTraceHeight = 398;
constexpr int bothRegisterTop = 406;
constexpr int bothRegisterHeight = 89;

void setTopAndHeight(QWidget& widget, int top, int height) {
    widget.setGeometry(widget.x(), top, widget.width(), height);
}

void setHeight(QWidget& widget, int height) {
    widget.resize(widget.width(), height);
}

void setWidth(QWidget& widget, int width) {
    widget.resize(width, widget.height());
}

void changeOptions(chart::Chart& chart, const std::function<void(chart::View3DOptions&)>& change) {
    chart::View3DOptions options = chart.model().view3DOptions();
    change(options);
    chart.model().setView3DOptions(options);
}

} // namespace

DiagramViews::DiagramViews(const DiagramViewWidgets& widgets, QObject* parent)
    : QObject(parent), w_(widgets) {
    // Widened, the chart panel covers the port panel, which must not show through.
    w_.chartPanel.setAutoFillBackground(true);
    // Only the panel's own surface is clicked to expand; the charts keep the usual pointer.
    w_.traceChart.setCursor(Qt::ArrowCursor);
    w_.registerChart.setCursor(Qt::ArrowCursor);
    traceChart3DDesign().applyTo(w_.traceChart.model());
    registerChart3DDesign().applyTo(w_.registerChart.model());
    connectViewControls();
    connect3DControls();
}

void DiagramViews::connectViewControls() {
    ViewButtonBar& b = w_.viewButtons;
    connect(b.SpeedButton10, &QToolButton::clicked, this, &DiagramViews::SpeedButton10Click);
    connect(b.SpeedButton11, &QToolButton::clicked, this, &DiagramViews::SpeedButton11Click);
    connect(b.SpeedButton12, &QToolButton::clicked, this, &DiagramViews::SpeedButton12Click);
    connect(&w_.cyclesButton, &QAbstractButton::clicked, this, &DiagramViews::SpeedButton24Click);
    connect(&w_.traceChart, &chart::Chart::doubleClicked, this, &DiagramViews::Chart2DblClick);
    w_.chartPanel.installEventFilter(this);
}

void DiagramViews::connect3DControls() {
    View3DPage& p = w_.page3D;
    connect(p.CheckBox28, &QCheckBox::toggled, this, &DiagramViews::CheckBox28Click);
    connect(p.TrackBar2, &QSlider::valueChanged, this, &DiagramViews::TrackBar2Change);
    connect(p.TrackBar3, &QSlider::valueChanged, this, &DiagramViews::TrackBar3Change);
    connect(p.TrackBar4, &QSlider::valueChanged, this, &DiagramViews::TrackBar4Change);
    connect(p.SpinEdit8, &ui::SpinEdit::textChanged, this, &DiagramViews::SpinEdit8Change);
    connect(p.CheckBox29, &QCheckBox::toggled, this, &DiagramViews::CheckBox29Click);
    connect(p.TrackBar6, &QSlider::valueChanged, this, &DiagramViews::TrackBar6Change);
    connect(p.TrackBar7, &QSlider::valueChanged, this, &DiagramViews::TrackBar7Change);
}

void DiagramViews::registerClicks(ui::ClickRegistry& clicks) {
    ViewButtonBar& b = w_.viewButtons;
    clicks.add(QStringLiteral("SpeedButton10"), [this, &b] {
        b.SpeedButton10->setChecked(true);
        SpeedButton10Click();
    });
    clicks.add(QStringLiteral("SpeedButton11"), [this, &b] {
        b.SpeedButton11->setChecked(true);
        SpeedButton11Click();
    });
    clicks.add(QStringLiteral("SpeedButton12"), [this, &b] {
        b.SpeedButton12->setChecked(true);
        SpeedButton12Click();
    });
    clicks.add(QStringLiteral("SpeedButton24"), [this] { SpeedButton24Click(); });
    clicks.add(QStringLiteral("Panel4"), [this] { Panel4Click(); });
}

// The two single views show the chart whose button is down; the both view
// shows what is not a single view.
void DiagramViews::showChartsByButtons(bool bothView) {
    const bool registerOnly = w_.viewButtons.SpeedButton10->isChecked();
    const bool traceOnly = w_.viewButtons.SpeedButton11->isChecked();
    w_.registerChart.setVisible(bothView ? !registerOnly : registerOnly);
    w_.traceChart.setVisible(bothView ? !traceOnly : traceOnly);
}

void DiagramViews::SpeedButton10Click() {
    showChartsByButtons(false);
    setTopAndHeight(w_.registerChart, registerOnlyTop, registerOnlyHeight);
    w_.registerChart.model().setAxisVisible(true);
}

void DiagramViews::SpeedButton11Click() {
    showChartsByButtons(false);
    setHeight(w_.traceChart, traceOnlyHeight);
}

void DiagramViews::SpeedButton12Click() {
    showChartsByButtons(true);
    setHeight(w_.traceChart, bothTraceHeight);
    setTopAndHeight(w_.registerChart, bothRegisterTop, bothRegisterHeight);
}

bool DiagramViews::expanded() const {
    return w_.chartPanel.x() != normalPanelLeft;
}

void DiagramViews::Panel4Click() {
    QWidget& panel = w_.chartPanel;
    if (!expanded()) {
        panel.move(expandedPanelLeft, panel.y());
        setWidth(panel, expandedPanelWidth);
        setWidth(w_.traceChart, expandedTraceWidth);
        w_.settingsPanel.hide();
        setWidth(w_.registerChart, expandedRegisterWidth);
    } else {
        panel.move(normalPanelLeft, panel.y());
        setWidth(panel, normalPanelWidth);
        setWidth(w_.traceChart, normalTraceWidth);
        w_.settingsPanel.show();
        setWidth(w_.registerChart, normalRegisterWidth);
    }
}

void DiagramViews::SpeedButton24Click() {
    chart::ChartModel& model = w_.registerChart.model();
    model.setAxisVisible(!model.axisVisible());
}

void DiagramViews::CheckBox28Click() {
    View3DPage& p = w_.page3D;
    const bool on = p.CheckBox28->isChecked();
    w_.traceChart.model().setView3D(on);
    for (QWidget* control :
         {static_cast<QWidget*>(p.TrackBar2), static_cast<QWidget*>(p.TrackBar3),
          static_cast<QWidget*>(p.TrackBar4), static_cast<QWidget*>(p.SpinEdit8)})
        control->setEnabled(on);
}

void DiagramViews::TrackBar2Change() {
    const int position = w_.page3D.TrackBar2->value();
    changeOptions(w_.traceChart, [position](chart::View3DOptions& o) { o.rotation = position; });
    w_.page3D.StaticText1->setText(QString::number(position));
}

void DiagramViews::TrackBar3Change() {
    const int position = w_.page3D.TrackBar3->value();
    changeOptions(w_.traceChart, [position](chart::View3DOptions& o) { o.zoom = position; });
    w_.page3D.StaticText2->setText(QString::number(position));
}

void DiagramViews::TrackBar4Change() {
    const int position = w_.page3D.TrackBar4->value();
    changeOptions(w_.traceChart, [position](chart::View3DOptions& o) { o.elevation = position; });
    w_.page3D.StaticText3->setText(QString::number(position));
}

void DiagramViews::SpinEdit8Change() {
    w_.traceChart.model().setChart3DPercent(w_.page3D.SpinEdit8->value());
}

void DiagramViews::CheckBox29Click() {
    View3DPage& p = w_.page3D;
    const bool on = p.CheckBox29->isChecked();
    w_.registerChart.model().setView3D(on);
    p.TrackBar6->setEnabled(on);
    p.TrackBar7->setEnabled(on);
}

void DiagramViews::TrackBar6Change() {
    const int position = w_.page3D.TrackBar6->value();
    changeOptions(w_.registerChart, [position](chart::View3DOptions& o) { o.zoom = position; });
    w_.page3D.StaticText5->setText(QString::number(position));
}

void DiagramViews::TrackBar7Change() {
    const int position = w_.page3D.TrackBar7->value();
    w_.registerChart.model().setChart3DPercent(position);
    w_.page3D.StaticText4->setText(QString::number(position));
}

// A click on the panel's own surface, pressed and released there; a click on
// a chart reaches the panel too, as an event the chart left unhandled.
bool DiagramViews::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &w_.chartPanel)
        return QObject::eventFilter(watched, event);
    const auto onOwnSurface = [this](QEvent* e) {
        auto* mouse = static_cast<QMouseEvent*>(e);
        const QPoint at = mouse->position().toPoint();
        return mouse->button() == Qt::LeftButton && w_.chartPanel.rect().contains(at) &&
               w_.chartPanel.childAt(at) == nullptr;
    };
    if (event->type() == QEvent::MouseButtonPress) {
        panelPressed_ = onOwnSurface(event);
    } else if (event->type() == QEvent::MouseButtonRelease) {
        const bool click = panelPressed_ && onOwnSurface(event);
        panelPressed_ = false;
        if (click)
            Panel4Click();
    }
    return QObject::eventFilter(watched, event);
}

} // namespace voltarix::regdiagram
