#include "predict/LearnedFile.h"

#include "predict/LearnedWords.h"

#include <QDateTime>

LearnedFile::LearnedFile(QString path, TextFile::Disk &disk) : m_path(std::move(path)), m_disk(disk)
{
}

bool LearnedFile::load(LearnedWords &words)
{
    TextFile::ReadResult read = TextFile::readLines(m_path);
    if (read.status == TextFile::ReadResult::Status::Missing) {
        words.clear();
        return false;
    }
    words.load(std::move(read.lines));
    m_keepBeforeSaving = !read.ok() || !read.clean || words.skippedLines() > 0;
    return true;
}

bool LearnedFile::save(const QStringList &lines)
{
    if (m_keepBeforeSaving) {
        if (TextFile::keepCopy(m_path, QDateTime::currentDateTime(), m_disk).isEmpty())
            return false;
        m_keepBeforeSaving = false;
    }
    return TextFile::writeLines(m_path, lines, m_disk);
}
