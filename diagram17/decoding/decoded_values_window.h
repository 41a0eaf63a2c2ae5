#pragma once

#include <QWidget>

#include <cstdint>
#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;

namespace voltarix::diagram17::decoding {

class DecodedValuesModel;

// The window "Декодированные значения", TForm5: the table of decoded values (StringGrid2), the
// choice of one row of the decoders or all (ComboBox4), how many values there are (Label5) and
// the CSV save button (Button16). The table follows the chart's page; a click on a value shows
// its cycle in the chart.
class TForm5 : public QWidget {
    Q_OBJECT
public:
    TForm5(DecodedValuesModel& model, QWidget* parent);

    // Brings the first value at or after this row of the whole table into view, unless the
    // mouse is over the table (the user is reading it).
    void follow(std::size_t row);
    void showCount();
    // The rows of the decoders that hold values: their names and store rows.
    void setRows(const QStringList& names, const std::vector<std::size_t>& storeRows);
    // Shows only the values of one store row, or all.
    void showOnly(std::optional<std::size_t> storeRow);

    QTableView* StringGrid2 = nullptr;
    QComboBox* ComboBox4 = nullptr;
    QPushButton* Button16 = nullptr;
    QLabel* Label5 = nullptr;

signals:
    // The row of the whole table the user clicked.
    void rowChosen(int row);

private:
    DecodedValuesModel& model_;
    QSortFilterProxyModel* shown_;
};

} // namespace voltarix::diagram17::decoding
