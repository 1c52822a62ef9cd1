#!/usr/bin/env python3
"""Runs a Google Benchmark program and prints each benchmark's median as a ratio to the first one."""
import json
import subprocess
import sys

program, *args = sys.argv[1:]
output = subprocess.run(
    [program, "--benchmark_format=json", "--benchmark_repetitions=9",
     "--benchmark_report_aggregates_only=true", *args],
    check=True, capture_output=True, text=True).stdout
medians = [(b["run_name"], b["real_time"], b["time_unit"])
           for b in json.loads(output)["benchmarks"] if b.get("aggregate_name") == "median"]
baseline = medians[0][1]
for name, time, unit in medians:
    print(f"{name:<16} {time:>12.0f} {unit}  {time / baseline:6.2f} x {medians[0][0]}")
