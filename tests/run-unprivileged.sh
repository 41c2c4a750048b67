#!/bin/sh
# Runs a test program as an ordinary user, where folder permissions bind.
# Root ignores them, so under root the program is copied to a folder of its
# own and run there as the unprivileged user nobody (65534) through setpriv.
# Usage: run-unprivileged.sh PROGRAM [TEST-ARGUMENTS...]
set -eu
program=$1
shift
if [ "$(id -u)" -ne 0 ]; then
    exec "$program" "$@"
fi
if ! command -v setpriv >/dev/null 2>&1; then
    echo "SKIP: running as root and setpriv (util-linux) is missing"
    exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/home"
cp "$program" "$work/"
chmod 755 "$work"
chown 65534:65534 "$work/home"
cd "$work"
status=0
env -u XDG_RUNTIME_DIR HOME="$work/home" TMPDIR="$work/home" \
    setpriv --reuid=65534 --regid=65534 --clear-groups \
    "$work/$(basename "$program")" "$@" || status=$?
exit $status
