#include "shell_rig.h"

#include "app/main_menu.h"
#include "ui/status_bar.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace voltarix;
using voltarix::testkit::ShellRig;

namespace {

// The menu as a user sees it: path, caption, object name, key as shown, and
// the operation that runs (a button's, or the item's own).
struct ExpectedItem {
    const char* path;
    const char* caption;
    const char* name;
    const char* key;
    const char* operation;
};

const ExpectedItem expectedMenu[] = {
    {"Файл ", "Открыть графический файл", "N19", "Ctrl+O", "SpeedButton27"},
    {"Файл ", "-", "", "", ""},
    {"Файл ", "Сохранить как...  [17 bit график]", "N17bit2", "Ctrl+Alt+B", "SpeedButton30"},
    {"Файл ", "Сохранить как...  [Reg график]", "N17bit3", "Ctrl+Alt+R", "SpeedButton29"},
    {"Файл ", "Экспорт в VCD...  [17 bit график]", "VCD1", "Ctrl+Alt+V", "SpeedButton36"},
    {"Файл ", "-", "", "", ""},
    {"Файл ", "Выход", "N4", "Ctrl+X", "N4"},
    {"Порт", "Запретить / разрешить клавиатуру выходных бит", "N8", "Shift+F9", "N8"},
    {"Порт", "Запретить / разрешить  клавиатуру контрольных бит", "N9", "Shift+F10", "N9"},
    {"Порт", "Запретить / разрешить  смену порта", "N10", "Shift+F11", "N10"},
    {"Порт", "-", "", "", ""},
    {"Порт", "Запретить / разрешить  запись в регистры контроля", "N13", "Shift+F7", "N13"},
    {"Порт", "Запретить / разрешить  запись в регистры данных", "N14", "Shift+F8", "N14"},
    {"Порт", "-", "", "", ""},
    {"Порт", "Запретить  всё разрешённое  или  разрешить всё запрещённое", "N16", "Shift+F12",
     "N16"},
    {"Управление/17 bit график", "Старт ", "N17bit8", "F9", "SpeedButton7"},
    {"Управление/17 bit график", "Стоп ", "N17bit9", "F10", "SpeedButton8"},
    {"Управление/17 bit график", "Назад прокрутка", "N34", "F11", "SpeedButton13"},
    {"Управление/17 bit график", "Вперед прокрутка", "N35", "F12", "SpeedButton9"},
    {"Управление/17 bit график", "-", "", "", ""},
    {"Управление/17 bit график", "Назад на страницу", "N37", "F3", "SpeedButton19"},
    {"Управление/17 bit график", "Вперед на страницу", "N38", "F4", "SpeedButton18"},
    {"Управление/График регистров порта", "Назад прокрутка", "objectN34TMenuItem1", "F5",
     "SpeedButton16"},
    {"Управление/График регистров порта", "Вперед прокрутка", "N39", "F6", "SpeedButton6"},
    {"Управление/График регистров порта", "-", "", "", ""},
    {"Управление/График регистров порта", "Назад на страницу", "N41", "F7", "SpeedButton23"},
    {"Управление/График регистров порта", "Вперед на страницу", "N42", "F8", "SpeedButton22"},
    {"Управление", "-", "", "", ""},
    {"Управление", "Входной / выходной реж. регистр. данных", "N49", "Alt+Backspace",
     "SpeedButton32"},
    {"Сервис/17 bit график", "Формат автосохран. файла", "N23", "Ctrl+F2", "N23"},
    {"Сервис/17 bit график", "-", "", "", ""},
    {"Сервис/17 bit график", "Сохранить в формате *BMP", "BMP1", "Ctrl+Alt+P", "SpeedButton14"},
    {"Сервис/17 bit график", "Сохранить в формате *WMF", "BMP2", "Ctrl+Alt+W", "SpeedButton15"},
    {"Сервис/График регистров порта", "Формат автосохран. файла", "N24", "Ctrl+F3", "N24"},
    {"Сервис/График регистров порта", "-", "", "", ""},
    {"Сервис/График регистров порта", "Сохранить в формате *BMP", "BMP3", "Ctrl+P",
     "SpeedButton25"},
    {"Сервис/График регистров порта", "Сохранить в формате *WMF", "WMF1", "Ctrl+W",
     "SpeedButton26"},
    {"Сервис/Декодеры 17 bit", "Применить настройку декодеров", "N50", "Ctrl+Alt+D", "Button15"},
    {"Сервис/Декодеры 17 bit", "Таблица декодированных значений", "N51", "Ctrl+Alt+A",
     "SpeedButton37"},
    {"Сервис/Декодеры 17 bit", "Сохранить таблицу в CSV...", "N52", "Ctrl+Alt+C", "Button16"},
    {"Сервис", "-", "", "", ""},
    {"Сервис", "Проверить скорость CPU", "CPU1", "Shift+Ctrl+F1", "CPU1"},
    {"Вид", "Развернуть / Свернуть  [<-->]", "N45", "Ins", "N45"},
    {"Вид", "-", "", "", ""},
    {"Вид/17 bit график", "Развернуть 17 bit диаграмму", "N17bit6", "Shift+Ins", "SpeedButton11"},
    {"Вид/17 bit график", "Показать / скрыть циклы", "N31", "Ctrl+Alt+T", "SpeedButton17"},
    {"Вид/График регистров порта", "Развернуть регистр диаграмму", "N28", "Ctrl+Ins",
     "SpeedButton10"},
    {"Вид/График регистров порта", "Показать / скрыть циклы", "N32", "Ctrl+Alt+U", "SpeedButton24"},
    {"Вид", "-", "", "", ""},
    {"Вид", "Все диаграммы", "N30", "F2", "SpeedButton12"},
    {"Вид", "-", "", "", ""},
    {"Вид", "Показать браузер", "N44", "Ctrl+Ins", "SpeedButton28"},
    {"Помощь", "О программе", "N5", "", "N5"},
    {"Помощь", "Благодарности", "N7", "", "N7"},
    {"Помощь", "О драйвере", "N6", "", "N6"},
    {"Помощь", "О проекте Mirandel", "N11", "", "N11"},
};

// Walks the menus depth first, as the user reads them, into rows of the
// same shape as the expectation.
void walk(const QMenu* menu, const QString& path, std::vector<ExpectedItem>& rows,
          std::list<QByteArray>& texts) {
    auto keep = [&texts](const QString& text) {
        texts.push_back(text.toUtf8());
        return texts.back().constData();
    };
    for (QAction* action : menu->actions()) {
        if (action->menu()) {
            walk(action->menu(), path + '/' + action->text(), rows, texts);
            continue;
        }
        if (action->isSeparator()) {
            rows.push_back({keep(path), "-", "", "", ""});
            continue;
        }
        rows.push_back({keep(path), keep(app::MainMenu::shownCaption(action)),
                        keep(action->objectName()), keep(app::MainMenu::shownKeyText(action)), ""});
    }
}

QStringList operationsOf(const ExpectedItem (&items)[std::size(expectedMenu)]) {
    QStringList names;
    for (const ExpectedItem& item : items) {
        if (*item.operation)
            names << QString::fromUtf8(item.operation);
    }
    return names;
}

} // namespace

TEST(MainMenu, TitlesInOrderWithTheBlankAfterFile) {
    ShellRig rig;
    QStringList titles;
    for (QAction* action : rig.find<QMenuBar>("MainMenu1")->actions())
        titles << action->text();
    EXPECT_EQ(titles, (QStringList{"Файл ", "Порт", "Управление", "Сервис", "Вид", "Помощь"}));
}

TEST(MainMenu, EveryRowCaptionSeparatorAndKeyAsDesigned) {
    ShellRig rig;
    std::vector<ExpectedItem> rows;
    std::list<QByteArray> texts;
    for (QAction* title : rig.find<QMenuBar>("MainMenu1")->actions())
        walk(title->menu(), title->text(), rows, texts);
    ASSERT_EQ(rows.size(), std::size(expectedMenu));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const ExpectedItem& want = expectedMenu[i];
        SCOPED_TRACE(std::string("row ") + std::to_string(i) + " " + want.caption);
        EXPECT_STREQ(rows[i].path, want.path);
        EXPECT_STREQ(rows[i].caption, want.caption);
        EXPECT_STREQ(rows[i].name, want.name);
        EXPECT_STREQ(rows[i].key, want.key);
    }
}

TEST(MainMenu, EveryItemRunsItsOperation) {
    ShellRig rig;
    rig.record(operationsOf(expectedMenu));
    for (const ExpectedItem& item : expectedMenu) {
        if (!*item.name)
            continue;
        rig.ran.clear();
        rig.find<QAction>(item.name)->trigger();
        EXPECT_EQ(rig.ran, QStringList{item.operation}) << item.name;
    }
}

TEST(MainMenu, EveryShortcutRunsTheFirstItemThatCarriesIt) {
    ShellRig rig;
    rig.record(operationsOf(expectedMenu));
    ASSERT_TRUE(rig.showActive());
    QStringList keysSeen;
    for (const ExpectedItem& item : expectedMenu) {
        if (!*item.key || keysSeen.contains(item.key))
            continue;
        keysSeen << item.key;
        const QKeyCombination key = QKeySequence::fromString(item.key)[0];
        rig.ran.clear();
        QTest::keyClick(rig.window.get(), key.key(), key.keyboardModifiers());
        EXPECT_EQ(rig.ran, QStringList{item.operation}) << item.key;
    }
}

TEST(MainMenu, CtrlInsRunsTheRegisterViewNeverTheBrowser) {
    ShellRig rig;
    rig.record({"SpeedButton10", "SpeedButton28"});
    ASSERT_TRUE(rig.showActive());
    QTest::keyClick(rig.window.get(), Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(rig.ran, QStringList{"SpeedButton10"});
    EXPECT_EQ(app::MainMenu::shownKeyText(rig.find<QAction>("N44")), "Ctrl+Ins")
        << "the browser item still shows the key";
    rig.find<QAction>("N44")->trigger();
    EXPECT_EQ(rig.ran, (QStringList{"SpeedButton10", "SpeedButton28"}));
}

TEST(MainMenu, ViewItemsSetTheirButtonDownBeforeClicking) {
    ShellRig rig;
    auto* button = new QToolButton(rig.window.get());
    button->setObjectName("SpeedButton10");
    button->setCheckable(true);
    bool downAtClick = false;
    rig.window->clicks().add("SpeedButton10", [&] { downAtClick = button->isChecked(); });
    rig.find<QAction>("N28")->trigger();
    EXPECT_TRUE(downAtClick);
}

TEST(MainMenu, ScrollKeysRunWhileTheScrollButtonsAreDisabled) {
    ShellRig rig;
    for (const char* name : {"SpeedButton13", "SpeedButton9"}) {
        auto* button = new QToolButton(rig.window.get());
        button->setObjectName(name);
        button->setEnabled(false);
    }
    rig.record({"SpeedButton13", "SpeedButton9"});
    ASSERT_TRUE(rig.showActive());
    QTest::keyClick(rig.window.get(), Qt::Key_F11);
    QTest::keyClick(rig.window.get(), Qt::Key_F12);
    EXPECT_EQ(rig.ran, (QStringList{"SpeedButton13", "SpeedButton9"}));
}

TEST(MainMenu, ShiftF12FlipsEachOfTheFiveLocks) {
    ShellRig rig;
    ASSERT_TRUE(rig.showActive());
    rig.find<QAction>("N9")->trigger(); // the control keyboard starts locked
    QTest::keyClick(rig.window.get(), Qt::Key_F12, Qt::ShiftModifier);
    EXPECT_FALSE(rig.find<QWidget>("ToolBar1")->isEnabled());
    EXPECT_TRUE(rig.find<QWidget>("ToolBar2")->isEnabled());
    EXPECT_FALSE(rig.find<QComboBox>("ComboBox1")->isEnabled());
    for (const char* name : {"SpeedButton1", "SpeedButton2", "SpeedButton3", "SpeedButton4"})
        EXPECT_FALSE(rig.find<QWidget>(name)->isEnabled()) << name;
    QTest::keyClick(rig.window.get(), Qt::Key_F12, Qt::ShiftModifier);
    EXPECT_TRUE(rig.find<QWidget>("ToolBar1")->isEnabled());
    EXPECT_FALSE(rig.find<QWidget>("ToolBar2")->isEnabled());
}

TEST(MainMenu, CpuItemWritesTheSpeedIntoTheFifthPanel) {
    ShellRig rig;
    rig.find<QAction>("CPU1")->trigger();
    EXPECT_EQ(rig.window->statusBar1().panelText(4), app::CpuSpeedMeter::speedText(1000.0));
    EXPECT_TRUE(rig.window->statusBar1().panelText(4).startsWith("CPU speed: 1000"));
}

TEST(Exit, CtrlXClosesTheWindowAndSetsTheStopFlag) {
    ShellRig rig;
    ASSERT_TRUE(rig.showActive());
    QSignalSpy closed(rig.window.get(), &app::TForm1::closed);
    rig.window->setCaptureStopFlag(false);
    QTest::keyClick(rig.window.get(), Qt::Key_X, Qt::ControlModifier);
    EXPECT_FALSE(rig.window->isVisible());
    EXPECT_TRUE(rig.window->captureStopFlag());
    EXPECT_EQ(closed.count(), 1);
}

TEST(Exit, ClosingDuringACaptureEndsTheLoop) {
    ShellRig rig;
    ASSERT_TRUE(rig.showActive());
    QSignalSpy closed(rig.window.get(), &app::TForm1::closed);
    int cycles = 0;
    // A capture loop as the 17-bit diagram runs one: until the stop flag,
    // handling the window's events at the end of every cycle.
    rig.window->clicks().add("SpeedButton7", [&] {
        rig.window->setCaptureStopFlag(false);
        while (!rig.window->captureStopFlag() && cycles < 1'000'000) {
            ++cycles;
            QCoreApplication::processEvents();
        }
    });
    QTimer::singleShot(20, rig.window.get(), [&] { rig.window->close(); });
    QTest::keyClick(rig.window.get(), Qt::Key_F9);
    EXPECT_LT(cycles, 1'000'000) << "the loop ended at the close";
    EXPECT_FALSE(rig.window->isVisible());
    EXPECT_EQ(closed.count(), 1);
}

TEST(MainMenu, KeysReachTheirItemsAlsoFromAFocusedField) {
    ShellRig rig;
    rig.record({"SpeedButton10", "SpeedButton11", "N4"});
    ASSERT_TRUE(rig.showActive());
    QLineEdit* field = rig.find("Edit5");
    field->setFocus();
    ASSERT_TRUE(field->hasFocus());
    QTest::keyClick(field, Qt::Key_Insert, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Insert, Qt::ShiftModifier);
    QTest::keyClick(field, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(rig.ran, (QStringList{"SpeedButton10", "SpeedButton11", "N4"}));
    rig.ran.clear();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(rig.ran.isEmpty()) << "keys no item carries stay the field's";
}
