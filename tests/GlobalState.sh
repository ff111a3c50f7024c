#!/usr/bin/env bash
# Checks that the subsystems keep their mutable globals in their state structs (CoreState,
# ViewerState, RecordingState, SettingsDialogState, ControlsState), so that each subsystem's one
# reset covers all of them. Lists the writable data objects of the given static libraries and
# fails on any that is neither a state nor one of the exceptions below.
#
#   tests/GlobalState.sh LIBRARY...
set -euo pipefail

# Exceptions, each for its reason (besides Qt's own registrations: QtPrivate:: and the type ids
# that QMetaTypeId caches for a property of a pointer type):
allowed=(
  '(anonymous namespace)::state'                       # the subsystems' states themselves
  '(anonymous namespace)::dummy'                       # Qt's resource registration (rcc)
  'viewer::(anonymous namespace)::installed()::handler'  # the process-exit hook tests install
  'rxgif::CF_GIF'                                      # the GIF unit's registration with the
  'rxgif::(anonymous namespace)::unitUsers'            # picture classes, made once as the
  'rxgif::(anonymous namespace)::unitLifetime'         # unit starts
  'clipicon::CF_ICON'                                  # the icon clipboard unit's registration,
  'clipicon::(anonymous namespace)::unitUsers'         # likewise
  'clipicon::(anonymous namespace)::unitLifetime'
  'strutils::(anonymous namespace)::caseTables()::tables'   # derived from constants
  'strutils::(anonymous namespace)::codePages()::tables'
  'rxctrls::(anonymous namespace)::cacheInstance()::cache'  # glyphs drawn once, kept
  'panelart::Picture(char const*)::decoded'            # built-in pictures decoded once, kept
)
# Also allowed: a function's "registered" flag, which makes a unit's built-in resources known to
# Qt once per process (kept in unoptimised builds).

found=$(objdump -t -C "$@" |
  awk -F'\t' '$1 ~ / O / && $1 ~ /[ .](bss|data)/ && $1 !~ /\.data\.rel\.ro/ {
    sub(/^[0-9a-f]+ /, "", $2); print $2 }' |
  grep -v -e '^guard variable for ' -e '^\.hidden ' -e '^DW\.ref\.' -e '^QtPrivate::' \
          -e '^QMetaTypeId' \
          -e '__asan' -e '__odr_asan' -e '__ubsan' -e '__sancov' -e '__gcov' -e '__llvm' \
          -e '^\.L' -e '::registered$' |
  sort -u)

status=0
while IFS= read -r name; do
  [ -z "$name" ] && continue
  ok=0
  for a in "${allowed[@]}"; do [ "$name" = "$a" ] && ok=1; done
  if [ $ok = 0 ]; then
    echo "mutable global outside the subsystem states: $name"
    status=1
  fi
done <<< "$found"
exit $status
