#!/usr/bin/env bash
# The package test: makes the package twice, from two copies of the checkout in two different
# folders, and checks that the DLL, morvel-ini.exe, both import libraries and the zip are the
# same bytes (every file of the zip is compared, and the zips themselves); prints the size of the stripped DLL and fails when it is above 1,000,000 bytes.
#   MORVEL_BUILD  build folder of the first package (default build/ in the checkout); the test
#                 command passes its own, already built, so that only the second package is new
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${MORVEL_BUILD:-$root/build}"
limit=1000000
export SOURCE_DATE_EPOCH="${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct)}"

first="$(MORVEL_BUILD="$build" bash "$root/scripts/package.sh")"

# The second copy sits at another depth and under another name, so that no path can match.
other="$(mktemp -d)"
trap 'rm -rf "$other"' EXIT
copy="$other/elsewhere/morvel32-copy"
mkdir -p "$copy"
(cd "$root" && git ls-files -z --cached --others --exclude-standard | tar -cf - --null --no-recursion -T -) |
  tar -xf - -C "$copy"
second="$(MORVEL_BUILD="$other/out" bash "$copy/scripts/package.sh")"

status=0
# package.sh leaves the folder it zipped beside the zip.
a="${first%.zip}"
b="${second%.zip}"
for file in $(cd "$a" && find . -type f | LC_ALL=C sort); do
  if ! cmp -s "$a/$file" "$b/$file"; then
    echo "package: $file differs between the two builds"
    status=1
  fi
done
if ! cmp -s "$first" "$second"; then
  echo "package: the two zips differ"
  status=1
fi

dll="$a/bin/morvel32.dll"
size="$(stat -c %s "$dll")"
echo "package: morvel32.dll is $size bytes stripped (limit $limit)"
if [ "$size" -gt "$limit" ]; then
  echo "package: morvel32.dll is larger than $limit bytes"
  status=1
fi
[ "$status" -eq 0 ] && echo "package: two builds in two folders gave the same bytes"
exit "$status"
