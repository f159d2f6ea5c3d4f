#!/usr/bin/env bash
# compare_runs.sh WORK_DIR PATTERN -- LINUX_COMMAND... -- WINDOWS_COMMAND...
# Runs a Linux program and its Windows build (under Wine) and requires the same output lines
# matching PATTERN (every line when PATTERN is empty): what the Windows module shows and plays
# must be what the Linux module does. Line ends may differ (CRLF on Windows).
set -euo pipefail

work_dir=$1
pattern=$2
shift 3
linux_command=()
while [ "$1" != "--" ]; do
    linux_command+=("$1")
    shift
done
shift
windows_command=("$@")

mkdir -p "$work_dir"
"${linux_command[@]}" | tr -d '\r' | grep -e "$pattern" >"$work_dir/linux.txt"
"${windows_command[@]}" | tr -d '\r' | grep -e "$pattern" >"$work_dir/windows.txt"
diff -u "$work_dir/linux.txt" "$work_dir/windows.txt"
echo "identical ($(wc -l <"$work_dir/windows.txt") lines)"
