# Progress lines for the long-running scripts (sourced, not run). A stage line names what starts
# and the time since the run began; a long step also gets a running count, printed when it passes
# another tenth of its total (at most every 5 s) or half a minute after the previous line, so a
# first run that takes half an hour says what it is doing without flooding the terminal.
#
# The first script of a run sets VERDELO_RUN_START (seconds since the epoch) and exports it, so the
# scripts it calls (and those CMake calls for it) count from the same start.
: "${VERDELO_RUN_START:=$(date +%s)}"
export VERDELO_RUN_START
progress_name=${progress_name:-$(basename "$0")}

progress_elapsed() {
  local seconds=$(( $(date +%s) - VERDELO_RUN_START ))
  printf '%d:%02d' $(( seconds / 60 )) $(( seconds % 60 ))
}

# stage TEXT...: one line "name: [m:ss] TEXT".
stage() {
  echo "$progress_name: [$(progress_elapsed)] $*"
}

# with_progress WHAT TOTAL COUNTER COMMAND...: runs COMMAND in the foreground (so Ctrl-C reaches
# it as usual) while a watcher prints "WHAT: n of TOTAL", n being the number the function COUNTER
# prints first; what COUNTER prints after it follows in brackets.
# With a TOTAL of 0 (not known) only the count is printed, every half minute. Returns COMMAND's
# status. The watcher ends with the command, or with this script should it be killed first.
with_progress() {
  local what=$1 total=$2 counter=$3
  shift 3
  local script=$$
  (
    local tenth=0 last=$SECONDS count detail now
    while kill -0 "$script" 2>/dev/null; do
      sleep 1
      read -r count detail <<<"$("$counter" 2>/dev/null)" || true
      case $count in '' | *[!0-9]*) count=0 ;; esac
      now=0
      if [ "$total" -gt 0 ]; then now=$(( count * 10 / total )); fi
      if { [ "$now" -gt "$tenth" ] && [ $(( SECONDS - last )) -ge 5 ]; } || [ $(( SECONDS - last )) -ge 30 ]; then
        if [ "$total" -gt 0 ]; then
          stage "$what: $count of $total${detail:+ ($detail)}"
        else
          stage "$what: $count${detail:+ ($detail)}"
        fi
        tenth=$now
        last=$SECONDS
      fi
    done
  ) &
  local watcher=$! status=0
  "$@" || status=$?
  kill "$watcher" 2>/dev/null || true
  wait "$watcher" 2>/dev/null || true
  return $status
}

# logged LOG COMMAND...: runs COMMAND with its output going into LOG.
logged() {
  local log=$1
  shift
  "$@" >"$log" 2>&1
}

# cmake_build_with_progress TREE LOG JOBS TARGET...: builds the targets of the CMake tree, output
# into LOG, with a running count of the targets built. The total is the named targets and all they
# depend on, read from the dependency lines of the Makefiles CMake generated (other generators get
# the count alone).
cmake_build_with_progress() {
  local tree=$1 log=$2 jobs=$3
  shift 3
  local total=0
  if [ -f "$tree/CMakeFiles/Makefile2" ]; then
    total=$(awk -v want="$*" '
      function target(rule) {
        sub(/:$/, "", rule); sub(/\.dir\/all$/, "", rule); sub(/.*CMakeFiles\//, "", rule)
        return rule
      }
      $1 ~ /\.dir\/all:$/ && $2 ~ /\.dir\/all$/ { deps[target($1)] = deps[target($1)] " " target($2) }
      END {
        count = split(want, queue, " ")
        for (i = 1; i <= count; i++) seen[queue[i]] = 1
        for (i = 1; i <= count; i++) {
          n = split(deps[queue[i]], dep, " ")
          for (j = 1; j <= n; j++)
            if (!(dep[j] in seen)) { seen[dep[j]] = 1; queue[++count] = dep[j] }
        }
        print count
      }' "$tree/CMakeFiles/Makefile2")
  fi
  built_targets() {
    echo "$(grep -o 'Built target [^ ]*' "$log" | sort -u | wc -l)" \
      "$(grep -c 'Building [A-Z]* object' "$log") files compiled"
  }
  with_progress "targets built" "$total" built_targets logged "$log" cmake --build "$tree" -j "$jobs" --target "$@"
}
