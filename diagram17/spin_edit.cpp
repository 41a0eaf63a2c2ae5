#include "diagram17/spin_edit.h"

#include "ui/integer_text.h"

#include <QFocusEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

namespace voltarix::diagram17 {

namespace {

QToolButton* makeArrow(QWidget* parent, Qt::ArrowType arrow) {
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setFixedWidth(14);
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    return button;
}

} // namespace

SpinEdit::SpinEdit(QWidget* parent)
    : QWidget(parent), edit_(new QLineEdit(this)), up_(makeArrow(this, Qt::UpArrow)),
      down_(makeArrow(this, Qt::DownArrow)) {
    // Digits, a sign and the hexadecimal forms the conversion reads; letters
    // that can never make a number are refused at the key.
    edit_->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[ +\\-]*[$xX0-9A-Fa-f]*")), edit_));
    edit_->installEventFilter(this);
    auto* arrows = new QVBoxLayout;
    arrows->setContentsMargins(0, 0, 0, 0);
    arrows->setSpacing(0);
    arrows->addWidget(up_);
    arrows->addWidget(down_);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(edit_);
    row->addLayout(arrows);
    connect(edit_, &QLineEdit::textChanged, this, &SpinEdit::textEdited);
    connect(up_, &QToolButton::clicked, this, [this] { stepBy(1); });
    connect(down_, &QToolButton::clicked, this, [this] { stepBy(-1); });
    setFocusProxy(edit_);
}

// The text stays as it is, so nothing is notified; only a text that holds no
// integer reads differently now.
void SpinEdit::setRange(int minimum, int maximum) {
    minimum_ = minimum;
    maximum_ = std::max(minimum, maximum);
    value_ = ui::parseInteger(edit_->text()).value_or(minimum_);
}

int SpinEdit::limited(int value) const {
    return hasRange() ? std::clamp(value, minimum_, maximum_) : value;
}

void SpinEdit::setValue(int value) {
    setText(QString::number(limited(value)));
}

QString SpinEdit::text() const {
    return edit_->text();
}

void SpinEdit::setText(const QString& text) {
    // The field notifies only when its text really changes.
    if (edit_->text() != text)
        edit_->setText(text);
}

void SpinEdit::stepBy(int steps) {
    const auto next = static_cast<long long>(value_) + steps;
    const auto bounded = std::clamp<long long>(next, std::numeric_limits<int>::min(),
                                               std::numeric_limits<int>::max());
    setValue(static_cast<int>(bounded));
}

void SpinEdit::textEdited() {
    value_ = ui::parseInteger(edit_->text()).value_or(minimum_);
    emit changed();
}

void SpinEdit::applyRange() {
    if (limited(value_) != value_)
        setValue(value_);
}

bool SpinEdit::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edit_) {
        if (event->type() == QEvent::FocusOut) {
            applyRange();
        } else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Up || key == Qt::Key_Down) {
                stepBy(key == Qt::Key_Up ? 1 : -1);
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace voltarix::diagram17
