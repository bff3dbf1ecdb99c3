#include "environnement.h"

#include "exec/termexecutor.h"

#include <QCoreApplication>
#include <QMessageBox>

Env* Env::getSingleton()
{
    static Env* instance = nullptr;
    if (!instance) {
        instance = new Env();
        instance->reloadDB();
    }
    return instance;
}

void Env::reloadDB()
{
    QStringList errors;
    const QStringList output = TermExecutor::getSingleton()->exec(
        "psql -ltA\n", errors, false, QStringList(), false, QStringList(), QStringLiteral("cd ~/Documents"));
    if (!errors.isEmpty())
        QMessageBox::warning(nullptr, QCoreApplication::translate("Env", "Warning"),
                             QCoreApplication::translate("Env", "There is an error with your postgreSQL instance. "
                                                                "Please check your configuration. Error: ")
                                 + errors.join("\n"),
                             QMessageBox::Ok);
    parseDB(output);
}

void Env::parseDB(const QStringList& lines)
{
    databases = databaseNames(lines);
}

QStringList Env::databaseNames(const QStringList& lines)
{
    QStringList names;
    for (const QString& line : lines) {
        const QStringList fields = line.split('|', Qt::KeepEmptyParts);
        if (fields.size() >= 2)
            names << QString(fields.first()).remove(' ');
    }
    return names;
}
