#include "introwindow.h"

#include "ui_introwindow.h"

#include <QBitmap>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QStyle>

IntroWindow::IntroWindow(QWidget* parent)
    : QWidget(parent), ui(new Ui::IntroWindow)
{
    ui->setupUi(this);
    setWindowIcon(QIcon(":/resources/sepiaB.png"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowTitleHint);
    const QPixmap logo(":/resources/velt.png");
    if (!logo.isNull())
        setMask(logo.mask());
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), screen->availableGeometry()));
}

IntroWindow::~IntroWindow()
{
    delete ui;
}
