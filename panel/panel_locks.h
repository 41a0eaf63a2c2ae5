#pragma once

#include <QObject>

class QWidget;

namespace voltarix::ui {
class ClickRegistry;
}

namespace voltarix::panel {

class BitsPanel;
class RegisterPanel;

// The "Порт" menu's locks. Each item inverts the enabled state of its
// controls, each control on its own; the state lives nowhere else. The
// operations are registered under their menu items' names; the main menu
// runs them from there.
class PanelLocks : public QObject {
    Q_OBJECT
public:
    PanelLocks(RegisterPanel& registers, BitsPanel& bits, ui::ClickRegistry& clicks,
               QObject* parent);

    void N8Click();
    void N9Click();
    void N10Click();
    void N13Click();
    void N14Click();
    void N16Click();

private:
    static void invert(QWidget* control);

    RegisterPanel& registers_;
    BitsPanel& bits_;
};

} // namespace voltarix::panel
