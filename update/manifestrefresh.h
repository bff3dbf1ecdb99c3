#pragma once

#include <QObject>
#include <QString>

class DownloadManager;

// Fetches the update server's manifest and its signature into a folder of
// the launcher's user, for the next start. The pair replaces the previous
// one only when the signature verifies; a refused manifest is removed again
// and reported on standard error.
class ManifestRefresh : public QObject
{
    Q_OBJECT
public:
    ManifestRefresh(const QString& folder, QObject* parent);

    // Queues both downloads; the result comes with `done`.
    void start();
    DownloadManager* downloads() const { return manager; }

signals:
    void done(bool kept);

private:
    void judge();

    QString folder;
    DownloadManager* manager;
};
