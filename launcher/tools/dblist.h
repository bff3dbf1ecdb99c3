#pragma once

#include <QString>
#include <QWidget>

namespace Ui {
class DBList;
}
class QStringListModel;

// The window where the user picks one of the local databases, or names a new
// one, for a server workspace. Nothing is created here: the name is handed back.
class DBList : public QWidget
{
    Q_OBJECT
public:
    explicit DBList(QWidget* parent = nullptr);
    ~DBList() override;

    // Shows a fresh, application-modal list and waits, keeping the interface
    // alive, for a choice: a database name, or cancelMarker() when the user
    // cancels or closes the window.
    static QString askNewDB();
    static QString cancelMarker() { return QStringLiteral("xxxFalsexxx"); }

    Ui::DBList* ui;
    QStringListModel* model = nullptr;
    // Empty until a button (or closing the window) sets it.
    QString result;

public slots:
    void on_pushButton_3_clicked();
    void on_pushButton_clicked();
    void on_pushButton_2_clicked();

protected:
    void closeEvent(QCloseEvent* event) override;
};
