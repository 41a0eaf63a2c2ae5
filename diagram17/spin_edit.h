#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace voltarix::diagram17 {

// A numeric field with up and down arrows whose text is the state. Its value
// is the integer in the text at the moment of reading; a text that holds no
// integer reads as the minimum. The range is applied only when the field
// loses the focus, so a value out of range can stand in it while the user
// types. A range of 0 to 0 means no range at all.
class SpinEdit : public QWidget {
    Q_OBJECT
public:
    explicit SpinEdit(QWidget* parent = nullptr);

    void setRange(int minimum, int maximum);
    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }
    bool hasRange() const { return minimum_ != 0 || maximum_ != 0; }

    // Cheap: the value is parsed once per change of the text.
    int value() const { return value_; }
    // Writes the value, limited to the range, as decimal text.
    void setValue(int value);
    int limited(int value) const;

    QString text() const;
    void setText(const QString& text);
    QLineEdit* lineEdit() const { return edit_; }

    void stepBy(int steps);

signals:
    // The text changed, by the user or by the program.
    void changed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void textEdited();
    void applyRange();

    QLineEdit* edit_;
    QToolButton* up_;
    QToolButton* down_;
    int minimum_ = 0;
    int maximum_ = 0;
    int value_ = 0;
};

} // namespace voltarix::diagram17
