#include "remoterecognition.h"

#include "deployment.h"

namespace RemoteRecognition {

namespace {
bool pointsTo(const QString& url, const QString& organisation, const QString& repo)
{
    const QString host = Deployment::codeHostName();
    return url.contains("git@" + host + ":" + organisation + "/" + repo + ".git")
           || url.contains(host + "/" + organisation + "/" + repo);
}
}

Upstream classify(const QString& url, const QString& repo)
{
    if (pointsTo(url, QStringLiteral("velt-dev"), repo))
        return Upstream::Development;
    if (pointsTo(url, QStringLiteral("velt"), repo))
        return Upstream::Main;
    return Upstream::None;
}

QString proposedUrl(const QString& organisation, const QString& repo)
{
    return "https://" + Deployment::codeHostName() + ":" + organisation + "/" + repo + ".git";
}

}
