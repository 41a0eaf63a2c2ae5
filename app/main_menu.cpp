#include "app/main_menu.h"

#include "ui/click_registry.h"
#include "ui/handler_errors.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>

namespace voltarix::app {

namespace {

constexpr QChar keyColumn = u'\t';

QString menuKey(const MenuItemDesign& design) {
    return design.submenu.isEmpty() ? design.title : design.title + u'/' + design.submenu;
}

} // namespace

MainMenu::MainMenu(QMenuBar& bar, QWidget& window, const ui::ClickRegistry& clicks,
                   const ui::HandlerErrors& errors)
    : QObject(&bar), window_(window), clicks_(clicks), errors_(errors) {
    for (const MenuItemDesign& design : mainMenuDesign()) {
        QMenu* menu = menuFor(bar, design);
        if (design.command == MenuCommand::Separator)
            menu->addSeparator();
        else
            items_.insert(design.name, addItem(*menu, design));
    }
    qApp->installEventFilter(this);
}

bool MainMenu::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride || !watched->isWidgetType())
        return false;
    if (static_cast<QWidget*>(watched)->window() != &window_)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (!taken_.contains(QKeySequence(key->keyCombination())))
        return false;
    // Declining the override lets the shortcut map run the item.
    event->ignore();
    return true;
}

QMenu* MainMenu::menuFor(QMenuBar& bar, const MenuItemDesign& design) {
    QMenu* top = menus_.value(design.title);
    if (!top) {
        top = bar.addMenu(design.title);
        menus_.insert(design.title, top);
    }
    if (design.submenu.isEmpty())
        return top;
    QMenu* sub = menus_.value(menuKey(design));
    if (!sub) {
        sub = top->addMenu(design.submenu);
        menus_.insert(menuKey(design), sub);
    }
    return sub;
}

QAction* MainMenu::addItem(QMenu& menu, const MenuItemDesign& design) {
    auto* action = new QAction(design.caption, &menu);
    action->setObjectName(design.name);
    if (!design.keyText.isEmpty()) {
        const QKeySequence key = QKeySequence::fromString(design.keyText);
        const bool first = !taken_.contains(key);
        if (first) {
            taken_.append(key);
            action->setShortcut(key);
            action->setShortcutContext(Qt::WindowShortcut);
        }
        // QMenu writes whatever follows a tab in the key column instead of
        // the shortcut's own text.
        if (!first || key.toString(QKeySequence::NativeText) != design.keyText)
            action->setText(design.caption + keyColumn + design.keyText);
    }
    menu.addAction(action);
    window_.addAction(action);
    connect(action, &QAction::triggered, this, errors_.guarded([this, design] { run(design); }));
    return action;
}

void MainMenu::run(const MenuItemDesign& design) const {
    if (design.command == MenuCommand::SetDownAndPress) {
        auto* button = window_.findChild<QAbstractButton*>(design.target);
        if (button && button->isCheckable())
            button->setChecked(true);
    }
    clicks_.click(design.operationName());
}

QString MainMenu::shownCaption(const QAction* action) {
    return action->text().section(keyColumn, 0, 0);
}

QString MainMenu::shownKeyText(const QAction* action) {
    const QString text = action->text();
    if (text.contains(keyColumn))
        return text.section(keyColumn, 1);
    return action->shortcut().toString(QKeySequence::NativeText);
}

} // namespace voltarix::app
