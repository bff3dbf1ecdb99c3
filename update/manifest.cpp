#include "manifest.h"

#include "deployment.h"

#include <QBuffer>
#include <QFile>
#include <QRegularExpression>

#include <sys/stat.h>

QString Version::number() const
{
    return QString::number(major) + "." + QString::number(minor) + "." + QString::number(patch);
}

namespace {

// Lines of the manifest as the reader sees them: "\r\n" read as "\n", the
// bytes converted as Latin-1 up to the first NUL, the line break removed.
class LineReader
{
public:
    explicit LineReader(QIODevice& file) : file(file) {}

    bool atEnd() const { return file.atEnd(); }

    QString next()
    {
        QByteArray bytes = file.readLine();
        if (bytes.endsWith("\r\n"))
            bytes.replace(bytes.size() - 2, 2, "\n");
        // A NUL ends the text of the line, as it would a C string.
        QString line = QString::fromLatin1(bytes.constData());
        if (line.endsWith('\n'))
            line.chop(1);
        return line;
    }

private:
    QIODevice& file;
};

bool isSha256(const QString& text)
{
    static const QRegularExpression hex("^[0-9a-fA-F]{64}$");
    return hex.match(text).hasMatch();
}

FileUpdate parseFileLine(const QString& line)
{
    FileUpdate file;
    const int first = line.indexOf('|');
    const int last = line.lastIndexOf('|');
    if (first < 0) {
        file.source = line;
        file.destination = line;
        return file;
    }
    file.source = line.left(first);
    file.destination = line.mid(last + 1);
    const QString middle = line.mid(first + 1, last - first - 1);
    if (first != last && isSha256(middle))
        file.sha256 = middle.toLower();
    return file;
}

// Fills the version fields of `version` from its line; false when the line
// lacks the "|" or the three dot-separated numbers the format relies on.
bool parseVersionLine(const QString& line, Version& version)
{
    const int bar = line.indexOf('|');
    if (bar < 0)
        return false;
    const QStringList numbers = line.left(bar).split('.');
    if (numbers.size() < 3)
        return false;
    version.major = numbers[0].toInt();
    version.minor = numbers[1].toInt();
    version.patch = numbers[2].toInt();
    const QString rest = line.mid(bar + 1);
    version.title = rest.left(rest.indexOf('|')); // left(-1) is the whole text
    return true;
}

// Reads the rest of a block: file lines, then description lines. The line
// that reaches the end of the file is never used, whatever it holds.
void readBlock(LineReader& lines, Version& version)
{
    while (!lines.atEnd()) {
        const QString line = lines.next();
        if (lines.atEnd() || line.contains("---END FILES---"))
            break;
        version.files << parseFileLine(line);
    }
    while (!lines.atEnd()) {
        const QString line = lines.next();
        if (lines.atEnd() || line.contains("---END DESCRIPTION---"))
            break;
        version.description << line;
    }
}

bool isNewer(const Version& version, int major, int minor, int patch)
{
    if (version.major != major)
        return version.major > major;
    if (version.minor != minor)
        return version.minor > minor;
    return version.patch > patch;
}

} // namespace

QList<Version> Manifest::read(const QString& path, int major, int minor, int patch, bool acceptBeta)
{
    if (!exist_file(path))
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return parse(file.readAll(), major, minor, patch, acceptBeta);
}

QList<Version> Manifest::parse(const QByteArray& content, int major, int minor, int patch, bool acceptBeta)
{
    QList<Version> versions;
    QBuffer buffer;
    buffer.setData(content);
    buffer.open(QIODevice::ReadOnly);
    LineReader lines(buffer);
    bool beta = false;
    while (!lines.atEnd()) {
        QString line = lines.next();
        const int comment = line.indexOf('#');
        if (comment >= 0)
            line.truncate(comment);
        if (line.contains("---BETA---")) {
            beta = true;
        } else if (line.contains("---RELEASE---")) {
            beta = false;
        } else if (line.contains("---BREAK UPDATE---")) {
            if (!versions.isEmpty())
                return versions;
        } else if (!line.trimmed().isEmpty()) {
            Version version;
            version.beta = beta;
            const bool wellFormed = parseVersionLine(line, version);
            // A malformed block is still read to its end, so the next one
            // starts where it should.
            readBlock(lines, version);
            if (wellFormed && (!version.beta || acceptBeta) && isNewer(version, major, minor, patch))
                versions << version;
        }
    }
    return versions;
}

QString Manifest::installRelativePath(const QString& destination)
{
    QString relative;
    for (const QString& folder : {QString::fromLatin1(publishedInstallDir), Deployment::installDir()}) {
        const QString prefix = folder.endsWith('/') ? folder : folder + "/";
        if (destination.startsWith(prefix)) {
            relative = destination.mid(prefix.size());
            break;
        }
    }
    const QStringList pieces = relative.split('/');
    for (const QString& piece : pieces)
        if (piece.isEmpty() || piece == "." || piece == "..")
            return QString();
    return relative;
}

QUrl Manifest::manifestUrl()
{
    return QUrl(Deployment::updateBaseUrl() + "manifest_" + platformTag);
}

QUrl Manifest::fileUrl(const Version& version, const FileUpdate& file)
{
    return QUrl(Deployment::updateBaseUrl() + version.number() + "/" + file.source);
}

QUrl Manifest::signatureUrl()
{
    return QUrl(manifestUrl().toString() + ".minisig");
}

QString Manifest::upgraderPath()
{
    return Deployment::installDir() + "/KydVeltUpgrader";
}

bool exist_file(const QString& path)
{
    struct stat status;
    return stat(QFile::encodeName(path).constData(), &status) == 0;
}
