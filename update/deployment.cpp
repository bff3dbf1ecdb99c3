#include "deployment.h"

#include "deployment_config.h"

namespace {
QString& installDirValue()
{
    static QString value = QStringLiteral(KVL_DEFAULT_INSTALL_DIR);
    return value;
}
QString& updateBaseUrlValue()
{
    static QString value = QStringLiteral(KVL_DEFAULT_UPDATE_BASE_URL);
    return value;
}
QString& updatePublicKeyValue()
{
    static QString value = QStringLiteral(KVL_DEFAULT_UPDATE_PUBLIC_KEY);
    return value;
}
QString& codeHostBaseValue()
{
    static QString value = QStringLiteral(KVL_DEFAULT_CODE_HOST_BASE);
    return value;
}
bool& packagedValue()
{
    static bool value = KVL_DEFAULT_PACKAGED;
    return value;
}
QString& ciHostValue()
{
    static QString value = QStringLiteral(KVL_DEFAULT_CI_HOST);
    return value;
}
}

QString Deployment::installDir() { return installDirValue(); }
void Deployment::setInstallDir(const QString& dir) { installDirValue() = dir; }

QString Deployment::updateBaseUrl() { return updateBaseUrlValue(); }
void Deployment::setUpdateBaseUrl(const QString& url) { updateBaseUrlValue() = url; }

QString Deployment::updatePublicKey() { return updatePublicKeyValue(); }
void Deployment::setUpdatePublicKey(const QString& key) { updatePublicKeyValue() = key.trimmed(); }

QString Deployment::codeHostName() { return QStringLiteral(KVL_CODE_HOST_NAME); }
QString Deployment::codeHostBase() { return codeHostBaseValue(); }
void Deployment::setCodeHostBase(const QString& url) { codeHostBaseValue() = url; }

QString Deployment::ciHost() { return ciHostValue(); }
void Deployment::setCiHost(const QString& host) { ciHostValue() = host; }

bool Deployment::packaged() { return packagedValue(); }
void Deployment::setPackaged(bool packaged) { packagedValue() = packaged; }

QString Deployment::maintainerEmail() { return QStringLiteral(KVL_MAINTAINER_EMAIL); }
QString Deployment::bugReportEmail() { return QStringLiteral(KVL_BUGREPORT_EMAIL); }

QString Deployment::translationPath(const QString& languageCode)
{
    return installDir() + "/languages/Translation_QEN_" + languageCode + ".qm";
}
