#include "transfer/DataArchive.h"

#include "transfer/TransferTexts.h"

#include <archive.h>
#include <archive_entry.h>
#include <memory>

namespace {

struct EntryFree
{
    void operator()(archive_entry *e) const { archive_entry_free(e); }
};

QString libraryError(archive *a)
{
    const char *text = archive_error_string(a);
    return QString::fromUtf8(text ? text : "?");
}

la_ssize_t appendTo(archive *, void *buffer, const void *data, size_t size)
{
    static_cast<QByteArray *>(buffer)->append(static_cast<const char *>(data), qsizetype(size));
    return la_ssize_t(size);
}

} // namespace

namespace DataArchive {

std::optional<QByteArray> zip(const QList<Member> &members, QString *error)
{
    const std::unique_ptr<archive, decltype(&archive_write_free)> out(archive_write_new(),
                                                                      &archive_write_free);
    QByteArray bytes;
    archive *a = out.get();
    // No padding after the archive's end: a zip ends with its central directory.
    if (archive_write_set_format_zip(a) != ARCHIVE_OK ||
        archive_write_set_bytes_in_last_block(a, 1) != ARCHIVE_OK ||
        archive_write_set_options(a, "zip:compression=deflate,zip:hdrcharset=UTF-8") !=
            ARCHIVE_OK ||
        archive_write_open(a, &bytes, nullptr, appendTo, nullptr) != ARCHIVE_OK) {
        *error = libraryError(a);
        return std::nullopt;
    }
    const std::unique_ptr<archive_entry, EntryFree> entry(archive_entry_new());
    for (const Member &member : members) {
        archive_entry_clear(entry.get());
        archive_entry_set_pathname_utf8(entry.get(), member.name.toUtf8().constData());
        archive_entry_set_filetype(entry.get(), AE_IFREG);
        archive_entry_set_perm(entry.get(), 0600);
        archive_entry_set_size(entry.get(), member.bytes.size());
        if (archive_write_header(a, entry.get()) != ARCHIVE_OK ||
            archive_write_data(a, member.bytes.constData(), size_t(member.bytes.size())) !=
                la_ssize_t(member.bytes.size())) {
            *error = libraryError(a);
            return std::nullopt;
        }
    }
    if (archive_write_close(a) != ARCHIVE_OK) {
        *error = libraryError(a);
        return std::nullopt;
    }
    return bytes;
}

std::optional<QList<Member>> unzip(const QByteArray &zip, QString *error)
{
    const std::unique_ptr<archive, decltype(&archive_read_free)> in(archive_read_new(),
                                                                    &archive_read_free);
    archive *a = in.get();
    // Read by its central directory, so a file cut short is refused even where each member
    // it still holds is whole.
    archive_read_support_format_zip_seekable(a);
    if (archive_read_open_memory(a, zip.constData(), size_t(zip.size())) != ARCHIVE_OK) {
        *error = TransferTexts::text(TransferTexts::kNotAnArchive) + libraryError(a);
        return std::nullopt;
    }
    QList<Member> members;
    qint64 total = 0;
    archive_entry *entry = nullptr;
    int status = ARCHIVE_OK;
    while ((status = archive_read_next_header(a, &entry)) == ARCHIVE_OK) {
        const char *utf8 = archive_entry_pathname_utf8(entry);
        const QString name = QString::fromUtf8(utf8 ? utf8 : archive_entry_pathname(entry));
        if (archive_entry_filetype(entry) != AE_IFREG || archive_entry_hardlink(entry) ||
            archive_entry_symlink(entry)) {
            *error = TransferTexts::text(TransferTexts::kNotAFile) + name;
            return std::nullopt;
        }
        const qint64 claimed = archive_entry_size_is_set(entry) ? archive_entry_size(entry) : 0;
        if (claimed > kMaxMemberBytes || total + claimed > kMaxTotalBytes ||
            members.size() >= kMaxMembers) {
            *error = TransferTexts::text(TransferTexts::kTooLarge) + name;
            return std::nullopt;
        }
        QByteArray bytes;
        char buffer[65536];
        la_ssize_t got = 0;
        while ((got = archive_read_data(a, buffer, sizeof buffer)) > 0) {
            bytes.append(buffer, qsizetype(got));
            if (bytes.size() > kMaxMemberBytes || total + bytes.size() > kMaxTotalBytes) {
                *error = TransferTexts::text(TransferTexts::kTooLarge) + name;
                return std::nullopt;
            }
        }
        if (got < 0) {
            *error = TransferTexts::text(TransferTexts::kDamaged) + libraryError(a);
            return std::nullopt;
        }
        total += bytes.size();
        members.append({name, bytes});
    }
    if (status != ARCHIVE_EOF) {
        *error = TransferTexts::text(TransferTexts::kDamaged) + libraryError(a);
        return std::nullopt;
    }
    return members;
}

} // namespace DataArchive
