#include "app/main_menu_design.h"

namespace voltarix::app {

namespace {

const QString file = QStringLiteral("Файл ");
const QString port = QStringLiteral("Порт");
const QString control = QStringLiteral("Управление");
const QString service = QStringLiteral("Сервис");
const QString view = QStringLiteral("Вид");
const QString help = QStringLiteral("Помощь");
const QString chart17 = QStringLiteral("17 bit график");
const QString registerChart = QStringLiteral("График регистров порта");
const QString decoders = QStringLiteral("Декодеры 17 bit");

MenuItemDesign line(const QString& title, const QString& submenu = QString()) {
    return {title, submenu, QStringLiteral("-"), QString(), QString(), MenuCommand::Separator, {}};
}

} // namespace

const std::vector<MenuItemDesign>& mainMenuDesign() {
    using enum MenuCommand;
    static const std::vector<MenuItemDesign> design{
        {file, {}, "Открыть графический файл", "N19", "Ctrl+O", Press, "SpeedButton27"},
        line(file),
        {file,
         {},
         "Сохранить как...  [17 bit график]",
         "N17bit2",
         "Ctrl+Alt+B",
         Press,
         "SpeedButton30"},
        {file,
         {},
         "Сохранить как...  [Reg график]",
         "N17bit3",
         "Ctrl+Alt+R",
         Press,
         "SpeedButton29"},
        {file,
         {},
         "Экспорт в VCD...  [17 bit график]",
         "VCD1",
         "Ctrl+Alt+V",
         Press,
         "SpeedButton36"},
        line(file),
        {file, {}, "Выход", "N4", "Ctrl+X", Own, {}},

        {port, {}, "Запретить / разрешить клавиатуру выходных бит", "N8", "Shift+F9", Own, {}},
        {port, {}, "Запретить / разрешить  клавиатуру контрольных бит", "N9", "Shift+F10", Own, {}},
        {port, {}, "Запретить / разрешить  смену порта", "N10", "Shift+F11", Own, {}},
        line(port),
        {port, {}, "Запретить / разрешить  запись в регистры контроля", "N13", "Shift+F7", Own, {}},
        {port, {}, "Запретить / разрешить  запись в регистры данных", "N14", "Shift+F8", Own, {}},
        line(port),
        {port,
         {},
         "Запретить  всё разрешённое  или  разрешить всё запрещённое",
         "N16",
         "Shift+F12",
         Own,
         {}},

        {control, chart17, "Старт ", "N17bit8", "F9", Press, "SpeedButton7"},
        {control, chart17, "Стоп ", "N17bit9", "F10", Press, "SpeedButton8"},
        {control, chart17, "Назад прокрутка", "N34", "F11", Press, "SpeedButton13"},
        {control, chart17, "Вперед прокрутка", "N35", "F12", Press, "SpeedButton9"},
        line(control, chart17),
        {control, chart17, "Назад на страницу", "N37", "F3", Press, "SpeedButton19"},
        {control, chart17, "Вперед на страницу", "N38", "F4", Press, "SpeedButton18"},
        {control, registerChart, "Назад прокрутка", "objectN34TMenuItem1", "F5", Press,
         "SpeedButton16"},
        {control, registerChart, "Вперед прокрутка", "N39", "F6", Press, "SpeedButton6"},
        line(control, registerChart),
        {control, registerChart, "Назад на страницу", "N41", "F7", Press, "SpeedButton23"},
        {control, registerChart, "Вперед на страницу", "N42", "F8", Press, "SpeedButton22"},
        line(control),
        {control,
         {},
         "Входной / выходной реж. регистр. данных",
         "N49",
         "Alt+Backspace",
         Press,
         "SpeedButton32"},

        {service, chart17, "Формат автосохран. файла", "N23", "Ctrl+F2", Own, {}},
        line(service, chart17),
        {service, chart17, "Сохранить в формате *BMP", "BMP1", "Ctrl+Alt+P", Press,
         "SpeedButton14"},
        {service, chart17, "Сохранить в формате *WMF", "BMP2", "Ctrl+Alt+W", Press,
         "SpeedButton15"},
        {service, registerChart, "Формат автосохран. файла", "N24", "Ctrl+F3", Own, {}},
        line(service, registerChart),
        {service, registerChart, "Сохранить в формате *BMP", "BMP3", "Ctrl+P", Press,
         "SpeedButton25"},
        {service, registerChart, "Сохранить в формате *WMF", "WMF1", "Ctrl+W", Press,
         "SpeedButton26"},
        {service, decoders, "Применить настройку декодеров", "N50", "Ctrl+Alt+D", Press,
         "Button15"},
        {service, decoders, "Таблица декодированных значений", "N51", "Ctrl+Alt+A", Press,
         "SpeedButton37"},
        {service, decoders, "Сохранить таблицу в CSV...", "N52", "Ctrl+Alt+C", Press, "Button16"},
        line(service),
        {service, {}, "Проверить скорость CPU", "CPU1", "Shift+Ctrl+F1", Own, {}},

        {view, {}, "Развернуть / Свернуть  [<-->]", "N45", "Ins", Own, {}},
        line(view),
        {view, chart17, "Развернуть 17 bit диаграмму", "N17bit6", "Shift+Ins", SetDownAndPress,
         "SpeedButton11"},
        {view, chart17, "Показать / скрыть циклы", "N31", "Ctrl+Alt+T", Press, "SpeedButton17"},
        {view, registerChart, "Развернуть регистр диаграмму", "N28", "Ctrl+Ins", SetDownAndPress,
         "SpeedButton10"},
        {view, registerChart, "Показать / скрыть циклы", "N32", "Ctrl+Alt+U", Press,
         "SpeedButton24"},
        line(view),
        {view, {}, "Все диаграммы", "N30", "F2", SetDownAndPress, "SpeedButton12"},
        line(view),
        {view, {}, "Показать браузер", "N44", "Ctrl+Ins", Press, "SpeedButton28"},

        {help, {}, "О программе", "N5", {}, Own, {}},
        {help, {}, "Благодарности", "N7", {}, Own, {}},
        {help, {}, "О драйвере", "N6", {}, Own, {}},
        {help, {}, "О проекте Mirandel", "N11", {}, Own, {}},
    };
    return design;
}

} // namespace voltarix::app
