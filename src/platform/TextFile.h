#pragma once

#include <QString>
#include <QStringList>

class QDateTime;
class QSaveFile;

// Whole-file line I/O for the program's data files.
// The common form is the legacy one: Windows code page 932 with CR LF line ends.
// Text that code page 932 cannot hold (or that carries a line break inside a line) is
// written as UTF-8 with a byte-order mark instead, with a line break inside a line stored
// as U+2028, so nothing is ever turned into "?" or split into two lines.
namespace TextFile {

enum class Encoding
{
    Cp932,
    Utf8,
    Utf16Le,
    Utf16Be,
    EucJp
};

struct ReadResult
{
    enum class Status
    {
        Ok,
        Missing,
        Unreadable
    };
    Status status = Status::Missing;
    QStringList lines; // without line ends; a line break inside a line comes back as "\n"
    Encoding encoding = Encoding::Cp932;
    // False when some bytes did not decode (they became replacement characters) or the
    // encoding was a guess: the lines may not hold what the file does, so its original bytes
    // must be kept (keepCopy) before the file is replaced.
    bool clean = true;

    bool ok() const { return status == Status::Ok; }
};

// Reads every line of a regular file; anything else that exists (a folder, a named pipe, a
// device) is Unreadable, as is a file larger than any the program writes. CR LF, LF and a
// lone CR all end a line; text after the last line end is a line too.
// Encodings, in the order they are recognised: UTF-8, UTF-16 LE or BE by their byte-order
// marks; UTF-16 without one (a guess, so not clean) when the file holds zero bytes and has an
// even size; UTF-8 without a mark; code
// page 932; EUC-JP (a guess, so not clean). In Unicode text U+2028 comes back as "\n".
// Bytes valid in none are decoded as code page 932 with replacement characters (not clean).
ReadResult readLines(const QString &path);

// The steps that make a save lasting. Tests derive from it to make one of them fail.
class Disk
{
  public:
    virtual ~Disk() = default;
    // Flushes the written bytes to the device (fdatasync).
    virtual bool syncData(int fd);
    // Renames the written file over the old one.
    virtual bool commit(QSaveFile &file);
    // Makes the rename itself lasting (fsync of the folder).
    virtual bool syncFolder(const QString &folder);
};
Disk &systemDisk();

// Replaces the file with `bytes` atomically: written unbuffered to a temporary file, synced,
// its size checked, renamed over the old one and the folder synced. On any failure the old
// file stays whole and false is returned (also when the folder could not be synced after the
// rename: the new file is then in place but may not survive a power cut). A new file is
// readable by its owner only; a replaced one keeps its permissions.
bool writeBytes(const QString &path, const QByteArray &bytes, Disk &disk = systemDisk());

// Replaces the file with the lines, as writeBytes does.
// Code page 932 with CR LF when the bytes read back as exactly these lines; UTF-8 with a
// byte-order mark otherwise (a line break inside a line, an emoji, half-width katakana that
// would read as UTF-8 or EUC-JP).
bool writeLines(const QString &path, const QStringList &lines, Disk &disk = systemDisk());

// Copies the file's bytes unchanged to "<path>.bak-YYYYMMDD-hhmmss" (the time `at`), written
// like a save. Returns the copy's path, or an empty text when no copy could be made (an
// existing copy of that name with other bytes is never replaced).
QString keepCopy(const QString &path, const QDateTime &at, Disk &disk = systemDisk());

} // namespace TextFile
