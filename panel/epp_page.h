#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QToolButton;

namespace voltarix::ui {
class GlyphButton;
}

namespace voltarix::panel {

// The settings page of the data direction: input and output commands, the
// information button, direction monitoring and its indicator.
class EppPage : public QWidget {
    Q_OBJECT
public:
    explicit EppPage(QWidget* parent = nullptr);

    QToolButton* SpeedButton33 = nullptr;
    QToolButton* SpeedButton34 = nullptr;
    ui::GlyphButton* SpeedButton35 = nullptr;
    QCheckBox* CheckBox31 = nullptr;
    QLabel* StaticText7 = nullptr;
};

} // namespace voltarix::panel
