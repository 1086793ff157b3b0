#!/usr/bin/python3
"""Checks that a user manual quotes every message of the given sources exactly.

    check-manual-messages.py --lang en|ja MANUAL.md SOURCE.cpp...

The sources hold their message boxes as MessageEntry rows
{english, englishCaption, japanese, japaneseCaption, icon}. For each row the manual must
hold every line of the text of its language as a code span (a line break of a message is a
new code span, blanks kept), and one row of a Markdown table must hold the first line
together with the caption. Texts with a printf conversion ("... 0x%lx") are matched up to
the conversion. Prints every miss and exits 1 when there is one.
"""

import argparse
import re
import sys

LITERAL = r'"(?:[^"\\]|\\.)*"'
LITERALS = rf'((?:{LITERAL}\s*)+)'
ROW = re.compile(r'\{\s*' + r',\s*'.join([LITERALS] * 4) + r',\s*(\w+)\s*\}')


def unquote(literals):
    """The value of adjacent C++ string literals (only the escapes the tables use)."""
    text = "".join(m[1:-1] for m in re.findall(LITERAL, literals))
    return re.sub(r'\\(.)', lambda m: {"n": "\n", "t": "\t"}.get(m.group(1), m.group(1)), text)


def messages(path):
    with open(path, encoding="utf-8") as f:
        source = f.read()
    for match in ROW.finditer(source):
        english, english_caption, japanese, japanese_caption = map(unquote, match.groups()[:4])
        if english:
            yield english, english_caption, japanese, japanese_caption


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--lang", required=True, choices=["en", "ja"])
    parser.add_argument("manual")
    parser.add_argument("sources", nargs="+")
    args = parser.parse_args()
    with open(args.manual, encoding="utf-8") as f:
        manual = f.read()
    table_rows = [line for line in manual.splitlines() if line.startswith("|")]

    misses = []
    count = 0
    for source in args.sources:
        for english, english_caption, japanese, japanese_caption in messages(source):
            text, caption = (english, english_caption) if args.lang == "en" else \
                (japanese, japanese_caption)
            count += 1
            spans = []
            for line in text.split("\n"):
                # A conversion such as %lx: the code span starts with the fixed part.
                spans.append("`" + line.split("%")[0] if "%" in line else f"`{line}`")
            for span in spans:
                if span not in manual:
                    misses.append(f"{source}: {span!r} is not quoted")
            if not any(spans[0] in row and f"| {caption} |" in row for row in table_rows):
                misses.append(f"{source}: no table row holds {spans[0]!r} with the caption "
                              f"{caption!r}")
    if count == 0:
        misses.append("no message rows found in " + ", ".join(args.sources))
    for miss in misses:
        print(f"{args.manual}: {miss}", file=sys.stderr)
    if not misses:
        print(f"{args.manual}: all {count} messages quoted")
    return 1 if misses else 0


if __name__ == "__main__":
    sys.exit(main())
