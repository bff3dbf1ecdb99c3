// Generated settings files, from random bytes to valid files damaged in the
// ways real files get damaged. Each one is read, written and read again: the
// reader must never crash, and the second read must give the values of the
// first. The seed is printed; run with "-seed <n>" to replay a run, and the
// failing case's own number is printed with it.

#include "settings/configloader.h"
#include "testhome.h"

#include <QDateTime>
#include <QtTest>

#include <cstring>

namespace {

quint64 chosenSeed = 0;
bool seedGiven = false;
const int inputCount = 100000;

// The saved values of both, the version left out (see values() below).
bool sameValues(const ConfigLoader& a, const ConfigLoader& b)
{
    return a.showLauncherStatus == b.showLauncherStatus && a.showServerStatus == b.showServerStatus
        && a.default_demo == b.default_demo && a.default_p2 == b.default_p2 && a.default_shell == b.default_shell
        && a.default_enterprise == b.default_enterprise && a.default_install == b.default_install
        && a.default_upgrades == b.default_upgrades && a.auto_port == b.auto_port
        && a.remove_installs == b.remove_installs && a.installer_status == b.installer_status
        && a.secBeforeShutDown == b.secBeforeShutDown && a.acceptBeta == b.acceptBeta && a.language == b.language
        && a.cursorType == b.cursorType && a.todos == b.todos;
}

// Every saved value in one list, to show what differs. The version is left
// out: the file records the version of the program that wrote it, not the one
// it read.
QStringList values(const ConfigLoader& c)
{
    return {QString::number(c.showLauncherStatus), QString::number(c.showServerStatus),
            QString::number(c.default_demo), QString::number(c.default_p2),
            QString::number(c.default_shell), QString::number(c.default_enterprise),
            c.default_install, c.default_upgrades,
            QString::number(c.auto_port), QString::number(c.remove_installs),
            QString::number(c.installer_status), QString::number(c.secBeforeShutDown),
            QString::number(c.acceptBeta), c.language, QString::number(c.cursorType),
            QString::number(c.todos.size()), c.todos.join(QChar(0x1f))};
}

class Generator
{
public:
    explicit Generator(quint64 seed) : state(seed) {}

    QByteArray input()
    {
        switch (below(4)) {
        case 0: return randomBytes(below(400));
        case 1: return lineSoup();
        default: return mutated(validFile());
        }
    }

private:
    // splitmix64: tiny, fast to seed for every input, and the same everywhere.
    quint64 state;
    quint64 next()
    {
        quint64 z = (state += 0x9e3779b97f4a7c15ull);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
        return z ^ (z >> 31);
    }

    int below(int n) { return int(next() % quint64(n)); }
    bool chance(int oneIn) { return below(oneIn) == 0; }

    QByteArray randomBytes(int size)
    {
        QByteArray bytes(size, '\0');
        for (char& byte : bytes)
            byte = char(below(256));
        return bytes;
    }

    // Text made of the pieces a settings file is made of, in any order.
    QByteArray piece()
    {
        static const char* const pieces[] = {
            "language", "installer_status", "secBeforeShutDown", "default_install", "cursorType", "acceptBeta",
            "version", "todo", ":", "::", "1", "0", "-1", "99999999999", "fr", "en", " ", "\t", "\r", "\n",
            "\r\n", "X", "O", "é", "\xff", "\xc3", "-> todo list ->", "<- todo list <-",
            "XXX CONFIG FILE FOR KYD_VELT_LAUNCHER XXX"};
        if (chance(12))
            return QByteArray(1, '\0');
        return pieces[below(int(sizeof pieces / sizeof *pieces))];
    }

    QByteArray lineSoup()
    {
        QByteArray text;
        const int count = below(60);
        for (int i = 0; i < count; ++i)
            text += piece();
        return text;
    }

    QString word()
    {
        static const QString letters = QString::fromUtf8("abcXO :é\r\t,-<>\xe2\x80\xa8_");
        QString text;
        const int size = below(12);
        for (int i = 0; i < size; ++i)
            text += letters.at(below(letters.size()));
        return text;
    }

    QByteArray validFile()
    {
        ConfigLoader c;
        c.showLauncherStatus = below(4) - 1;
        c.showServerStatus = below(3);
        c.default_demo = chance(2);
        c.default_p2 = chance(2);
        c.default_shell = chance(2);
        c.default_enterprise = chance(2);
        c.default_install = word();
        c.default_upgrades = word();
        c.auto_port = chance(2);
        c.remove_installs = chance(2);
        c.installer_status = chance(2);
        c.secBeforeShutDown = below(100);
        c.acceptBeta = chance(2);
        c.language = chance(2) ? QStringLiteral("fr") : word();
        c.cursorType = below(3);
        const int notes = below(6);
        for (int i = 0; i < notes; ++i)
            c.todos << word() + (chance(2) ? "X" : "O");
        return c.serialize();
    }

    // Where a whole line begins: 0 or just after a "\n".
    int lineStart(const QByteArray& text)
    {
        int at = below(text.size() + 1);
        while (at > 0 && text.at(at - 1) != '\n')
            --at;
        return at;
    }

    QByteArray mutated(QByteArray text)
    {
        const int count = 1 + below(4);
        for (int i = 0; i < count; ++i) {
            switch (below(9)) {
            case 0: text.replace("\n", "\r\n"); break;
            case 1: text.insert(below(text.size() + 1), '\r'); break;
            case 2: text.insert(below(text.size() + 1), '\0'); break;
            case 3: { // a marker line lost
                const char* marker = chance(2) ? ConfigLoader::todoStart : ConfigLoader::todoEnd;
                const int at = text.indexOf(marker);
                if (at >= 0)
                    text.remove(at, int(std::strlen(marker)));
                break;
            }
            case 4: { // a marker line twice
                const QByteArray marker = QByteArray(chance(2) ? ConfigLoader::todoStart : ConfigLoader::todoEnd);
                text.insert(lineStart(text), marker + "\n");
                break;
            }
            case 5: // a very long line, now and then
                if (chance(20))
                    text.insert(lineStart(text), "default_install:" + QByteArray(1000 + below(20000), 'w') + "\n");
                break;
            case 6: { // a line without its ":"
                const int colon = text.indexOf(':', below(text.size() + 1));
                if (colon >= 0)
                    text.remove(colon, 1);
                break;
            }
            case 7: text.truncate(below(text.size() + 1)); break;
            default: text.insert(below(text.size() + 1), piece()); break;
            }
        }
        return text;
    }
};

QString printable(const QByteArray& input)
{
    return QString::fromLatin1(input.left(300).toPercentEncoding(" :<->_,"));
}

}

class ConfigFuzzTest : public QObject
{
    Q_OBJECT
    TestHome home;

private slots:
    void readWriteReadKeepsTheValues()
    {
        const quint64 seed = seedGiven ? chosenSeed : quint64(QDateTime::currentMSecsSinceEpoch());
        qInfo("settings fuzz seed: %llu (replay with -seed %llu)", seed, seed);

        for (int i = 0; i < inputCount; ++i) {
            Generator generator(seed * 1000003u + quint64(i));
            const QByteArray input = generator.input();

            ConfigLoader first;
            first.parse(input);
            const QByteArray written = first.serialize();
            ConfigLoader second;
            second.parse(written);

            if (!sameValues(first, second) || second.serialize() != written) {
                qWarning("input %d of seed %llu: %s", i, seed, qPrintable(printable(input)));
                QCOMPARE(values(second), values(first));
                QCOMPARE(second.serialize(), written);
            }

            // Now and then the whole way through a real file.
            if (i % 5000 == 0) {
                home.writeFile(".config/KydVeltLauncher/config", input);
                ConfigLoader fromFile;
                QCOMPARE(int(fromFile.load()), int(ConfigLoader::LoadResult::Read));
                QCOMPARE(values(fromFile), values(first));
                QVERIFY(fromFile.save());
                ConfigLoader again;
                again.load();
                QCOMPARE(values(again), values(first));
            }
        }
    }
};

int main(int argc, char** argv)
{
    // "-seed <n>" is ours; everything else goes to the test framework.
    QVector<char*> rest;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "-seed") == 0 && i + 1 < argc) {
            chosenSeed = QByteArray(argv[++i]).toULongLong();
            seedGiven = true;
        } else {
            rest << argv[i];
        }
    }
    int restCount = rest.size();
    QCoreApplication app(restCount, rest.data());
    ConfigFuzzTest test;
    return QTest::qExec(&test, restCount, rest.data());
}

#include "test_configfuzz.moc"
