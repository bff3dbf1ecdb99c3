#pragma once

#include <QByteArray>
#include <QTemporaryFile>

// Catches what this process writes to one of its standard streams (1 or 2),
// C and C++ streams included, from construction until take() or destruction.
class OutputCapture
{
public:
    explicit OutputCapture(int fd);
    ~OutputCapture();
    OutputCapture(const OutputCapture&) = delete;
    OutputCapture& operator=(const OutputCapture&) = delete;

    // Puts the stream back and returns what was written meanwhile.
    QByteArray take();

private:
    int fd;
    int saved = -1;
    QTemporaryFile file;
    QByteArray taken;
};
