#include "panel/epp_direction.h"

#include "panel/direction_indication.h"
#include "panel/epp_page.h"
#include "panel/pin_model.h"
#include "port/lpt_port_connection.h"
#include "ui/glyph_button.h"
#include "ui/message_service.h"

#include <QCheckBox>
#include <QToolButton>

namespace voltarix::panel {

namespace {

const QString eppUnavailableCaption = QStringLiteral("Не доступен EPP режим ");
const QString eppUnavailableText = QStringLiteral(
    "Данный порт не является активным в EPP режиме. Для активации войдите в Bios, раздел "
    "INTEGRATED PERIPHERALS или др., найдите строку PARALLEL PORT MODE: измените режим работы "
    "порта на EPP или SPP/EPP.   ");
const QString informationCaption = QStringLiteral("Информация");
const QString informationText = QStringLiteral(
    "В режиме ЕРР при приёме данных (в качестве входных) все биты 0-7 рег. данных (Pin 2-9) "
    "имеют лог. 1 =5в, для перевода их в низкий уровень лог. 0 - достаточно сопротивления "
    "240-360 Ом замык. на корпус. ");

} // namespace

EppDirection::EppDirection(PinModel& pins, DirectionIndication& indication, EppPage& page,
                           ui::GlyphButton& directionButton, ui::MessageService& messages,
                           QWidget* owner, QObject* parent)
    : QObject(parent), pins_(pins), indication_(indication), page_(page), messages_(messages),
      owner_(owner) {
    connect(&directionButton, &QToolButton::clicked, this, &EppDirection::SpeedButton32Click);
    connect(page_.SpeedButton33, &QToolButton::clicked, this, &EppDirection::SpeedButton33Click);
    connect(page_.SpeedButton34, &QToolButton::clicked, this, &EppDirection::SpeedButton34Click);
    connect(page_.SpeedButton35, &QToolButton::clicked, this, &EppDirection::SpeedButton35Click);
    connect(page_.CheckBox31, &QCheckBox::toggled, this, &EppDirection::CheckBox31Click);
}

bool EppDirection::InOut() {
    port::TLptPortConnection& lpt = pins_.connection();
    const std::uint8_t value = lpt.ReadPort(pins_.SelectedPortCode(), port::RegControl);
    return lpt.WritePort(pins_.SelectedPortCode(), port::RegControl,
                         static_cast<std::uint8_t>(value ^ port::CtrlDirection));
}

bool EppDirection::portIsBidirectional() const {
    return pins_.connection().IsBidirectional(pins_.SelectedPortCode());
}

void EppDirection::showEppUnavailable() {
    messages_.showInformation(owner_, eppUnavailableCaption, eppUnavailableText);
}

void EppDirection::indicate() {
    indication_.apply();
    indication_.showInStatusBar();
}

void EppDirection::SpeedButton32Click() {
    if (!portIsBidirectional()) {
        showEppUnavailable();
        return;
    }
    InOut();
    indicate();
}

void EppDirection::SpeedButton33Click() {
    // The whole register is written: every other control line goes low too.
    pins_.connection().WritePort(pins_.SelectedPortCode(), port::RegControl, port::CtrlDirection);
    if (!portIsBidirectional()) {
        showEppUnavailable();
        return;
    }
    indicate();
}

void EppDirection::SpeedButton34Click() {
    pins_.connection().WritePort(pins_.SelectedPortCode(), port::RegControl, 0x00);
    if (!portIsBidirectional())
        return;
    indicate();
}

void EppDirection::SpeedButton35Click() {
    messages_.showInformation(owner_, informationCaption, informationText);
}

void EppDirection::CheckBox31Click() {
    // Ticking takes effect at the monitor's next tick; only unticking shows
    // something at once.
    if (!page_.CheckBox31->isChecked())
        indication_.showNotMonitored();
}

} // namespace voltarix::panel
