#include "pictures/export/page_export_controls.h"

#include "panel/panel_style.h"
#include "ui/glyph_button.h"
#include "ui/hints.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPainter>
#include <QRadioButton>
#include <QToolButton>

namespace voltarix::pictures {

namespace {

const QString autosaveCaption = QStringLiteral("Сохр. автоматич.");
const QString autosaveHint = QStringLiteral("Автосохранение новой страницы");
// The bitmap buttons' captions begin with a Latin C.
const QString bitmapCaption = QStringLiteral("Cохр. bmp");
const QString metafileCaption = QStringLiteral("Сохр. wmf");

QGroupBox* makeGroup(QWidget* tab, const QString& name, const QString& caption, int left) {
    auto* group = new QGroupBox(caption, tab);
    group->setObjectName(name);
    group->setGeometry(left, 2, 152, 96);
    return group;
}

QCheckBox* makeCheckBox(QGroupBox* group, const QString& name) {
    auto* box = new QCheckBox(autosaveCaption, group);
    box->setObjectName(name);
    box->setGeometry(8, 44, 138, 18);
    ui::setHint(box, autosaveHint);
    return box;
}

QRadioButton* makeRadio(QGroupBox* group, const QString& name, const QString& caption,
                        const QString& hint, int left, bool selected) {
    auto* radio = new QRadioButton(caption, group);
    radio->setObjectName(name);
    radio->setGeometry(left, 68, 56, 18);
    radio->setChecked(selected);
    ui::setHint(radio, hint);
    return radio;
}

// A diskette with the diagram's own mark: level steps for the 17-bit
// diagram, bars for the register diagram; the second image is the disabled one.
QPixmap saveAsGlyphStrip(bool registerDiagram) {
    QPixmap strip(32, 16);
    strip.fill(Qt::transparent);
    QPainter painter(&strip);
    for (int image = 0; image < 2; ++image) {
        const int x = 16 * image;
        const QColor body = image == 0 ? QColor(40, 70, 160) : QColor(128, 128, 128);
        painter.setPen(body.darker(150));
        painter.setBrush(body);
        painter.drawRect(x + 1, 1, 13, 13);
        painter.setBrush(Qt::white);
        painter.drawRect(x + 3, 2, 9, 6);
        painter.setBrush(QColor(200, 200, 200));
        painter.drawRect(x + 4, 10, 7, 4);
        const QColor mark = image == 0 ? (registerDiagram ? Qt::red : Qt::darkGreen) : Qt::gray;
        painter.setPen(mark);
        if (registerDiagram) {
            painter.drawLine(x + 5, 7, x + 5, 5);
            painter.drawLine(x + 7, 7, x + 7, 3);
            painter.drawLine(x + 9, 7, x + 9, 4);
        } else {
            painter.drawPolyline(QPolygon(
                {{x + 4, 6}, {x + 6, 6}, {x + 6, 3}, {x + 9, 3}, {x + 9, 6}, {x + 11, 6}}));
        }
    }
    return strip;
}

// A sheet with a pulse train and an arrow out of it: the recording leaves the
// program for other tools. The second image is the disabled one.
QPixmap exportGlyphStrip() {
    QPixmap strip(32, 16);
    strip.fill(Qt::transparent);
    QPainter painter(&strip);
    for (int image = 0; image < 2; ++image) {
        const int x = 16 * image;
        const bool enabled = image == 0;
        painter.setPen(enabled ? QColor(90, 90, 90) : QColor(150, 150, 150));
        painter.setBrush(Qt::white);
        painter.drawPolygon(
            QPolygon({{x + 1, 1}, {x + 9, 1}, {x + 12, 4}, {x + 12, 14}, {x + 1, 14}}));
        painter.setPen(enabled ? QColor(Qt::darkGreen) : QColor(Qt::gray));
        painter.drawPolyline(QPolygon({{x + 2, 10},
                                       {x + 4, 10},
                                       {x + 4, 6},
                                       {x + 7, 6},
                                       {x + 7, 10},
                                       {x + 9, 10},
                                       {x + 9, 6},
                                       {x + 11, 6}}));
        painter.setPen(enabled ? QColor(20, 60, 190) : QColor(Qt::gray));
        painter.drawLine(x + 9, 12, x + 15, 12);
        painter.drawLine(x + 13, 10, x + 15, 12);
        painter.drawLine(x + 13, 14, x + 15, 12);
    }
    return strip;
}

ui::GlyphButton* makeGlyphButton(QWidget* tab, const QString& name, const QString& hint, int left,
                                 const QPixmap& strip) {
    auto* button = new ui::GlyphButton(tab);
    button->setObjectName(name);
    button->setGlyphStrip(strip);
    button->setNumGlyphs(2);
    button->setGeometry(left, 102, 26, 26);
    ui::setHint(button, hint);
    return button;
}

} // namespace

PageExportControls::PageExportControls(QWidget* tab) {
    GroupBox7 =
        makeGroup(tab, QStringLiteral("GroupBox7"), QStringLiteral("Сохр. страницу 17 bit"), 2);
    SpeedButton14 = panel::makeButton(GroupBox7, QStringLiteral("SpeedButton14"), bitmapCaption,
                                      {6, 18, 62, 22});
    ui::setHint(SpeedButton14, QStringLiteral("В формате *BMP "));
    SpeedButton15 = panel::makeButton(GroupBox7, QStringLiteral("SpeedButton15"), metafileCaption,
                                      {70, 18, 62, 22});
    ui::setHint(SpeedButton15, QStringLiteral("В формате *WMF"));
    SpeedButton20 = panel::makeButton(GroupBox7, QStringLiteral("SpeedButton20"),
                                      QStringLiteral("?"), {134, 18, 14, 22});
    SpeedButton20->setAutoRaise(true);
    ui::setHint(SpeedButton20, QStringLiteral("О форматах"));
    CheckBox8 = makeCheckBox(GroupBox7, QStringLiteral("CheckBox8"));
    RadioButton7 = makeRadio(GroupBox7, QStringLiteral("RadioButton7"), QStringLiteral("bmp"),
                             QStringLiteral("Автосохранение в *BMP"), 10, false);
    RadioButton8 = makeRadio(GroupBox7, QStringLiteral("RadioButton8"), QStringLiteral("wmf"),
                             QStringLiteral("Автосохранение в *WMF (Реком.)"), 72, true);

    GroupBox16 =
        makeGroup(tab, QStringLiteral("GroupBox16"), QStringLiteral("Сохр. рег. страницу"), 158);
    SpeedButton25 = panel::makeButton(GroupBox16, QStringLiteral("SpeedButton25"), bitmapCaption,
                                      {6, 18, 62, 22});
    ui::setHint(SpeedButton25, QStringLiteral("В формате *BMP "));
    SpeedButton26 = panel::makeButton(GroupBox16, QStringLiteral("SpeedButton26"), metafileCaption,
                                      {70, 18, 62, 22});
    ui::setHint(SpeedButton26, QStringLiteral("В формате *WMF "));
    RadioButton9 = makeRadio(GroupBox16, QStringLiteral("RadioButton9"), QStringLiteral("bmp"),
                             QStringLiteral("Автосохранение в *BMP"), 10, false);
    RadioButton10 = makeRadio(GroupBox16, QStringLiteral("RadioButton10"), QStringLiteral("wmf"),
                              QStringLiteral("Автосохранение в *WMF"), 72, true);
    CheckBox27 = makeCheckBox(GroupBox16, QStringLiteral("CheckBox27"));

    SpeedButton30 = makeGlyphButton(tab, QStringLiteral("SpeedButton30"),
                                    QStringLiteral("17bit график - Сохранить как..."), 4,
                                    saveAsGlyphStrip(false));
    SpeedButton29 = makeGlyphButton(tab, QStringLiteral("SpeedButton29"),
                                    QStringLiteral("Reg. график - Сохранить как..."), 32,
                                    saveAsGlyphStrip(true));
    SpeedButton36 =
        makeGlyphButton(tab, QStringLiteral("SpeedButton36"),
                        QStringLiteral("17bit график - Экспорт в VCD..."), 60, exportGlyphStrip());
}

} // namespace voltarix::pictures
