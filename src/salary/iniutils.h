#pragma once

#include <QByteArray>
#include <QString>

#include <memory>
#include <vector>

namespace payvo
{

// Builds the path of the settings file from the application folder and one of the two
// suffixes its callers use, "\Payvo.ini" or "/Payvo.ini". Both name the same file.
QString iniFilePath(const QString& appDir, const QString& suffix);

// A settings file read once: every lookup answers from the same bytes, with the rules of
// INIUTILS::ReadINI (names without regard to case, the first of a repeated key, at most 254
// characters). A missing or unreadable file reads as an empty one.
class IniDocument
{
public:
    IniDocument();
    ~IniDocument();
    IniDocument(const IniDocument&);
    IniDocument& operator=(const IniDocument&);

    static IniDocument load(const QString& file);
    static IniDocument fromBytes(const QByteArray& bytes);

    // The value as ReadINI gives it: "" when missing.
    QString value(const QString& section, const QString& key) const;

    // The bytes the values are read from.
    const QByteArray& bytes() const;

private:
    struct Parsed;
    std::shared_ptr<const Parsed> m_parsed;
};

// One value to write into a settings file.
struct IniEdit {
    QString section;
    QString key;
    QString value;
};

// The text of a settings file with one value written in, by the rules of INIUTILS::WriteINI.
QByteArray editIniText(const QByteArray& text, const IniEdit& edit);

// Writes several values into a file at once, each by the rules of INIUTILS::WriteINI and in
// this order, with one atomic replacement of the file. Returns nonzero on success.
long writeIniValues(const std::vector<IniEdit>& edits, const QString& file);

namespace INIUTILS
{

// One value of an INI file, read the way the platform's profile functions read it:
// section and key names match without regard to case; a missing file, section or key or
// an empty value gives ""; a value longer than 254 characters comes back cut to 254.
// Nothing is cached: the file is read on every call. A section that stands twice is read
// as one, in file order, and where a key stands twice the first one counts. Lines that are
// neither a section header nor "key=value" are passed over. Only a regular file is read:
// a folder, a pipe or a device gives "" at once.
QString ReadINI(const QString& section, const QString& key, const QString& file);

// Writes one value: spaces around the value are removed; the first line of an existing key
// is replaced where it stands (the key keeps the file's spelling), a new key goes after the
// last value of the first section of that name, a new section to the end of the file, and a
// missing file is created (not its folder). Every other byte of the file stays as it was,
// lines this program cannot read included. The file is replaced atomically, so a failed
// write leaves it as it was; a file that cannot be read is never written. Returns nonzero
// on success.
long WriteINI(const QString& section, const QString& key, const QString& value, const QString& file);

// The longest value ReadINI returns.
inline constexpr int kMaxValueLength = 254;

} // namespace INIUTILS
} // namespace payvo
