#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>

class QLineEdit;
class QRadioButton;
class QTimer;

namespace voltarix::diagram17 {

struct Diagram17Controls;

// The label format of the 17-bit chart (tab "Вид 17", group "Отображать"):
// cycle numbers, or the time of day that the clock Timer6 writes into the
// preview field Edit20 once a second.
class LabelClock : public QObject {
    Q_OBJECT
public:
    static inline const QString cyclesPreview = QStringLiteral("1234...");

    enum class Format { Cycles, HoursMinutes, HoursMinutesSeconds, Date };

    LabelClock(const Diagram17Controls& controls, QObject* parent);

    // Whether the points carry the cycle number ("Циклы" selected) or the
    // preview field's text.
    bool cyclesSelected() const;
    QString previewText() const;

    void RadioButton11Click();
    // A click on one of the time formats.
    void timeFormatClick();
    void Timer6Timer();

    // The preview text of a format at the given moment.
    static QString formatted(Format format, const QDateTime& at);

private:
    Format selectedFormat() const;

    QRadioButton& cycles_;
    QRadioButton& hoursMinutes_;
    QRadioButton& hoursMinutesSeconds_;
    QRadioButton& date_;
    QLineEdit& preview_;
    QTimer& clock_;
};

} // namespace voltarix::diagram17
