#!/usr/bin/env bash
# check_module_linkage.sh OBJDUMP MODULE.dll
# A VST3 module for Windows must export the three entry points hosts look up, and must not
# depend on MinGW's runtime DLLs, which a musician's machine does not have.
set -euo pipefail

objdump=$1
module=$2
headers=$("$objdump" -p "$module")

failed=0
for entry in GetPluginFactory InitDll ExitDll; do
    # objdump lists exported names as "[   0] Name".
    if ! grep -Eq "^[[:space:]]*\[[[:space:]]*[0-9]+\][[:space:]]+$entry\$" <<<"$headers"; then
        echo "missing export: $entry"
        failed=1
    fi
done

imports=$(awk '/DLL Name:/ { print $3 }' <<<"$headers")
echo "imports: $(tr '\n' ' ' <<<"$imports")"
if grep -Eiq '^(libstdc\+\+|libgcc|libwinpthread|libgomp|libssp|libatomic)' <<<"$imports"; then
    echo "the module depends on a MinGW runtime DLL"
    failed=1
fi
exit $failed
