#pragma once

#include "chart/chart.h"
#include "panel/window_rig.h"
#include "pictures/export/page_pictures.h"
#include "sample_charts.h"
#include "ui/status_bar.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTime>

#include <memory>
#include <vector>

namespace voltarix::testkit {

// The real main window with both diagrams attached to its page pictures:
// charts, page number fields and the new-page beep box made here, as the
// diagrams will make them. The process works in a folder of its own for the
// rig's life; the clock and the beep are the rig's.
struct PagePicturesRig : WindowRig {
    PagePicturesRig() {
        previousFolder = QDir::currentPath();
        QDir::setCurrent(folder.path());
        Edit18.setObjectName(QStringLiteral("Edit18"));
        Edit18.setText(QStringLiteral("00"));
        Edit19.setObjectName(QStringLiteral("Edit19"));
        Edit19.setText(QStringLiteral("00"));
        CheckBox7.setObjectName(QStringLiteral("CheckBox7"));
        pictures().attachDiagram(pictures::DiagramKind::Bits17, *Chart2, Edit18, &CheckBox7);
        pictures().attachDiagram(pictures::DiagramKind::Register, *Chart1, Edit19);
        pictures().setClock([this] {
            clockReads.push_back(window->statusBar1().panelText(3) + QLatin1Char('|') +
                                 window->statusBar1().panelText(4));
            const QTime now = times.size() > 1 ? times.front() : times.back();
            if (times.size() > 1)
                times.erase(times.begin());
            return now;
        });
        pictures().setBeep([this] { ++beeps; });
    }
    ~PagePicturesRig() { QDir::setCurrent(previousFolder); }

    pictures::PagePictures& pictures() { return window->pagePictures(); }
    QString path(const QString& name) const { return folder.filePath(name); }
    QStringList files() const { return QDir(folder.path()).entryList(QDir::Files, QDir::Name); }

    QTemporaryDir folder;
    QString previousFolder;
    std::unique_ptr<chart::Chart> Chart2 = makeTraceChart(57);
    std::unique_ptr<chart::Chart> Chart1 = makeRegisterChart(20);
    QLineEdit Edit18;
    QLineEdit Edit19;
    QCheckBox CheckBox7;
    // Read one after the other; the last stays.
    std::vector<QTime> times{QTime(14, 5, 9)};
    // The status panels 3 and 4 at every reading of the clock.
    QStringList clockReads;
    int beeps = 0;
};

} // namespace voltarix::testkit
