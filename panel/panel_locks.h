#pragma once

#include <QObject>

class QAction;
class QKeySequence;
class QMenu;
class QWidget;

namespace voltarix::panel {

class BitsPanel;
class RegisterPanel;

// The "Порт" menu's locks. Each item inverts the enabled state of its
// controls, each control on its own; the state lives nowhere else.
class PanelLocks : public QObject {
    Q_OBJECT
public:
    PanelLocks(RegisterPanel& registers, BitsPanel& bits, QMenu& portMenu);

    void N8Click();
    void N9Click();
    void N10Click();
    void N13Click();
    void N14Click();
    void N16Click();

private:
    QAction* addItem(QMenu& menu, const char* name, const QString& caption,
                     const QKeySequence& shortcut, void (PanelLocks::*handler)());
    static void invert(QWidget* control);

    RegisterPanel& registers_;
    BitsPanel& bits_;
};

} // namespace voltarix::panel
