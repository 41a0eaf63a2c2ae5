#include "ui/form_activation.h"

#include <QApplication>
#include <QSignalSpy>
#include <QWidget>
#include <gtest/gtest.h>

using voltarix::ui::FormActivation;

namespace {

struct Form : QWidget {
    explicit Form(const char* name) { setObjectName(QString::fromLatin1(name)); }
};

void activate(QWidget* window) {
    if (window != nullptr)
        window->show();
    QApplication::setActiveWindow(window);
}

} // namespace

TEST(FormActivation, FormsAreTheTopLevelWindowsNamedTFormAndANumber) {
    Form about("TForm2");
    EXPECT_TRUE(FormActivation::isForm(&about));
    for (const char* name : {"TForm", "TForm2x", "Form2", "QMessageBox"})
        EXPECT_FALSE(FormActivation::isForm(Form(name).window())) << name;
    auto* child = new QWidget(&about);
    child->setObjectName("TForm5");
    EXPECT_FALSE(FormActivation::isForm(child)) << "a form is a window of its own";
}

TEST(FormActivation, AFormActiveBeforeTheWatchBeganIsTheActiveForm) {
    Form splash("TForm3");
    Form main("TForm1");
    activate(&splash);
    FormActivation forms;
    QSignalSpy activated(&forms, &FormActivation::formActivated);
    EXPECT_EQ(forms.activeForm(), &splash);

    activate(nullptr);
    activate(&splash);
    EXPECT_EQ(activated.count(), 0) << "the splash was the active form all along";

    activate(&main);
    ASSERT_EQ(activated.count(), 1);
    EXPECT_EQ(activated.at(0).at(0).value<QWidget*>(), &main);
}

TEST(FormActivation, AFormThatIsGoneLeavesNoActiveForm) {
    Form main("TForm1");
    FormActivation forms;
    {
        Form browser("TForm4");
        activate(&browser);
        EXPECT_EQ(forms.activeForm(), &browser);
    }
    EXPECT_EQ(forms.activeForm(), nullptr);
    QSignalSpy activated(&forms, &FormActivation::formActivated);
    activate(&main);
    EXPECT_EQ(activated.count(), 1);
}
