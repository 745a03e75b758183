#pragma once

#include <QString>
#include <QStringList>

// Whole-file line I/O for the program's data files.
// The common form is the legacy one: Windows code page 932 with CR LF line ends.
// Text that code page 932 cannot hold (or that carries a line break inside a line) is
// written as UTF-8 with a byte-order mark instead, with a line break inside a line stored
// as U+2028, so nothing is ever turned into "?" or split into two lines.
namespace TextFile {

enum class Encoding { Cp932, Utf8 };

struct ReadResult
{
    enum class Status { Ok, Missing, Unreadable };
    Status status = Status::Missing;
    QStringList lines; // without line ends; a line break inside a line comes back as "\n"
    Encoding encoding = Encoding::Cp932;

    bool ok() const { return status == Status::Ok; }
};

// Reads every line. CR LF, LF and a last line without an end are all accepted; a CR not
// followed by LF is kept as part of the line. A file starting with the UTF-8 byte-order mark
// is read as UTF-8; a file that is not valid code page 932 but is valid UTF-8 is read as
// UTF-8 too. In text read as UTF-8, U+2028 comes back as "\n". Bytes valid in neither are
// decoded as code page 932 with replacement characters.
ReadResult readLines(const QString &path);

// Replaces the file atomically (QSaveFile): on any failure the old file stays whole and
// false is returned. Code page 932 with CR LF when every line round-trips through it and
// none holds a line break; UTF-8 with a byte-order mark otherwise.
bool writeLines(const QString &path, const QStringList &lines);

// The encoding writeLines would choose for these lines.
Encoding encodingFor(const QStringList &lines);

} // namespace TextFile
