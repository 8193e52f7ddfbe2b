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

namespace payvo::mHTML {

namespace {

// Appends one encoded line with its CR LF in one write. The file is opened and closed around
// every line, so a run that stops halfway leaves the lines written so far. 0 or an errno value.
int appendBytes(const char* path, std::string_view bytes)
{
    const int fd = ::open(path, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        return errno;
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
    return appendBytes(QFile::encodeName(fileName).constData(), bytes) == 0;
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

ReportFile::ReportFile(const QString& fileName)
    : m_name(fileName.isEmpty() ? QStringLiteral("a report with an empty file name") : fileName)
    , m_path(QFile::encodeName(fileName))
{
}

void ReportFile::noteError(const QString& what)
{
    if (m_result.error.isEmpty())
        m_result.error = what;
}

void ReportFile::removeOld()
{
    // A report file marked read-only is its owner's to keep: it is neither deleted nor
    // written, and the lines of this run are lost.
    struct stat st {};
    if (::stat(m_path.constData(), &st) == 0 && S_ISREG(st.st_mode)
        && (!(st.st_mode & S_IWUSR) || ::access(m_path.constData(), W_OK) != 0)) {
        m_readOnly = true;
        m_result.oldFileRemoved = false;
        noteError(QStringLiteral("cannot write %1: it is read-only").arg(m_name));
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

void ReportFile::appendEncoded(std::string_view bytes)
{
    if (m_readOnly) {
        ++m_result.linesLost;
        return;
    }
    const int error = appendBytes(m_path.constData(), bytes);
    if (error == 0) {
        ++m_result.linesWritten;
        return;
    }
    ++m_result.linesLost;
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
