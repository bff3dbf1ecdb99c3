#pragma once

#include <QTranslator>
#include <QWidget>

namespace Ui {
class DefaultConfigView;
}

// The defaults applied to new server workspaces and the launcher-wide
// options. Every edit goes into the global settings and is saved at once:
// there is no Apply or Cancel. The dialog also owns the application's one
// translator, which start-up loads and installs and a language change reloads.
class DefaultConfigView : public QWidget
{
    Q_OBJECT
public:
    explicit DefaultConfigView(QWidget* parent = nullptr);
    ~DefaultConfigView() override;

    // Replaces the translator's content with the file of `language` and
    // installs it again; warns when that file is missing (the texts then stay
    // in English). Returns whether the file was found.
    static bool reloadTranslation(const QString& language);

    static QTranslator translator;
    Ui::DefaultConfigView* ui;

public slots:
    void on_cbDemo_clicked(bool checked);
    void on_cbPY2_clicked(bool checked);
    void on_cbShell_clicked(bool checked);
    void on_cbEnterprise_clicked(bool checked);
    void on_ttInstall_textChanged(const QString& text);
    void on_ttUpgrades_textChanged(const QString& text);
    void on_cbAutoPort_clicked(bool checked);
    void on_cbAutoInstall_clicked(bool checked);
    void on_spinBox_valueChanged(int seconds);
    void on_chbBeta_clicked();
    void on_cbCursor_currentIndexChanged(int index);
    void on_cbLanguage_currentIndexChanged(int index);
};
