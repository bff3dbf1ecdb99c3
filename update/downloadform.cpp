#include "downloadform.h"

#include "ui_downloadform.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>

DownloadForm::DownloadForm(QWidget* parent) : QWidget(parent), ui(new Ui::DownloadForm)
{
    ui->setupUi(this);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), screen->availableGeometry()));
}

DownloadForm::~DownloadForm()
{
    delete ui;
}

void DownloadForm::addLine(const QString& text)
{
    ui->textEdit->append(text);
}

void DownloadForm::setCurrentVersion(const QString& text)
{
    // Only the upgrader shows this window, and its texts stay in English.
    ui->lblDownload->setText(QStringLiteral("Downloading: ") + text);
}

void DownloadForm::finish()
{
    ui->bOk->setEnabled(true);
}

QProgressBar* DownloadForm::getProgressBar() const
{
    return ui->progressBar;
}

QLabel* DownloadForm::getLabelSpeed() const
{
    return ui->lblSpeed;
}

void DownloadForm::on_bOk_clicked()
{
    close();
}
