#include "app/help_boxes.h"

#include "ui/message_service.h"

namespace voltarix::app {

const QString HelpBoxes::thanksCaption = QStringLiteral("Благодарности");
const QString HelpBoxes::thanksFirstText =
    QStringLiteral("Спасибо, что пользуетесь программой! Новые версии, описания и примеры "
                   "появляются на сайте проекта.");
const QString HelpBoxes::thanksSecondText =
    QStringLiteral("Если Вас не затруднит, присылайте свои отзывы и предложения, или пишите в "
                   "гостевую книгу");
const QString HelpBoxes::driverCaption = QStringLiteral("О драйвере");
const QString HelpBoxes::driverText =
    QStringLiteral("Автор благодарит создателя драйвера LPTWDMIO.SYS, открывшего программам "
                   "доступ к LPT порту в Windows NT/2000/XP.");
const QString HelpBoxes::mirandelCaption = QStringLiteral("О проекте Mirandel");
const QString HelpBoxes::mirandelText = QStringLiteral(
    "Для ускорения создания приложений к LPT, Вы можете скачать готовый шаблон, где добавленны "
    "функции Pin и процедуры Pin клавиатуры, c помощью которых чрезвычайно просто управлять "
    "битами регистров порта LPT.");

void HelpBoxes::N7Click() {
    messages_.showInformation(owner_, thanksCaption, thanksFirstText);
    messages_.showInformation(owner_, thanksCaption, thanksSecondText);
}

void HelpBoxes::N6Click() {
    messages_.showInformation(owner_, driverCaption, driverText);
}

void HelpBoxes::N11Click() {
    messages_.showInformation(owner_, mirandelCaption, mirandelText);
}

} // namespace voltarix::app
