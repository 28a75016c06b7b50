#!/usr/bin/env bash
# Checks that includes point one way between the rooms of the program: a file may
# include files of its own room and of the rooms below it, never of a room above.
# Prints each offending include and fails when there is one.
set -eu
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
declare -A below=(
  [core]="core"
  [catalogue]="catalogue core"
  [presentation]="presentation core"
  [charts]="charts catalogue presentation core"
  [verdict]="verdict catalogue core"
  [pages]="pages charts verdict catalogue presentation core"
  [pictures]="pictures pages charts verdict catalogue presentation core"
  [window]="window pictures pages charts verdict catalogue presentation core"
  [cli]="cli window pictures pages charts verdict catalogue presentation core"
)
bad=0
for room in "${!below[@]}"; do
  for f in "$root/$room"/*.h "$root/$room"/*.cpp; do
    [ -e "$f" ] || continue
    while IFS= read -r inc; do
      target=${inc%%/*}
      case " ${below[$room]} " in
        *" $target "*) ;;
        *) echo "$room/$(basename "$f"): includes $inc, a room above or beside it"; bad=1 ;;
      esac
    done < <(sed -n 's/^#include "\([a-z_]*\/[^"]*\)".*/\1/p' "$f")
  done
done
exit $bad
