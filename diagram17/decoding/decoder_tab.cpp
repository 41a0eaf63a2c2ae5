#include "diagram17/decoding/decoder_tab.h"

#include "ui/hints.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QToolButton>

#include <algorithm>

namespace voltarix::diagram17::decoding {

namespace {

template <typename T> T* named(T* control, const QString& name, const QRect& geometry) {
    control->setObjectName(name);
    control->setGeometry(geometry);
    return control;
}

QPushButton* makeButton(QWidget& page, const QString& name, const QString& caption,
                        const QRect& geometry, const QString& hint) {
    auto* button = named(new QPushButton(caption, &page), name, geometry);
    ui::setHint(button, hint);
    return button;
}

const QString onPins = QStringLiteral("на выводы");
const QString noPinText = QStringLiteral("-");

} // namespace

DecoderTab::DecoderTab(QWidget& page, QObject* parent) : QObject(parent) {
    build(page);
    fillLowerChoices();
    showChoice(-1);
    connect(ComboBox2, &QComboBox::currentIndexChanged, this, [this] { fillLowerChoices(); });
    connect(Button13, &QPushButton::clicked, this, [this] { addChosen(); });
    connect(Button14, &QPushButton::clicked, this, [this] { removeSelected(); });
    connect(ListBox1, &QListWidget::currentRowChanged, this, [this](int row) { showChoice(row); });
}

void DecoderTab::setCatalogue(const std::vector<decode::DecoderInfo>& catalog) {
    setup_.setCatalogue(&catalog);
    fillCatalog();
    fillLowerChoices();
}

// The page is small: the list and the grid take its middle, the buttons and the rate the rows
// above and below them.
void DecoderTab::build(QWidget& page) {
    ComboBox2 = named(new QComboBox(&page), QStringLiteral("ComboBox2"), {4, 3, 106, 22});
    ui::setHint(ComboBox2, QStringLiteral("Декодеры библиотеки libsigrokdecode"));
    ComboBox3 = named(new QComboBox(&page), QStringLiteral("ComboBox3"), {112, 3, 88, 22});
    ui::setHint(ComboBox3, QStringLiteral("Куда подключить: на выводы или на декодер"));
    Button13 = makeButton(page, QStringLiteral("Button13"), QStringLiteral("Добавить"),
                          {202, 3, 54, 22}, QStringLiteral("Добавить декодер"));
    Button14 = makeButton(page, QStringLiteral("Button14"), QStringLiteral("Удалить"),
                          {258, 3, 50, 22}, QStringLiteral("Удалить декодер и те, что на нём"));

    ListBox1 = named(new QListWidget(&page), QStringLiteral("ListBox1"), {4, 28, 86, 78});
    ui::setHint(ListBox1, QStringLiteral("Выбранные декодеры"));
    StringGrid1 =
        named(new QTableWidget(0, 2, &page), QStringLiteral("StringGrid1"), {92, 28, 216, 78});
    StringGrid1->setHorizontalHeaderLabels(
        {QStringLiteral("Параметр"), QStringLiteral("Значение")});
    StringGrid1->verticalHeader()->hide();
    StringGrid1->verticalHeader()->setDefaultSectionSize(20);
    StringGrid1->horizontalHeader()->setFixedHeight(18);
    StringGrid1->horizontalHeader()->setStretchLastSection(true);
    StringGrid1->setColumnWidth(0, 92);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ui::setHint(StringGrid1,
                QStringLiteral("Выводы каналов (* - обязательные) и параметры декодера"));

    Edit21 = named(new QLineEdit(&page), QStringLiteral("Edit21"), {4, 108, 66, 20});
    Edit21->setPlaceholderText(QStringLiteral("по записи"));
    ui::setHint(Edit21, QStringLiteral("Частота выборки декодеров, Гц; пусто - по медиане "
                                       "периода циклов записи"));
    Label4 = named(new QLabel(&page), QStringLiteral("Label4"), {74, 108, 150, 20});
    ui::setHint(Label4, QStringLiteral("Частота выборки, с которой работают декодеры"));
    Button15 = makeButton(page, QStringLiteral("Button15"), QStringLiteral("Применить"),
                          {226, 108, 60, 20}, QStringLiteral("Применить настройку декодеров"));
    SpeedButton37 =
        named(new QToolButton(&page), QStringLiteral("SpeedButton37"), {288, 108, 20, 20});
    SpeedButton37->setIcon(page.style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    SpeedButton37->setAutoRaise(true);
    ui::setHint(SpeedButton37, QStringLiteral("Таблица декодированных значений"));
}

void DecoderTab::fillCatalog() {
    ComboBox2->clear();
    std::vector<const decode::DecoderInfo*> sorted;
    for (const decode::DecoderInfo& d : *setup_.catalogue())
        sorted.push_back(&d);
    std::sort(sorted.begin(), sorted.end(), [](const auto* a, const auto* b) {
        return QString::compare(QString::fromStdString(a->name), QString::fromStdString(b->name),
                                Qt::CaseInsensitive) < 0;
    });
    for (const decode::DecoderInfo* d : sorted) {
        ComboBox2->addItem(QString::fromStdString(d->name), QString::fromStdString(d->id));
        ComboBox2->setItemData(ComboBox2->count() - 1, QString::fromStdString(d->longName),
                               Qt::ToolTipRole);
    }
}

void DecoderTab::fillLowerChoices() {
    ComboBox3->clear();
    const std::string id = ComboBox2->currentData().toString().toStdString();
    const decode::DecoderInfo* d = setup_.description(id);
    if (d && d->readsLines())
        ComboBox3->addItem(onPins, DecoderChoice::notStacked);
    for (int lower : setup_.lowerCandidates(id))
        ComboBox3->addItem(QStringLiteral("на ") + QString::fromStdString(setup_.caption(lower)),
                           lower);
    Button13->setEnabled(ComboBox3->count() > 0);
}

void DecoderTab::addChosen() {
    if (ComboBox3->count() == 0)
        return;
    const int index = setup_.add(ComboBox2->currentData().toString().toStdString(),
                                 ComboBox3->currentData().toInt());
    refreshList(index);
}

void DecoderTab::removeSelected() {
    const int row = ListBox1->currentRow();
    if (row < 0)
        return;
    setup_.remove(row);
    failed_.clear();
    refreshList(std::min(row, static_cast<int>(setup_.choices().size()) - 1));
}

void DecoderTab::select(int index) {
    ListBox1->setCurrentRow(index);
    showChoice(index);
}

void DecoderTab::refreshList(int selected) {
    ListBox1->blockSignals(true);
    ListBox1->clear();
    for (int i = 0; i < static_cast<int>(setup_.choices().size()); ++i) {
        const bool stopped = std::find(failed_.begin(), failed_.end(), i) != failed_.end();
        ListBox1->addItem(QString::fromStdString(setup_.caption(i)) +
                          (stopped ? QStringLiteral(" (откл.)") : QString()));
    }
    ListBox1->setCurrentRow(selected);
    ListBox1->blockSignals(false);
    showChoice(selected);
    fillLowerChoices();
}

void DecoderTab::markFailed(int index) {
    if (std::find(failed_.begin(), failed_.end(), index) == failed_.end())
        failed_.push_back(index);
    if (index >= 0 && index < ListBox1->count())
        ListBox1->item(index)->setText(QString::fromStdString(setup_.caption(index)) +
                                       QStringLiteral(" (откл.)"));
}

void DecoderTab::clearFailures() {
    failed_.clear();
    refreshList(ListBox1->currentRow());
}

void DecoderTab::showChoice(int index) {
    StringGrid1->clearContents();
    StringGrid1->setRowCount(0);
    Button14->setEnabled(index >= 0);
    if (index < 0 || index >= static_cast<int>(setup_.choices().size()))
        return;
    const decode::DecoderInfo* d = setup_.descriptionAt(index);
    if (!d)
        return;
    const bool onPins =
        setup_.choices()[static_cast<std::size_t>(index)].stackedOn == DecoderChoice::notStacked;
    int row = 0;
    if (onPins) {
        for (const decode::ChannelInfo& channel : d->channels)
            addChannelRow(index, channel, false, row++);
        for (const decode::ChannelInfo& channel : d->optionalChannels)
            addChannelRow(index, channel, true, row++);
    }
    for (const decode::OptionInfo& option : d->options)
        addOptionRow(index, option, row++);
}

void DecoderTab::addChannelRow(int index, const decode::ChannelInfo& channel, bool optional,
                               int row) {
    StringGrid1->insertRow(row);
    const QString name = QString::fromStdString(channel.name);
    const QString description = QString::fromStdString(channel.description);
    auto* caption = new QTableWidgetItem(optional ? name : name + QStringLiteral(" *"));
    caption->setToolTip(description);
    StringGrid1->setItem(row, 0, caption);
    auto* pins = new QComboBox;
    pins->setObjectName(
        QStringLiteral("StringGrid1Pin_%1").arg(QString::fromStdString(channel.id)));
    pins->addItem(noPinText, DecoderSetup::noPin);
    for (int pin = decode::firstPin; pin <= decode::lastPin; ++pin)
        pins->addItem(QStringLiteral("Pin%1").arg(pin), pin);
    const auto& chosen = setup_.choices()[static_cast<std::size_t>(index)].pins;
    const auto found = chosen.find(channel.id);
    const int pin = found == chosen.end() ? DecoderSetup::noPin : found->second;
    pins->setCurrentIndex(std::max(0, pins->findData(pin)));
    ui::setHint(pins, description);
    connect(pins, &QComboBox::currentIndexChanged, this, [this, index, id = channel.id, pins] {
        setup_.setPin(index, id, pins->currentData().toInt());
    });
    StringGrid1->setCellWidget(row, 1, pins);
}

void DecoderTab::addOptionRow(int index, const decode::OptionInfo& option, int row) {
    StringGrid1->insertRow(row);
    const QString description = QString::fromStdString(option.description);
    auto* caption = new QTableWidgetItem(QString::fromStdString(option.id));
    caption->setToolTip(description);
    StringGrid1->setItem(row, 0, caption);
    const auto& chosen = setup_.choices()[static_cast<std::size_t>(index)].options;
    const auto found = chosen.find(option.id);
    const QString value =
        QString::fromStdString(found == chosen.end() ? option.defaultValue : found->second);
    QWidget* editor = nullptr;
    if (!option.allowedValues.empty()) {
        auto* values = new QComboBox;
        for (const std::string& allowed : option.allowedValues)
            values->addItem(QString::fromStdString(allowed));
        values->setCurrentIndex(std::max(0, values->findText(value)));
        connect(values, &QComboBox::currentTextChanged, this,
                [this, index, id = option.id](const QString& text) {
                    setup_.setOption(index, id, text.toStdString());
                });
        editor = values;
    } else {
        auto* field = new QLineEdit(value);
        connect(field, &QLineEdit::textEdited, this,
                [this, index, id = option.id](const QString& text) {
                    setup_.setOption(index, id, text.toStdString());
                });
        editor = field;
    }
    editor->setObjectName(
        QStringLiteral("StringGrid1Option_%1").arg(QString::fromStdString(option.id)));
    ui::setHint(editor, description);
    StringGrid1->setCellWidget(row, 1, editor);
}

std::optional<std::uint64_t> DecoderTab::typedRate() const {
    const QString typed = Edit21->text().simplified().remove(QChar(' '));
    if (typed.isEmpty())
        return 0;
    bool ok = false;
    const qulonglong rate = typed.toULongLong(&ok);
    if (!ok || rate == 0)
        return std::nullopt;
    return rate;
}

QString DecoderTab::rateText(std::uint64_t rateHz) {
    return QLocale(QLocale::Russian).toString(static_cast<qulonglong>(rateHz)) +
           QStringLiteral(" Гц");
}

void DecoderTab::showRate(bool decoding, std::uint64_t rateHz, bool fromRecording) {
    if (!decoding)
        showText(QStringLiteral("Декодеры не работают"));
    else if (rateHz == 0)
        showText(QStringLiteral("Ждёт циклов записи"));
    else
        showText(rateText(rateHz) + (fromRecording ? QStringLiteral(", по записи") : QString()));
}

void DecoderTab::showText(const QString& text) {
    if (Label4->text() != text)
        Label4->setText(text);
}

} // namespace voltarix::diagram17::decoding
