#include "defaultconfigview.h"
#include "ui_defaultconfigview.h"

#include "deployment.h"
#include "exec/myqtermwidget.h"
#include "settings/configloader.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QStyle>

QTranslator DefaultConfigView::translator;

namespace {
ConfigLoader* settings()
{
    return ConfigLoader::getSingleton();
}
}

DefaultConfigView::DefaultConfigView(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::DefaultConfigView)
{
    ui->setupUi(this);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), screen->availableGeometry()));
    adjustSize();

    // Set through the widgets: a value that differs from the form's initial
    // state runs its change slot, which saves (clicked slots do not run).
    const ConfigLoader* config = settings();
    ui->cbDemo->setChecked(config->default_demo);
    ui->cbPY2->setChecked(config->default_p2);
    ui->cbShell->setChecked(config->default_shell);
    ui->cbEnterprise->setChecked(config->default_enterprise);
    ui->ttInstall->setText(config->default_install);
    ui->ttUpgrades->setText(config->default_upgrades);
    ui->cbAutoPort->setChecked(config->auto_port);
    ui->cbAutoInstall->setChecked(config->remove_installs);
    ui->spinBox->setValue(config->secBeforeShutDown);
    ui->spinBox->setButtonSymbols(QAbstractSpinBox::NoButtons);
    ui->chbBeta->setChecked(config->acceptBeta);
    ui->cbLanguage->setCurrentIndex(ui->cbLanguage->findText(config->language, Qt::MatchExactly | Qt::MatchCaseSensitive));
    ui->cbCursor->setCurrentIndex(config->cursorType);
}

DefaultConfigView::~DefaultConfigView()
{
    delete ui;
}

void DefaultConfigView::on_cbDemo_clicked(bool checked)
{
    settings()->default_demo = checked;
    settings()->save();
}

void DefaultConfigView::on_cbPY2_clicked(bool checked)
{
    settings()->default_p2 = checked;
    settings()->save();
}

void DefaultConfigView::on_cbShell_clicked(bool checked)
{
    settings()->default_shell = checked;
    settings()->save();
}

void DefaultConfigView::on_cbEnterprise_clicked(bool checked)
{
    settings()->default_enterprise = checked;
    settings()->save();
}

void DefaultConfigView::on_ttInstall_textChanged(const QString& text)
{
    settings()->default_install = text;
    settings()->save();
}

void DefaultConfigView::on_ttUpgrades_textChanged(const QString& text)
{
    settings()->default_upgrades = text;
    settings()->save();
}

void DefaultConfigView::on_cbAutoPort_clicked(bool checked)
{
    settings()->auto_port = checked;
    settings()->save();
}

void DefaultConfigView::on_cbAutoInstall_clicked(bool checked)
{
    settings()->remove_installs = checked;
    settings()->save();
}

void DefaultConfigView::on_spinBox_valueChanged(int seconds)
{
    settings()->secBeforeShutDown = seconds;
    settings()->save();
}

void DefaultConfigView::on_chbBeta_clicked()
{
    settings()->acceptBeta = ui->chbBeta->isChecked();
    settings()->save();
}

void DefaultConfigView::on_cbCursor_currentIndexChanged(int index)
{
    if (index < 0)
        return; // no item: nothing was chosen
    settings()->cursorType = index;
    settings()->save();
    // The index is the terminal library's shape number, used unchanged.
    MyQTermWidget::changeCursorType(static_cast<QTermWidget::KeyboardCursorShape>(index));
}

void DefaultConfigView::on_cbLanguage_currentIndexChanged(int index)
{
    // A stored language that matches no item selects nothing; keep the stored
    // value rather than overwrite it with an empty one.
    if (index < 0)
        return;
    settings()->language = ui->cbLanguage->currentText();
    settings()->save();
    reloadTranslation(settings()->language);
}

bool DefaultConfigView::reloadTranslation(const QString& language)
{
    QCoreApplication::removeTranslator(&translator);
    const QString path = Deployment::translationPath(language);
    const bool found = QFileInfo(path).isFile();
    if (!found)
        QMessageBox::warning(nullptr, tr("Unable to open translation"),
                             tr("Sorry, we are not able to find translation file for your language: ") + language,
                             QMessageBox::Ok);
    (void)translator.load(path); // a missing file leaves it empty: the source texts show
    QCoreApplication::installTranslator(&translator);
    return found;
}
