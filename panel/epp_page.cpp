#include "panel/epp_page.h"

#include "panel/direction_glyphs.h"
#include "panel/panel_style.h"
#include "ui/glyph_button.h"
#include "ui/hints.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QToolButton>

namespace voltarix::panel {

EppPage::EppPage(QWidget* parent) : QWidget(parent) {
    auto* group = new QGroupBox(QStringLiteral("EPP двунаправл. режим"), this);
    group->setGeometry(4, 2, 308, 128);

    makeLabel(group, QStringLiteral("Регистр данных"), {10, 18, 110, 14});
    SpeedButton33 = makeButton(group, QStringLiteral("SpeedButton33"),
                               QStringLiteral("Входной режим "), {8, 33, 112, 22});
    ui::setHint(SpeedButton33, QStringLiteral("Входной / реж. регистр. данных"));
    SpeedButton34 = makeButton(group, QStringLiteral("SpeedButton34"),
                               QStringLiteral("Выходной режим "), {8, 57, 112, 22});
    ui::setHint(SpeedButton34, QStringLiteral("Выходной реж. регистр. данных"));

    SpeedButton35 = new ui::GlyphButton(group);
    SpeedButton35->setObjectName(QStringLiteral("SpeedButton35"));
    SpeedButton35->setGlyphStrip(informationGlyph());
    SpeedButton35->setGeometry(126, 33, 24, 24);
    ui::setHint(SpeedButton35, QStringLiteral("О двунаправленном режиме EPP"));

    StaticText7 = new QLabel(QStringLiteral("Нет мониторинга"), group);
    StaticText7->setObjectName(QStringLiteral("StaticText7"));
    StaticText7->setGeometry(160, 33, 138, 22);
    StaticText7->setAlignment(Qt::AlignCenter);
    StaticText7->setFrameStyle(QFrame::Box | QFrame::Plain);
    StaticText7->setAutoFillBackground(true);
    QPalette palette = StaticText7->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Button));
    StaticText7->setPalette(palette);

    CheckBox31 = new QCheckBox(QStringLiteral("Использовать мониторинг направлений"), group);
    CheckBox31->setObjectName(QStringLiteral("CheckBox31"));
    CheckBox31->setGeometry(8, 82, 294, 18);

    QLabel* note = makeLabel(group,
                             QStringLiteral("Используйте для корректного отслеживания "
                                            "переключения режима другими программами"),
                             {10, 100, 292, 28});
    note->setWordWrap(true);
}

} // namespace voltarix::panel
