#!/usr/bin/env bash
# Fails when a part of the program reaches into the main window: app/frmTalk.h belongs to the
# composition root (src/app/) and src/main.cpp. Each part gets its own controls instead.
set -euo pipefail
cd "$(dirname "$0")/.."
found=$(grep -rlE '#include +"app/frmTalk\.h"' src | grep -vE '^src/app/|^src/main\.cpp$' || true)
if [ -n "$found" ]; then
    printf 'app/frmTalk.h included outside src/app/ and src/main.cpp:\n%s\n' "$found" >&2
    exit 1
fi
