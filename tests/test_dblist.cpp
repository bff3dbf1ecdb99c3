// The database list: parsing of "psql -ltA", the shared list loaded from a
// real PostgreSQL 15 server, and the window's Add, Add-typed and Cancel.

#include "modalanswer.h"
#include "pgserver.h"
#include "testhome.h"

#include "exec/operationgate.h"
#include "exec/termexecutor.h"
#include "tools/dblist.h"
#include "tools/environnement.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QStringListModel>
#include <QTimer>
#include <QtTest>
#include <functional>

namespace {
// Runs `act` on the database list window once it is the active modal widget.
void whenListShown(const std::function<void(DBList*)>& act)
{
    ModalAnswer::whenModal([act](QWidget* modal) {
        auto* list = qobject_cast<DBList*>(modal);
        if (list)
            act(list);
        else
            modal->close();
    });
}

QStringList modelRows(const DBList* list)
{
    return list->model->stringList();
}
}

class DBListTest : public QObject
{
    Q_OBJECT
private:
    PgServer server;

private slots:
    void initTestCase()
    {
        QString error;
        QVERIFY2(server.start(&error), qPrintable(error));
        QVERIFY2(server.sql("CREATE DATABASE alpha", &error), qPrintable(error));
        QVERIFY2(server.sql("CREATE DATABASE \"my base\"", &error), qPrintable(error));
        QVERIFY2(server.sql("CREATE DATABASE beta", &error), qPrintable(error));
        // Two privilege entries make the listing print a continuation line.
        QVERIFY2(server.sql("GRANT CONNECT ON DATABASE beta TO PUBLIC; "
                            "REVOKE TEMPORARY ON DATABASE beta FROM PUBLIC", &error), qPrintable(error));
    }

    void parsingOfTheListing()
    {
        const QStringList lines = {
            "alpha|postgres|UTF8|libc|C|C|||",
            "my base|postgres|UTF8|libc|C|C|||",
            "template0|postgres|UTF8|libc|C|C|||=c/postgres",
            "postgres=CTc/postgres",
            "",
            "no separator here",
            "x|",
            " spaced  name |owner",
            "|empty first field",
        };
        QCOMPARE(Env::databaseNames(lines),
                 QStringList({"alpha", "mybase", "template0", "x", "spacedname", ""}));
        QVERIFY(Env::databaseNames({}).isEmpty());

        Env* env = Env::getSingleton();
        env->parseDB({"one|o", "two|o"});
        QCOMPARE(env->databases, QStringList({"one", "two"}));
        env->parseDB({"lonely"});
        QVERIFY(env->databases.isEmpty());
    }

    void listFromTheServer()
    {
        // The real listing holds continuation lines (template0, template1, beta).
        QStringList errors;
        const QStringList raw = TermExecutor::getSingleton()->exec("psql -ltA\n", errors);
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join("\n")));
        int continuations = 0;
        for (const QString& line : raw)
            if (!line.contains('|'))
                ++continuations;
        QVERIFY(continuations >= 2);

        Env* env = Env::getSingleton();
        env->databases.clear();
        env->reloadDB();
        QCOMPARE(env->databases, QStringList({"alpha", "beta", "mybase", "postgres", "template0", "template1"}));

        // A database made later shows up when the window opens again.
        QVERIFY(server.sql("CREATE DATABASE gamma"));
        DBList list;
        QCOMPARE(modelRows(&list),
                 QStringList({"alpha", "beta", "gamma", "mybase", "postgres", "template0", "template1"}));
        QCOMPARE(list.windowTitle(), QString("Form"));
        QCOMPARE(list.size(), QSize(921, 641));
        QVERIFY(list.result.isEmpty());
    }

    void addTheSelectedDatabase()
    {
        bool clickedWithoutSelection = false;
        whenListShown([&](DBList* list) {
            // Nothing current (the view makes its first row current when it
            // gets the focus): the click leaves the window open.
            list->findChild<QListView*>("listView")->setCurrentIndex(QModelIndex());
            list->findChild<QPushButton*>("pushButton_3")->click();
            clickedWithoutSelection = list->result.isEmpty() && list->isVisible();
            list->findChild<QListView*>("listView")->setCurrentIndex(list->model->index(1));
            list->findChild<QPushButton*>("pushButton_3")->click();
        });
        QCOMPARE(DBList::askNewDB(), QString("beta"));
        QVERIFY(clickedWithoutSelection);
        QVERIFY(!QApplication::activeModalWidget());
    }

    void addATypedName()
    {
        bool emptyKeptOpen = false;
        whenListShown([&](DBList* list) {
            list->findChild<QPushButton*>("pushButton")->click();
            emptyKeptOpen = list->result.isEmpty() && list->isVisible();
            // Handed back as typed, even though no such database exists.
            QTest::keyClicks(list->findChild<QLineEdit*>("lineEdit"), "brand_new db");
            list->findChild<QPushButton*>("pushButton")->click();
        });
        QCOMPARE(DBList::askNewDB(), QString("brand_new db"));
        QVERIFY(emptyKeptOpen);
    }

    void cancelAndCloseGiveTheMarker()
    {
        whenListShown([](DBList* list) { list->findChild<QPushButton*>("pushButton_2")->click(); });
        QCOMPARE(DBList::askNewDB(), QString("xxxFalsexxx"));

        // Closing through the window manager counts as Cancel.
        whenListShown([](DBList* list) {
            list->findChild<QListView*>("listView")->setCurrentIndex(list->model->index(0));
            list->close();
        });
        QCOMPARE(DBList::askNewDB(), QString("xxxFalsexxx"));

        // So does the person's Cancel of the operation that asked.
        const OperationGate::Hold hold(QStringLiteral("Add"));
        whenListShown([](DBList*) { OperationGate::shared().requestCancel(); });
        QTimer::singleShot(10000, [] {
            if (QWidget* modal = QApplication::activeModalWidget())
                modal->close();
        });
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(DBList::askNewDB(), QString("xxxFalsexxx"));
        QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
    }

    void serverDownGivesAWarning()
    {
        server.stop();
        QStringList seen;
        ModalAnswer::clickButton("OK", &seen);
        Env* env = Env::getSingleton();
        env->reloadDB();
        QCOMPARE(seen.size(), 2);
        QCOMPARE(seen[0], QString("Warning"));
        QVERIFY(seen[1].startsWith("There is an error with your postgreSQL instance. Please check your configuration. Error: psql"));
        QVERIFY(env->databases.isEmpty());

        // The window still opens, empty, and a typed name still comes back.
        ModalAnswer::clickButton("OK");
        QTimer::singleShot(3000, [] {
            if (auto* list = qobject_cast<DBList*>(QApplication::activeModalWidget())) {
                list->findChild<QLineEdit*>("lineEdit")->setText("offline");
                list->findChild<QPushButton*>("pushButton")->click();
            }
        });
        QCOMPARE(DBList::askNewDB(), QString("offline"));
    }
};

int main(int argc, char** argv)
{
    TestHome home;
    QApplication app(argc, argv);
    DBListTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_dblist.moc"
