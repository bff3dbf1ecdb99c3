#include "branchselector.h"
#include "ui_branchselector.h"

#include "cooperativewait.h"
#include "exec/operationgate.h"

#include <QAbstractItemView>
#include <QCloseEvent>
#include <QCompleter>
#include <QLineEdit>
#include <QPointer>
#include <climits>

namespace {
QCompleter* makeCompleter(const QStringList& names, QLineEdit* field, QObject* parent)
{
    auto* completer = new QCompleter(names, parent);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setCompletionMode(QCompleter::PopupCompletion);
    completer->setWidget(field);
    return completer;
}

void insertCompletion(QLineEdit* field, QCompleter* completer, const QString& text)
{
    field->setText(text);
    completer->popup()->hide();
}

void updateCompleter(QCompleter* completer, const QString& text)
{
    completer->setCompletionPrefix(text);
    completer->complete(QRect());
}
}

BranchSelector::BranchSelector(BranchList& lists, QString mainRemoteName, QString devRemoteName, QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::BranchSelector)
    , lists(lists)
    , answer(QStringLiteral("Cancelled"))
    , mainRemoteName(mainRemoteName)
    , devRemoteName(devRemoteName)
{
    ui->setupUi(this);
    // A window of its own over the caller's window, not a part of it.
    if (parent)
        setWindowFlags(windowFlags() | Qt::Window);

    completerLocales = makeCompleter(lists.localBranchNames, ui->ttLocale, this);
    completerVelt = makeCompleter(lists.mainRemoteBranches, ui->ttVelt, this);
    completerVeltDev = makeCompleter(lists.devRemoteBranches, ui->ttVeltDev, this);

    connect(completerLocales, QOverload<const QString&>::of(&QCompleter::activated),
            this, &BranchSelector::insertCompletionTTLocales);
    connect(ui->ttLocale, &QLineEdit::textEdited, this, &BranchSelector::updateCompleterTTLocales);
    connect(completerVelt, QOverload<const QString&>::of(&QCompleter::activated),
            this, &BranchSelector::insertCompletionTTVelt);
    connect(ui->ttVelt, &QLineEdit::textEdited, this, &BranchSelector::updateCompleterTTVelt);
    connect(completerVeltDev, QOverload<const QString&>::of(&QCompleter::activated),
            this, &BranchSelector::insertCompletionTTVeltDev);
    connect(ui->ttVeltDev, &QLineEdit::textEdited, this, &BranchSelector::updateCompleterTTVeltDev);
}

BranchSelector::~BranchSelector()
{
    delete ui;
}

QString BranchSelector::getBranchName()
{
    // Window-modal over the caller's window; without one nothing would be
    // blocked, so the whole application is.
    setWindowModality(parentWidget() ? Qt::WindowModal : Qt::ApplicationModal);
    show();
    waiting = true;
    // The window may be deleted while we wait; its answer is copied out first.
    QPointer<BranchSelector> self(this);
    QString result = answer;
    const OperationGate& gate = OperationGate::shared();
    cooperativeWait(INT_MAX, [&] {
        if (!self)
            return true;
        result = answer;
        return !waiting || gate.cancelRequested();
    });
    // The person's Cancel of the operation answers as the Cancel button does.
    if (self && waiting) {
        on_pushButton_3_clicked();
        close();
    }
    return self ? answer : result;
}

void BranchSelector::on_pushButton_clicked()
{
    waiting = false;
    answer = ui->ttLocale->text();
}

void BranchSelector::on_pushButton_2_clicked()
{
    waiting = false;
    answer = mainRemoteName + "/" + ui->ttVelt->text();
}

void BranchSelector::on_pushButton_4_clicked()
{
    waiting = false;
    answer = devRemoteName + "/" + ui->ttVeltDev->text();
}

void BranchSelector::on_pushButton_3_clicked()
{
    waiting = false;
    answer = QStringLiteral("Cancelled");
}

void BranchSelector::insertCompletionTTLocales(QString text) { insertCompletion(ui->ttLocale, completerLocales, text); }
void BranchSelector::updateCompleterTTLocales(QString text) { updateCompleter(completerLocales, text); }
void BranchSelector::insertCompletionTTVelt(QString text) { insertCompletion(ui->ttVelt, completerVelt, text); }
void BranchSelector::updateCompleterTTVelt(QString text) { updateCompleter(completerVelt, text); }
void BranchSelector::insertCompletionTTVeltDev(QString text) { insertCompletion(ui->ttVeltDev, completerVeltDev, text); }
void BranchSelector::updateCompleterTTVeltDev(QString text) { updateCompleter(completerVeltDev, text); }

void BranchSelector::on_BranchSelector_destroyed()
{
    waiting = false;
}

void BranchSelector::closeEvent(QCloseEvent* event)
{
    if (waiting) {
        answer = QStringLiteral("Cancelled");
        waiting = false;
    }
    QWidget::closeEvent(event);
}
