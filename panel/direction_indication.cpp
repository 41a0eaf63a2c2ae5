#include "panel/direction_indication.h"

#include "panel/panel_style.h"
#include "panel/pin_model.h"
#include "ui/glyph_button.h"
#include "ui/status_bar.h"

#include <QLabel>
#include <QLineEdit>

namespace voltarix::panel {

namespace {

void setIndicatorBackground(QLabel& indicator, const QColor& color) {
    if (indicator.palette().color(QPalette::Window) == color)
        return;
    QPalette palette = indicator.palette();
    palette.setColor(QPalette::Window, color);
    indicator.setPalette(palette);
}

} // namespace

DirectionIndication::DirectionIndication(PinModel& pins, QLineEdit& dataPins, QLabel& indicator,
                                         ui::GlyphButton& directionButton, ui::StatusBar& statusBar)
    : pins_(pins), dataPins_(dataPins), indicator_(indicator), directionButton_(directionButton),
      statusBar_(statusBar) {}

void DirectionIndication::apply() {
    if (pins_.DirectionBit()) {
        setFieldTextColor(&dataPins_, aquaColor);
        indicator_.setText(QStringLiteral("на вход"));
        directionButton_.setNumGlyphs(2);
    }
    if (!pins_.DirectionBit()) {
        indicator_.setText(QStringLiteral("на выход"));
        setFieldTextColor(&dataPins_, limeColor);
        directionButton_.setNumGlyphs(4);
    }
}

void DirectionIndication::showInStatusBar() {
    statusBar_.setPanelText(statusPanel, QStringLiteral("Данные: ") + indicator_.text());
}

void DirectionIndication::paintIndicatorInDataColour() {
    setIndicatorBackground(indicator_, fieldTextColor(&dataPins_));
}

void DirectionIndication::showNotMonitored() {
    setIndicatorBackground(indicator_, indicator_.palette().color(QPalette::Button));
    indicator_.setText(QStringLiteral("нет мониторинга"));
    showInStatusBar();
}

} // namespace voltarix::panel
