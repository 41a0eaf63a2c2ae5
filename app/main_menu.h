#pragma once

#include "app/main_menu_design.h"

#include <QHash>
#include <QObject>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace voltarix::ui {
class ClickRegistry;
class HandlerErrors;
} // namespace voltarix::ui

namespace voltarix::app {

// The main menu, built from its design table. Every item runs its operation
// through the click registry, so a button's item works while the button is
// disabled and presses no mouse. A shortcut key belongs to the first item in
// menu order that carries it; a later item with the same key shows the key
// beside its caption but does not answer it, since Qt would run neither of
// two actions sharing one shortcut. The keys go to the menu before any
// control of the window, as they do in a form whose menu answers shortcuts
// first: a field that would take Ctrl+Ins or Shift+Ins as a clipboard key
// does not keep them from their items.
class MainMenu : public QObject {
    Q_OBJECT
public:
    MainMenu(QMenuBar& bar, QWidget& window, const ui::ClickRegistry& clicks,
             const ui::HandlerErrors& errors);

    QAction* item(const QString& name) const { return items_.value(name); }
    QMenu* menu(const QString& title) const { return menus_.value(title); }

    // The caption a menu shows for an item: its caption, then after a tab the
    // key text where Qt would not write the key as the design does.
    static QString shownCaption(const QAction* action);
    // The key text shown beside an item's caption.
    static QString shownKeyText(const QAction* action);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QMenu* menuFor(QMenuBar& bar, const MenuItemDesign& design);
    QAction* addItem(QMenu& menu, const MenuItemDesign& design);
    void run(const MenuItemDesign& design) const;

    QWidget& window_;
    const ui::ClickRegistry& clicks_;
    const ui::HandlerErrors& errors_;
    QHash<QString, QMenu*> menus_; // by title, or title + "/" + sub-menu
    QHash<QString, QAction*> items_;
    QList<QKeySequence> taken_;
};

} // namespace voltarix::app
