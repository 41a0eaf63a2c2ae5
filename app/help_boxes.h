#pragma once

#include <QString>

class QWidget;

namespace voltarix::ui {
class MessageService;
}

namespace voltarix::app {

// The information boxes of the "Помощь" menu, owned by the main window.
class HelpBoxes {
public:
    HelpBoxes(ui::MessageService& messages, QWidget* owner) : messages_(messages), owner_(owner) {}

    // "Благодарности": two boxes, the second once the first is dismissed.
    void N7Click();
    // "О драйвере".
    void N6Click();
    // "О проекте Mirandel".
    void N11Click();

    static const QString thanksCaption;
    static const QString thanksFirstText;
    static const QString thanksSecondText;
    static const QString driverCaption;
    static const QString driverText;
    static const QString mirandelCaption;
    static const QString mirandelText;

private:
    ui::MessageService& messages_;
    QWidget* owner_;
};

} // namespace voltarix::app
