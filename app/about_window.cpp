#include "app/about_window.h"

#include "app/about_text.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTextEdit>
#include <QVBoxLayout>

namespace voltarix::app {

namespace {

constexpr QSize designPanelSize{300, 303};

QLabel* makeTitle(QWidget* parent) {
    auto* title = new QLabel(QStringLiteral(" VOLTARIX "), parent);
    title->setObjectName(QStringLiteral("Label1"));
    QFont font = title->font();
    font.setBold(true);
    font.setPointSize(font.pointSize() + 4);
    title->setFont(font);
    title->setStyleSheet(QStringLiteral("color: red;"));
    title->setAlignment(Qt::AlignCenter);
    return title;
}

QLabel* makePurpose(QWidget* parent) {
    auto* purpose = new QLabel(
        QStringLiteral(
            "Программа предназначена для снятия цифровых сигналов и протоколов работающих "
            "устройств, использующих или подключённых к параллельному (LPT 1-3) порту "
            "компьютера,в ОС Windows 95/98/ME/NT/2000/XP."),
        parent);
    purpose->setObjectName(QStringLiteral("Label2"));
    purpose->setWordWrap(true);
    purpose->setStyleSheet(QStringLiteral("color: navy;"));
    return purpose;
}

} // namespace

TForm2::TForm2(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TForm2"));
    setWindowTitle(QStringLiteral("О программе"));
    // A dialog border with only the system menu and its close button.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setModal(true);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setFixedSize(designPanelSize);

    auto* pictures = new QHBoxLayout;
    pictures->addWidget(makePicture(QStringLiteral(":/voltarix/pictures/about_mark.png"),
                                    QStringLiteral("Image1"), {32, 32}));
    pictures->addWidget(makePicture(QStringLiteral(":/voltarix/pictures/about_logo.png"),
                                    QStringLiteral("Image2"), {132, 34}));
    pictures->addStretch();

    RichEdit1 = new QTextEdit(panel);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->setFrameShape(QFrame::NoFrame);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit1->setLineWrapMode(QTextEdit::WidgetWidth);
    QPalette face = RichEdit1->palette();
    face.setColor(QPalette::Base, palette().color(QPalette::Button));
    RichEdit1->setPalette(face);
    writeAboutText(*RichEdit1->document());
    RichEdit1->moveCursor(QTextCursor::Start);

    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton),
                              QStringLiteral("Это хорошо"), panel);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &TForm2::BitBtn1Click);

    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(6, 6, 6, 6);
    column->setSpacing(4);
    column->addLayout(pictures);
    column->addWidget(makeTitle(panel));
    column->addWidget(makePurpose(panel));
    column->addWidget(RichEdit1, 1);
    column->addWidget(BitBtn1, 0, Qt::AlignHCenter);

    auto* frame = new QVBoxLayout(this);
    frame->setContentsMargins(4, 4, 4, 4);
    frame->addWidget(panel);
    frame->setSizeConstraint(QLayout::SetFixedSize);
    move(designPosition);
}

QLabel* TForm2::makePicture(const QString& resource, const QString& name, QSize size) {
    auto* picture = new QLabel(this);
    picture->setObjectName(name);
    picture->setFixedSize(size);
    picture->setPixmap(QPixmap(resource));
    picture->setAttribute(Qt::WA_TranslucentBackground);
    return picture;
}

void TForm2::ShowModal() {
    exec();
}

void TForm2::BitBtn1Click() {
    accept();
}

} // namespace voltarix::app
