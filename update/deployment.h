#pragma once

#include <QString>

// Where this installation lives and which outside hosts it talks to. The
// defaults come from the build's cache variables; tests point them elsewhere
// through the setters.
class Deployment
{
public:
    static QString installDir();
    static void setInstallDir(const QString& dir);

    static QString updateBaseUrl();
    static void setUpdateBaseUrl(const QString& url);

    // The base64 line of the minisign public key that signs the update
    // manifest; empty when the build has none, and then nothing is updated.
    static QString updatePublicKey();
    static void setUpdatePublicKey(const QString& key);

    static QString codeHostName();
    static QString codeHostBase();
    static void setCodeHostBase(const QString& url);

    static QString ciHost();
    static void setCiHost(const QString& host);

    // Installed by the package: its files belong to the package manager, and
    // updates come with the package.
    static bool packaged();
    static void setPackaged(bool packaged);

    static QString maintainerEmail();
    static QString bugReportEmail();

    // installDir() + "/languages/Translation_QEN_" + code + ".qm"
    static QString translationPath(const QString& languageCode);
};
