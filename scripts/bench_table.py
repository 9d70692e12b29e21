#!/usr/bin/env python3
"""Prints scripts/bench.sh's one table and writes it as JSON.

  bench_table.py ROWS TEXT_JSON OUT_JSON

ROWS holds the @row and @peer lines the programs and the script printed;
TEXT_JSON is bench_text_encoding's Google Benchmark output, whose warm
detection-and-decoding figures become rows of their own.
"""
import json
import subprocess
import sys

# Detection and decoding at the commit before the decoders' fast paths,
# measured like the rows below (best of two runs of that commit's
# bench_text_encoding beside this one's, warm memory, MB/s).
BEFORE_COMMIT = "fdfa9a8"
BEFORE = {"sjis": 686, "euc": 657, "jis": 593, "utf7": 691, "utf8": 788, "utf8bom": 868, "utf16le": 3879,
          "euc-oneline": 884, "utf8-oneline": 729, "ascii": 810, "utf8-latin": 681}

# Rows every run should have; a row no program printed shows as n/a.
EXPECTED = [
    ("archive list: filling with 10,000 members", "ms", "n/a (not built)"),
    ("archive list: filling the list control alone", "ms", "n/a (not built)"),
    ("archive list: 10,000 members through the built-in engine", "ms", "n/a (not built)"),
    ("built-in engine: a 1,000-byte member expanding to 200 MB, peak memory growth", "MB", "n/a (not built)"),
    ("built-in engine: 100 MB member of a solid 7z into memory", "ms", "n/a (not built)"),
    ("built-in engine: 100 MB member of a solid 7z into the work folder", "ms", "n/a (not built)"),
    ("smooth reduction 6000x4000 to 1600x1067", "ms", "n/a (not run)"),
    ("JPEG 6000x4000: selection to fitted picture", "ms", "n/a (not run)"),
    ("PNG 6000x4000: selection to fitted picture", "ms", "n/a (not run)"),
    ("WebP 6000x4000: selection to fitted picture", "ms", "n/a (not run)"),
    ("AVIF 6000x4000: selection to fitted picture", "ms", "n/a (not run)"),
    ("20 MB Shift_JIS text: first screen", "ms", "n/a (not run)"),
    ("20 MB Shift_JIS text: whole text", "ms", "n/a (not run)"),
    ("poll: zarvik.exe CPU share over 30 s, unchanged selection", "% of a core", "n/a (not run)"),
]
TEXT_CASES = ["sjis", "euc", "jis", "utf7", "utf8", "utf8bom", "utf16le", "euc-oneline", "utf8-oneline", "ascii",
              "utf8-latin"]
DETECT_CASES = ["utf8-oneline", "ascii", "utf8-latin"]  # the ones that scan every byte


def text_rows(path):
    try:
        with open(path) as f:
            runs = json.load(f)["benchmarks"]
    except (OSError, ValueError, KeyError):
        runs = []
    speed = {r["name"]: r["bytes_per_second"] / 1e6 for r in runs if "bytes_per_second" in r}
    rows = []
    for case in DETECT_CASES:
        rows.append(("detect: " + case, speed.get("Detect/" + case), "MB/s"))
    for case in TEXT_CASES:
        rows.append(("detect and decode: " + case, speed.get("DetectAndDecode/" + case), "MB/s"))
    return rows


def main():
    rows_path, text_json, out_json = sys.argv[1:4]
    rows, peers, order = {}, {}, []
    for name, value, unit in text_rows(text_json):
        order.append(name)
        rows[name] = (value, unit)
    with open(rows_path, encoding="utf-8", errors="replace") as f:
        for line in f:
            parts = line.rstrip("\r\n").split("\t")
            if parts[0] == "@row" and len(parts) == 4:
                if parts[1] not in rows:
                    order.append(parts[1])
                rows[parts[1]] = (float(parts[2]), parts[3])
            elif parts[0] == "@peer" and len(parts) == 4:
                peers.setdefault(parts[1], []).append((parts[2], float(parts[3])))
    missing = {}
    for name, unit, why in EXPECTED:
        if name not in rows:
            order.append(name)
            rows[name] = (None, unit)
            missing[name] = why

    def fmt(v):
        return "%.4g" % v if v is not None else ""

    table = []
    for name in order:
        value, unit = rows[name]
        case = name.split(": ", 1)[1] if name.startswith("detect and decode: ") else None
        before = BEFORE.get(case)
        shown = fmt(value) if value is not None else missing.get(name, "n/a")
        peer = "; ".join("%s %s" % (label, fmt(v)) for label, v in peers.get(name, []))
        table.append((name, shown, unit, fmt(before) if before else "", peer))
    heads = ("name", "value", "unit", "before (%s)" % BEFORE_COMMIT, "peer, same run")
    widths = [max(len(r[i]) for r in table + [heads]) for i in range(4)]
    line = lambda r: "  ".join(r[i].ljust(widths[i]) if i != 1 else r[i].rjust(widths[i]) for i in range(4)) + "  " + r[4]
    print(line(heads))
    print(line(tuple("-" * w for w in widths) + ("-" * 16,)))
    for r in table:
        print(line(r))

    try:
        commit = subprocess.run(["git", "rev-parse", "--short", "HEAD"], capture_output=True, text=True).stdout.strip()
    except OSError:
        commit = ""
    doc = {"commit": commit, "rows": []}
    for name in order:
        value, unit = rows[name]
        case = name.split(": ", 1)[1] if name.startswith("detect and decode: ") else None
        entry = {"name": name, "value": value, "unit": unit,
                 "peers": [{"label": label, "value": v} for label, v in peers.get(name, [])]}
        if value is None:
            entry["note"] = missing.get(name, "n/a")
        if BEFORE.get(case):
            entry["before"] = {"value": BEFORE[case], "commit": BEFORE_COMMIT}
        doc["rows"].append(entry)
    with open(out_json, "w") as f:
        json.dump(doc, f, indent=1)
    print("(also in %s)" % out_json)


if __name__ == "__main__":
    main()
