#!/usr/bin/env python3
"""Runs the Morvik benchmarks and prints the table of ratios.

Every figure comes from one run of bench/morvik_bench, with the benchmarks'
repetitions interleaved at random so that load from other processes falls on
all of them alike. A ratio is computed per repetition (repetition i of one
benchmark against repetition i of the other); the table shows the median and,
as the noise, the lowest and highest of them.

    bench/run.py                      # build/linux, 5 repetitions
    bench/run.py --repetitions 9 --min-time 0.5
    bench/run.py --callgrind          # and the instruction counts
"""
import argparse
import json
import os
import statistics
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
MIB = 1 << 20


def run_benchmarks(binary, repetitions, min_time, extra):
    command = [binary, "--benchmark_format=json",
               "--benchmark_repetitions=%d" % repetitions,
               "--benchmark_enable_random_interleaving=true",
               "--benchmark_min_time=%g" % min_time] + extra
    print("running:", " ".join(command), file=sys.stderr)
    output = subprocess.run(command, check=True, stdout=subprocess.PIPE).stdout
    runs = {}
    for bench in json.loads(output)["benchmarks"]:
        if bench.get("run_type") != "iteration" or bench.get("error_occurred"):
            continue
        runs.setdefault(bench["run_name"], []).append(bench)
    for values in runs.values():
        values.sort(key=lambda b: b.get("repetition_index", 0))
    return runs


def ns(bench):
    scale = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}[bench["time_unit"]]
    return bench["real_time"] * scale


def per_item(bench):
    """Time per item in ns: per iteration, or per item of one thread."""
    return ns(bench) / bench.get("items_per_thread", 1.0)


def rate(bench):
    return bench["bytes_per_second"]


def ratios(runs, a, b, figure):
    """figure(bench_a, bench_b) per repetition -> (median, low, high)."""
    if a not in runs or b not in runs:
        return None
    values = [figure(x, y) for x, y in zip(runs[a], runs[b])]
    return statistics.median(values), min(values), max(values)


def peak_memory(binary, scenario):
    output = subprocess.run([binary, "--peak-memory=" + scenario], check=True,
                            stdout=subprocess.PIPE, text=True).stdout
    return json.loads(output)


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--build", default=os.path.join(HERE, "..", "build", "linux"),
                        help="build tree holding bin/morvik_bench (default build/linux)")
    parser.add_argument("--repetitions", type=int, default=5)
    parser.add_argument("--min-time", type=float, default=0.3,
                        help="seconds per repetition of each benchmark")
    parser.add_argument("--callgrind", action="store_true",
                        help="also count instructions with bench/callgrind.sh")
    parser.add_argument("--json", help="also write the raw figures to this file")
    args, extra = parser.parse_known_args()
    binary = os.path.join(args.build, "bin", "morvik_bench")

    runs = run_benchmarks(binary, args.repetitions, args.min_time, extra)
    if args.json:
        with open(args.json, "w") as out:
            json.dump(runs, out, indent=1)

    speed = lambda x, y: per_item(x) / per_item(y)
    throughput = lambda x, y: rate(x) / rate(y)
    rows = [
        ("Message, warm: Morvik / floor model", "<= 1.3",
         ratios(runs, "message/warm/morvik", "message/warm/floor", speed), lambda v: v <= 1.3),
        ("Message, warm: spdlog ring / Morvik (speed-up)", ">= 2",
         ratios(runs, "message/warm/spdlog_ring", "message/warm/morvik", speed), lambda v: v >= 2),
        ("Message, warm: spdlog file / Morvik (speed-up)", "-",
         ratios(runs, "message/warm/spdlog_file", "message/warm/morvik", speed), None),
        ("Message, cold: Morvik / floor model", "-",
         ratios(runs, "message/cold/morvik", "message/cold/floor", speed), None),
        ("Message, cold / warm: Morvik", "-",
         ratios(runs, "message/cold/morvik", "message/warm/morvik", speed), None),
        ("Two threads / one, per item: Morvik", "<= 2.5",
         ratios(runs, "threads/2/morvik", "threads/1/morvik", speed), lambda v: v <= 2.5),
        ("Two threads / one, per item: floor model", "-",
         ratios(runs, "threads/2/floor", "threads/1/floor", speed), None),
        ("Two threads / one, per item: spdlog ring", "-",
         ratios(runs, "threads/2/spdlog_ring", "threads/1/spdlog_ring", speed), None),
        ("Drain: Morvik GetLogData, GB/s", ">= 3",
         ratios(runs, "drain/morvik", "drain/morvik", lambda x, y: rate(x) / 1e9), lambda v: v >= 3),
        ("Drain: Morvik / floor model, throughput", "-",
         ratios(runs, "drain/morvik", "drain/floor", throughput), None),
        ("Export, plain / raw writes, throughput", ">= 0.8",
         ratios(runs, "export/plain/morvik", "export/raw_write", throughput), lambda v: v >= 0.8),
        ("Export, scrambled / plain, throughput", ">= 0.9",
         ratios(runs, "export/scrambled/morvik", "export/plain/morvik", throughput),
         lambda v: v >= 0.9),
        ("Mixed load: Morvik / floor model, time", "-",
         ratios(runs, "mixed/morvik", "mixed/floor", speed), None),
    ]
    for scenario in ("uniform", "mixed"):
        figures = peak_memory(binary, scenario)
        value = figures["peak_bytes"] / (1.5 * figures["queued_bytes"] + 32 * MIB)
        rows.append(("Peak memory / (1.5 x queued + 32 MiB), %s: %d MiB queued, %d MiB peak"
                     % (scenario, figures["queued_bytes"] // MIB, figures["peak_bytes"] // MIB),
                     "<= 1", (value, value, value), lambda v: v <= 1))

    print("\n| Figure | Goal | Median | Low .. high | Met |")
    print("|---|---|---|---|---|")
    for name, goal, figure, check in rows:
        if figure is None:
            print("| %s | %s | (not run) | | |" % (name, goal))
            continue
        median, low, high = figure
        met = "-" if check is None else ("yes" if check(median) else "NO")
        print("| %s | %s | %.2f | %.2f .. %.2f | %s |" % (name, goal, median, low, high, met))

    print("\n| Benchmark | Median time per item or iteration | Median rate |")
    print("|---|---|---|")
    for name in sorted(runs):
        times = [per_item(b) for b in runs[name]]
        rates = [b.get("bytes_per_second", 0) for b in runs[name]]
        rate_text = "%.2f GB/s" % (statistics.median(rates) / 1e9) if rates[0] else ""
        unit = "ns/item" if runs[name][0].get("items_per_thread") or "message" in name else "ns"
        print("| %s | %.1f %s | %s |" % (name, statistics.median(times), unit, rate_text))

    if args.callgrind:
        subprocess.run([os.path.join(HERE, "callgrind.sh"), args.build], check=True)


if __name__ == "__main__":
    main()
