#!/usr/bin/env python3
"""The worked examples of the user guide computed by pilecalc.

Each example in docs/用户手册.md starts with the marker line

    <!-- 核对算例 formula=N -->

followed by a ```json block holding the pile as a pilecalc line, and is checked by the first
table after it whose header has the columns 计算书中的项目 and 手算值: for each row, the line of
the calculation book that carries that item must show exactly the hand-computed value. So the
guide cannot drift from the program: a changed number, a renamed book line or a lost example
fails here.

usage: user_guide_examples.py GUIDE.md PILECALC
"""
import re
import subprocess
import sys

MARKER = re.compile(r"<!-- 核对算例 formula=(\d) -->")
NUMBER = re.compile(r"-?\d+(?:\.\d+)?")


def examples(text):
    """(formula, json line, [(item, book label, value)]) for each marked example."""
    found = []
    for match in MARKER.finditer(text):
        rest = text[match.end():]
        block = re.search(r"```json\n(.*?)\n```", rest, re.S)
        if not block:
            raise SystemExit(f"example formula={match.group(1)}: no json block after the marker")
        rows = []
        lines = rest[block.end():].splitlines()
        columns = None
        for line in lines:
            if columns is None:
                if line.startswith("|") and "计算书中的项目" in line:
                    columns = [c.strip() for c in line.strip("|").split("|")]
                continue
            if not line.startswith("|"):
                break
            cells = [c.strip() for c in line.strip("|").split("|")]
            if set(cells[0]) <= set("-: "):
                continue
            row = dict(zip(columns, cells))
            rows.append((cells[0], row["计算书中的项目"], row["手算值"]))
        if not rows:
            raise SystemExit(f"example formula={match.group(1)}: no check table")
        found.append((match.group(1), block.group(1), rows))
    return found


def book_value(book, label):
    """The first number after `label` and its colon on a line of the book."""
    for line in book.splitlines():
        at = line.find(label)
        if at < 0:
            continue
        tail = line[at + len(label):]
        tail = re.sub(r"^\([^)]*\)", "", tail)  # 土的总极限侧阻力标准值Qsk(不考虑)
        if not tail.lstrip().startswith(":"):
            continue
        number = NUMBER.search(tail)
        if number:
            return number.group(0)
    return None


def main():
    guide_path, pilecalc = sys.argv[1], sys.argv[2]
    with open(guide_path, encoding="utf-8") as f:
        text = f.read()
    found = examples(text)
    if len(found) < 2:
        print(f"expected both worked examples in the guide, found {len(found)}")
        return 1
    failures = 0
    for formula, line, rows in found:
        book = subprocess.run(
            [pilecalc, "book", "--formula", formula, "--time", "2026-12-11 00:00:00"],
            input=(line + "\n").encode(), capture_output=True, check=True).stdout.decode()
        for item, label, value in rows:
            shown = book_value(book, label)
            if shown != value:
                print(f"formula {formula}, {item}: the guide says {value}, "
                      f"the book's line {label} shows {shown}")
                failures += 1
    checked = sum(len(rows) for _, _, rows in found)
    print(f"{len(found)} examples, {checked} values checked, {failures} differ")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
