#include "cistatus.h"

#include "deployment.h"

namespace CiStatus {

QString slug(const QString& repo, bool isVersion)
{
    const bool enterprise = repo == QLatin1String("enterprise");
    const QString organisation = isVersion ? QStringLiteral("velt") : QStringLiteral("velt-dev");
    const int number = enterprise ? (isVersion ? 7 : 8) : (isVersion ? 1 : 2);
    const QString repository = enterprise ? QStringLiteral("enterprise") : QStringLiteral("velt");
    QString host = Deployment::codeHostName();
    host.replace('.', '-');
    return "git-" + host + "-" + organisation + "-" + repository + "-" + QString::number(number);
}

QString pageUrl(const QString& repo, bool isVersion, const QString& branch)
{
    return "http://" + Deployment::ciHost() + "/vettor/repo/" + slug(repo, isVersion) + "?search=" + branch;
}

QString branchOfUrl(const QString& url)
{
    return url.split(QStringLiteral("?search=")).last();
}

const QStringList& tablePath()
{
    static const QStringList path = {"body", "div", "main", "div", "div", "div", "table", "tbody"};
    return path;
}

QStringList navigate(QString& html, QStringList path)
{
    const QStringList lines = html.split('\n');
    int b = 0;
    int depth = 0;
    // Tags that match nothing until the first element of the path is found.
    QString openTag, closeTag;
    bool tagsSet = false;
    int start = -1;
    int end = -1;
    auto setTags = [&](int index) {
        openTag = "<" + path[index];
        closeTag = "</" + path[index] + ">";
        tagsSet = true;
    };
    for (int i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        if (b >= 0 && b < path.size() && line.contains("<" + path[b])) {
            setTags(b);
            if (b == path.size() - 1)
                start = i;
            ++b;
        } else if (tagsSet && line.contains(openTag)) {
            ++depth;
        } else if (tagsSet && line.contains(closeTag)) {
            --depth;
            if (depth < 0) {
                --b;
                if (start != -1 && b >= 0) {
                    setTags(b);
                    end = i;
                }
            }
        }
    }
    if (start == -1 || end < start)
        return QStringList();
    return lines.mid(start, end - start + 1);
}

QString statusCell(const QStringList& tableLines, const QString& branch)
{
    QList<QStringList> rows;
    QStringList current;
    for (const QString& line : tableLines) {
        if (line.contains(QLatin1String("<tr>"))) {
            rows << current;
            current = QStringList{line};
        } else {
            current << line;
        }
    }
    rows << current;

    const QString marker = "<b>" + branch + "</b>";
    const QStringList* found = nullptr;
    for (const QStringList& row : rows)
        for (const QString& line : row)
            if (line.contains(marker)) {
                found = &row;
                break;
            }
    if (!found)
        return QString();
    for (const QString& line : *found)
        if (line.contains(QLatin1String("td class=")))
            return line;
    return QString();
}

QColor colourOf(const QString& cellLine)
{
    QColor colour;
    if (cellLine.contains(QLatin1String("success")))
        colour = Qt::green;
    if (cellLine.contains(QLatin1String("danger")))
        colour = Qt::red;
    if (cellLine.contains(QLatin1String("killed")))
        colour = Qt::gray;
    if (cellLine.contains(QLatin1String("warning")))
        colour = Qt::yellow;
    if (cellLine.contains(QLatin1String("info")))
        colour = Qt::cyan;
    return colour;
}

QColor colourForBranch(QString html, const QString& branch)
{
    return colourOf(statusCell(navigate(html, tablePath()), branch));
}

}
