#include "pictures/export/page_export.h"

#include "pictures/export/chart_picture.h"
#include "pictures/export/page_file_name.h"
#include "ui/status_bar.h"

#include <QLineEdit>

namespace voltarix::pictures {

PageExport::PageExport(ui::StatusBar& statusBar, Clock clock)
    : statusBar_(statusBar), clock_(std::move(clock)) {}

void PageExport::exportPage(const DiagramPage& page, PictureFormat format) const {
    const int panel = PageFileName::statusPanel(page.kind);
    statusBar_.setPanelText(panel, PageFileName::savingMessage(format));
    const QString name = PageFileName::fileName(page.kind, page.pageField.text(), clock_(), format);
    saveChartPicture(page.chart, name, format);
    statusBar_.setPanelText(panel,
                            PageFileName::label(page.kind) +
                                PageFileName::shortName(page.pageField.text(), clock_(), format));
}

} // namespace voltarix::pictures
