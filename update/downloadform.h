#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;

namespace Ui {
class DownloadForm;
}

// The upgrader's window: the versions being installed, the current download,
// its progress and speed, and Ok once everything is done.
class DownloadForm : public QWidget
{
    Q_OBJECT
public:
    explicit DownloadForm(QWidget* parent = nullptr);
    ~DownloadForm() override;

    void addLine(const QString& text);
    void setCurrentVersion(const QString& text);
    void finish();
    QProgressBar* getProgressBar() const;
    QLabel* getLabelSpeed() const;

private slots:
    void on_bOk_clicked();

private:
    Ui::DownloadForm* ui;
};
