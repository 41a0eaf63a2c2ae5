#include "diagram17/decoding/decoded_values_window.h"

#include "diagram17/decoding/decoded_values_model.h"
#include "ui/hints.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

#include <optional>

namespace voltarix::diagram17::decoding {

namespace {
const QString allRows = QStringLiteral("Все строки");
}

TForm5::TForm5(DecodedValuesModel& model, QWidget* parent)
    : QWidget(parent, Qt::Window), model_(model), shown_(new QSortFilterProxyModel(this)) {
    setObjectName(QStringLiteral("TForm5"));
    setWindowTitle(QStringLiteral("Декодированные значения"));
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(540, 420);
    shown_->setSourceModel(&model_);
    shown_->setFilterRole(DecodedValuesModel::StoreRowRole);
    shown_->setFilterKeyColumn(0);

    StringGrid2 = new QTableView(this);
    StringGrid2->setObjectName(QStringLiteral("StringGrid2"));
    StringGrid2->setModel(shown_);
    StringGrid2->setSelectionBehavior(QAbstractItemView::SelectRows);
    StringGrid2->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid2->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid2->verticalHeader()->hide();
    StringGrid2->verticalHeader()->setDefaultSectionSize(20);
    StringGrid2->horizontalHeader()->setStretchLastSection(true);
    StringGrid2->setColumnWidth(DecodedValuesModel::Time, 96);
    StringGrid2->setColumnWidth(DecodedValuesModel::Cycle, 80);
    StringGrid2->setColumnWidth(DecodedValuesModel::Decoder, 90);
    StringGrid2->setColumnWidth(DecodedValuesModel::Row, 110);
    ui::setHint(StringGrid2, QStringLiteral("Щелчок - значение на графике"));

    auto* rowCaption = new QLabel(QStringLiteral("Строка:"), this);
    ComboBox4 = new QComboBox(this);
    ComboBox4->setObjectName(QStringLiteral("ComboBox4"));
    ComboBox4->setMinimumWidth(200);
    ComboBox4->addItem(allRows);
    ui::setHint(ComboBox4, QStringLiteral("Показывать значения одной строки декодера или все"));
    Label5 = new QLabel(this);
    Label5->setObjectName(QStringLiteral("Label5"));
    Button16 = new QPushButton(QStringLiteral("Сохранить в CSV..."), this);
    Button16->setObjectName(QStringLiteral("Button16"));
    ui::setHint(Button16, QStringLiteral("Сохранить всю таблицу в файл CSV"));

    auto* top = new QHBoxLayout;
    top->addWidget(rowCaption);
    top->addWidget(ComboBox4, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Label5, 1);
    bottom->addWidget(Button16);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(top);
    layout->addWidget(StringGrid2, 1);
    layout->addLayout(bottom);

    connect(StringGrid2, &QTableView::clicked, this,
            [this](const QModelIndex& index) { emit rowChosen(shown_->mapToSource(index).row()); });
    connect(ComboBox4, &QComboBox::currentIndexChanged, this, [this] {
        const QVariant row = ComboBox4->currentData();
        showOnly(row.isValid() ? std::optional<std::size_t>(row.value<qulonglong>())
                               : std::nullopt);
    });
    showCount();
}

void TForm5::setRows(const QStringList& names, const std::vector<std::size_t>& storeRows) {
    const QVariant chosen = ComboBox4->currentData();
    ComboBox4->blockSignals(true);
    ComboBox4->clear();
    ComboBox4->addItem(allRows);
    for (qsizetype i = 0; i < names.size(); ++i)
        ComboBox4->addItem(names[i],
                           QVariant::fromValue<qulonglong>(storeRows[static_cast<std::size_t>(i)]));
    ComboBox4->setCurrentIndex(std::max(0, chosen.isValid() ? ComboBox4->findData(chosen) : 0));
    ComboBox4->blockSignals(false);
}

void TForm5::showOnly(std::optional<std::size_t> storeRow) {
    if (storeRow)
        shown_->setFilterRegularExpression(
            QRegularExpression(QStringLiteral("^%1$").arg(static_cast<qulonglong>(*storeRow))));
    else
        shown_->setFilterRegularExpression(QRegularExpression());
    showCount();
}

// The shown rows keep the table's order: the first at or after `row` is found by halving.
void TForm5::follow(std::size_t row) {
    if (!isVisible() || StringGrid2->underMouse() || shown_->rowCount() == 0)
        return;
    int low = 0;
    int high = shown_->rowCount() - 1;
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (static_cast<std::size_t>(shown_->mapToSource(shown_->index(middle, 0)).row()) < row)
            low = middle + 1;
        else
            high = middle;
    }
    StringGrid2->scrollTo(shown_->index(low, 0), QAbstractItemView::PositionAtTop);
}

void TForm5::showCount() {
    Label5->setText(QStringLiteral("Значений: %1").arg(shown_->rowCount()));
}

} // namespace voltarix::diagram17::decoding
