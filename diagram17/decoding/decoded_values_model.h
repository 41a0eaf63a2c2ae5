#pragma once

#include <QAbstractTableModel>

#include <cstdint>

namespace voltarix::decode {
class AnnotationStore;
}

namespace voltarix::diagram17::decoding {

// The table of decoded values over the decoders' annotations, in the order they were found:
// time from the recording's first cycle, the cycle number as the counter shows it (from 1),
// decoder, row and the longest text. It shows what the store held at the last update().
class DecodedValuesModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Time, Cycle, Decoder, Row, Text, columnCount_ };
    // The store row of a value, as text, for choosing the values of one row.
    static constexpr int StoreRowRole = Qt::UserRole;

    DecodedValuesModel(const decode::AnnotationStore& store, QObject* parent);

    // Takes in what the store holds now; true when it grew.
    bool update();
    // The store was emptied or started again, or is another one now.
    void reset();
    void setStore(const decode::AnnotationStore& store) {
        store_ = &store;
        reset();
    }
    // The microseconds of the recording's first cycle, which times count from.
    void setOriginUs(std::uint64_t originUs) { originUs_ = originUs; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The text of a cell as the table and the CSV file show it.
    QString cellText(std::size_t row, int column) const;
    // The chart's x of the row's first cycle.
    std::uint64_t cycleOf(std::size_t row) const;
    static QString headerText(int column);
    static QString timeText(double seconds);

private:
    const decode::AnnotationStore* store_;
    std::uint64_t originUs_ = 0;
    int rows_ = 0;
};

} // namespace voltarix::diagram17::decoding
