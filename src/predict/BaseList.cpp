#include "predict/BaseList.h"

#include "predict/KanaKey.h"

#include <QFile>

#include <cmath>

namespace {
constexpr int kCommonestCost = 18000;
constexpr double kCostPerTenfold = 10000.0;
} // namespace

QString BaseList::builtInPath()
{
    return QStringLiteral(":/predict/basewords.tsv");
}

double BaseList::weightOf(int cost)
{
    return std::pow(10.0,
                    -double(std::max(cost, kCommonestCost) - kCommonestCost) / kCostPerTenfold);
}

WordList BaseList::load(const QString &path)
{
    QFile file(path);
    std::vector<WordList::Word> words;
    if (file.open(QIODevice::ReadOnly)) {
        const QString all = QString::fromUtf8(file.readAll());
        for (QStringView line : QStringView(all).split(u'\n', Qt::SkipEmptyParts)) {
            const qsizetype tab = line.indexOf(u'\t');
            bool ok = false;
            const int cost = tab > 0 ? line.sliced(tab + 1).toInt(&ok) : 0;
            if (!ok)
                continue;
            const QStringView text = line.first(tab);
            words.push_back({KanaKey::fold(text), text.toString(), weightOf(cost)});
        }
    }
    WordList list;
    list.assign(std::move(words));
    return list;
}
