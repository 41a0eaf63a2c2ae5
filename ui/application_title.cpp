#include "ui/application_title.h"

namespace voltarix::ui {

namespace {

QString& storedTitle() {
    static QString title;
    return title;
}

} // namespace

void setApplicationTitle(const QString& title) {
    storedTitle() = title;
}

QString applicationTitle() {
    return storedTitle();
}

} // namespace voltarix::ui
