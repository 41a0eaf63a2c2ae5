#include "ui/status_bar.h"

#include <QHBoxLayout>
#include <QLabel>

namespace voltarix::ui {

StatusBar::StatusBar(const std::array<PanelDesign, panelCount>& panels, QWidget* parent)
    : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 2, 0, 0);
    layout->setSpacing(2);
    for (int i = 0; i < panelCount; ++i) {
        const PanelDesign& design = panels[static_cast<std::size_t>(i)];
        auto* label = new QLabel(design.text, this);
        label->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setAlignment(design.alignment);
        label->setIndent(2);
        // As in the platform's status bars, the last panel reaches to the
        // bar's right end; its design width is only its least.
        const bool last = i == panelCount - 1;
        if (last) {
            label->setMinimumWidth(design.width);
            label->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
        } else {
            label->setFixedWidth(design.width);
        }
        layout->addWidget(label, last ? 1 : 0);
        panels_[static_cast<std::size_t>(i)] = label;
    }
}

QString StatusBar::panelText(int index) const {
    return panels_.at(static_cast<std::size_t>(index))->text();
}

void StatusBar::setPanelText(int index, const QString& text) {
    QLabel* label = panels_.at(static_cast<std::size_t>(index));
    if (label->text() != text)
        label->setText(text);
}

} // namespace voltarix::ui
