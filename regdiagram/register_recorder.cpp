#include "regdiagram/register_recorder.h"

#include "chart/chart.h"
#include "diagram17/synchronous_start.h"
#include "regdiagram/register_chart.h"
#include "regdiagram/register_page.h"
#include "regdiagram/register_paging.h"
#include "ui/integer_text.h"
#include "ui/spin_edit.h"
#include "ui/status_bar.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

namespace voltarix::regdiagram {

namespace {
constexpr int pagePanel = 5;
} // namespace

RegisterRecorder::RegisterRecorder(const RegisterDisplays& displays, RegisterPage& page,
                                   chart::Chart& chart, ui::StatusBar& statusBar,
                                   const ui::HandlerErrors& errors, QObject* parent)
    : QObject(parent), displays_(displays), page_(page), chart_(chart), statusBar_(statusBar),
      errorBox_(errors, this) {
    connect(&displays_.status, &QLineEdit::textChanged, this,
            [this] { runRecordStep([this] { Edit2Change(); }); });
    connect(&displays_.control, &QLineEdit::textChanged, this,
            [this] { runRecordStep([this] { Edit4Change(); }); });
    connect(&displays_.data, &QLineEdit::textChanged, this,
            [this] { runRecordStep([this] { Edit8Change(); }); });
}

void RegisterRecorder::runRecordStep(const std::function<void()>& step) {
    if (!errorBox_.isOpen())
        errorBox_.run(step);
}

RegisterRecorder::Register RegisterRecorder::drivingRegister() const {
    if (page_.RadioButton1->isChecked())
        return Register::Status;
    if (page_.RadioButton2->isChecked())
        return Register::Control;
    return Register::Data;
}

bool RegisterRecorder::recordingOff() const {
    return page_.CheckBox5->isChecked();
}

int RegisterRecorder::counter() const {
    return ui::StrToInt(page_.Edit17->text());
}

void RegisterRecorder::Edit2Change() {
    const bool statusDrives = drivingRegister() == Register::Status;
    if (!statusDrives)
        appendOwnBar(StatusSeries, displays_.status, statusBarColour);
    if (statusDrives && !recordingOff())
        drivingCycle();
    requestSynchronousStart(diagram17::SynchronousSource::Input);
}

void RegisterRecorder::Edit4Change() {
    const bool controlDrives = drivingRegister() == Register::Control;
    if (!controlDrives)
        appendOwnBar(ControlSeries, displays_.control, controlBarColour);
    if (controlDrives && !recordingOff())
        drivingCycle();
    requestSynchronousStart(diagram17::SynchronousSource::Control);
}

void RegisterRecorder::Edit8Change() {
    if (drivingRegister() == Register::Data && !recordingOff()) {
        drivingCycle();
        requestSynchronousStart(diagram17::SynchronousSource::Output);
    }
    pageNumberStep();
}

// The counter text is copied as it stands, so a bar before the first driving
// cycle reads "0000".
void RegisterRecorder::appendOwnBar(int series, const QLineEdit& display, QRgb colour) {
    const QString label = page_.Edit17->text();
    chart_.appendPoint(series, ui::StrToInt(display.text()), label, colour);
}

void RegisterRecorder::drivingCycle() {
    const int n = counter();
    if (n == page_.SpinEdit5->value()) {
        // Writing the box runs its handler, which gives the axis the state it
        // already has; with the axis manual "Авто" goes off here.
        page_.CheckBox26->setChecked(chart_.bottomAxis().automatic());
        following_ = true;
    }
    const QString label = QString::number(static_cast<qint64>(n) + 1);
    page_.Edit17->setText(label);
    chart_.appendPoint(DataSeries, ui::StrToInt(displays_.data.text()), label, dataBarColour);
    chart_.appendPoint(ControlSeries, ui::StrToInt(displays_.control.text()), label,
                       controlBarColour);
    chart_.appendPoint(StatusSeries, ui::StrToInt(displays_.status.text()), label, statusBarColour);
    if (following_)
        chart_.bottomAxis().scroll(1);
}

void RegisterRecorder::pageNumberStep() {
    const auto page = RegisterPaging::pageNumber(counter(), page_.SpinEdit5->value());
    if (!page)
        return;
    const QString text = QString::number(*page);
    statusBar_.setPanelText(pagePanel, QStringLiteral("Страниц[R]: ") + text);
    if (page_.Edit19->text() != text)
        page_.Edit19->setText(text);
}

void RegisterRecorder::requestSynchronousStart(diagram17::SynchronousSource source) {
    if (synchronousStart_ && synchronousStart_->selectedSource() == source)
        synchronousStart_->requestSynchronousStart();
}

} // namespace voltarix::regdiagram
