// The translation sources and what the build makes of them: every French
// entry is translated, the sources hold exactly the texts the code has
// (scripts/update-translations.sh would change nothing), and the compiled
// files the launcher loads carry the same translations.

#include "testhome.h"

#include <QFile>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

const QString translationsDir = QStringLiteral(KVL_SOURCE_DIR "/resources/translations");

struct Entry {
    QString translation;
    QString type; // "unfinished", "vanished", "obsolete" or empty
};

// (context, source, comment) -> entry; the key joins the three with a byte
// that no text holds.
using Entries = QMap<QString, Entry>;

QString key(const QString& context, const QString& source, const QString& comment)
{
    return context + QChar(1) + source + QChar(1) + comment;
}

QString describe(const QString& entryKey)
{
    const QStringList parts = entryKey.split(QChar(1));
    return parts.at(0) + " / \"" + parts.at(1) + "\"";
}

Entries readTs(const QString& path, QString* error)
{
    Entries entries;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = "cannot open " + path;
        return entries;
    }
    QXmlStreamReader xml(&file);
    QString context, source, comment;
    Entry entry;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const auto name = xml.name();
            if (name == QLatin1String("name")) {
                context = xml.readElementText();
            } else if (name == QLatin1String("message")) {
                source.clear();
                comment.clear();
                entry = Entry();
            } else if (name == QLatin1String("source")) {
                source = xml.readElementText();
            } else if (name == QLatin1String("comment")) {
                comment = xml.readElementText();
            } else if (name == QLatin1String("translation")) {
                entry.type = xml.attributes().value("type").toString();
                // Plural forms come as <numerusform> children; plain text otherwise.
                entry.translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            }
        } else if (xml.isEndElement() && xml.name() == QLatin1String("message")) {
            entries.insert(key(context, source, comment), entry);
        }
    }
    if (xml.hasError())
        *error = path + ": " + xml.errorString();
    return entries;
}

// What differs between the kept sources and a refreshed copy, one line each.
QStringList differences(const Entries& kept, const Entries& refreshed)
{
    QStringList lines;
    for (auto it = refreshed.cbegin(); it != refreshed.cend(); ++it)
        if (!kept.contains(it.key()))
            lines << "missing: " + describe(it.key());
    for (auto it = kept.cbegin(); it != kept.cend(); ++it) {
        if (!refreshed.contains(it.key()))
            lines << "no longer in the code: " + describe(it.key());
        else if (refreshed[it.key()].translation != it->translation || refreshed[it.key()].type != it->type)
            lines << "would change: " + describe(it.key());
    }
    return lines;
}

}

class TestTranslationFiles : public QObject
{
    Q_OBJECT
    TestHome home;

private slots:
    void everyFrenchEntryIsTranslated()
    {
        QString error;
        const Entries french = readTs(translationsDir + "/Translation_QEN_fr.ts", &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QVERIFY(french.size() > 100);
        QStringList untranslated;
        for (auto it = french.cbegin(); it != french.cend(); ++it)
            if (!it->type.isEmpty() || it->translation.trimmed().isEmpty())
                untranslated << describe(it.key()) + (it->type.isEmpty() ? QString(" (empty)") : " (" + it->type + ")");
        QVERIFY2(untranslated.isEmpty(), qPrintable("\n" + untranslated.join('\n')));

        // Both languages list the same texts.
        const Entries english = readTs(translationsDir + "/Translation_QEN_en.ts", &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(english.keys(), french.keys());
    }

    void sourcesHoldExactlyTheCodeTexts()
    {
        // The refresh script run into copies: the sources stay untouched.
        QTemporaryDir copies;
        QVERIFY(copies.isValid());
        QProcess script;
        script.setProcessChannelMode(QProcess::MergedChannels);
        // The lupdate of the Qt this build uses.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("LUPDATE", KVL_LUPDATE);
        script.setProcessEnvironment(environment);
        script.start(KVL_SOURCE_DIR "/scripts/update-translations.sh", {"--into", copies.path()});
        QVERIFY(script.waitForStarted(10000));
        if (!script.waitForFinished(120000)) {
            script.kill();
            script.waitForFinished(5000);
            QFAIL("the refresh script did not finish in time");
        }
        QVERIFY2(script.exitCode() == 0, script.readAll().constData());

        QStringList report;
        for (const QString& language : {QStringLiteral("en"), QStringLiteral("fr")}) {
            const QString name = "/Translation_QEN_" + language + ".ts";
            QString error;
            const Entries kept = readTs(translationsDir + name, &error);
            const Entries refreshed = readTs(copies.path() + name, &error);
            QVERIFY2(error.isEmpty(), qPrintable(error));
            for (const QString& line : differences(kept, refreshed))
                report << language + ": " + line;
        }
        QVERIFY2(report.isEmpty(), qPrintable("run scripts/update-translations.sh and translate:\n" + report.join('\n')));
    }

    void buildCompilesBothLanguages()
    {
        for (const QString& language : {QStringLiteral("en"), QStringLiteral("fr")}) {
            const QString compiled = KVL_TRANSLATIONS_DIR "/Translation_QEN_" + language + ".qm";
            QVERIFY2(QFileInfo::exists(compiled), qPrintable(compiled));
            QTranslator translator;
            QVERIFY2(translator.load(compiled), qPrintable(compiled));
        }

        // The compiled French file says what the source says, entry by entry.
        QString error;
        const Entries french = readTs(translationsDir + "/Translation_QEN_fr.ts", &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QTranslator translator;
        QVERIFY(translator.load(KVL_TRANSLATIONS_DIR "/Translation_QEN_fr.qm"));
        QStringList stale;
        for (auto it = french.cbegin(); it != french.cend(); ++it) {
            const QStringList parts = it.key().split(QChar(1));
            const QByteArray context = parts.at(0).toUtf8();
            const QByteArray source = parts.at(1).toUtf8();
            const QByteArray comment = parts.at(2).toUtf8();
            const QString found = translator.translate(context.constData(), source.constData(),
                                                       comment.isEmpty() ? nullptr : comment.constData());
            if (found != it->translation)
                stale << describe(it.key());
        }
        QVERIFY2(stale.isEmpty(), qPrintable("\n" + stale.join('\n')));
    }
};

QTEST_GUILESS_MAIN(TestTranslationFiles)
#include "test_translationfiles.moc"
