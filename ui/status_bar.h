#pragma once

#include <QString>
#include <QWidget>

#include <array>

class QLabel;

namespace voltarix::ui {

// A status bar of fixed-width panels, addressed by their place from the left;
// the last one takes what is left of the bar's width.
class StatusBar : public QWidget {
    Q_OBJECT
public:
    struct PanelDesign {
        int width;
        QString text;
        Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    };
    static constexpr int panelCount = 6;

    StatusBar(const std::array<PanelDesign, panelCount>& panels, QWidget* parent = nullptr);

    QString panelText(int index) const;
    void setPanelText(int index, const QString& text);

private:
    std::array<QLabel*, panelCount> panels_{};
};

} // namespace voltarix::ui
