#include "reports/mhtml.h"

#include "common/money.h"
#include "common/product.h"
#include "common/text.h"
#include "reports/reportframe.h"
#include "salary/iniutils.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace payvo::mHTML
{

namespace
{

// How a report file is opened for a line: to append, never through a link, never waiting on a
// pipe or a device (which is then refused). The file is opened and closed around every line, so
// a run that stops halfway leaves the lines written so far.
constexpr int kLineFlags = O_WRONLY | O_APPEND | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;

// Writes one encoded line with its CR LF and closes the file. 0 or an errno value.
int writeAndClose(int fd, std::string_view bytes)
{
    int error = 0;
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            error = errno;
            break;
        }
        p += n;
        left -= std::size_t(n);
    }
    if (::close(fd) != 0 && error == 0)
        error = errno;
    return error;
}

// Opens a regular file for a line (creating it when create); -1 with errno set otherwise.
int openRegular(int folder, const char* path, bool create, struct stat& st)
{
    const int fd = ::openat(folder, path, create ? kLineFlags | O_CREAT : kLineFlags, 0666);
    if (fd < 0)
        return -1;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        errno = EINVAL;
        return -1;
    }
    return fd;
}

// What stands under a name, as a message says it.
QString kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("a folder");
    if (S_ISFIFO(mode))
        return QStringLiteral("a named pipe");
    if (S_ISSOCK(mode))
        return QStringLiteral("a socket");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("a device");
    return QStringLiteral("no regular file");
}

bool isFile(const struct stat& st, const QByteArray& path)
{
    struct stat other {
    };
    return !path.isEmpty() && ::stat(path.constData(), &other) == 0 && other.st_dev == st.st_dev
        && other.st_ino == st.st_ino;
}

QString errorText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

Line teamIdText(const Team& team)
{
    return team.teamId ? number(*team.teamId) : Line();
}

Line indexEntry(const Team& team)
{
    return markup("<A HREF=#A") + teamIdText(team) + markup(">") + leagueText(trimSpaces(team.city)) + markup(" ")
        + leagueText(trimSpaces(team.mascot)) + markup("</a>");
}

} // namespace

bool AppendLine(const QString& fileName, const Line& sLine)
{
    std::string bytes = encodeLine(sLine);
    bytes += "\r\n";
    struct stat st {
    };
    const int fd = openRegular(AT_FDCWD, QFile::encodeName(fileName).constData(), true, st);
    return fd >= 0 && writeAndClose(fd, bytes) == 0;
}

Line PadTo(Line sText, int iWidth, bool bRight)
{
    if (iWidth > 0 && sText.size() < std::size_t(iWidth))
        sText.insert(bRight ? 0 : sText.size(), std::size_t(iWidth) - sText.size(), U' ');
    return sText;
}

Line AddSpaces(Line sText, int iCount, bool bBefore)
{
    if (iCount > 0)
        sText.insert(bBefore ? 0 : sText.size(), std::size_t(iCount), U' ');
    return sText;
}

void padBehind(Line& line, std::size_t width)
{
    if (line.size() < width)
        line.append(width - line.size(), U' ');
}

void appendRightJustified(Line& line, const Line& text, std::size_t width)
{
    if (text.size() < width)
        line.append(width - text.size(), U' ');
    line += text;
}

Line Money(std::optional<double> amount)
{
    if (!amount)
        return Line();
    const QString text = formatMoney(*amount); // Latin-1 only: sign, "$", digits, commas
    return Line(text.utf16(), text.utf16() + text.size());
}

ReportFile::ReportFile(const QString& fileName, const QString& salaryFile, const QString& iniFile)
    : m_name(fileName.isEmpty() ? QStringLiteral("a report with an empty file name") : fileName)
    , m_path(QFile::encodeName(fileName))
    , m_salaryFile(QFile::encodeName(salaryFile))
    , m_iniFile(QFile::encodeName(iniFile))
{
}

ReportFile::~ReportFile()
{
    if (m_held >= 0)
        ::close(m_held);
    if (m_folder >= 0)
        ::close(m_folder);
}

void ReportFile::noteError(const QString& what)
{
    if (m_result.error.isEmpty())
        m_result.error = what;
}

void ReportFile::stop(const QString& why)
{
    m_stopped = true;
    noteError(QStringLiteral("cannot write %1: %2").arg(m_name, why));
}

QString replaceRefusal(
    const QByteArray& path, const QByteArray& salaryFile, const QByteArray& iniFile, const QString& what)
{
    struct stat name {
    };
    struct stat st {
    };
    // A link to nothing is replaced like an old file.
    if (::lstat(path.constData(), &name) != 0 || ::stat(path.constData(), &st) != 0)
        return QString();
    const QString link = S_ISLNK(name.st_mode) ? QStringLiteral("a link to ") : QString();
    QString kept;
    if (isFile(st, salaryFile))
        kept = link + QStringLiteral("the salary file the report is read from");
    else if (isFile(st, iniFile))
        kept = link + QStringLiteral("the settings file");
    else if (!S_ISREG(st.st_mode))
        kept = link + kindOf(st.st_mode) + QStringLiteral(", not a ") + what;
    if (!kept.isEmpty())
        return QStringLiteral("it is %1; it was left as it is").arg(kept);
    // A file marked read-only is its owner's to keep: it is neither deleted nor written.
    if (!(st.st_mode & S_IWUSR) || ::access(path.constData(), W_OK) != 0)
        return QStringLiteral("it is read-only");
    return QString();
}

void ReportFile::removeOld()
{
    const QString refusal = replaceRefusal(m_path, m_salaryFile, m_iniFile, QStringLiteral("report file"));
    if (!refusal.isEmpty()) {
        // The lines of this run are lost.
        m_result.oldFileRemoved = false;
        stop(refusal);
        return;
    }
    if (::unlink(m_path.constData()) == 0)
        return;
    const int error = errno;
    // Where no file can be (a missing folder, a file in the folder's place, a name too
    // long), there is nothing to delete; the first line says why nothing can be written.
    if (error == ENOENT || error == ENOTDIR || error == ENAMETOOLONG)
        return;
    m_result.oldFileRemoved = false;
    noteError(QStringLiteral("cannot delete the old %1: %2").arg(m_name, errorText(error)));
}

void ReportFile::append(const Line& line)
{
    m_bytes.clear();
    encodeLine(line, m_bytes);
    m_bytes += "\r\n";
    appendEncoded(m_bytes);
}

void ReportFile::holdFolder()
{
    // Each line reaches the file by its name in the folder it was made in, without walking the
    // folder's path again. A name without a last part of its own ("x/", "..") is opened by its
    // whole path, as it would be anyway.
    const int slash = m_path.lastIndexOf('/');
    m_base = m_path.mid(slash + 1);
    if (m_base.isEmpty() || m_base == "." || m_base == "..")
        return;
    const QByteArray folder = slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : m_path.left(slash);
#ifdef O_PATH
    m_folder = ::open(folder.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
#else
    m_folder = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
#endif
}

int ReportFile::openForLine()
{
    const bool first = m_held < 0;
    if (first)
        holdFolder();
    const int folder = m_folder >= 0 ? m_folder : AT_FDCWD;
    const char* name = m_folder >= 0 ? m_base.constData() : m_path.constData();
    if (!first) {
        // Between two checks of the name a line goes by the name alone: opening it never
        // follows a link nor waits on a pipe, so the line reaches a regular file or nothing.
        if (++m_linesUnchecked >= kLinesBetweenChecks)
            confirmName();
        if (m_stopped)
            return -1;
        const int fd = ::openat(folder, name, kLineFlags);
        if (fd < 0)
            refuseLine(errno);
        return fd;
    }
    struct stat st {
    };
    const int fd = openRegular(folder, name, true, st);
    const int error = errno;
    if (fd >= 0) {
#ifdef O_PATH
        m_held = ::openat(folder, name, O_PATH | O_NOFOLLOW | O_CLOEXEC);
#else
        m_held = ::openat(folder, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
#endif
        struct stat held {
        };
        if (m_held >= 0 && ::fstat(m_held, &held) == 0 && held.st_dev == st.st_dev && held.st_ino == st.st_ino) {
            m_device = held.st_dev;
            m_inode = held.st_ino;
            return fd;
        }
        ::close(fd);
        if (m_held >= 0)
            ::close(m_held);
        m_held = -1;
        stop(replacedText());
        return -1;
    }
    refuseLine(error);
    return -1;
}

QString ReportFile::replacedText()
{
    return QStringLiteral("it was replaced while the report was written; the report stops here");
}

void ReportFile::refuseLine(int error)
{
    // A link, a pipe or no regular file under the name was put there by someone else: it is
    // not written, and nothing is after it.
    if (error == ELOOP || error == ENXIO || error == EINVAL)
        stop(replacedText());
    else if (m_held >= 0 && error == ENOENT)
        stop(QStringLiteral("it was removed while the report was written; the report stops here"));
    else
        noteError(QStringLiteral("cannot write %1: %2").arg(m_name, errorText(error)));
}

void ReportFile::confirmName()
{
    m_linesUnchecked = 0;
    if (m_stopped || m_held < 0)
        return;
    const int folder = m_folder >= 0 ? m_folder : AT_FDCWD;
    const char* name = m_folder >= 0 ? m_base.constData() : m_path.constData();
    struct stat st {
    };
    if (::fstatat(folder, name, &st, AT_SYMLINK_NOFOLLOW) != 0)
        refuseLine(errno);
    else if (st.st_dev != m_device || st.st_ino != m_inode)
        stop(replacedText());
}

void ReportFile::appendEncoded(std::string_view bytes)
{
    const int fd = m_stopped ? -1 : openForLine();
    const int error = fd < 0 ? -1 : writeAndClose(fd, bytes);
    if (error == 0) {
        ++m_result.linesWritten;
        return;
    }
    ++m_result.linesLost;
    if (error > 0)
        noteError(QStringLiteral("cannot write %1: %2").arg(m_name, errorText(error)));
}

void appendHead(ReportFile& out, const QString& leagueName, const char* reportTitle, const QString& iniFile)
{
    const Line league = leagueText(leagueName);
    const Line title = markup(reportTitle);
    const QString cap = formatMoneyText(INIUTILS::ReadINI(QStringLiteral("Salary"), QStringLiteral("Amount"), iniFile));
    out.append(markup("<HTML><TITLE>") + league + markup(" ") + title + markup("</TITLE><P><PRE>"));
    out.append(markup("<H1>") + league + markup("</H1>"));
    out.append(markup("<H2>") + title + markup("</H2>"));
    out.append(markup("<EM>Salary Cap: ") + leagueText(cap) + markup("</EM>"));
    out.append(Line());
    out.append(markup("<h2><A NAME=A100>Teams</A></h2>"));
}

void appendTeamIndex(ReportFile& out, const std::vector<Team>& teams)
{
    // The first entry of a line is padded so that the second starts at visible column 35:
    // its markup is one character longer for a two-digit TeamID.
    for (std::size_t row = 0; row < teams.size();) {
        const Team& first = teams[row++];
        Line line = PadTo(AddSpaces(indexEntry(first), 5, true), first.teamId.value_or(0) > 9 ? 51 : 50, false);
        if (row < teams.size())
            line += indexEntry(teams[row++]);
        out.append(line);
    }
}

void appendFooter(ReportFile& out)
{
    out.confirmName();
    out.append(Line());
    out.append(Line());
    out.append(Line());
    out.append(markup("  ") + markup(kAppTitle) + markup(" ver. ") + number(PAYVO_VERSION_MAJOR) + markup(".")
        + number(PAYVO_VERSION_MINOR) + markup(".") + number(PAYVO_VERSION_REVISION));
    out.append(markup("  <A HREF=") + markup(kMakerUrl) + markup(">") + markup(kMakerHost) + markup("</A>"));
}

Line teamHeading(const Team& team)
{
    return leagueText(team.city) + markup(" ") + leagueText(team.mascot);
}

} // namespace payvo::mHTML
