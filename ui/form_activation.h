#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

namespace voltarix::ui {

// Tells when one of the program's forms becomes the program's active form.
//
// The forms are the program's own top-level windows (object names TForm1,
// TForm2 ...). Qt activates a window also when the user comes back from
// another application and when a message box or dialog closes; neither is
// a change of the active form: a message box or dialog is no form, and
// while another application has the focus the program's active form stays
// the one it was. So a form is activated only when it becomes the active
// window while another form, or none yet, was the active form.
class FormActivation : public QObject {
    Q_OBJECT
public:
    // Watches every window of the application from now on; a form that is
    // the active window already counts as the active form.
    explicit FormActivation(QObject* parent = nullptr);

    QWidget* activeForm() const { return activeForm_; }

    static bool isForm(const QWidget* window);

signals:
    void formActivated(QWidget* form);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void windowActivated(QWidget* window);

    QPointer<QWidget> activeForm_;
};

} // namespace voltarix::ui
