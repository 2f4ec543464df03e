#!/usr/bin/env bash
# hsq2600 PROGRAM VERSION: the desktop program's answers to its command line, run with no display
# at all, so that a question or a refusal that reached for the windows shows.
set -uo pipefail
program=$(realpath "$1")
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
failures=0

# expect "ARGUMENTS" STATUS STREAM PATTERN...: the program ends with STATUS, prints a line
# matching each PATTERN on STREAM (out or err) and nothing on the other.
expect() {
  local arguments=$1 status=$2 stream=$3
  shift 3
  # shellcheck disable=SC2086 # the arguments are split as a shell would
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 20 "$program" $arguments \
    >out 2>err
  local got=$?
  local other=err
  [[ $stream == err ]] && other=out
  local wrong=""
  ((got == status)) || wrong+=" exit status $got, not $status;"
  [[ -s $other ]] && wrong+=" something on std$other;"
  for pattern in "$@"; do
    grep -qE -- "$pattern" "$stream" || wrong+=" no line matching '$pattern' on std$stream;"
  done
  if [[ -n $wrong ]]; then
    echo "hsq2600 $arguments:$wrong"
    head -n 5 out | sed 's/^/  out: /'
    head -n 5 err | sed 's/^/  err: /'
    failures=$((failures + 1))
  fi
}

usage=('^Usage: .*hsq2600 \[options\]$' '--demo' '--tour <DIR>' '--config-dir <DIR>')
expect "--help" 0 out "${usage[@]}"
expect "-h" 0 out "${usage[@]}"
expect "--version" 0 out "^hsq2600 ${version//./\\.}$"
expect "--frobnicate" 2 err "^hsq2600: Unknown option 'frobnicate'\.$" "${usage[@]}"
expect "--demo --tour" 2 err "^hsq2600: Missing value after '--tour'\.$" "${usage[@]}"
expect "--demo stray" 2 err "^hsq2600: Unexpected argument 'stray'\.$" "${usage[@]}"
[[ -e hsq2600-tour ]] && { echo "a tour was started"; failures=$((failures + 1)); }

exit $((failures > 0))
