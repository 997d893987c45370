#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Prints a Markdown table of the store benchmarks' medians and their ratios
to the floors, from Google Benchmark's JSON output.

    usage: bench_table.py store.json
"""
import json, sys

runs = json.load(open(sys.argv[1]))["benchmarks"]
scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}
median = {}
for run in runs:
    if run.get("aggregate_name") != "median":
        continue
    name, rows = run["run_name"].split("/")[:2]
    median[(name, int(rows))] = run["real_time"] * scale[run["time_unit"]]

rows_counts = sorted({rows for _, rows in median})
lines = [  # (label, benchmark, floor or None)
    ("Open: read, parse, index, all ages", "BM_Open", "BM_OpenFloor_ReadAndParse"),
    ("Floor: read + pugixml parse", "BM_OpenFloor_ReadAndParse", None),
    ("Read into rows (readDataPacket)", "BM_ReadDataPacket", "BM_OpenFloor_ReadAndParse"),
    ("Sort by the index \"Kuup1\"", "BM_Sort", "BM_SortFloor"),
    ("Floor: std::sort of key tuples", "BM_SortFloor", None),
    ("Close, writing after one change", "BM_CloseWriting", None),
    ("Re-sort: close (writing), new index, open", "BM_ResortCycle", None),
    ("Filter Nimi='…'", "BM_FilterName", "BM_FilterNameFloor"),
    ("Floor: one pass comparing names", "BM_FilterNameFloor", None),
    ("Filter Kuu=3", "BM_FilterMonth", None),
    ("Filter age = 40 (onFilterRecord)", "BM_FilterAge", None),
]

def cell(name, floor, rows):
    if (name, rows) not in median:
        return "–"
    ms = median[(name, rows)]
    if ms >= 100:
        text = f"{ms:.0f} ms"
    elif ms >= 0.1:
        text = f"{ms:.3g} ms"
    else:
        text = f"{ms * 1000:.3g} µs"
    if floor and (floor, rows) in median:
        text += f" ({ms / median[(floor, rows)]:.1f}× floor)"
    return text

print()
print("| Operation | " + " | ".join(f"{rows:,} rows".replace(",", " ") for rows in rows_counts) + " |")
print("|---|" + "---|" * len(rows_counts))
for label, name, floor in lines:
    if any((name, rows) in median for rows in rows_counts):
        print(f"| {label} | " + " | ".join(cell(name, floor, rows) for rows in rows_counts) + " |")
