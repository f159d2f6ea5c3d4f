#!/usr/bin/env bash
# Parses every Turtle file of an LV2 bundle with serdi (serd, the parser lilv uses): hosts
# skip or misread a bundle whose description has a syntax error.
#   check-ttl.sh BUNDLE
set -euo pipefail
bundle=$1

if [ ! -f "$bundle/manifest.ttl" ]; then
    echo "$bundle: no manifest.ttl"
    exit 1
fi

status=0
for file in "$bundle"/*.ttl; do
    # serdi reports syntax errors on stderr; the triples themselves are not needed.
    if ! errors=$(serdi -i turtle -o ntriples "$file" 2>&1 >/dev/null) || [ -n "$errors" ]; then
        echo "$(basename "$file"): invalid Turtle"
        echo "$errors"
        status=1
    else
        echo "$(basename "$file"): valid"
    fi
done
exit $status
