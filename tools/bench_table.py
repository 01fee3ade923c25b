#!/usr/bin/env python3
"""The performance table of tools/bench.sh: reads the harnesses' "RESULT
name=value low=q1 high=q3 rounds=n" lines and Google Benchmark's JSON of the
native benchmarks, and prints one Markdown table of every figure, its goal,
the median measured, its quartiles and whether the goal is met.

    bench_table.py RESULTS_FILE [NATIVE_JSON]
"""
import json
import os
import statistics
import sys

# (figure, result name, goal as (comparison, limit) or None, unit)
ROWS = [
    ("Start-up to window shown / bare window", "startup_shown_ratio", ("<=", 1.3), ""),
    ("Start-up to first answer to a message / bare window", "startup_answer_ratio", ("<=", 1.6), ""),
    ("Private memory, 1,000 favourites + explorer on a 1,000-file folder, minus the bare window's",
     "memory_1k_over_bare_mb", ("<=", 8), " MB"),
    ("Hotkey to the quick-open box shown and focused, window hidden", "hotkey_box_ms", ("<=", 100), " ms"),
    ("Hotkey to the quick-open box / bare window's start to shown", "hotkey_box_ratio", None, ""),
    ("Loading 30,000 entries / reading and parsing the three files", "list_load_ratio", ("<=", 3), ""),
    ("Loading 30,000 entries, longest message on the user-interface thread", "list_load_longest_message_ms",
     ("<=", 16), " ms"),
    ("Kelvane on 30,000 entries, start to lists full / start to window shown on none", "list_load_from_start_ratio",
     ("<=", 1.5), ""),
    ("Kelvane on 30,000 entries, longest wait for an answer while loading", "list_load_longest_answer_ms",
     ("<=", 16), " ms"),
    ("Private memory with 100,000 favourites", "favourites_100000_private_mb", ("<", 40), " MB"),
    ("Kelvane on 100,000 favourites, longest wait for an answer while loading",
     "favourites_100000_longest_answer_ms", ("<=", 16), " ms"),
    ("Kelvane on 100,000 favourites, longest wait for an answer in the 20 s after (icons, other tabs)",
     "favourites_100000_longest_answer_after_ms", ("<=", 16), " ms"),
    ("Recolouring a full-screen list / memcpy of it (CPU time)", "recolour_ratio", None, ""),
    ("Listing a 100,000-file folder / bare enumeration", "listing_100000_ratio", None, ""),
    ("Copy through the shell wrapper / direct SHFileOperationW call", "copy_ratio", None, ""),
    ("Quick-open matcher, CPU time per keystroke on 31,000 entries", "quick_match_ms", ("<=", 16), " ms"),
]


LESS_OR_EQUAL = "\u2264"


def parse_results(lines):
    """{name: {"value": v, "low": q1, "high": q3, "rounds": n}} from RESULT lines."""
    results = {}
    for line in lines:
        if not line.startswith("RESULT "):
            continue
        words = line.split()
        if len(words) < 2:
            continue
        fields = {}
        for word in words[1:]:
            key, _, value = word.partition("=")
            try:
                fields[key] = float(value)
            except ValueError:
                fields = None
                break
        if not fields:
            continue
        name = words[1].partition("=")[0]
        entry = {"value": fields.pop(name)}
        entry.update(fields)
        results[name] = entry
    return results


def quartiles(values):
    if len(values) == 1:
        return values[0], values[0], values[0]
    q = statistics.quantiles(values, n=4, method="inclusive")
    return q[1], q[0], q[2]


def spread_entry(values):
    median, low, high = quartiles(values)
    return {"value": median, "low": low, "high": high, "rounds": len(values)}


def native_results(report):
    """Figures of the native benchmarks: each repetition's CPU time by name
    (on a machine shared with other work, the time the benchmark itself ran;
    each is single-threaded), the ratios paired by repetition (interleaved at
    random, so a pair ran close together), the matcher's slowest case."""
    times = {}
    for run in report.get("benchmarks", []):
        if run.get("run_type") != "iteration":
            continue
        times.setdefault(run["run_name"], []).append(float(run["cpu_time"]) * {
            "ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[run.get("time_unit", "ns")])
    results = {}
    recolour, copy = times.get("BM_RecolourList"), times.get("BM_MemcpyScreen")
    if recolour and copy:
        results["recolour_ratio"] = spread_entry([r / c for r, c in zip(recolour, copy) if c > 0])
    matcher = [spread_entry(v) for name, v in times.items() if name.startswith("QuickMatchRanked/")]
    if matcher:
        results["quick_match_ms"] = max(matcher, key=lambda entry: entry["value"])
    return results


def verdict(value, goal):
    if goal is None:
        return "\u2014"
    comparison, limit = goal
    met = value <= limit if comparison == "<=" else value < limit
    return "PASS" if met else "over"


def number(value):
    return f"{value:.2f}" if abs(value) < 100 else f"{value:.0f}"


def table(results):
    lines = ["| Figure | Goal | Measured (median) | Quartiles | Rounds | Verdict |",
             "|---|---|---|---|---|---|"]
    for label, name, goal, unit in ROWS:
        goal_text = "\u2014" if goal is None else f"{LESS_OR_EQUAL if goal[0] == '<=' else '<'} {goal[1]:g}{unit}"
        entry = results.get(name)
        if entry is None:
            lines.append(f"| {label} | {goal_text} | not measured | | | |")
            continue
        value = entry["value"]
        spread = (f"{number(entry['low'])} \u2013 {number(entry['high'])}"
                  if "low" in entry and "high" in entry else "")
        rounds = f"{entry['rounds']:.0f}" if "rounds" in entry else "1"
        lines.append(f"| {label} | {goal_text} | {number(value)}{unit} | {spread} | {rounds} | "
                     f"{verdict(value, goal)} |")
    rows = results.get("memory_1k_explorer_rows")
    if rows is not None and rows["value"] < 1000:
        lines.append("")
        lines.append(f"(the explorer showed {rows['value']:.0f} rows, not the 1,000 files meant)")
    return "\n".join(lines)


def main(argv):
    with open(argv[1], encoding="utf-8", errors="replace") as f:
        results = parse_results(f)
    if len(argv) > 2 and os.path.exists(argv[2]):
        with open(argv[2], encoding="utf-8") as f:
            results.update(native_results(json.load(f)))
    print(table(results))


if __name__ == "__main__":
    main(sys.argv)
