"""grafolux.read_log against pandas.read_csv(sep="\\t") on the same log, in the same run:
the median of RUNS (default 3) wall-clock seconds of each, and their ratio.
    PYTHONPATH=build/default/python /usr/bin/python3 bench/read_log.py [LOG]
LOG defaults to bench/data/log_1000000.txt (made by scripts/bench.sh)."""

import os
import statistics
import sys
import time

import pandas

import grafolux


def median_seconds(read, runs):
    times = []
    for _ in range(runs):
        start = time.perf_counter()
        frame = read()
        times.append(time.perf_counter() - start)
        del frame
    return statistics.median(times)


def main():
    log = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(__file__), "data", "log_1000000.txt")
    runs = int(os.environ.get("RUNS", "3"))
    ours = median_seconds(lambda: grafolux.read_log(log, cache=False), runs)
    cached = median_seconds(lambda: grafolux.read_log(log), runs)
    theirs = median_seconds(lambda: pandas.read_csv(log, sep="\t"), runs)
    print(f"read_log: {ours:.2f} s (from the reopen cache: {cached:.2f} s); "
          f"pandas.read_csv: {theirs:.2f} s; read_csv / read_log {theirs / ours:.1f}x "
          f"(from the cache {theirs / cached:.1f}x)")


if __name__ == "__main__":
    main()
