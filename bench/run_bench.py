#!/usr/bin/env python3
"""Builds Release, generates the data sets and prints every benchmark figure with its
target and the ratio to its reference measured in the same run."""
import json
import os
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
BUILD = ROOT / "build-bench"
RUNS = 9


def sh(*cmd, **kw):
    return subprocess.run(cmd, check=True, **kw)


def timed_run(cmd):
    """Wall time and peak RSS (KiB) of one run of cmd."""
    start = time.perf_counter()
    proc = subprocess.Popen(cmd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(proc.pid, 0)
    elapsed = time.perf_counter() - start
    if status != 0:
        raise SystemExit(f"{cmd[0]} failed with status {status}")
    return elapsed, usage.ru_maxrss


def startup(cmd):
    runs = [timed_run(cmd) for _ in range(RUNS)]
    return statistics.median(r[0] for r in runs), max(r[1] for r in runs)


def main():
    os.environ["QT_QPA_PLATFORM"] = "offscreen"
    sh("cmake", "-S", str(ROOT), "-B", str(BUILD), "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Release",
       "-DTALK_BENCH=ON", stdout=subprocess.DEVNULL)
    sh("cmake", "--build", str(BUILD), "--target", "startup_talk", "bare_window", "bench_talk")
    with tempfile.TemporaryDirectory() as tmp:
        folders = {}
        for n in (10000, 100000):
            folders[n] = Path(tmp) / f"samples{n}"
            sh(sys.executable, str(ROOT / "bench" / "make_data.py"), str(folders[n]), str(n), "10")
        empty = Path(tmp) / "empty"
        empty.mkdir()
        bare_t, bare_rss = startup([str(BUILD / "bench" / "bare_window")])
        t0, rss0 = startup([str(BUILD / "bench" / "startup_talk"), str(empty)])
        t10, _ = startup([str(BUILD / "bench" / "startup_talk"), str(folders[10000])])
        t100, rss100 = startup([str(BUILD / "bench" / "startup_talk"), str(folders[100000])])
        size100 = (folders[100000] / "Talk.txt").stat().st_size / 1024

    out = subprocess.run([str(BUILD / "bench" / "bench_talk"), "--benchmark_format=json",
                          "--benchmark_repetitions=5", "--benchmark_report_aggregates_only=true"],
                         check=True, capture_output=True, text=True).stdout
    medians = {b["run_name"]: b for b in json.loads(out)["benchmarks"]
               if b.get("aggregate_name") == "median"}

    def ms(name):
        b = medians[name]
        scale = {"ms": 1.0, "us": 1e-3, "ns": 1e-6}[b["time_unit"]]
        return b["real_time"] * scale

    rows = [
        ("start-up to first paint, 10,000 samples", t10 * 1000, "ms", f"{t10 / bare_t:.2f} x bare (target <= 1.5)"),
        ("start-up to first paint, 100,000 samples", t100 * 1000, "ms", f"{t100 / bare_t:.2f} x bare (target <= 3)"),
        ("bare window to first paint", bare_t * 1000, "ms", "reference"),
        ("start-up to first paint, no samples", t0 * 1000, "ms", f"{t0 / bare_t:.2f} x bare (the window alone)"),
        ("peak RSS, 100,000 samples", rss100 / 1024, "MiB",
         f"bare {bare_rss / 1024:.1f} MiB + {(rss100 - bare_rss) / size100:.2f} x file {size100 / 1024:.1f} MiB (target <= 3)"),
        ("peak RSS, no samples", rss0 / 1024, "MiB",
         f"100,000 samples add {(rss100 - rss0) / size100:.2f} x the file"),
        ("board click, 10,000 samples", ms("BM_BoardClickWithPredictions/10000"), "ms", "target <= 2 ms"),
        ("board click, 100,000 samples", ms("BM_BoardClickWithPredictions/100000"), "ms", "target <= 16 ms"),
        ("MakeBoard, hiragana, 15 columns", ms("BM_MakeBoardFifteenColumns"), "ms", "target <= 1 ms"),
        ("例文表示 with 10,000 samples", ms("BM_ShowSampleList/10000"), "ms", "target <= 50 ms"),
        ("diary list, 3,650 entries", ms("BM_OpenDiaryList/3650"), "ms", "target <= 30 ms"),
        ("CPU during a 0.8 s reading step", medians["BM_ReadingStepCpu/iterations:3"]["cpu_percent"], "%", "target <= 5 %"),
    ]
    for name, value, unit, note in rows:
        print(f"{name:45s} {value:10.3f} {unit:4s} {note}")


if __name__ == "__main__":
    main()
