#include "diagram17/decoding/decoded_values_model.h"

#include "decode/annotation_store.h"

#include <array>
#include <limits>

namespace voltarix::diagram17::decoding {

namespace {
// A table view takes rows as int.
constexpr std::size_t maxRows = std::numeric_limits<int>::max();
} // namespace

DecodedValuesModel::DecodedValuesModel(const decode::AnnotationStore& store, QObject* parent)
    : QAbstractTableModel(parent), store_(&store) {}

bool DecodedValuesModel::update() {
    const auto size = static_cast<int>(std::min(store_->size(), maxRows));
    if (size < rows_) {
        reset();
        return true;
    }
    if (size == rows_)
        return false;
    beginInsertRows({}, rows_, size - 1);
    rows_ = size;
    endInsertRows();
    return true;
}

void DecodedValuesModel::reset() {
    beginResetModel();
    rows_ = static_cast<int>(std::min(store_->size(), maxRows));
    endResetModel();
}

int DecodedValuesModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int DecodedValuesModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columnCount_;
}

QString DecodedValuesModel::timeText(double seconds) {
    return QString::number(seconds, 'f', 6);
}

std::uint64_t DecodedValuesModel::cycleOf(std::size_t row) const {
    return (*store_)[row].firstCycle;
}

QString DecodedValuesModel::cellText(std::size_t row, int column) const {
    const decode::Annotation& a = (*store_)[row];
    switch (column) {
    case Time:
        return timeText((a.startUs - static_cast<double>(originUs_)) / 1e6);
    case Cycle:
        return QString::number(a.firstCycle + 1);
    case Decoder:
        return QString::fromStdString(store_->row(a.storeRow).decoderName);
    case Row:
        return QString::fromStdString(store_->row(a.storeRow).description);
    case Text:
        return QString::fromStdString(a.text());
    default:
        return {};
    }
}

QVariant DecodedValuesModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows_)
        return {};
    if (role == Qt::DisplayRole)
        return cellText(static_cast<std::size_t>(index.row()), index.column());
    if (role == StoreRowRole)
        return QString::number((*store_)[static_cast<std::size_t>(index.row())].storeRow);
    if (role == Qt::TextAlignmentRole && (index.column() == Time || index.column() == Cycle))
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QString DecodedValuesModel::headerText(int column) {
    static const std::array<QString, columnCount_> headers{
        QStringLiteral("Время, с"), QStringLiteral("Цикл"), QStringLiteral("Декодер"),
        QStringLiteral("Строка"), QStringLiteral("Текст")};
    return headers[static_cast<std::size_t>(column)];
}

QVariant DecodedValuesModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
        section >= columnCount_)
        return QAbstractTableModel::headerData(section, orientation, role);
    return headerText(section);
}

} // namespace voltarix::diagram17::decoding
