#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QTextEdit;

namespace voltarix::app {

// The About window: created once at start-up, shown modally by "О программе"
// and only hidden when closed, so what the user typed into its text stays
// until the program ends.
class TForm2 : public QDialog {
    Q_OBJECT
public:
    static constexpr QPoint designPosition{194, 39};

    explicit TForm2(QWidget* parent = nullptr);

    // Shows the window modally; returns when "Это хорошо" or the window's
    // close button ends it.
    void ShowModal();
    void BitBtn1Click();

    QTextEdit* RichEdit1 = nullptr;
    QPushButton* BitBtn1 = nullptr;

private:
    QLabel* makePicture(const QString& resource, const QString& name, QSize size);
};

} // namespace voltarix::app
