#!/usr/bin/python3
"""Planted faults: checks that the native tests catch small realistic faults of the code.

Each row of the table (tests/faults/faults.tsv) names a fault: a file, a text that occurs
exactly once in it and the text that replaces it. For every row chosen (all, or the names and
shell patterns given, e.g. "stats.*"), this script plants the fault alone in a scratch copy of
the sources, builds the native configuration incrementally and runs the native tests (ctest,
without the slow 'spreadsheet' label, with a timeout per test). A fault is caught when a test
fails. The sources are a revision of the repository (HEAD unless --rev says otherwise), never
the working tree, which this script does not touch. The scratch copy and its build folder
(default ${SUITE_BUILD_DIR:-build}/faults) are kept between runs, so a fault costs one
recompilation, and each file is put back after its fault.

Exit status: 0 when every fault was caught or survived as its row says it does; 1 when a
fault was missed, a row is refused (its text does not occur exactly once) or a fault does not
build; 2 when the tests fail without any fault, or on bad usage.
"""

import argparse
import fcntl
import fnmatch
import io
import json
import os
import re
import shutil
import subprocess
import sys
import tarfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
SURVIVES = "survives:"
LINE_BREAK = "\u23ce"  # the sign of the return key


class Row:
    def __init__(self, line, name, path, find, replace, note):
        self.line = line
        self.name = name
        self.path = path
        self.find = find
        self.replace = replace
        self.note = note
        self.expected_survivor = note.startswith(SURVIVES)
        self.problem = ""  # why the row is refused, when it is
        self.result = ""
        self.caught_by = []
        self.seconds = 0.0

    @property
    def area(self):
        return self.name.split(".", 1)[0]


def load_table(path):
    """Rows of name, file, find, replace and an optional note, separated by single TABs. The
    texts are taken literally but for LINE_BREAK, which stands for a line break. Blank lines
    and lines starting with # are comments."""
    rows, names, problems = [], set(), []
    with open(path, encoding="utf-8") as table:
        for number, line in enumerate(table, 1):
            line = line.rstrip("\n")
            if not line.strip() or line.startswith("#"):
                continue
            fields = line.split("\t")
            if len(fields) not in (4, 5):
                problems.append(f"{path}:{number}: {len(fields)} fields, not 4 or 5")
                continue
            fields[2:4] = [text.replace(LINE_BREAK, "\n") for text in fields[2:4]]
            row = Row(number, *fields[:4], fields[4] if len(fields) == 5 else "")
            if row.name in names:
                problems.append(f"{path}:{number}: the name {row.name} is taken")
            names.add(row.name)
            rows.append(row)
    return rows, problems


def run(command, log=None, **kwargs):
    """Runs a command; its output goes to log (a path), or is returned."""
    if log is None:
        return subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                              text=True, errors="replace", **kwargs)
    with open(log, "w") as out:
        return subprocess.run(command, stdout=out, stderr=subprocess.STDOUT, **kwargs)


def sync_sources(repo, rev, src):
    """Makes src hold exactly the files of rev. Files whose content is already right keep
    their time stamps, so the build stays incremental."""
    archive = subprocess.run(["git", "-C", repo, "archive", "--format=tar", rev],
                             stdout=subprocess.PIPE, check=True).stdout
    wanted = set()
    written = 0
    with tarfile.open(fileobj=io.BytesIO(archive)) as tar:
        for member in tar.getmembers():
            target = os.path.join(src, member.name)
            if member.isdir():
                os.makedirs(target, exist_ok=True)
                continue
            if not member.isfile():
                continue
            wanted.add(os.path.normpath(target))
            data = tar.extractfile(member).read()
            try:
                with open(target, "rb") as existing:
                    if existing.read() == data:
                        continue
            except FileNotFoundError:
                os.makedirs(os.path.dirname(target), exist_ok=True)
            with open(target, "wb") as out:
                out.write(data)
            os.chmod(target, member.mode & 0o777)
            written += 1
    removed = 0
    for folder, _, files in os.walk(src):
        for name in files:
            path = os.path.normpath(os.path.join(folder, name))
            if path not in wanted:
                os.remove(path)
                removed += 1
    return written, removed


def configure(src, build, log):
    if os.path.exists(os.path.join(build, "CMakeCache.txt")):
        return True
    command = ["cmake", "-S", src, "-B", build, "-DCMAKE_BUILD_TYPE=Release", "-DSUITE_BENCHMARKS=OFF"]
    if shutil.which("ninja"):
        command += ["-G", "Ninja"]
    return run(command, log).returncode == 0


def bin_stamps(build):
    stamps = {}
    folder = os.path.join(build, "bin")
    if os.path.isdir(folder):
        for name in os.listdir(folder):
            path = os.path.join(folder, name)
            stamps[path] = os.stat(path).st_mtime_ns
    return stamps


def build_tree(build, jobs, log):
    return run(["cmake", "--build", build, "-j", str(jobs)], log).returncode == 0


def list_tests(build, exclude_label):
    """The tests with the programs of the build folder's bin that each one runs."""
    output = run(["ctest", "--test-dir", build, "--show-only=json-v1", "-LE", exclude_label]).stdout
    tests = json.loads(output[output.index("{"):])["tests"]
    bin_folder = os.path.join(build, "bin") + os.sep
    listed = []
    for test in tests:
        programs = set()
        for argument in test.get("command", []):
            for match in re.finditer(re.escape(bin_folder) + r"[^\s;=]+", argument):
                programs.add(match.group(0))
        listed.append((test["name"], programs))
    return listed


FAILED_LINE = re.compile(r"^\s*\d+ - (\S+) \((.*)\)\s*$")


def run_tests(build, names, exclude_label, timeout, jobs, log):
    """Runs the named tests; returns the names of those that failed (with how, when not a
    plain failure), or None when ctest itself could not run."""
    pattern = "^(" + "|".join(re.escape(name) for name in names) + ")$"
    result = run(["ctest", "--test-dir", build, "-LE", exclude_label, "-R", pattern,
                  "--timeout", str(timeout), "-j", str(jobs), "--output-on-failure"])
    with open(log, "w") as out:
        out.write(result.stdout)
    failed, listing = [], False
    for line in result.stdout.splitlines():
        if "The following tests FAILED" in line:
            listing = True
            continue
        match = FAILED_LINE.match(line) if listing else None
        if match:
            how = match.group(2)
            failed.append(match.group(1) + ("" if how == "Failed" else f" ({how})"))
    if result.returncode != 0 and not failed:
        return None
    return failed


def choose(rows, patterns):
    if not patterns:
        return rows
    chosen = [row for row in rows if any(fnmatch.fnmatchcase(row.name, p) for p in patterns)]
    unknown = [p for p in patterns if not any(fnmatch.fnmatchcase(row.name, p) for row in rows)]
    if unknown:
        sys.exit(f"no row named {', '.join(unknown)}")
    return chosen


def check_rows(rows, src):
    """Refuses the rows whose text does not occur exactly once in their file."""
    for row in rows:
        path = os.path.join(src, row.path)
        if not os.path.isfile(path):
            row.problem = "no such file"
            continue
        with open(path, encoding="utf-8") as source:
            count = source.read().count(row.find)
        if row.find == row.replace:
            row.problem = "the replacement is the text itself"
        elif count != 1:
            row.problem = f"the text occurs {count} times"


def describe(row):
    tests = ", ".join(row.caught_by[:3]) + (f" +{len(row.caught_by) - 3}" if len(row.caught_by) > 3 else "")
    if row.result in ("caught", "caught, marked to survive"):
        return tests
    if row.result == "survived as marked":
        return row.note[len(SURVIVES):].strip()
    return row.problem


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("names", nargs="*", help="rows to run (names or shell patterns); all when none")
    parser.add_argument("--table", default=os.path.join(HERE, "faults.tsv"))
    parser.add_argument("--rev", default="HEAD", help="revision whose sources are used (default HEAD; "
                        "`git stash create` gives one of uncommitted changes)")
    parser.add_argument("--scratch", help="folder of the scratch sources and build "
                        "(default ${SUITE_BUILD_DIR:-<repository>/build}/faults)")
    parser.add_argument("--timeout", type=int, default=180, help="seconds per test (default 180)")
    parser.add_argument("--jobs", type=int, default=2, help="build and test jobs (default 2)")
    parser.add_argument("--check", action="store_true", help="only check that every row applies")
    parser.add_argument("--list", action="store_true", help="only list the rows")
    args = parser.parse_args()
    exclude_label = "spreadsheet"

    repo = run(["git", "-C", HERE, "rev-parse", "--show-toplevel"]).stdout.strip()
    rows, problems = load_table(args.table)
    if problems:
        sys.exit("\n".join(problems))
    rows = choose(rows, args.names)
    if args.list:
        for row in rows:
            print(f"{row.name}\t{row.path}" + (f"\t{row.note}" if row.note else ""))
        return 0

    scratch = args.scratch or os.path.join(os.environ.get("SUITE_BUILD_DIR") or os.path.join(repo, "build"), "faults")
    src, build = os.path.join(scratch, "src"), os.path.join(scratch, "build")
    os.makedirs(src, exist_ok=True)
    lock = open(os.path.join(scratch, "lock"), "w")
    try:
        fcntl.flock(lock, fcntl.LOCK_EX | fcntl.LOCK_NB)
    except OSError:
        sys.exit(f"another run uses {scratch}")

    started = time.monotonic()
    written, removed = sync_sources(repo, args.rev, src)
    print(f"sources of {args.rev} in {src} ({written} files written, {removed} removed)")
    check_rows(rows, src)
    refused = [row for row in rows if row.problem]
    for row in refused:
        row.result = "refused"
        print(f"refused: {row.name} ({args.table}:{row.line}, {row.path}): {row.problem}")
    if args.check:
        print(f"{len(rows) - len(refused)} of {len(rows)} rows apply")
        return 1 if refused else 0

    logs = os.path.join(scratch, "logs")
    os.makedirs(logs, exist_ok=True)
    if not configure(src, build, os.path.join(logs, "configure.log")) or \
            not build_tree(build, args.jobs, os.path.join(logs, "build.log")):
        print(f"the sources do not build; see {logs}")
        return 2
    tests = list_tests(build, exclude_label)
    failed = run_tests(build, [name for name, _ in tests], exclude_label, args.timeout, args.jobs,
                       os.path.join(logs, "baseline.log"))
    if failed != []:
        print(f"the native tests fail without any fault ({', '.join(failed or ['ctest'])}); "
              f"see {logs}/baseline.log")
        return 2
    print(f"baseline built and passed in {time.monotonic() - started:.0f} s; {len(rows) - len(refused)} faults")

    # Faults of one file run one after the other: the file is compiled once per fault.
    order = {}
    runnable = [row for row in rows if not row.problem]
    runnable.sort(key=lambda row: order.setdefault(row.path, len(order)))
    for index, row in enumerate(runnable, 1):
        began = time.monotonic()
        path = os.path.join(src, row.path)
        with open(path, encoding="utf-8") as source:
            original = source.read()
        stamps = bin_stamps(build)
        safe = re.sub(r"[^\w.-]", "_", row.name)
        try:
            with open(path, "w", encoding="utf-8") as source:
                source.write(original.replace(row.find, row.replace, 1))
            if not build_tree(build, args.jobs, os.path.join(logs, safe + ".build.log")):
                row.result, row.problem = "does not build", f"see {logs}/{safe}.build.log"
            else:
                after = bin_stamps(build)
                changed = {p for p, stamp in after.items() if stamps.get(p) != stamp}
                # A test that runs none of the rebuilt programs cannot see the fault; tests
                # that run no program of the build (scripts over the sources) always run.
                names = [name for name, programs in tests if not programs or programs & changed]
                failed = run_tests(build, names, exclude_label, args.timeout, args.jobs,
                                   os.path.join(logs, safe + ".test.log")) if names else []
                if failed is None:
                    row.result, row.problem = "does not test", f"see {logs}/{safe}.test.log"
                elif failed:
                    row.caught_by = failed
                    row.result = "caught, marked to survive" if row.expected_survivor else "caught"
                elif row.expected_survivor:
                    row.result = "survived as marked"
                else:
                    row.result = "MISSED"
                    row.problem = "no test failed" if names else "no test runs the rebuilt code"
        finally:
            with open(path, "w", encoding="utf-8") as source:
                source.write(original)
        row.seconds = time.monotonic() - began
        print(f"[{index}/{len(runnable)}] {row.result}: {row.name} ({row.seconds:.0f} s) {describe(row)}",
              flush=True)

    # The tree as the revision has it, so the next run starts from a good build.
    build_tree(build, args.jobs, os.path.join(logs, "build.log"))

    width = max(len(row.name) for row in rows)
    print("\nresult                     " + "fault".ljust(width) + "  caught by / why")
    for row in rows:
        print(f"{row.result:<26} {row.name.ljust(width)}  {describe(row)}")
    print("\narea        faults  caught  survive as marked  missed  other")
    for area in dict.fromkeys(row.area for row in rows):
        mine = [row for row in rows if row.area == area]
        count = lambda *results: sum(row.result in results for row in mine)
        print(f"{area:<11} {len(mine):>6} {count('caught', 'caught, marked to survive'):>7} "
              f"{count('survived as marked'):>18} {count('MISSED'):>7} "
              f"{count('refused', 'does not build', 'does not test'):>6}")
    with open(os.path.join(scratch, "results.tsv"), "w") as out:
        for row in rows:
            out.write(f"{row.name}\t{row.result}\t{describe(row)}\n")
    bad = [row for row in rows if row.result in ("MISSED", "refused", "does not build", "does not test")]
    marked = [row for row in rows if row.result == "caught, marked to survive"]
    print(f"\n{len(rows)} faults in {time.monotonic() - started:.0f} s: {len(bad)} missed or not run"
          + (f", {len(marked)} caught though marked to survive (mend their rows)" if marked else "")
          + f"; results in {scratch}/results.tsv")
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main())
