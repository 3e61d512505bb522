#!/usr/bin/env bash
# Fails when groff has anything at all to say about the manual page.
set -euo pipefail
warnings=$(groff -man -ww -z "$1" 2>&1)
if [[ -n $warnings ]]; then
    printf '%s\n' "$warnings"
    exit 1
fi
