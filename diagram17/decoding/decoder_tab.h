#pragma once

#include "diagram17/decoding/decoder_setup.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;
class QToolButton;
class QWidget;

namespace voltarix::diagram17::decoding {

// The tab "Декодеры" of the 17-bit settings: the decoders of the library to choose from
// (ComboBox2) and what a new one stacks on (ComboBox3), the chosen ones (ListBox1), the
// channels and options of the one selected (StringGrid1, lists where the decoder names its
// values), the sample rate (Edit21, empty for the recording's own) and the rate in use
// (Label4). What the tab holds runs only when applied (Button15).
class DecoderTab : public QObject {
    Q_OBJECT
public:
    DecoderTab(QWidget& page, QObject* parent);

    // The decoders to choose from, once the library is loaded.
    void setCatalogue(const std::vector<decode::DecoderInfo>& catalog);
    DecoderSetup& setup() { return setup_; }
    const DecoderSetup& setup() const { return setup_; }

    // The rate typed in Edit21 in samples a second: 0 for none typed (the recording's own), or
    // nothing when the text is no whole positive number.
    std::optional<std::uint64_t> typedRate() const;

    // Shows the rate in use (0: none yet), or that nothing decodes.
    void showRate(bool decoding, std::uint64_t rateHz, bool fromRecording);
    void showText(const QString& text);
    static QString rateText(std::uint64_t rateHz);
    // Marks the choice as stopped by a fault; a new setting applied forgets the marks.
    void markFailed(int index);
    void clearFailures();

    // Adds the decoder chosen in ComboBox2 on what ComboBox3 names; removes the one selected.
    void addChosen();
    void removeSelected();
    // Selects a choice of the list and shows its channels and options.
    void select(int index);

    QComboBox* ComboBox2 = nullptr;
    QComboBox* ComboBox3 = nullptr;
    QPushButton* Button13 = nullptr; // add
    QListWidget* ListBox1 = nullptr;
    QTableWidget* StringGrid1 = nullptr;
    QPushButton* Button14 = nullptr; // remove
    QLineEdit* Edit21 = nullptr;
    QPushButton* Button15 = nullptr; // apply
    QLabel* Label4 = nullptr;
    QToolButton* SpeedButton37 = nullptr; // the table of decoded values

private:
    void build(QWidget& page);
    void fillCatalog();
    void fillLowerChoices();
    void refreshList(int selected);
    void showChoice(int index);
    void addChannelRow(int index, const decode::ChannelInfo& channel, bool optional, int row);
    void addOptionRow(int index, const decode::OptionInfo& option, int row);

    DecoderSetup setup_;
    std::vector<int> failed_;
};

} // namespace voltarix::diagram17::decoding
