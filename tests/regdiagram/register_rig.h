#pragma once

#include "chart/chart.h"
#include "panel/live_monitor.h"
#include "panel/window_rig.h"
#include "regdiagram/diagram_views.h"
#include "regdiagram/register_diagram.h"
#include "ui/spin_edit.h"

#include <QCheckBox>
#include <QRadioButton>
#include <QString>
#include <QStringList>

#include <cstdint>

namespace voltarix::testkit {

// The real window on $378 with the register chart at hand. Each change
// helper gives the register a new value and runs one poll of the live
// monitor, as Timer1 would.
struct RegisterRig : Port378Rig {
    chart::Chart& chart1() const { return *find<chart::Chart>(QStringLiteral("Chart1")); }
    const chart::ChartSeries& series(int index) const { return chart1().model().series(index); }
    const chart::ChartSeries& data() const { return series(0); }
    const chart::ChartSeries& control() const { return series(1); }
    const chart::ChartSeries& status() const { return series(2); }
    // The cycles the bottom axis shows.
    chart::AxisRange shown() const { return chart1().bottomAxis().range(); }
    app::TForm1& form() const { return *window; }
    regdiagram::RegisterDiagram& diagram() const { return form().registerDiagram(); }

    void poll() { form().portPanel().monitor().Timer1Timer(); }
    void changeData() {
        port378().data = static_cast<std::uint8_t>(port378().data + 1);
        poll();
    }
    void changeStatus() {
        port378().status = static_cast<std::uint8_t>(port378().status + 8);
        poll();
    }
    void changeControl() {
        port378().control = static_cast<std::uint8_t>((port378().control + 1) & 0x0F);
        poll();
    }
    void dataChanges(int count) {
        for (int i = 0; i < count; ++i)
            changeData();
    }

    template <typename T> QString text(const QString& name) const { return find<T>(name)->text(); }
    QString text(const QString& name) const { return find<QLineEdit>(name)->text(); }
    bool diagramViewsExpanded() const { return form().diagramViews().expanded(); }

    void check(const QString& name, bool on) { find<QCheckBox>(name)->setChecked(on); }
    void select(const QString& radioButton) { find<QRadioButton>(radioButton)->setChecked(true); }
    void type(const QString& field, const QString& text) {
        auto* edit = window->findChild<QWidget*>(field);
        if (auto* spin = qobject_cast<ui::SpinEdit*>(edit))
            spin->setText(text);
        else
            find<QLineEdit>(field)->setText(text);
    }

    static QStringList labels(const chart::ChartSeries& s) {
        QStringList list;
        for (std::int64_t i = 0; i < s.count(); ++i)
            list << s.label(i);
        return list;
    }
    static QList<double> values(const chart::ChartSeries& s) {
        QList<double> list;
        for (std::int64_t i = 0; i < s.count(); ++i)
            list << s.y(i);
        return list;
    }
};

} // namespace voltarix::testkit
