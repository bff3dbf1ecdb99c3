#include "outputcapture.h"

#include <cstdio>
#include <unistd.h>

OutputCapture::OutputCapture(int fd) : fd(fd)
{
    if (!file.open())
        return;
    std::fflush(nullptr);
    saved = dup(fd);
    dup2(file.handle(), fd);
}

OutputCapture::~OutputCapture()
{
    take();
}

QByteArray OutputCapture::take()
{
    if (saved < 0)
        return taken;
    std::fflush(nullptr);
    dup2(saved, fd);
    close(saved);
    saved = -1;
    file.seek(0);
    taken = file.readAll();
    return taken;
}
