#!/usr/bin/env bash
# The first command's profile: tools/install-deps run lists none of the test and
# cross tools, and installing it on a machine that has nothing adds no dpkg
# architecture and asks apt for exactly that list. dpkg and apt are stand-ins
# that note their calls, so nothing is installed.
# Usage: run_profile_test.sh INSTALL-DEPS
set -euo pipefail
deps=$1
fail() { echo "FAIL: $*" >&2; exit 1; }

list=$("$deps" --list run)
[ -n "$list" ] || fail "empty run profile"
tools=$(grep -Ei '^(wine|qemu|.*mingw|clang|libclang|valgrind|lintian|googletest|libgtest|libgmock|libbenchmark|nsis)|:' <<<"$list" || true)
[ -z "$tools" ] || fail "the run profile holds test or cross tools: $tools"

stubs=$(mktemp -d)
trap 'rm -rf "$stubs"' EXIT
for tool in dpkg-query dpkg apt-get sudo; do
    printf '#!/bin/sh\necho "%s $*" >>"%s/calls"\n[ "%s" = dpkg-query ] && exit 1\nexit 0\n' \
        "$tool" "$stubs" "$tool" >"$stubs/$tool"
    chmod +x "$stubs/$tool"
done
PATH=$stubs:$PATH "$deps" run >/dev/null
! grep -q -- '--add-architecture' "$stubs/calls" || fail "adds an architecture: $(grep -- --add-architecture "$stubs/calls")"
asked=$(sed -n 's/^apt-get .*install -y -qq --no-install-recommends //p' "$stubs/calls")
[ "$asked" = "$(tr '\n' ' ' <<<"$list" | sed 's/ $//')" ] || fail "apt asked for: $asked"
echo "run profile: $(wc -l <<<"$list") packages, no test or cross tool, no architecture"
