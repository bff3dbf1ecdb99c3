// CI build status: the tag walker on page fixtures, row and cell reading,
// colours and their precedence, request URLs, and real replies from a local
// HTTP server colouring the panel's branch list.

#include "gitfixture.h"
#include "modalscript.h"
#include "splatwatcher.h"
#include "testhome.h"

#include "deployment.h"
#include "git/cistatus.h"
#include "git/gitwidget.h"

#include <QDir>
#include <QListWidget>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

namespace {
// The page layout the walker relies on: each tag on its own line.
QString page(const QStringList& rows, bool withMain = true)
{
    QStringList lines = {"<html>", "<head>", "<title>builds</title>", "</head>", "<body>",
                         "<div class=\"wrapper\">", "<div class=\"nav\">", "<a>home</a>", "</div>"};
    if (withMain)
        lines << "<main>";
    lines << "<div>" << "<div>" << "<div class=\"card\">" << "<table>" << "<thead>"
          << "<tr>" << "<th>Branch</th>" << "</tr>" << "</thead>" << "<tbody>";
    lines << rows;
    lines << "</tbody>" << "</table>" << "</div>" << "</div>" << "</div>";
    if (withMain)
        lines << "</main>";
    lines << "</div>" << "</body>" << "</html>";
    return lines.join('\n') + "\n";
}

QStringList row(const QString& branch, const QString& cellClass)
{
    return {"<tr>", "<td><b>" + branch + "</b></td>", "<td class=\"" + cellClass + "\">build</td>", "</tr>"};
}

QListWidgetItem* itemFor(GitWidget& panel, const QString& name)
{
    QListWidget* list = panel.findChild<QListWidget*>("listWidget");
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->text().mid(2) == name)
            return list->item(i);
    return nullptr;
}

QColor background(GitWidget& panel, const QString& name)
{
    QListWidgetItem* item = itemFor(panel, name);
    return item && item->background().style() == Qt::SolidPattern ? item->background().color() : QColor();
}

int freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}
}

class TestCiStatus : public QObject
{
    Q_OBJECT
    TestHome home;
    GitFixture fixture;
    QTemporaryDir site;
    QProcess server;
    int port = 0;

    void writePage(const QString& slug, const QString& html)
    {
        GitFixture::writeFile(site.path() + "/vettor/repo/" + slug, html);
    }

    QStringList asked;

    // Paths asked of the server since the last clearRequests(), from its log.
    QStringList requests()
    {
        for (const QString& line : QString::fromUtf8(server.readAllStandardError()).split('\n'))
            if (line.contains("\"GET "))
                asked << line.section("\"GET ", 1).section(' ', 0, 0);
        return asked;
    }
    void clearRequests()
    {
        requests();
        asked.clear();
    }

private slots:
    void initTestCase()
    {
        port = freePort();
        server.setWorkingDirectory(site.path());
        server.start("python3", {"-u", "-m", "http.server", QString::number(port), "--bind", "127.0.0.1"});
        QVERIFY(server.waitForStarted(10000));
        QElapsedTimer clock;
        clock.start();
        bool up = false;
        while (!up && clock.elapsed() < 15000) {
            QTcpSocket socket;
            socket.connectToHost(QHostAddress::LocalHost, port);
            up = socket.waitForConnected(200);
            if (!up)
                QTest::qWait(100);
        }
        QVERIFY2(up, "the local HTTP server did not come up");
        Deployment::setCiHost("127.0.0.1:" + QString::number(port));
    }

    void cleanupTestCase()
    {
        server.terminate();
        server.waitForFinished(5000);
    }

    void walkerFindsTheTableBody()
    {
        QString html = page(row("11.0", "success"));
        const QStringList body = CiStatus::navigate(html, CiStatus::tablePath());
        QCOMPARE(body.first(), QString("<tbody>"));
        QCOMPARE(body.last(), QString("</tbody>"));
        QCOMPARE(body.size(), 6);

        // The path never completes without <main>.
        QString incomplete = page(row("11.0", "success"), false);
        QVERIFY(CiStatus::navigate(incomplete, CiStatus::tablePath()).isEmpty());
        QString empty;
        QVERIFY(CiStatus::navigate(empty, CiStatus::tablePath()).isEmpty());

        // Two bodies: the last one closed wins.
        QString twice = page(row("first", "success") + QStringList({"</tbody>", "<tbody>"}) + row("second", "danger"));
        const QStringList second = CiStatus::navigate(twice, CiStatus::tablePath());
        QVERIFY(second.join('\n').contains("<b>second</b>"));
        QVERIFY(!second.join('\n').contains("<b>first</b>"));

        // A short path on nested elements: the nested div does not end the walk.
        QString nested = "<body>\n<div>\n<div>\n<p>inner</p>\n</div>\n<span>x</span>\n</div>\n</body>\n";
        QCOMPARE(CiStatus::navigate(nested, {"body", "div"}),
                 QStringList({"<div>", "<div>", "<p>inner</p>", "</div>", "<span>x</span>", "</div>"}));
    }

    void rowsCellsAndColours()
    {
        const QStringList table = QStringList{"<tbody>"} + row("11.0", "bg-success") + row("11.0-fix", "bg-danger")
                                  + QStringList{"<tr>", "<td><b>nocell</b></td>", "<td>plain</td>", "</tr>"}
                                  + row("11.0", "bg-killed") + QStringList{"</tbody>"};
        // The last row naming the branch counts; bold markers are part of the search.
        QCOMPARE(CiStatus::statusCell(table, "11.0"), QString("<td class=\"bg-killed\">build</td>"));
        QCOMPARE(CiStatus::statusCell(table, "11.0-fix"), QString("<td class=\"bg-danger\">build</td>"));
        QVERIFY(CiStatus::statusCell(table, "nocell").isEmpty());
        QVERIFY(CiStatus::statusCell(table, "11").isEmpty());

        QCOMPARE(CiStatus::colourOf("<td class=\"success\">"), QColor(Qt::green));
        QCOMPARE(CiStatus::colourOf("<td class=\"danger\">"), QColor(Qt::red));
        QCOMPARE(CiStatus::colourOf("<td class=\"killed\">"), QColor(Qt::gray));
        QCOMPARE(CiStatus::colourOf("<td class=\"warning\">"), QColor(Qt::yellow));
        QCOMPARE(CiStatus::colourOf("<td class=\"info\">"), QColor(Qt::cyan));
        // Later classes of the table win.
        QCOMPARE(CiStatus::colourOf("<td class=\"warning info\">"), QColor(Qt::cyan));
        QCOMPARE(CiStatus::colourOf("<td class=\"info success\">"), QColor(Qt::cyan));
        QCOMPARE(CiStatus::colourOf("<td class=\"danger success\">"), QColor(Qt::red));
        QVERIFY(!CiStatus::colourOf("<td class=\"pending\">").isValid());
        QVERIFY(!CiStatus::colourOf("").isValid());

        QCOMPARE(CiStatus::colourForBranch(page(row("11.0", "success")), "11.0"), QColor(Qt::green));
        QVERIFY(!CiStatus::colourForBranch(page(row("11.0", "success"), false), "11.0").isValid());
    }

    void requestUrls()
    {
        const QString host = "http://" + Deployment::ciHost() + "/vettor/repo/";
        QCOMPARE(CiStatus::slug("velt", false), QString("git-github-com-velt-dev-velt-2"));
        QCOMPARE(CiStatus::slug("velt", true), QString("git-github-com-velt-velt-1"));
        QCOMPARE(CiStatus::slug("enterprise", false), QString("git-github-com-velt-dev-enterprise-8"));
        QCOMPARE(CiStatus::pageUrl("enterprise", true, "11.0"), host + "git-github-com-velt-enterprise-7?search=11.0");
        QCOMPARE(CiStatus::branchOfUrl(host + "git-github-com-velt-velt-1?search=saas-11.2"), QString("saas-11.2"));
    }

    void repliesColourTheList()
    {
        const QString clone = fixture.clone('a', "velt");
        for (const char* name : {"11.0", "10.0", "feature", "other"})
            GitFixture::git(clone, {"branch", name, "master"});
        writePage(CiStatus::slug("velt", true),
                  page(row("11.0", "bg-success") + row("master", "bg-danger") + row("11.0-fix", "bg-info")));
        writePage(CiStatus::slug("velt", false), page(row("feature", "bg-warning info") + row("other", "bg-killed")));
        clearRequests();

        SplatWatcher splat;
        ModalScript modals;
        GitWidget panel('a', "velt", nullptr, nullptr);
        QTRY_COMPARE_WITH_TIMEOUT(background(panel, "11.0"), QColor(Qt::green), 10000);
        QTRY_COMPARE_WITH_TIMEOUT(background(panel, "master"), QColor(Qt::red), 10000);
        QTRY_COMPARE_WITH_TIMEOUT(background(panel, "feature"), QColor(Qt::cyan), 10000);
        QTRY_COMPARE_WITH_TIMEOUT(background(panel, "other"), QColor(Qt::gray), 10000);
        QVERIFY(!background(panel, "10.0").isValid()); // not on the page
        QTRY_COMPARE_WITH_TIMEOUT(requests().size(), 5, 10000);

        // The periodic refresh asks only the watched branches: version ones
        // and the active one; selecting a branch adds it.
        clearRequests();
        panel.updateVettor();
        QTRY_COMPARE_WITH_TIMEOUT(requests().size(), 3, 10000);
        QTest::qWait(200);
        QStringList periodic = requests();
        periodic.sort();
        QCOMPARE(periodic, QStringList({"/vettor/repo/git-github-com-velt-velt-1?search=10.0",
                                     "/vettor/repo/git-github-com-velt-velt-1?search=11.0",
                                     "/vettor/repo/git-github-com-velt-velt-1?search=master"}));
        clearRequests();
        panel.findChild<QListWidget*>("listWidget")->setCurrentItem(itemFor(panel, "feature"));
        QTRY_COMPARE_WITH_TIMEOUT(requests(), QStringList({"/vettor/repo/git-github-com-velt-dev-velt-2?search=feature"}), 10000);
        QCOMPARE(panel.watchedBranches.size(), 4);

        // A list refill drops the colours until the replies come back.
        panel.on_bRefreshList_clicked();
        QTRY_COMPARE_WITH_TIMEOUT(background(panel, "11.0"), QColor(Qt::green), 10000);
        QCOMPARE(splat.shown, 0);
    }

    void failedRequestsChangeNothing()
    {
        const QString clone = fixture.clone('b', "enterprise");
        GitFixture::git(clone, {"branch", "11.0", "master"});
        GitFixture::git(clone, {"branch", "feature", "master"});
        SplatWatcher splat;
        ModalScript modals;
        // The version branches' page answers with a redirect (the server
        // sends a folder's address on to its index), which is not followed,
        // whatever the Qt: the page read is the one asked for. No page for
        // the other branches: a 404 reply.
        writePage(CiStatus::slug("enterprise", true) + "/index.html",
                  page(row("11.0", "bg-success") + row("master", "bg-success")));
        clearRequests();
        GitWidget panel('b', "enterprise", nullptr, nullptr);
        QTRY_COMPARE_WITH_TIMEOUT(requests().size(), 3, 10000);
        QTest::qWait(300);
        QCOMPARE(requests().size(), 3);
        QVERIFY(!background(panel, "11.0").isValid());
        QVERIFY(!background(panel, "master").isValid());
        QVERIFY(!background(panel, "feature").isValid());

        // Nobody listening: connection refused.
        Deployment::setCiHost("127.0.0.1:" + QString::number(freePort()));
        panel.updateVettor();
        QTest::qWait(500);
        QVERIFY(!background(panel, "11.0").isValid());
        Deployment::setCiHost("127.0.0.1:" + QString::number(port));
        QCOMPARE(splat.shown, 0);
    }
};

QTEST_MAIN(TestCiStatus)
#include "test_cistatus.moc"
