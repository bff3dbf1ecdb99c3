#include "dblist.h"
#include "ui_dblist.h"

#include "cooperativewait.h"
#include "exec/operationgate.h"
#include "tools/environnement.h"

#include <QCloseEvent>
#include <QStringListModel>
#include <climits>

DBList::DBList(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::DBList)
{
    ui->setupUi(this);
    model = new QStringListModel(this);
    ui->listView->setModel(model);
    model->setStringList(QStringList());

    // Re-read at every opening, so databases made since start show up.
    Env* env = Env::getSingleton();
    env->reloadDB();
    for (const QString& name : env->databases) {
        const int row = model->rowCount();
        model->insertRows(row, 1);
        model->setData(model->index(row), name);
    }
}

DBList::~DBList()
{
    delete ui;
}

QString DBList::askNewDB()
{
    DBList window;
    window.setWindowModality(Qt::ApplicationModal);
    window.show();
    // The user may take as long as they like; only a choice, or the
    // person's Cancel of the operation, ends the wait.
    const OperationGate& gate = OperationGate::shared();
    cooperativeWait(INT_MAX, [&] { return !window.result.isEmpty() || gate.cancelRequested(); });
    if (window.result.isEmpty())
        window.result = cancelMarker();
    window.close();
    return window.result;
}

void DBList::on_pushButton_3_clicked()
{
    const QModelIndex current = ui->listView->currentIndex();
    if (current.isValid())
        result = current.data().toString();
}

void DBList::on_pushButton_clicked()
{
    result = ui->lineEdit->text();
}

void DBList::on_pushButton_2_clicked()
{
    result = cancelMarker();
}

void DBList::closeEvent(QCloseEvent* event)
{
    // Closed through the window manager without a choice: that is a Cancel,
    // otherwise the caller would wait for ever.
    if (result.isEmpty())
        result = cancelMarker();
    event->accept();
}
