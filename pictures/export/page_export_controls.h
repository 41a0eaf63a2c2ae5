#pragma once

class QCheckBox;
class QGroupBox;
class QRadioButton;
class QToolButton;
class QWidget;

namespace voltarix::ui {
class GlyphButton;
}

namespace voltarix::pictures {

// The page export controls of the tab "Сервис ": a group per diagram with
// its two export buttons, autosave box and format pair, the "?" button on
// formats, and the two save-as glyph buttons and the change dump export
// button below. They are built onto the
// tab, whose other controls (the picture browser's) stay as they are.
class PageExportControls {
public:
    explicit PageExportControls(QWidget* tab);

    QGroupBox* GroupBox7;
    QToolButton* SpeedButton14;
    QToolButton* SpeedButton15;
    QToolButton* SpeedButton20;
    QCheckBox* CheckBox8;
    QRadioButton* RadioButton7;
    QRadioButton* RadioButton8;

    QGroupBox* GroupBox16;
    QToolButton* SpeedButton25;
    QToolButton* SpeedButton26;
    QRadioButton* RadioButton9;
    QRadioButton* RadioButton10;
    QCheckBox* CheckBox27;

    ui::GlyphButton* SpeedButton30;
    ui::GlyphButton* SpeedButton29;
    // The 17-bit recording's export as a value change dump.
    ui::GlyphButton* SpeedButton36;
};

} // namespace voltarix::pictures
