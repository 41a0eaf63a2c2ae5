#pragma once

#include <QRgb>

class QWidget;

namespace voltarix::chart {
class Chart;
}

namespace voltarix::regdiagram {

// The register chart's three bar series, in the order they are added.
enum RegisterSeries { DataSeries = 0, ControlSeries = 1, StatusSeries = 2 };

// The colour every bar of a series is appended with.
inline constexpr QRgb dataBarColour = qRgb(255, 0, 0);
inline constexpr QRgb controlBarColour = qRgb(0, 255, 0);
inline constexpr QRgb statusBarColour = qRgb(0, 255, 255);

// The register chart Chart1 as designed: 25 cycles a page on a manual bottom
// axis from 0 to 25, values 0 to 256, in 3D, with the bar series Series1
// (data), Series2 (control) and Series3 (status), all active.
chart::Chart* makeRegisterChart(QWidget* parent);

} // namespace voltarix::regdiagram
