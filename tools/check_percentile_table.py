#!/usr/bin/python3
"""Checks the reference table of the percentile tests against SciPy, a second, independent
source (run at development time with Debian's /usr/bin/python3 and python3-scipy).

Usage: /usr/bin/python3 tools/check_percentile_table.py tests/data/percentiles.txt
"""
import math
import sys

from scipy.stats import chi2, t


def main(path):
    worst = {"t": 0.0, "chi": 0.0, "chisf": 0.0}
    lines = 0
    skipped = 0
    with open(path) as table:
        for line in table:
            if not line.strip() or line.startswith("#"):
                continue
            kind, df, arg, value = line.split()
            df, arg, value = int(df), float(arg), float(value)
            if kind == "t":
                other = t.isf(arg / 2, df)
            elif kind == "chi":
                other = chi2.isf(arg, df)
            else:
                other = chi2.logsf(arg, df)
            if not math.isfinite(other):
                skipped += 1  # beyond SciPy's range (its tails underflow below 1e-308)
                continue
            worst[kind] = max(worst[kind], abs(other - value) / max(abs(value), 1.0))
            lines += 1
    print(f"{lines} values compared, {skipped} out of SciPy's range; largest relative difference to SciPy: {worst}")
    # SciPy's t quantiles for few degrees of freedom are good to about 1e-8 only.
    return 0 if max(worst.values()) < 1e-7 else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
