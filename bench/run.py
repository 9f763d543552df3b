#!/usr/bin/env python3
"""Runs the Morvik benchmarks and prints the table of ratios.

Every figure comes from one run of bench/morvik_bench, with the benchmarks'
repetitions interleaved at random so that load from other processes falls on
all of them alike. A ratio is computed per repetition (repetition i of one
benchmark against repetition i of the other); the table shows the median and,
as the noise, the lowest and highest of them, on the thread's CPU time (what
a busy shared machine distorts least; page faults and the kernel's copy into
the page cache count) and on wall time. The goal is judged on CPU time,
except for the two-thread figure, where waiting for the lock is the cost.

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
        runs.setdefault(bench["run_name"].replace("/real_time", ""), []).append(bench)
    for values in runs.values():
        values.sort(key=lambda b: b.get("repetition_index", 0))
    return runs


def ns(bench, clock):
    scale = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}[bench["time_unit"]]
    return bench[clock + "_time"] * scale


def per_item(bench, clock):
    """Time per item in ns: per iteration, or per item of one thread."""
    return ns(bench, clock) / bench.get("items_per_thread", 1.0)


def rate(bench, clock):
    """Bytes per second on the given clock (the binary reports wall time)."""
    return bench["bytes_per_second"] * bench["real_time"] / bench[clock + "_time"]


def ratios(runs, a, b, figure, clock):
    """figure(bench_a, bench_b, clock) per repetition -> (median, low, high)."""
    if a not in runs or b not in runs:
        return None
    values = [figure(x, y, clock) for x, y in zip(runs[a], runs[b])]
    return statistics.median(values), min(values), max(values)


def fmt_ns(value):
    return "%.1f ns" % value if value < 1e4 else "%.2f ms" % (value / 1e6)


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

    speed = lambda x, y, c: per_item(x, c) / per_item(y, c)
    throughput = lambda x, y, c: rate(x, c) / rate(y, c)
    gigabytes = lambda x, y, c: rate(x, c) / 1e9
    # (figure, goal, benchmark a, benchmark b, figure of a and b, goal test)
    specs = [
        ("Message, warm: Morvik / floor model (time)", "<= 1.3",
         "message/warm/morvik", "message/warm/floor", speed, lambda v: v <= 1.3),
        ("Message, warm: spdlog ring / Morvik (speed-up)", ">= 2",
         "message/warm/spdlog_ring", "message/warm/morvik", speed, lambda v: v >= 2),
        ("Message, warm: floor model's speed-up over spdlog ring", "-",
         "message/warm/spdlog_ring", "message/warm/floor", speed, None),
        ("Message, warm: spdlog file / Morvik (speed-up)", "-",
         "message/warm/spdlog_file", "message/warm/morvik", speed, None),
        ("Message, cold: Morvik / floor model (time)", "-",
         "message/cold/morvik", "message/cold/floor", speed, None),
        ("Message: Morvik cold / warm (time)", "-",
         "message/cold/morvik", "message/warm/morvik", speed, None),
        ("Two threads / one, per item of a thread: Morvik", "<= 2.5",
         "threads/2/morvik", "threads/1/morvik", speed, lambda v: v <= 2.5),
        ("Two threads / one, per item of a thread: floor model", "-",
         "threads/2/floor", "threads/1/floor", speed, None),
        ("Two threads / one, per item of a thread: spdlog ring", "-",
         "threads/2/spdlog_ring", "threads/1/spdlog_ring", speed, None),
        ("Drain: Morvik GetLogData, GB/s", ">= 3",
         "drain/morvik", "drain/morvik", gigabytes, lambda v: v >= 3),
        ("Drain: floor model, GB/s", "-", "drain/floor", "drain/floor", gigabytes, None),
        ("Export, plain / raw writes (throughput)", ">= 0.8",
         "export/plain/morvik", "export/raw_write", throughput, lambda v: v >= 0.8),
        ("Export, scrambled / plain (throughput)", ">= 0.9",
         "export/scrambled/morvik", "export/plain/morvik", throughput, lambda v: v >= 0.9),
        ("Mixed load: Morvik / floor model (time)", "-",
         "mixed/morvik", "mixed/floor", speed, None),
    ]
    rows = []
    for name, goal, a, b, figure, check in specs:
        # The thread figures need the wall clock: a waiting thread uses no CPU.
        primary = "real" if a.startswith("threads/") else "cpu"
        rows.append((name, goal, primary, ratios(runs, a, b, figure, "cpu"),
                     ratios(runs, a, b, figure, "real"), check))
    for scenario in ("uniform", "mixed"):
        figures = peak_memory(binary, scenario)
        value = figures["peak_bytes"] / (1.5 * figures["queued_bytes"] + 32 * MIB)
        rows.append(("Peak memory / (1.5 x queued + 32 MiB), %s: %d MiB queued, %d MiB peak"
                     % (scenario, figures["queued_bytes"] // MIB, figures["peak_bytes"] // MIB),
                     "<= 1", "cpu", (value, value, value), None, lambda v: v <= 1))

    def cell(figure):
        return "%.2f (%.2f .. %.2f)" % figure if figure else "-"

    print("\n| Figure | Goal | On CPU time: median (low .. high) | On wall time | Met |")
    print("|---|---|---|---|---|")
    for name, goal, primary, cpu, real, check in rows:
        chosen = cpu if primary == "cpu" else real
        if chosen is None:
            print("| %s | %s | (not run) | | |" % (name, goal))
            continue
        met = "-" if check is None else ("yes" if check(chosen[0]) else "NO")
        mark = lambda text, clock: "**%s**" % text if clock == primary and check else text
        print("| %s | %s | %s | %s | %s |" % (name, goal, mark(cell(cpu), "cpu"),
                                            mark(cell(real), "real"), met))

    print("\n| Benchmark | CPU time per item or iteration | Wall time | Rate on CPU time |")
    print("|---|---|---|---|")
    for name in sorted(runs):
        cpu = statistics.median(per_item(b, "cpu") for b in runs[name])
        real = statistics.median(per_item(b, "real") for b in runs[name])
        rates = [rate(b, "cpu") for b in runs[name] if b.get("bytes_per_second")]
        rate_text = "%.2f GB/s" % (statistics.median(rates) / 1e9) if rates else ""
        print("| %s | %s | %s | %s |" % (name, fmt_ns(cpu), fmt_ns(real), rate_text))

    if args.callgrind:
        subprocess.run([os.path.join(HERE, "callgrind.sh"), args.build], check=True)


if __name__ == "__main__":
    main()
