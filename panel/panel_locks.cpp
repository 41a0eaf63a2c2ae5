#include "panel/panel_locks.h"

#include "panel/bits_panel.h"
#include "panel/register_panel.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QToolButton>

namespace voltarix::panel {

PanelLocks::PanelLocks(RegisterPanel& registers, BitsPanel& bits, QMenu& portMenu)
    : QObject(&portMenu), registers_(registers), bits_(bits) {
    addItem(portMenu, "N8", QStringLiteral("Запретить / разрешить клавиатуру выходных бит"),
            Qt::SHIFT | Qt::Key_F9, &PanelLocks::N8Click);
    addItem(portMenu, "N9", QStringLiteral("Запретить / разрешить  клавиатуру контрольных бит"),
            Qt::SHIFT | Qt::Key_F10, &PanelLocks::N9Click);
    addItem(portMenu, "N10", QStringLiteral("Запретить / разрешить  смену порта"),
            Qt::SHIFT | Qt::Key_F11, &PanelLocks::N10Click);
    portMenu.addSeparator();
    addItem(portMenu, "N13", QStringLiteral("Запретить / разрешить  запись в регистры контроля"),
            Qt::SHIFT | Qt::Key_F7, &PanelLocks::N13Click);
    addItem(portMenu, "N14", QStringLiteral("Запретить / разрешить  запись в регистры данных"),
            Qt::SHIFT | Qt::Key_F8, &PanelLocks::N14Click);
    portMenu.addSeparator();
    addItem(portMenu, "N16",
            QStringLiteral("Запретить  всё разрешённое  или  разрешить всё запрещённое"),
            Qt::SHIFT | Qt::Key_F12, &PanelLocks::N16Click);
}

QAction* PanelLocks::addItem(QMenu& menu, const char* name, const QString& caption,
                             const QKeySequence& shortcut, void (PanelLocks::*handler)()) {
    QAction* action = menu.addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, handler);
    return action;
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
