#pragma once

#include "app/main_window.h"
#include "decode/decode_worker.h"
#include "decode/decoder_catalog.h"
#include "diagram17/decoding/decoded_rows.h"
#include "diagram17/decoding/decoded_values_model.h"
#include "diagram17/decoding/decoder_tab.h"
#include "diagram17/decoding/decoding_control.h"
#include "diagram17/diagram17.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>

namespace voltarix::testkit {

// The library's decoders and the tests' own (a decoder that fails on purpose), loaded before
// any window asks for them: the library keeps one list for the whole process.
inline void loadTestDecoders() {
    const auto loaded = decode::DecoderCatalog::load(VOLTARIX_TEST_DECODERS);
    if (!loaded)
        throw std::runtime_error(loaded.error());
}

// Works the tab "Декодеры" of a real window as a user does.
class DecoderTabUser {
public:
    explicit DecoderTabUser(app::TForm1& window) : window_(window) {}

    diagram17::decoding::DecodingControl& control() { return window_.diagram17().decoding(); }
    diagram17::decoding::DecoderTab& tab() { return control().tab(); }

    void open() {
        auto* tabs = window_.findChild<QTabWidget*>(QStringLiteral("PageControl1"));
        tabs->setCurrentWidget(window_.findChild<QWidget*>(QStringLiteral("TabSheet9")));
    }
    // Adds a decoder on the pins (lower -1) or on the chosen decoder `lower`.
    void add(const QString& id, int lower = -1) {
        QComboBox& catalog = *tab().ComboBox2;
        const int at = catalog.findData(id);
        ASSERT_GE(at, 0) << id.toStdString();
        catalog.setCurrentIndex(at);
        QComboBox& on = *tab().ComboBox3;
        const int where = on.findData(lower);
        ASSERT_GE(where, 0);
        on.setCurrentIndex(where);
        tab().Button13->click();
        settle();
    }
    void pin(const QString& channel, int pin) {
        auto* box = cell<QComboBox>("StringGrid1Pin_" + channel);
        box->setCurrentIndex(box->findData(pin));
    }
    void option(const QString& id, const QString& value) {
        QWidget* editor = cell<QWidget>("StringGrid1Option_" + id);
        if (auto* list = qobject_cast<QComboBox*>(editor)) {
            list->setCurrentIndex(list->findText(value));
            ASSERT_EQ(list->currentText(), value);
            return;
        }
        auto* field = qobject_cast<QLineEdit*>(editor);
        ASSERT_NE(field, nullptr);
        field->selectAll();
        QTest::keyClicks(field, value);
    }
    void rate(const QString& text) { tab().Edit21->setText(text); }
    void apply() { tab().Button15->click(); }

    // Waits until the worker has decoded the whole recording and the window took it in.
    void waitDecoded() {
        decode::DecodeWorker* worker = control().worker();
        ASSERT_NE(worker, nullptr);
        ASSERT_TRUE(worker->waitFinished(std::chrono::seconds(60)));
        control().poll();
    }

    // The texts of the table's values of one decoder's row, in table order.
    QStringList texts(const QString& decoder, const QString& row) {
        diagram17::decoding::DecodedValuesModel& values = control().values();
        QStringList found;
        using Column = diagram17::decoding::DecodedValuesModel::Column;
        for (int r = 0; r < values.rowCount(); ++r) {
            const auto i = static_cast<std::size_t>(r);
            if (values.cellText(i, Column::Decoder) == decoder &&
                values.cellText(i, Column::Row) == row)
                found << values.cellText(i, Column::Text);
        }
        return found;
    }
    QStringList rowNames() {
        QStringList names;
        const auto& rows = control().rows();
        for (int r = 0; r < rows.rowCount(); ++r)
            names << rows.rowName(r);
        return names;
    }

private:
    // Cells of an earlier choice are deleted later; they must not be found.
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    template <typename T> T* cell(const QString& name) {
        settle();
        T* found = tab().StringGrid1->findChild<T*>(name);
        if (!found)
            throw std::runtime_error("no cell " + name.toStdString());
        return found;
    }

    app::TForm1& window_;
};

} // namespace voltarix::testkit
