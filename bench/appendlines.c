/* appendlines: the file handling of the report writers and nothing else, as part of the
 * floor of "payvo-cli report all".
 *
 *   appendlines REPORT COPY [REPORT COPY ...]
 *
 * For each pair it reads REPORT (a report payvo-cli wrote) into memory, splits it into its
 * lines with their CR LF, deletes COPY and then writes the lines to COPY the way the
 * writers do: per line open(O_WRONLY | O_APPEND | O_CREAT), one write, close. Exits with 1
 * when a file cannot be read or written. */
#define _POSIX_C_SOURCE 200809L
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

static char* readAll(const char* path, size_t* size)
{
    int fd = open(path, O_RDONLY | O_CLOEXEC);
    struct stat st;
    char* bytes;
    size_t have = 0;

    if (fd < 0 || fstat(fd, &st) != 0) {
        perror(path);
        return NULL;
    }
    bytes = malloc((size_t)st.st_size + 1);
    if (!bytes) {
        close(fd);
        return NULL;
    }
    while (have < (size_t)st.st_size) {
        ssize_t n = read(fd, bytes + have, (size_t)st.st_size - have);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        have += (size_t)n;
    }
    close(fd);
    *size = have;
    return bytes;
}

static int appendLine(const char* path, const char* line, size_t size)
{
    int fd = open(path, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    int ok;

    if (fd < 0)
        return 0;
    ok = write(fd, line, size) == (ssize_t)size;
    return close(fd) == 0 && ok;
}

int main(int argc, char** argv)
{
    int i;

    if (argc < 3 || argc % 2 == 0) {
        fprintf(stderr, "usage: appendlines REPORT COPY [REPORT COPY ...]\n");
        return 2;
    }
    for (i = 1; i + 1 < argc; i += 2) {
        size_t size = 0;
        size_t start = 0;
        char* bytes = readAll(argv[i], &size);

        if (!bytes)
            return 1;
        if (unlink(argv[i + 1]) != 0 && errno != ENOENT) {
            perror(argv[i + 1]);
            return 1;
        }
        while (start < size) {
            const char* at = bytes + start;
            const char* end = NULL;
            const char* p = at;
            size_t len;

            /* The line ends after the next CR LF, or at the end of the file. */
            while ((p = memchr(p, '\r', size - (size_t)(p - bytes))) != NULL) {
                if ((size_t)(p - bytes) + 1 < size && p[1] == '\n') {
                    end = p + 2;
                    break;
                }
                ++p;
            }
            len = end ? (size_t)(end - at) : size - start;
            if (!appendLine(argv[i + 1], at, len)) {
                perror(argv[i + 1]);
                return 1;
            }
            start += len;
        }
        free(bytes);
    }
    return 0;
}
