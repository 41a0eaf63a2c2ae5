#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QWidget;

namespace voltarix::ui {

// Gives a control its hint. With popup false the hint still reaches the
// hint display, but no tool tip pops up over the control.
void setHint(QWidget* control, const QString& hint, bool popup = true);

// The hint of the control under the mouse: the control's own, or failing
// that the nearest parent's.
QString hintOf(const QWidget* control);

// Shows the hint of the control under the mouse through a callback (the
// first status bar panel) and keeps tool tips from popping up for controls
// whose hints are switched off. Installed once on the application.
class HintDisplay : public QObject {
    Q_OBJECT
public:
    using Show = std::function<void(const QString&)>;
    HintDisplay(Show show, QObject* parent);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Show show_;
};

} // namespace voltarix::ui
