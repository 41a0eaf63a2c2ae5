#include "pictures/export/page_pictures.h"

#include "chart/chart.h"
#include "pictures/export/chart_picture.h"
#include "pictures/export/page_autosave.h"
#include "ui/click_registry.h"
#include "ui/glyph_button.h"
#include "ui/handler_errors.h"
#include "ui/message_service.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QToolButton>

namespace voltarix::pictures {

namespace {

const QString formatsCaption = QStringLiteral("О форматах");
const QString formatsText = QStringLiteral(
    "BMP - стандартный формат, можно редактировать в \"Paint\" ;  EMF(Метафайл) -  "
    "поддерживается практически всеми редакторами и вьюнерами (Встроенный в WindowsME и "
    "выше).");

} // namespace

PagePictures::PagePictures(QWidget* serviceTab, ui::StatusBar& statusBar,
                           ui::MessageService& messages, const ui::HandlerErrors& errors,
                           QWidget* owner)
    : QObject(owner), controls_(serviceTab), messages_(messages), errors_(errors), owner_(owner),
      export_(statusBar), saveDialog_(owner), beep_([] { QApplication::beep(); }) {
    connectButtons();
}

PagePictures::~PagePictures() = default;

void PagePictures::connectButtons() {
    const auto on = [this](QAbstractButton* button, auto operation) {
        connect(button, &QAbstractButton::clicked, this, errors_.guarded(operation));
    };
    on(controls_.SpeedButton14, [this] { exportPage(DiagramKind::Bits17, PictureFormat::Bitmap); });
    on(controls_.SpeedButton15,
       [this] { exportPage(DiagramKind::Bits17, PictureFormat::Metafile); });
    on(controls_.SpeedButton25,
       [this] { exportPage(DiagramKind::Register, PictureFormat::Bitmap); });
    on(controls_.SpeedButton26,
       [this] { exportPage(DiagramKind::Register, PictureFormat::Metafile); });
    on(controls_.SpeedButton30, [this] { saveAs(DiagramKind::Bits17); });
    on(controls_.SpeedButton29, [this] { saveAs(DiagramKind::Register); });
    on(controls_.SpeedButton20, [this] { showFormatsInformation(); });
}

void PagePictures::registerClicks(ui::ClickRegistry& clicks) {
    clicks.add(QStringLiteral("SpeedButton14"),
               [this] { exportPage(DiagramKind::Bits17, PictureFormat::Bitmap); });
    clicks.add(QStringLiteral("SpeedButton15"),
               [this] { exportPage(DiagramKind::Bits17, PictureFormat::Metafile); });
    clicks.add(QStringLiteral("SpeedButton25"),
               [this] { exportPage(DiagramKind::Register, PictureFormat::Bitmap); });
    clicks.add(QStringLiteral("SpeedButton26"),
               [this] { exportPage(DiagramKind::Register, PictureFormat::Metafile); });
    clicks.add(QStringLiteral("SpeedButton30"), [this] { saveAs(DiagramKind::Bits17); });
    clicks.add(QStringLiteral("SpeedButton29"), [this] { saveAs(DiagramKind::Register); });
    clicks.add(QStringLiteral("SpeedButton20"), [this] { showFormatsInformation(); });
}

void PagePictures::attachDiagram(DiagramKind kind, chart::Chart& chart, QLineEdit& pageField,
                                 QCheckBox* newPageBeep) {
    Diagram& d = diagram(kind);
    delete d.autosave;
    d.chart = &chart;
    d.pageField = &pageField;
    d.autosave = new PageAutosave(
        autosaveBox(kind), formatChoice(kind),
        [this, kind](PictureFormat format) { exportPage(kind, format); }, errors_, this);
    if (newPageBeep)
        d.autosave->setNewPageBeep(newPageBeep, [this] { beep_(); });
    d.autosave->watch(pageField);
}

void PagePictures::exportPage(DiagramKind kind, PictureFormat format) {
    const Diagram& d = diagram(kind);
    if (!d.chart)
        return;
    export_.exportPage({kind, *d.chart, *d.pageField}, format);
}

void PagePictures::saveAs(DiagramKind kind) {
    const Diagram& d = diagram(kind);
    const auto format = formatChoice(kind).selected();
    if (!d.chart || !format)
        return;
    if (const auto fileName = saveDialog_.run(*format))
        saveChartPicture(*d.chart, *fileName, *format);
}

void PagePictures::switchFormat(DiagramKind kind) {
    formatChoice(kind).switchFormat();
}

void PagePictures::showFormatsInformation() {
    messages_.showInformation(owner_, formatsCaption, formatsText);
}

PictureFormatChoice PagePictures::formatChoice(DiagramKind kind) const {
    return kind == DiagramKind::Bits17
               ? PictureFormatChoice(*controls_.RadioButton7, *controls_.RadioButton8)
               : PictureFormatChoice(*controls_.RadioButton9, *controls_.RadioButton10);
}

QCheckBox& PagePictures::autosaveBox(DiagramKind kind) const {
    return kind == DiagramKind::Bits17 ? *controls_.CheckBox8 : *controls_.CheckBox27;
}

void PagePictures::setClock(PageExport::Clock clock) {
    export_.setClock(std::move(clock));
}

void PagePictures::setBeep(Beep beep) {
    beep_ = std::move(beep);
}

} // namespace voltarix::pictures
