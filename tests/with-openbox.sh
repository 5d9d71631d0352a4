#!/usr/bin/env bash
# Runs one command against a private Xvfb server managed by openbox (see with-xvfb.sh).
exec "$(dirname "${BASH_SOURCE[0]}")/with-xvfb.sh" --openbox "$@"
