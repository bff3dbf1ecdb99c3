#pragma once

#include <QList>
#include <QString>

#include <functional>
#include <memory>

// Puts the files of an update into the install directory in one short step
// that an interruption cannot leave half done. The files are first staged in
// a private folder inside the install directory; the list of moves is then
// written to a journal, and only then are the files renamed into place. A
// journal found by the next start is carried out again, so a step stopped
// half-way is finished then.
//
// Every path is walked from the install directory's own descriptor, one
// folder at a time, never through a symbolic link, and nothing is written
// outside the install directory.
class InstallTransaction
{
public:
    ~InstallTransaction();
    InstallTransaction(const InstallTransaction&) = delete;
    InstallTransaction& operator=(const InstallTransaction&) = delete;

    // Opens `installDir` when it, and every folder above it, is a real
    // folder (no symbolic link) that nobody but the superuser or the
    // effective user can change; null, with `error` set, otherwise.
    static std::unique_ptr<InstallTransaction> open(const QString& installDir, QString* error);

    // The staging folder's name inside the install directory.
    static constexpr const char* stagingName = ".update-staging";
    QString stagingPath() const;
    // "<stagingPath>/file-<index>"
    QString stagedPath(int index) const;

    // Whether an earlier run stopped during its last step.
    bool hasJournal() const;
    // Carries out the journal an earlier run left, then clears the staging;
    // `moved` tells how many files were still to be put in place.
    bool resume(QString* error, int* moved);

    // Removes what an unfinished earlier run staged and makes the staging
    // folder afresh, private to the effective user.
    bool startStaging(QString* error);
    // Removes the staging folder and what it holds.
    bool discard(QString* error) { return removeStaging(error); }
    // Queues the move of staged file `index` to `relativePath`. A new file is
    // made executable when `executable`; a replaced one keeps its mode.
    void add(int index, const QString& relativePath, bool executable);
    // Checks every destination before anything moves: each folder on the way
    // is a real folder, the file itself is absent or a regular file, and the
    // staged file is there.
    bool check(QString* error);
    // Writes the journal, then moves every file into place with the usual
    // stop signals held off, and clears the staging.
    bool commit(QString* error);

    // Tests only: called after each file moved into place.
    static std::function<void()> afterEachMove;

private:
    struct Move {
        QString staged;   // name in the staging folder
        QString relative; // destination inside the install directory
        bool executable = false;
    };

    InstallTransaction(const QString& path, int installFd);
    bool openStaging(bool create, QString* error);
    bool removeStaging(QString* error);
    bool carryOut(const QList<Move>& journal, QString* error, int* moved = nullptr);
    bool readJournal(QList<Move>* journal, QString* error) const;

    QString path;
    int installFd = -1;
    int stagingFd = -1;
    QList<Move> moves;
};
