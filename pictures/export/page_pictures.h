#pragma once

#include "pictures/export/page_export.h"
#include "pictures/export/page_export_controls.h"
#include "pictures/export/picture_format.h"
#include "pictures/export/picture_format_choice.h"
#include "pictures/export/save_picture_dialog.h"

#include <QObject>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class QCheckBox;
class QLineEdit;

namespace voltarix::chart {
class Chart;
}
namespace voltarix::ui {
class ClickRegistry;
class HandlerErrors;
class MessageService;
class StatusBar;
} // namespace voltarix::ui

namespace voltarix::pictures {

class PageAutosave;

// Pictures of the diagram pages: export under a page file name by the four
// buttons, autosave at every new page, save-as through the save dialog, the
// format switches and the information box on formats. A diagram takes part
// once it is attached; until then its commands do nothing.
class PagePictures : public QObject {
    Q_OBJECT
public:
    using Beep = std::function<void()>;

    PagePictures(QWidget* serviceTab, ui::StatusBar& statusBar, ui::MessageService& messages,
                 const ui::HandlerErrors& errors, QWidget* owner);
    ~PagePictures() override;

    // Joins a diagram: its chart, its page number field (Edit18 or Edit19),
    // whose text changes are its new-page event, and for the 17-bit diagram
    // its new-page beep box (CheckBox7).
    void attachDiagram(DiagramKind kind, chart::Chart& chart, QLineEdit& pageField,
                       QCheckBox* newPageBeep = nullptr);
    // Registers the click operations of SpeedButton14, 15, 20, 25, 26, 29 and 30.
    void registerClicks(ui::ClickRegistry& clicks);

    // The export of a diagram's page under its page file name
    // (SpeedButton14Click, SpeedButton15Click, SpeedButton25Click, SpeedButton26Click).
    void exportPage(DiagramKind kind, PictureFormat format);
    // Save as (SpeedButton30Click, SpeedButton29Click).
    void saveAs(DiagramKind kind);
    // The autosave format switches (N23Click, N24Click).
    void switchFormat(DiagramKind kind);
    void N23Click() { switchFormat(DiagramKind::Bits17); }
    void N24Click() { switchFormat(DiagramKind::Register); }
    // SpeedButton20Click.
    void showFormatsInformation();

    PageExportControls& controls() { return controls_; }
    SavePictureDialog& saveDialog() { return saveDialog_; }
    // Tests read a clock and hear a beep of their own.
    void setClock(PageExport::Clock clock);
    void setBeep(Beep beep);

private:
    struct Diagram {
        chart::Chart* chart = nullptr;
        QLineEdit* pageField = nullptr;
        PageAutosave* autosave = nullptr;
    };

    Diagram& diagram(DiagramKind kind) { return diagrams_[static_cast<std::size_t>(kind)]; }
    PictureFormatChoice formatChoice(DiagramKind kind) const;
    QCheckBox& autosaveBox(DiagramKind kind) const;
    void connectButtons();

    PageExportControls controls_;
    ui::MessageService& messages_;
    const ui::HandlerErrors& errors_;
    QWidget* owner_;
    PageExport export_;
    SavePictureDialog saveDialog_;
    Beep beep_;
    std::array<Diagram, 2> diagrams_{};
};

} // namespace voltarix::pictures
