#include "installtransaction.h"

#include <QFile>
#include <QStringList>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::function<void()> InstallTransaction::afterEachMove;

namespace {

const char* const journalName = "journal";
const char* const newJournalName = "journal.new";

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

// Closes a descriptor when it goes out of scope.
class Fd
{
public:
    explicit Fd(int fd = -1) : fd(fd) {}
    ~Fd()
    {
        if (fd >= 0)
            ::close(fd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd; }
    void reset(int other)
    {
        if (fd >= 0)
            ::close(fd);
        fd = other;
    }

private:
    int fd;
};

int openFolderAt(int parent, const QByteArray& name)
{
    return ::openat(parent, name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

// Nobody but the superuser or the effective user can change it. A folder
// above the install directory may be open to everyone when it is sticky
// (/tmp): others can then add entries but not replace ours.
bool trusted(const struct stat& status, bool isInstallDir)
{
    if (status.st_uid != 0 && status.st_uid != geteuid())
        return false;
    if (!(status.st_mode & (S_IWGRP | S_IWOTH)))
        return true;
    return !isInstallDir && (status.st_mode & S_ISVTX);
}

bool validRelative(const QString& relative)
{
    const QStringList pieces = relative.split('/');
    for (const QString& piece : pieces)
        if (piece.isEmpty() || piece == "." || piece == "..")
            return false;
    return pieces.first() != InstallTransaction::stagingName;
}

// Opens the folder holding `relative`'s last piece, walking from `root`
// without following links. With `create`, missing folders are made; without
// it, a missing folder sets `*missing` and leaves `*parent` unset.
bool openParent(int root, const QString& relative, bool create, Fd* parent, QByteArray* leaf, bool* missing,
                QString* error)
{
    QStringList pieces = relative.split('/');
    *leaf = QFile::encodeName(pieces.takeLast());
    *missing = false;
    parent->reset(::dup(root));
    QString walked;
    for (const QString& piece : pieces) {
        walked += piece + "/";
        const QByteArray name = QFile::encodeName(piece);
        int next = openFolderAt(parent->get(), name);
        if (next < 0 && errno == ENOENT) {
            if (!create) {
                *missing = true;
                return true;
            }
            if (::mkdirat(parent->get(), name.constData(), 0755) != 0 && errno != EEXIST) {
                *error = walked + ": " + systemError();
                return false;
            }
            next = openFolderAt(parent->get(), name);
        }
        if (next < 0) {
            *error = (errno == ELOOP || errno == ENOTDIR) ? walked + " is a symbolic link or not a folder"
                                                          : walked + ": " + systemError();
            return false;
        }
        parent->reset(next);
    }
    return true;
}

// Holds off the signals that end a program from a terminal or a logout
// while the files move; one that came meanwhile takes effect afterwards.
// Handlers rather than a mask, since other threads would take masked ones.
class StopSignalsHeld
{
public:
    StopSignalsHeld()
    {
        struct sigaction hold;
        std::memset(&hold, 0, sizeof hold);
        hold.sa_handler = [](int signal) { pending = signal; };
        sigemptyset(&hold.sa_mask);
        for (int i = 0; i < count; ++i)
            sigaction(stopSignals[i], &hold, &previous[i]);
    }
    ~StopSignalsHeld()
    {
        for (int i = 0; i < count; ++i)
            sigaction(stopSignals[i], &previous[i], nullptr);
        if (pending)
            ::raise(pending);
    }

private:
    static constexpr int count = 4;
    static constexpr int stopSignals[count] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
    static volatile sig_atomic_t pending;
    struct sigaction previous[count];
};
volatile sig_atomic_t StopSignalsHeld::pending = 0;

} // namespace

InstallTransaction::InstallTransaction(const QString& path, int installFd) : path(path), installFd(installFd) {}

InstallTransaction::~InstallTransaction()
{
    if (stagingFd >= 0)
        ::close(stagingFd);
    if (installFd >= 0)
        ::close(installFd);
}

std::unique_ptr<InstallTransaction> InstallTransaction::open(const QString& installDir, QString* error)
{
    if (!installDir.startsWith('/')) {
        *error = installDir + " is not an absolute path";
        return nullptr;
    }
    const QStringList pieces = installDir.split('/', Qt::SkipEmptyParts);
    Fd folder(::open("/", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    QString walked = "/";
    for (int i = 0; i <= pieces.size(); ++i) {
        struct stat status;
        if (folder.get() < 0 || fstat(folder.get(), &status) != 0) {
            *error = walked + ": " + systemError();
            return nullptr;
        }
        const bool isInstallDir = i == pieces.size();
        if (!trusted(status, isInstallDir)) {
            *error = walked + (isInstallDir ? " belongs to another account or others can write to it"
                                            : " lets another account replace what it holds");
            return nullptr;
        }
        if (isInstallDir)
            break;
        if (pieces[i] == "." || pieces[i] == "..") {
            *error = installDir + " is not a plain path";
            return nullptr;
        }
        walked += pieces[i] + (i + 1 < pieces.size() ? "/" : "");
        folder.reset(openFolderAt(folder.get(), QFile::encodeName(pieces[i])));
        if (folder.get() < 0 && (errno == ELOOP || errno == ENOTDIR)) {
            *error = walked + " is a symbolic link or not a folder";
            return nullptr;
        }
    }
    const int fd = ::dup(folder.get());
    return std::unique_ptr<InstallTransaction>(new InstallTransaction(installDir, fd));
}

QString InstallTransaction::stagingPath() const
{
    return path + "/" + stagingName;
}

QString InstallTransaction::stagedPath(int index) const
{
    return stagingPath() + "/file-" + QString::number(index);
}

bool InstallTransaction::openStaging(bool create, QString* error)
{
    if (stagingFd >= 0)
        return true;
    stagingFd = openFolderAt(installFd, stagingName);
    if (stagingFd < 0 && errno == ENOENT && create) {
        if (::mkdirat(installFd, stagingName, 0700) != 0) {
            *error = stagingPath() + ": " + systemError();
            return false;
        }
        stagingFd = openFolderAt(installFd, stagingName);
    }
    if (stagingFd < 0) {
        if (errno != ENOENT || create)
            *error = stagingPath() + ": " + systemError();
        return errno == ENOENT && !create;
    }
    struct stat status;
    if (fstat(stagingFd, &status) != 0 || status.st_uid != geteuid() || (status.st_mode & 077)) {
        *error = stagingPath() + " is not private to this program";
        ::close(stagingFd);
        stagingFd = -1;
        return false;
    }
    return true;
}

bool InstallTransaction::removeStaging(QString* error)
{
    if (!openStaging(false, error))
        return false;
    if (stagingFd < 0)
        return true;
    DIR* entries = fdopendir(::dup(stagingFd));
    if (!entries) {
        *error = stagingPath() + ": " + systemError();
        return false;
    }
    bool removed = true;
    while (const dirent* entry = readdir(entries)) {
        if (!std::strcmp(entry->d_name, ".") || !std::strcmp(entry->d_name, ".."))
            continue;
        if (::unlinkat(stagingFd, entry->d_name, 0) != 0) {
            *error = stagingPath() + "/" + QFile::decodeName(entry->d_name) + ": " + systemError();
            removed = false;
        }
    }
    closedir(entries);
    ::close(stagingFd);
    stagingFd = -1;
    if (removed && ::unlinkat(installFd, stagingName, AT_REMOVEDIR) != 0) {
        *error = stagingPath() + ": " + systemError();
        removed = false;
    }
    return removed;
}

bool InstallTransaction::hasJournal() const
{
    Fd staging(openFolderAt(installFd, stagingName));
    struct stat status;
    return staging.get() >= 0 && fstatat(staging.get(), journalName, &status, AT_SYMLINK_NOFOLLOW) == 0;
}

bool InstallTransaction::readJournal(QList<Move>* journal, QString* error) const
{
    Fd file(::openat(stagingFd, journalName, O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    if (file.get() < 0) {
        *error = stagingPath() + "/" + journalName + ": " + systemError();
        return false;
    }
    QFile reader;
    if (!reader.open(file.get(), QIODevice::ReadOnly)) {
        *error = stagingPath() + "/" + journalName + ": " + reader.errorString();
        return false;
    }
    const QList<QByteArray> lines = reader.readAll().split('\n');
    for (const QByteArray& line : lines) {
        if (line.isEmpty())
            continue;
        const int tab = line.indexOf('\t');
        const QString relative = QString::fromUtf8(line.mid(tab + 1));
        if (tab < 0 || !validRelative(relative)) {
            *error = stagingPath() + "/" + journalName + " is damaged";
            return false;
        }
        journal->append({QString::fromUtf8(line.left(tab)), relative, false});
    }
    return true;
}

bool InstallTransaction::resume(QString* error, int* moved)
{
    QList<Move> journal;
    if (!openStaging(false, error) || stagingFd < 0 || !readJournal(&journal, error))
        return false;
    StopSignalsHeld held;
    return carryOut(journal, error, moved);
}

bool InstallTransaction::startStaging(QString* error)
{
    moves.clear();
    return removeStaging(error) && openStaging(true, error);
}

void InstallTransaction::add(int index, const QString& relativePath, bool executable)
{
    moves.append({"file-" + QString::number(index), relativePath, executable});
}

bool InstallTransaction::check(QString* error)
{
    for (const Move& move : moves) {
        if (!validRelative(move.relative)) {
            *error = move.relative + " is not a path inside the install directory";
            return false;
        }
        const QByteArray staged = QFile::encodeName(move.staged);
        struct stat status;
        if (fstatat(stagingFd, staged.constData(), &status, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(status.st_mode)) {
            *error = "nothing was staged for " + move.relative;
            return false;
        }
        Fd parent;
        QByteArray leaf;
        bool missing = false;
        if (!openParent(installFd, move.relative, false, &parent, &leaf, &missing, error))
            return false;
        mode_t mode = move.executable ? 0755 : 0644;
        if (!missing && fstatat(parent.get(), leaf.constData(), &status, AT_SYMLINK_NOFOLLOW) == 0) {
            if (!S_ISREG(status.st_mode)) {
                *error = path + "/" + move.relative + " is a symbolic link or not a regular file";
                return false;
            }
            // A replaced file keeps its mode, less what would let others change it.
            mode = status.st_mode & 0755;
        }
        if (fchmodat(stagingFd, staged.constData(), mode, 0) != 0) {
            *error = move.relative + ": " + systemError();
            return false;
        }
    }
    return true;
}

bool InstallTransaction::commit(QString* error)
{
    QByteArray text;
    for (const Move& move : moves)
        text += move.staged.toUtf8() + '\t' + move.relative.toUtf8() + '\n';
    Fd file(::openat(stagingFd, newJournalName, O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (file.get() < 0 || ::write(file.get(), text.constData(), size_t(text.size())) != text.size()
        || ::fsync(file.get()) != 0) {
        *error = stagingPath() + "/" + newJournalName + ": " + systemError();
        return false;
    }
    StopSignalsHeld held;
    // From the journal's rename on, the update completes even if stopped.
    if (::renameat(stagingFd, newJournalName, stagingFd, journalName) != 0 || ::fsync(stagingFd) != 0) {
        *error = stagingPath() + "/" + journalName + ": " + systemError();
        return false;
    }
    return carryOut(moves, error);
}

bool InstallTransaction::carryOut(const QList<Move>& journal, QString* error, int* moved)
{
    if (moved)
        *moved = 0;
    for (const Move& move : journal) {
        const QByteArray staged = QFile::encodeName(move.staged);
        struct stat status;
        // Moved by the run that wrote the journal.
        if (fstatat(stagingFd, staged.constData(), &status, AT_SYMLINK_NOFOLLOW) != 0 && errno == ENOENT)
            continue;
        Fd parent;
        QByteArray leaf;
        bool missing = false;
        if (!openParent(installFd, move.relative, true, &parent, &leaf, &missing, error))
            return false;
        if (fstatat(parent.get(), leaf.constData(), &status, AT_SYMLINK_NOFOLLOW) == 0 && !S_ISREG(status.st_mode)) {
            *error = path + "/" + move.relative + " is a symbolic link or not a regular file";
            return false;
        }
        if (::renameat(stagingFd, staged.constData(), parent.get(), leaf.constData()) != 0) {
            *error = path + "/" + move.relative + ": " + systemError();
            return false;
        }
        ::fsync(parent.get());
        if (moved)
            ++*moved;
        if (afterEachMove)
            afterEachMove();
    }
    if (::unlinkat(stagingFd, journalName, 0) != 0) {
        *error = stagingPath() + "/" + journalName + ": " + systemError();
        return false;
    }
    return removeStaging(error);
}
