#include "securefile.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

SecureFile::Content SecureFile::read(const QString& path, qint64 maxBytes)
{
    Content content;
    // O_NONBLOCK: a planted pipe must not hold the reader.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        const int failure = errno;
        content.missing = failure == ENOENT;
        content.error = failure == ELOOP ? path + " is a symbolic link"
                                         : path + ": " + QString::fromLocal8Bit(std::strerror(failure));
        return content;
    }
    struct stat status;
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        content.error = path + " is not a regular file";
    } else if (status.st_size > maxBytes) {
        content.error = QString("%1 is larger than %2 bytes").arg(path).arg(maxBytes);
    } else {
        // Read up to one byte past the limit, in case the file grows meanwhile.
        content.bytes.resize(int(status.st_size));
        qint64 total = 0;
        char chunk[64 * 1024];
        for (;;) {
            const ssize_t count = ::read(fd, chunk, sizeof chunk);
            if (count < 0 && errno == EINTR)
                continue;
            if (count < 0) {
                content.error = path + ": " + QString::fromLocal8Bit(std::strerror(errno));
                break;
            }
            if (count == 0)
                break;
            if (total + count > maxBytes) {
                content.error = QString("%1 is larger than %2 bytes").arg(path).arg(maxBytes);
                break;
            }
            if (total + count > content.bytes.size())
                content.bytes.resize(int(total + count));
            std::memcpy(content.bytes.data() + total, chunk, size_t(count));
            total += count;
        }
        content.bytes.truncate(int(total));
    }
    ::close(fd);
    if (!content.ok())
        content.bytes.clear();
    return content;
}
