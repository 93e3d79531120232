#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Every source, build and script file of Hueprint names its licence in one line at its top
# (after a "#!" line or an XML declaration):
#   scripts/spdx-headers.sh          adds the line where it is missing
#   scripts/spdx-headers.sh --check  lists the files without it and fails if there are any
# The metainfo file is CC0-1.0 (packaging/debian/copyright); everything else is MIT.
set -euo pipefail
cd "$(dirname "$0")/.."
check=false
if [[ "${1:-}" == "--check" ]]; then check=true; fi

# The files that carry the line, and the comment each kind of file writes it in.
files() {
    find src tests fuzz bench packaging scripts resources \
        -path fuzz/corpus -prune -o -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.sh' \
        -o -name '*.py' -o -name '*.cmake' -o -name 'CMakeLists.txt' -o -name '*.dict' \
        -o -name '*.supp' -o -name '*.cfg' -o -name '*.in' -o -name '*.xml' -o -name '*.svg' \
        -o -name '*.qrc' -o -name '*.desktop' -o -name '*.1' -o -name '.clang-tidy' \
        \) -print
    printf '%s\n' CMakeLists.txt .clang-format .clang-tidy .gitignore
}
comment_for() {
    local licence=MIT
    if [[ "$1" == *.metainfo.xml ]]; then licence=CC0-1.0; fi
    case "$1" in
    *.cpp | *.h) echo "// SPDX-License-Identifier: $licence" ;;
    *.xml | *.svg | *.qrc | *.conf.in) echo "<!-- SPDX-License-Identifier: $licence -->" ;;
    *.1) echo ".\\\" SPDX-License-Identifier: $licence" ;;
    *changelog.in) echo "" ;; # a Debian changelog has no comments
    *) echo "# SPDX-License-Identifier: $licence" ;;
    esac
}

missing=()
while IFS= read -r file; do
    line=$(comment_for "$file")
    [[ -n "$line" ]] || continue
    if head -3 "$file" | grep -q 'SPDX-License-Identifier:'; then continue; fi
    missing+=("$file")
    $check && continue
    first=$(head -1 "$file")
    if [[ "$first" == '#!'* || "$first" == '<?xml'* ]]; then
        { echo "$first"; echo "$line"; tail -n +2 "$file"; } >"$file.spdx"
    else
        { echo "$line"; cat "$file"; } >"$file.spdx"
    fi
    chmod --reference="$file" "$file.spdx"
    mv "$file.spdx" "$file"
done < <(files | sort -u)

if $check; then
    if ((${#missing[@]})); then
        printf 'no SPDX-License-Identifier line: %s\n' "${missing[@]}" >&2
        echo "run scripts/spdx-headers.sh to add it" >&2
        exit 1
    fi
    echo "every file names its licence"
elif ((${#missing[@]})); then
    printf 'added the SPDX line to %s\n' "${missing[@]}"
fi
