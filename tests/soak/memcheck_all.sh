#!/usr/bin/env bash
# The valgrind memcheck run of scripts/test with nothing left out: the heaviest property tests
# too (several minutes under valgrind), two programs at a time.
exec env MEMCHECK_ALL=1 MEMCHECK_JOBS="${MEMCHECK_JOBS:-2}" \
  bash "$(cd "$(dirname "$0")" && pwd)/../memcheck/memcheck.test.sh" "$@"
