#pragma once

#include <QString>

// Tells which upstream a remote URL points to. Both the SSH form
// ("git@<host>:<organisation>/<repo>.git") and any form containing
// "<host>/<organisation>/<repo>" are recognised.
namespace RemoteRecognition {

enum class Upstream { None, Main, Development };

Upstream classify(const QString& url, const QString& repo);

// "https://<host>:<organisation>/<repo>.git", the text proposed when the
// user is asked for a missing remote's URL.
QString proposedUrl(const QString& organisation, const QString& repo);

}
