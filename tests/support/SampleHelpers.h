#pragma once

#include "TalkFixture.h"
#include "platform/TextFile.h"
#include "platform/Units.h"
#include "samples/SampleFile.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QStringList>

// Sample-file set-ups shared by the sample tests.
namespace SampleHelpers {

inline QString placeholderLine()
{
    return u'"' + QString::fromUtf16(SampleFile::kPlaceholder) + u'"';
}

// Writes Talk.txt as the program writes it: the placeholder line, then each sentence quoted.
inline void writeSamples(const TalkFixture &f, const QStringList &sentences)
{
    QStringList lines{placeholderLine()};
    for (const QString &s : sentences)
        lines.append(u'"' + s + u'"');
    if (!TextFile::writeLines(f.filePath(QStringLiteral("Talk.txt")), lines))
        qFatal("cannot write Talk.txt");
}

// A data file of these lines as the program's code page stores them, each ending in CR LF.
inline QByteArray cp932(const QStringList &lines)
{
    QString all;
    for (const QString &line : lines)
        all += line + QStringLiteral("\r\n");
    QStringEncoder encoder("windows-31j");
    return encoder.encode(all);
}

inline QStringList fileLines(const TalkFixture &f)
{
    return TextFile::readLines(f.filePath(QStringLiteral("Talk.txt"))).lines;
}

// Column `col` of every row of a grid.
inline QStringList column(const FlexGrid *grid, int col)
{
    QStringList texts;
    for (int r = 0; r < grid->rows(); ++r)
        texts.append(grid->textMatrix(r, col));
    return texts;
}

// Rows of a grid whose column `col` is highlighted.
inline QList<int> highlightedRows(const FlexGrid *grid, int col)
{
    QList<int> rows;
    for (int r = 0; r < grid->rows(); ++r)
        if (grid->cellBackColor(r, col) == Units::Colour::LightGreen)
            rows.append(r);
    return rows;
}

// `count` sentences `prefix`00, `prefix`01, ... in their sorted order.
inline QStringList numbered(const QString &prefix, int count)
{
    QStringList sentences;
    for (int i = 0; i < count; ++i)
        sentences.append(prefix + QStringLiteral("%1").arg(i, 2, 10, QChar(u'0')));
    return sentences;
}

// Replaces Talk.txt by a directory of that name: reading and writing it then fail, even as
// root.
inline void makeTalkTxtADirectory(const TalkFixture &f)
{
    const QString path = f.filePath(QStringLiteral("Talk.txt"));
    QFile::remove(path);
    if (!QDir().mkdir(path))
        qFatal("cannot make the directory Talk.txt");
}

} // namespace SampleHelpers
