// In-process figures on the real window (offscreen): board build, a board click with
// predictions, showing the sample list, opening the diary, and the CPU a reading step uses.
#include "TalkFixture.h"
#include "boards/MakeBoard.h"
#include "diary/DiaryFile.h"
#include "platform/Clock.h"
#include "platform/FlexGrid.h"
#include "platform/TextBox.h"
#include "platform/TextFile.h"

#include <QApplication>
#include <QFrame>
#include <QPushButton>
#include <benchmark/benchmark.h>
#include <ctime>

using namespace Qt::Literals::StringLiterals;

namespace {
// Samples where about 1 % begin with "あ", the key a click on あ builds.
void writeSamples(TalkFixture &f, int count)
{
    const QString others =
        u"いうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよ"_s;
    QStringList lines{u"\"ああああ日記ダミー消さないでね！\""_s};
    for (int i = 0; i < count; ++i) {
        const QChar first = i % 100 == 0 ? u'あ' : others.at(i % others.size());
        lines << u"\""_s + first + u"りがとうございます今日は元気です"_s.left(4 + i % 12) + u"\""_s;
    }
    TextFile::writeLines(f.filePath(u"Talk.txt"_s), lines);
}

void writeDiary(TalkFixture &f, int days)
{
    QStringList lines;
    QDate day = f.clock.today();
    for (int i = 0; i < days; ++i, day = day.addDays(-1))
        lines << u"\""_s + DiaryFile::stamp(day) + u" きょうはげんきでした。"_s + u"\""_s;
    TextFile::writeLines(f.filePath(u"day.txt"_s), lines);
}

double cpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

void BM_MakeBoardFifteenColumns(benchmark::State &st)
{
    TalkFixture f;
    f.settings.values.insert(u"gMaxC"_s, u"14"_s);
    frmTalk &w = f.create();
    for (auto _ : st) {
        w.cmdKey->setText(u"英数"_s);
        MakeBoard(*w.grdBoard, *w.cmdKey, w.state().options.gMaxC);
    }
}
BENCHMARK(BM_MakeBoardFifteenColumns)->Unit(benchmark::kMicrosecond);

void BM_BoardClickWithPredictions(benchmark::State &st)
{
    TalkFixture f;
    f.settings.values.insert(u"OPT1"_s, u"2"_s); // one click enters
    f.settings.values.insert(u"OPT3"_s, u"3"_s); // voice off
    writeSamples(f, int(st.range(0)));
    frmTalk &w = f.create();
    for (auto _ : st) {
        st.PauseTiming();
        w.grdSp->hide();
        w.fraTalk->hide();
        w.grdBoard->show();
        w.fraRes->show();
        w.txtTalk->setText(QString());
        st.ResumeTiming();
        f.clickCell("grdBoard", 0, 9); // あ
    }
    st.counters["rows"] = w.grdSp->rows();
}
BENCHMARK(BM_BoardClickWithPredictions)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ShowSampleList(benchmark::State &st)
{
    TalkFixture f;
    writeSamples(f, int(st.range(0)));
    frmTalk &w = f.create();
    for (auto _ : st) {
        f.click("cmdSamp"); // 例文表示
        st.PauseTiming();
        f.click("cmdSamp"); // 例文終了
        st.ResumeTiming();
    }
    st.counters["rows"] = w.grdEx->rows();
}
BENCHMARK(BM_ShowSampleList)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_OpenDiaryList(benchmark::State &st)
{
    TalkFixture f;
    writeDiary(f, int(st.range(0)));
    frmTalk &w = f.create();
    for (auto _ : st) {
        w.diaryFile().LoadDiary();
        w.diaryFile().SortDiary();
    }
    st.counters["rows"] = w.grdDay->rows();
}
BENCHMARK(BM_OpenDiaryList)->Arg(3650)->Unit(benchmark::kMillisecond);

void BM_ReadingStepCpu(benchmark::State &st)
{
    SystemClock clock;
    double cpu = 0;
    double wall = 0;
    for (auto _ : st) {
        const double c0 = cpuSeconds();
        const qint64 t0 = clock.nowMs();
        clock.blockUntilPast(t0, 800);
        wall += double(clock.nowMs() - t0) / 1000.0;
        cpu += cpuSeconds() - c0;
    }
    st.counters["cpu_percent"] = 100.0 * cpu / wall;
}
BENCHMARK(BM_ReadingStepCpu)->Iterations(3)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
