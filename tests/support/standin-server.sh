#!/bin/sh
# Stands in for the Velt server's start script in tests. Answers --version;
# otherwise records how it was started (directory, Python environment,
# arguments) in ~/calls.txt, logs a start-up line carrying the running
# marker, and runs until Ctrl+C. With a --workers= option it also leaves a
# worker behind that ignores Ctrl+C, as real workers can; with
# --ignore-interrupt it ignores Ctrl+C itself, as a server stopped at a
# debugger prompt does (TERM still ends it).
log="$HOME/calls.txt"
if [ "$1" = "--version" ]; then
    echo "Velt Server 12.0"
    exit 0
fi
echo "server pwd=$PWD venv=${VIRTUAL_ENV:-none} args=$*" >> "$log"
case " $* " in
*" --workers="*)
    sh -c 'trap "" INT; while :; do sleep 1; done' standin-worker "$@" &
    ;;
esac
trap 'echo "server stopped" >> "$log"; exit 0' INT TERM
case " $* " in
*" --ignore-interrupt "*)
    trap '' INT
    ;;
esac
echo "2026-12-08 10:00:00,000 4242 INFO ? velt: database: default@default:default"
while :; do
    sleep 0.2
done
