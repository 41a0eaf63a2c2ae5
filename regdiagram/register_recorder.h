#pragma once

#include "ui/tick_error_box.h"

#include <QObject>
#include <QRgb>

#include <functional>

class QLineEdit;

namespace voltarix::chart {
class Chart;
}
namespace voltarix::diagram17 {
class SynchronousStart;
enum class SynchronousSource;
} // namespace voltarix::diagram17
namespace voltarix::ui {
class HandlerErrors;
class StatusBar;
} // namespace voltarix::ui

namespace voltarix::regdiagram {

class RegisterPage;

// The three decimal register displays the live monitor writes, status,
// control and data in that order within one poll.
struct RegisterDisplays {
    QLineEdit& status;  // Edit2
    QLineEdit& control; // Edit4
    QLineEdit& data;    // Edit8
};

// Records the register chart from the change notifications of the register
// displays. A driving cycle is counted each time the driving register's
// display changes; it appends one bar to each of the three series. A change of
// a register that does not drive appends a bar to its own series only, and a
// change of the data register always moves the page number on.
//
// A counter text that is no integer ends the record step with the standard
// error box. The box does not stop the poll that raised it; the record steps
// the poll causes meanwhile are left out until the box is closed, so that the
// same failure cannot pile up one box over the other.
class RegisterRecorder : public QObject {
    Q_OBJECT
public:
    RegisterRecorder(const RegisterDisplays& displays, RegisterPage& page, chart::Chart& chart,
                     ui::StatusBar& statusBar, const ui::HandlerErrors& errors,
                     QObject* parent = nullptr);

    // Null: no synchronous start is ever requested.
    void setSynchronousStart(diagram17::SynchronousStart* start) { synchronousStart_ = start; }

    void Edit2Change();
    void Edit4Change();
    void Edit8Change();

    // Set by the driving cycle that begins on a full first page; never cleared.
    bool following() const { return following_; }

private:
    enum class Register { Status, Control, Data };

    Register drivingRegister() const;
    bool recordingOff() const;
    int counter() const;
    void appendOwnBar(int series, const QLineEdit& display, QRgb colour);
    void drivingCycle();
    void pageNumberStep();
    void requestSynchronousStart(diagram17::SynchronousSource source);
    void runRecordStep(const std::function<void()>& step);

    RegisterDisplays displays_;
    RegisterPage& page_;
    chart::Chart& chart_;
    ui::StatusBar& statusBar_;
    ui::TickErrorBox errorBox_;
    diagram17::SynchronousStart* synchronousStart_ = nullptr;
    bool following_ = false;
};

} // namespace voltarix::regdiagram
