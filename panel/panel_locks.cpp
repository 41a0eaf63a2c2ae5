#include "panel/panel_locks.h"

#include "panel/bits_panel.h"
#include "panel/register_panel.h"
#include "ui/click_registry.h"

#include <QComboBox>
#include <QToolButton>

namespace voltarix::panel {

PanelLocks::PanelLocks(RegisterPanel& registers, BitsPanel& bits, ui::ClickRegistry& clicks,
                       QObject* parent)
    : QObject(parent), registers_(registers), bits_(bits) {
    clicks.add(QStringLiteral("N8"), [this] { N8Click(); });
    clicks.add(QStringLiteral("N9"), [this] { N9Click(); });
    clicks.add(QStringLiteral("N10"), [this] { N10Click(); });
    clicks.add(QStringLiteral("N13"), [this] { N13Click(); });
    clicks.add(QStringLiteral("N14"), [this] { N14Click(); });
    clicks.add(QStringLiteral("N16"), [this] { N16Click(); });
}

void PanelLocks::invert(QWidget* control) {
    control->setEnabled(!control->isEnabled());
}

void PanelLocks::N8Click() {
    invert(bits_.ToolBar1);
}
void PanelLocks::N9Click() {
    invert(bits_.ToolBar2);
}
void PanelLocks::N10Click() {
    invert(registers_.ComboBox1);
}

void PanelLocks::N13Click() {
    invert(registers_.SpeedButton1);
    invert(registers_.SpeedButton2);
}

void PanelLocks::N14Click() {
    invert(registers_.SpeedButton3);
    invert(registers_.SpeedButton4);
}

void PanelLocks::N16Click() {
    N8Click();
    N9Click();
    N10Click();
    N13Click();
    N14Click();
}

} // namespace voltarix::panel
