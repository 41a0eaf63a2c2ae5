#pragma once

#include <QWidget>

class QButtonGroup;
class QToolButton;

namespace voltarix::regdiagram {

// The three view buttons of the 17-bit run tool bar: register chart only,
// 17-bit chart only, both charts. Exactly one is down; pressing one releases
// the others, and a down button stays down when pressed again.
class ViewButtonBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int buttonSize = 24;

    explicit ViewButtonBar(QWidget* parent = nullptr);

    QToolButton* SpeedButton10 = nullptr; // register chart only
    QToolButton* SpeedButton11 = nullptr; // 17-bit chart only
    QToolButton* SpeedButton12 = nullptr; // both charts, down at start

private:
    QToolButton* makeViewButton(const QString& name, const QString& hint, const QPixmap& glyph,
                                int index);

    QButtonGroup* group_;
};

} // namespace voltarix::regdiagram
