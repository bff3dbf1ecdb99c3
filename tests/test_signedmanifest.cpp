#include "deployment.h"
#include "manifest.h"
#include "signedmanifest.h"
#include "signingkey.h"
#include "testfiles.h"
#include "testhome.h"
#include "updateplan.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// What makes a manifest one the programs act on: its signature, made by the
// minisign tool with the update key, and file lines that each carry their
// SHA-256 and stay inside the install directory.
namespace {
const QString sha(64, 'a');

QByteArray manifestText()
{
    return "0.9.12|Second fixes\nKydVeltLauncher|" + sha.toLatin1()
        + "|/opt/kydveltlauncher/KydVeltLauncher\n---END FILES---\nFaster start\n---END DESCRIPTION---\n\n";
}
}

class TestSignedManifest : public QObject
{
    Q_OBJECT

    TestHome home;
    SigningKey key;
    SigningKey otherKey;

private slots:
    void initTestCase()
    {
        QVERIFY2(key.isReady(), qPrintable(key.errorText()));
        QVERIFY2(otherKey.isReady(), qPrintable(otherKey.errorText()));
    }

    void onlyAManifestSignedByTheUpdateKeyIsTaken_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("refusal"); // empty: taken
        QTest::newRow("signed over its hash") << "" << "";
        QTest::newRow("signed over the file (legacy)") << "legacy" << "";
        QTest::newRow("changed after signing") << "changed" << "the signature does not match the manifest";
        QTest::newRow("signed by another key") << "other key" << "signed by another key";
        QTest::newRow("trusted comment changed") << "comment" << "the trusted comment does not match its signature";
        QTest::newRow("signature cut short") << "cut" << "the signature file is malformed";
        QTest::newRow("no signature") << "no signature" << "no signature beside the manifest";
        QTest::newRow("manifest is a link to a signed one") << "link" << "is a symbolic link";
        QTest::newRow("manifest beyond the size limit") << "large" << "is larger than 1048576 bytes";
        QTest::newRow("build without a key") << "no key" << "this build has no update public key";
        QTest::newRow("malformed key") << "bad key" << "the update public key is malformed";
    }
    void onlyAManifestSignedByTheUpdateKeyIsTaken()
    {
        QFETCH(QString, fault);
        QFETCH(QString, refusal);
        QTemporaryDir folder;
        const QString manifest = SignedManifest::manifestPath(folder.path());
        const QString signature = SignedManifest::signaturePath(folder.path());
        QByteArray content = manifestText();
        if (fault == "large")
            content += "# " + QByteArray(SignedManifest::sizeLimit, 'x') + "\n";
        QVERIFY(TestFiles::write(manifest, content));
        QVERIFY((fault == "other key" ? otherKey : key).sign(manifest, signature, fault == "legacy"));
        Deployment::setUpdatePublicKey(key.publicKey());

        if (fault == "changed") {
            QVERIFY(TestFiles::write(manifest, QByteArray(content).replace("Faster", "Slower")));
        } else if (fault == "comment") {
            QVERIFY(TestFiles::write(signature, TestFiles::content(signature).replace("test release", "test relea5e")));
        } else if (fault == "cut") {
            QVERIFY(TestFiles::write(signature, TestFiles::content(signature).left(120)));
        } else if (fault == "no signature") {
            QVERIFY(QFile::remove(signature));
        } else if (fault == "link") {
            QVERIFY(QFile::rename(manifest, folder.filePath("elsewhere")));
            QVERIFY(QFile::link(folder.filePath("elsewhere"), manifest));
        } else if (fault == "no key") {
            Deployment::setUpdatePublicKey(QString());
        } else if (fault == "bad key") {
            Deployment::setUpdatePublicKey(key.publicKey().left(40));
        }

        const SignedManifest::Loaded loaded = SignedManifest::loadFrom(folder.path());
        Deployment::setUpdatePublicKey(QString());
        QVERIFY(!loaded.missing);
        if (refusal.isEmpty()) {
            QVERIFY2(loaded.ok(), qPrintable(loaded.error));
            QCOMPARE(loaded.content, content);
        } else {
            QVERIFY2(loaded.error.contains(refusal), qPrintable(loaded.error));
            QVERIFY(loaded.content.isEmpty());
        }
    }

    void unfitVersionsAreRefused_data()
    {
        QTest::addColumn<QByteArray>("lines");  // file lines of 0.9.12, above 0.9.11's
        QTest::addColumn<QString>("refusal");   // empty: planned
        QTest::addColumn<QString>("planned");   // version index (oldest 0) and path inside the install
        const QByteArray hash = sha.toLatin1();
        QTest::newRow("all hashed and inside: the newest version's file wins")
            << "b|" + hash + "|/opt/kydveltlauncher/sub/b.txt\na|" + hash + "|/opt/kydveltlauncher/a.txt\n" << ""
            << "0:sub/c.txt 1:sub/b.txt 1:a.txt";
        QTest::newRow("destination in this build's install directory")
            << "a|" + hash + "|/opt/other/a.txt\n" << "" << "0:sub/b.txt 0:sub/c.txt 1:a.txt";
        QTest::newRow("line without its hash")
            << QByteArray("a|/opt/kydveltlauncher/a.txt\n") << "0.9.12 a: the file line carries no SHA-256" << "";
        QTest::newRow("destination outside")
            << "a|" + hash + "|/etc/sudoers.d/a\n" << "0.9.12 a: /etc/sudoers.d/a lies outside the install directory" << "";
        QTest::newRow("destination climbing out")
            << "a|" + hash + "|/opt/kydveltlauncher/../../etc/a\n" << "lies outside the install directory" << "";
        QTest::newRow("the install directory itself")
            << "a|" + hash + "|/opt/kydveltlauncher/\n" << "lies outside the install directory" << "";
        QTest::newRow("a sibling folder with the same start")
            << "a|" + hash + "|/opt/kydveltlauncher2/a\n" << "lies outside the install directory" << "";
    }
    void unfitVersionsAreRefused()
    {
        QFETCH(QByteArray, lines);
        QFETCH(QString, refusal);
        QFETCH(QString, planned);
        Deployment::setInstallDir("/opt/other");
        const QByteArray hash = sha.toLatin1();
        const QByteArray manifest = "0.9.12|Second\n" + lines
            + "---END FILES---\n---END DESCRIPTION---\n"
              "0.9.11|First\n"
              "b|" + hash + "|/opt/kydveltlauncher/sub/b.txt\n"
              "c|" + hash + "|/opt/kydveltlauncher/sub/c.txt\n"
              "---END FILES---\n---END DESCRIPTION---\n\n";
        const UpdatePlan plan(Manifest::parse(manifest, 0, 9, 10, false));
        if (!refusal.isEmpty()) {
            QVERIFY2(plan.error().contains(refusal), qPrintable(plan.error()));
            return;
        }
        QVERIFY2(plan.error().isEmpty(), qPrintable(plan.error()));
        QStringList files;
        for (const UpdatePlan::File& file : plan.files)
            files << QString::number(file.version) + ":" + file.relativePath;
        QCOMPARE(files.join(' '), planned);
        QCOMPARE(plan.files.last().url.toString(), Deployment::updateBaseUrl() + "0.9.12/a");
    }
};

QTEST_GUILESS_MAIN(TestSignedManifest)
#include "test_signedmanifest.moc"
