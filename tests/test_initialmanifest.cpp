#include "deployment.h"
#include "launcherversion.h"
#include "manifest.h"

#include <QFileInfo>
#include <QtTest>

// The manifest installed with the programs, read as both programs read it:
// this release must not be offered an update by its own copy, and the copy
// must describe this release so that older programs reading it would fetch
// its files into the install directory.
class TestInitialManifest : public QObject
{
    Q_OBJECT

    const QString path = QStringLiteral(KVL_INITIAL_MANIFEST);

private slots:
    void initTestCase()
    {
        QVERIFY2(QFileInfo(path).isFile(), qPrintable(path + " is missing"));
    }

    void offersNoUpdateToThisRelease()
    {
        for (bool acceptBeta : {false, true}) {
            const QList<Version> newer = Manifest::read(path, LauncherVersion::major, LauncherVersion::minor,
                                                        LauncherVersion::patch, acceptBeta);
            QVERIFY2(newer.isEmpty(), qPrintable("offers " + newer.value(0).number()));
        }
    }

    void describesThisReleaseToOlderPrograms()
    {
        const QList<Version> versions = Manifest::read(path, 0, 0, 0, true);
        QCOMPARE(versions.size(), 1);
        const Version& release = versions.first();
        QCOMPARE(release.number(), LauncherVersion::number());
        QVERIFY(!release.beta);
        QCOMPARE(release.number() + " " + release.title, LauncherVersion::text());
        QVERIFY(!release.description.isEmpty());

        // The update server's version folder mirrors the install directory.
        QStringList sources;
        for (const FileUpdate& file : release.files) {
            QCOMPARE(file.destination, Deployment::installDir() + "/" + file.source);
            sources << file.source;
        }
        for (const char* program : {"KydVeltLauncher", "KydVeltUpgrader"})
            QVERIFY2(sources.contains(program), program);
    }
};

QTEST_GUILESS_MAIN(TestInitialManifest)
#include "test_initialmanifest.moc"
