// The screenshots script end to end: it builds its demo home, runs the
// launcher on a virtual display and leaves three pictures that show a real
// window, in the output folder it was given and nowhere else.

#include "testhome.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

class TestScreenshots : public QObject
{
    Q_OBJECT
    TestHome home;

    // How many different colours a sample grid of the picture holds: a blank
    // or single-colour grab has one or two.
    static int colourCount(const QImage& image)
    {
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); y += 7)
            for (int x = 0; x < image.width(); x += 7)
                colours.insert(image.pixel(x, y));
        return colours.size();
    }

private slots:
    void scriptWritesThreePictures()
    {
        QTemporaryDir output;
        QVERIFY(output.isValid());
        QProcess script;
        script.setProcessChannelMode(QProcess::ForwardedChannels);
        script.start(KVL_SOURCE_DIR "/scripts/screenshots.sh",
                     {"--no-build", "--build-dir", KVL_BUILD_DIR, output.path() + "/images"});
        QVERIFY(script.waitForStarted(10000));
        if (!script.waitForFinished(240000)) {
            script.kill();
            script.waitForFinished(5000);
            QFAIL("the screenshots script did not finish in time");
        }
        QCOMPARE(script.exitStatus(), QProcess::NormalExit);
        QCOMPARE(script.exitCode(), 0);

        const QStringList names = {"main-window.png", "git-panel.png", "parameters.png"};
        QCOMPARE(QDir(output.path() + "/images").entryList(QDir::Files, QDir::Name),
                 QStringList({"git-panel.png", "main-window.png", "parameters.png"}));
        QSet<QByteArray> contents;
        for (const QString& name : names) {
            const QString path = output.path() + "/images/" + name;
            QFile file(path);
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
            const QByteArray bytes = file.readAll();
            QVERIFY2(bytes.startsWith("\x89PNG\r\n\x1a\n"), qPrintable(name));
            contents.insert(bytes);
            QImage image;
            QVERIFY2(image.loadFromData(bytes, "PNG"), qPrintable(name));
            QVERIFY2(image.width() >= 1000 && image.height() >= 600, qPrintable(name));
            QVERIFY2(colourCount(image) > 20, qPrintable(name));
        }
        // Three different views, not one picture three times.
        QCOMPARE(contents.size(), 3);

        // The demo home lived in a temporary folder of its own: the home the
        // script was started from holds nothing it made.
        QVERIFY(!QFileInfo::exists(home.path() + "/Documents/velt-servers"));
        QVERIFY(!QFileInfo::exists(home.path() + "/.config/KydVeltLauncher"));
    }
};

QTEST_MAIN(TestScreenshots)
#include "test_screenshots.moc"
