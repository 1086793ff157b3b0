#!/usr/bin/python3
"""Side-by-side benchmark: korvan00's whole analysis against the NumPy/SciPy equivalent.

For N = 1000, 10000 and 30000 generated values (one spreadsheet column, CR LF rows) it times,
in this one process tree, the native analysis (korvan-side-bench: import, interval number,
frequencies, statistics with the t and the two chi-square percentiles, the results export
text) and the same work in NumPy/SciPy (parse, mean and standard deviation, t.ppf, two
chi2.ppf, histogram), each as the median of repeated runs, and checks that both give the same
interval limits to the digits the results page prints (%.7g). SciPy's percentiles are cut to
the 0.00001 grid the program defines (its percentiles are truncated, not rounded).

    /usr/bin/python3 tools/side_by_side.py BENCH_EXECUTABLE [--repeat R]
"""
import argparse
import math
import os
import subprocess
import sys
import tempfile
import time

import numpy as np
from scipy import stats

SIZES = (1000, 10000, 30000)
CONFIDENCE = 90.0


def generate(count, seed):
    """Measurements around 50 with a spread of 4, six decimals, as a spreadsheet copies them."""
    rng = np.random.default_rng(seed)
    values = rng.normal(50.0, 4.0, count)
    return "".join("%.6f\r\n" % v for v in values)


def scipy_analysis(text, k):
    values = np.array(text.split(), dtype=float)
    n = values.size
    mean = values.mean()
    s = values.std(ddof=1)
    p = CONFIDENCE * 0.01
    t = stats.t.ppf(1 - (1 - p) / 2, n - 1)
    small = stats.chi2.ppf((1 - p) / 2, n - 1)
    large = stats.chi2.ppf((1 + p) / 2, n - 1)
    counts, edges = np.histogram(values, bins=k)
    return n, mean, s, t, small, large, counts


def truncated(x):
    return math.floor(x * 1e5) / 1e5


def scipy_limits(n, mean, s, t, small, large):
    t, small, large = truncated(t), truncated(small), truncated(large)
    half = t * s / math.sqrt(n)
    spread = math.sqrt(n - 1) * s
    return ["%.7g" % v for v in (mean - half, mean + half, spread / math.sqrt(large),
                                 spread / math.sqrt(small))]


def run_native(executable, path, repeat):
    out = subprocess.run([executable, path, str(repeat), "%g" % CONFIDENCE], check=True,
                         capture_output=True, text=True).stdout
    fields = {}
    for line in out.splitlines():
        key, _, value = line.partition(" ")
        fields[key] = value
    return fields


def time_scipy(text, k, repeat):
    times = []
    result = None
    for _ in range(repeat):
        start = time.perf_counter()
        result = scipy_analysis(text, k)
        times.append((time.perf_counter() - start) * 1e6)
    times.sort()
    return times[len(times) // 2], times[0], result


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("executable")
    parser.add_argument("--repeat", type=int, default=0,
                        help="runs per size (default 400, 200, 100 for the three sizes)")
    args = parser.parse_args()
    rows = []
    ok = True
    with tempfile.TemporaryDirectory() as folder:
        for index, count in enumerate(SIZES):
            repeat = args.repeat or (400, 200, 100)[index]
            text = generate(count, 20261206 + count)
            path = os.path.join(folder, "column-%d.txt" % count)
            with open(path, "w", newline="") as f:
                f.write(text)
            native = run_native(args.executable, path, repeat)
            k = math.ceil(3.3 * math.log10(count))  # the Standard interval number
            scipy_median, scipy_min, result = time_scipy(text, k, repeat)
            ours = native["limits"].split()
            theirs = scipy_limits(*result[:6])
            same = ours == theirs
            ok = ok and same
            rows.append((count, float(native["median_us"]), scipy_median,
                         float(native["min_us"]), scipy_min, same, ours, theirs,
                         int(native["peak_bytes"]), int(native["data_bytes"]),
                         int(native["text_bytes"])))
    load = os.getloadavg()[0]
    print("Whole analysis, median of repeated runs (load average %.2f on %d cores)" %
          (load, os.cpu_count()))
    print()
    print("| N | Korvan (ms) | NumPy/SciPy (ms) | SciPy / Korvan | fastest runs (ms) |"
          " limits (%.7g) | same |")
    print("|---:|---:|---:|---:|---:|---|---|")
    for (count, ours_us, scipy_us, ours_min, scipy_min, same, ours, theirs, *_r) in rows:
        print("| %d | %.3f | %.3f | %.1f | %.3f / %.3f | %s | %s |" %
              (count, ours_us / 1000, scipy_us / 1000, scipy_us / ours_us, ours_min / 1000,
               scipy_min / 1000, " ".join(ours), "yes" if same else "NO: " + " ".join(theirs)))
    print()
    for (count, *_r, peak, data, text) in rows:
        print("N = %d: peak allocated %d bytes = %.2f x (data %d + text %d bytes)" %
              (count, peak, peak / (data + text), data, text))
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
