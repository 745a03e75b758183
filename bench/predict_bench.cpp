// Time from an entry to the candidates, with 100,000 learned entries and the base list: the
// mean, the 95th percentile and the slowest of 2,000 typed texts, as the strip asks after each
// entry. The slowest is given twice: by the clock, and by the thread's own processor time, which
// leaves out the time a busy machine gave to other programs.
#include "predict/BaseList.h"
#include "predict/Predictor.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <numeric>
#include <vector>

namespace {
qint64 threadCpuNs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QRandomGenerator random(34);
    const auto kana = [&random](int length) {
        QString text;
        for (int i = 0; i < length; ++i)
            text += QChar(u'ぁ' + char16_t(random.bounded(83)));
        return text;
    };
    const QStringList saved;
    Predictor predictor(saved, {});
    QElapsedTimer load;
    load.start();
    predictor.setBase(BaseList::load(BaseList::builtInPath()));
    const qint64 baseMs = load.elapsed();
    while (predictor.learned().size() < 100000)
        predictor.learned().use({kana(2 + random.bounded(8))});
    std::vector<qint64> times;
    qint64 slowestCpuNs = 0;
    constexpr int kTexts = 2000;
    for (int i = 0; i < kTexts; ++i) {
        const QString typed = kana(1 + random.bounded(12));
        const qint64 cpuBefore = threadCpuNs();
        QElapsedTimer t;
        t.start();
        const auto shown = predictor.candidates(typed, typed.size());
        times.push_back(t.nsecsElapsed());
        slowestCpuNs = std::max(slowestCpuNs, threadCpuNs() - cpuBefore);
        Q_UNUSED(shown);
    }
    std::sort(times.begin(), times.end());
    const double meanNs = std::accumulate(times.begin(), times.end(), 0.0) / kTexts;
    std::printf("base list: %lld words read in %lld ms; learned: %lld entries\n",
                static_cast<long long>(predictor.base().size()), static_cast<long long>(baseMs),
                static_cast<long long>(predictor.learned().size()));
    std::printf("candidates: mean %.3f ms, p95 %.3f ms, slowest %.2f ms (processor time %.2f ms) "
                "over %d texts\n",
                meanNs / 1e6, double(times[std::size_t(kTexts * 95 / 100)]) / 1e6,
                double(times.back()) / 1e6, double(slowestCpuNs) / 1e6, kTexts);
    return 0;
}
