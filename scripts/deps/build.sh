#!/usr/bin/env bash
# Runs one library recipe unless the prefix already holds what this very recipe built.
set -euo pipefail
source "$(dirname "$0")/../lib/env.sh"
recipe=$1
name=$(basename "$recipe" .sh)
stamp_dir=$SONVELT_DEPS_PREFIX/.stamps
# Several clones and developers may share the prefix: one recipe builds at a time,
# and a waiting run then finds the stamp of what the other one built.
mkdir -p "$SONVELT_DEPS_PREFIX"
exec 9>"$SONVELT_DEPS_PREFIX/.lock"
flock 9
# A recipe names the recipes it builds on in a "# depends:" line; their changes rebuild it too.
deps=$(sed -n 's/^# depends://p' "$recipe")
hash=$(cd "$SONVELT_ROOT/scripts/deps" && cat "$recipe" common.sh $deps | sha256sum | cut -d' ' -f1)
if [ -f "$stamp_dir/$name" ] && [ "$(cat "$stamp_dir/$name")" = "$hash" ]; then
  exit 0
fi
echo "setup: building $name"
# Sources and logs live beside the libraries they make, under the same lock.
mkdir -p "$stamp_dir" "$SONVELT_DEPS_PREFIX/.build"
log=$SONVELT_DEPS_PREFIX/.build/$name.log
if ! bash -c "source '$SONVELT_ROOT/scripts/deps/common.sh'; source '$recipe'" >"$log" 2>&1; then
  echo "setup: building $name failed; the end of $log:" >&2
  tail -n 40 "$log" >&2
  exit 1
fi
echo "$hash" > "$stamp_dir/$name"
