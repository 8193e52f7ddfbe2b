#include "common/filebytes.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace payvo
{

namespace
{

QString errnoText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

FileRead readRegularFile(const QString& path, QByteArray& bytes, QString& error)
{
    bytes.clear();
    error.clear();
    // Opening a named pipe for reading waits for a writer unless it is asked not to.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int e = errno;
        error = errnoText(e);
        return e == ENOENT ? FileRead::Missing : FileRead::Failed;
    }
    struct stat st {
    };
    FileRead result = FileRead::Ok;
    if (::fstat(fd, &st) != 0) {
        error = errnoText(errno);
        result = FileRead::Failed;
    } else if (S_ISDIR(st.st_mode)) {
        error = QStringLiteral("is a folder");
        result = FileRead::Failed;
    } else if (!S_ISREG(st.st_mode)) {
        error = QStringLiteral("is not a regular file (a pipe or a device)");
        result = FileRead::Failed;
    } else {
        // The size is a hint only: files of the system and files that grow are read to their end.
        if (st.st_size > 0)
            bytes.reserve(qsizetype(st.st_size));
        char chunk[65536];
        for (;;) {
            const ssize_t n = ::read(fd, chunk, sizeof chunk);
            if (n == 0)
                break;
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                error = errnoText(errno);
                result = FileRead::Failed;
                bytes.clear();
                break;
            }
            bytes.append(chunk, qsizetype(n));
        }
    }
    ::close(fd);
    return result;
}

} // namespace payvo
