#include "updateplan.h"

#include "manifest.h"

#include <QSet>

#include <algorithm>

UpdatePlan::UpdatePlan(const QList<Version>& newestFirst) : oldestFirst(newestFirst)
{
    std::reverse(oldestFirst.begin(), oldestFirst.end());
    QSet<QString> claimed;
    // Newest first, so that the newest version claims a file others list too.
    QList<File> ordered;
    for (int index = oldestFirst.size() - 1; index >= 0; --index) {
        const Version& version = oldestFirst[index];
        QList<File> ofVersion;
        for (const FileUpdate& line : version.files) {
            const QString where = version.number() + " " + line.source;
            if (line.sha256.isEmpty()) {
                refusal = where + ": the file line carries no SHA-256";
                return;
            }
            const QString relative = Manifest::installRelativePath(line.destination);
            if (relative.isEmpty()) {
                refusal = where + ": " + line.destination + " lies outside the install directory";
                return;
            }
            if (claimed.contains(relative))
                continue;
            claimed.insert(relative);
            ofVersion << File{relative, Manifest::fileUrl(version, line), line.sha256, index};
        }
        ordered = ofVersion + ordered;
    }
    files = ordered;
}

int UpdatePlan::upgraderIndex() const
{
    for (int index = 0; index < files.size(); ++index)
        if (files[index].relativePath == upgraderName)
            return index;
    return -1;
}

const UpdatePlan::File* UpdatePlan::upgrader() const
{
    const int index = upgraderIndex();
    return index < 0 ? nullptr : &files[index];
}
