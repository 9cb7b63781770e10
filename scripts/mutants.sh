#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Breaks each protective rule on purpose, one at a time, and expects a test to fail.
#
#   scripts/mutants.sh [-j JOBS] [-w] [-d DIR] [-t SECONDS] [--check] [ID...]
#
# Every entry of scripts/mutants.txt (or only the IDs given) is applied to a copy of the
# tree in DIR/tree (default build/mutants/tree; HEAD, or with -w the working tree with its
# uncommitted changes), its test targets are rebuilt in DIR/build and run; the file is put
# back before the next entry, so each build recompiles little. An entry is "caught" when a
# test fails and "SURVIVED" when every test passes. The unbroken tree is built and tested
# first: a test that already fails would catch everything.
#   -j JOBS     build jobs (default: the number of processors)
#   -w          copy the working tree instead of HEAD
#   -d DIR      folder of the copy, its build and the logs (DIR/logs/ID.log)
#   -t SECONDS  limit for one test program's run (default 600); a run that exceeds it fails
#   --check     only check that each entry's text occurs exactly once in the copy
# Exit status: 0 all caught, 1 some survived, 2 the list, the copy, a build or the unbroken
# tree's tests are at fault.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD

jobs=$(nproc 2>/dev/null || echo 2)
source_mode="head"
dir=build/mutants
limit=600
check_only=0
ids=()
while [ $# -gt 0 ]; do
  case $1 in
    -j) jobs=$2; shift 2 ;;
    -j*) jobs=${1#-j}; shift ;;
    -w) source_mode=working; shift ;;
    -d) dir=$2; shift 2 ;;
    -t) limit=$2; shift 2 ;;
    --check) check_only=1; shift ;;
    -h|--help) sed -n '3,19p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    -*) echo "mutants.sh: unknown option $1" >&2; exit 2 ;;
    *) ids+=("$1"); shift ;;
  esac
done
list=$repo/scripts/mutants.txt
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)
tree=$dir/tree
build=$dir/build
logs=$dir/logs

# The list's reader and the exact, single replacement; bash does the rest.
read -r -d '' helper <<'PY' || true
import io, os, subprocess, sys, tarfile

FIELDS = ("id", "rule", "file", "from", "to", "tests")

def unescape(text):
    out, i = [], 0
    while i < len(text):
        c = text[i]
        if c == "\\" and i + 1 < len(text):
            nxt = text[i + 1]
            out.append({"n": "\n", "t": "\t", "\\": "\\"}.get(nxt, "\\" + nxt))
            i += 2
        else:
            out.append(c)
            i += 1
    return "".join(out)

def read_list(path):
    entries, current, where = [], {}, {}
    def close():
        if not current:
            return
        missing = [f for f in FIELDS if f not in current and f != "to"]
        if missing:
            sys.exit(f"{path}:{where['line']}: entry lacks {', '.join(missing)}")
        current.setdefault("to", "")
        entries.append(dict(current))
        current.clear()
    with open(path, encoding="utf-8") as f:
        for n, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if line.startswith("#"):
                continue
            if not line.strip():
                close()
                continue
            key, sep, value = line.partition(":")
            key = key.strip()
            if not sep or key not in FIELDS:
                sys.exit(f"{path}:{n}: expected one of {', '.join(FIELDS)}, then a colon")
            if key in current:
                sys.exit(f"{path}:{n}: {key} given twice in one entry")
            if not current:
                where["line"] = n
            current[key] = value.strip()
    close()
    seen = set()
    for e in entries:
        if e["id"] in seen:
            sys.exit(f"{path}: id {e['id']} used twice")
        seen.add(e["id"])
    return {e["id"]: e for e in entries}, [e["id"] for e in entries]

def select(path, wanted):
    entries, order = read_list(path)
    unknown = [i for i in wanted if i not in entries]
    if unknown:
        sys.exit(f"{path}: no entry {', '.join(unknown)}")
    return entries, (wanted or order)

def problem(tree, e):
    target = os.path.join(tree, e["file"])
    if not os.path.isfile(target):
        return f"{e['file']} does not exist"
    with open(target, encoding="utf-8") as f:
        text = f.read()
    count = text.count(unescape(e["from"]))
    if count == 0:
        return f"its text is not in {e['file']} (moved or changed?)"
    if count > 1:
        return f"its text occurs {count} times in {e['file']}: give more of it"
    if unescape(e["from"]) == unescape(e["to"]):
        return "its replacement is the text itself"
    return None

def cmd_plan(path, tree, *wanted):
    entries, order = select(path, list(wanted))
    bad = 0
    for i in order:
        p = problem(tree, entries[i])
        if p:
            print(f"entry {i}: {p}", file=sys.stderr)
            bad += 1
    if bad:
        sys.exit(2)
    for i in order:
        e = entries[i]
        print("\t".join((i, e["file"], e["tests"], e["rule"])))

def cmd_apply(path, tree, entry):
    entries, _ = read_list(path)
    e = entries[entry]
    p = problem(tree, e)
    if p:
        sys.exit(f"entry {entry}: {p}")
    target = os.path.join(tree, e["file"])
    with open(target, encoding="utf-8") as f:
        text = f.read()
    with open(target, "w", encoding="utf-8") as f:
        f.write(text.replace(unescape(e["from"]), unescape(e["to"]), 1))

# Files whose content is unchanged keep their time, so the copy's build stays incremental.
def cmd_sync(mode, repo, tree):
    files = {}
    if mode == "head":
        data = subprocess.run(["git", "-C", repo, "archive", "--format=tar", "HEAD"],
                              check=True, capture_output=True).stdout
        with tarfile.open(fileobj=io.BytesIO(data)) as tar:
            for m in tar.getmembers():
                if m.isfile():
                    files[m.name] = (tar.extractfile(m).read(), m.mode & 0o777)
    else:
        names = subprocess.run(["git", "-C", repo, "ls-files", "-z", "-c", "-o",
                                "--exclude-standard"], check=True,
                               capture_output=True).stdout.split(b"\0")
        for raw in names:
            name = raw.decode()
            src = os.path.join(repo, name)
            if name and os.path.isfile(src) and not os.path.islink(src):
                with open(src, "rb") as f:
                    files[name] = (f.read(), os.stat(src).st_mode & 0o777)
    for name, (content, mode_bits) in files.items():
        dst = os.path.join(tree, name)
        old = None
        if os.path.isfile(dst):
            with open(dst, "rb") as f:
                old = f.read()
        if old != content:
            os.makedirs(os.path.dirname(dst), exist_ok=True)
            with open(dst, "wb") as f:
                f.write(content)
        if os.stat(dst).st_mode & 0o777 != mode_bits:
            os.chmod(dst, mode_bits)
    for root, _, names in os.walk(tree):
        for n in names:
            rel = os.path.relpath(os.path.join(root, n), tree)
            if rel not in files:
                os.remove(os.path.join(root, n))

{"plan": cmd_plan, "apply": cmd_apply, "sync": cmd_sync}[sys.argv[1]](*sys.argv[2:])
PY
py() { python3 -c "$helper" "$@"; }

mkdir -p "$tree" "$logs"
echo "== copy of $( [ "$source_mode" = head ] && echo "HEAD ($(git rev-parse --short HEAD))" || echo "the working tree") in $tree"
py sync "$source_mode" "$repo" "$tree"

plan=$(py plan "$list" "$tree" "${ids[@]}") || {
  echo "mutants.sh: nothing was run; fix scripts/mutants.txt or the IDs given" >&2
  exit 2
}
count=$(printf '%s\n' "$plan" | wc -l)
if [ "$check_only" = 1 ]; then
  echo "$count $([ "$count" -eq 1 ] && echo entry || echo entries), each text found exactly once"
  exit 0
fi

if [ ! -f "$build/CMakeCache.txt" ]; then
  generator=()
  command -v ninja >/dev/null && generator=(-G Ninja)
  cmake -S "$tree" -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo >"$logs/configure.log" 2>&1 || {
    echo "mutants.sh: configuring failed, see $logs/configure.log" >&2
    exit 2
  }
fi

export QT_QPA_PLATFORM=offscreen
# "web:PATTERN" names the page's browser tests whose names match PATTERN: no target of its own.
targets_of() { local t; for t in $1; do [[ $t == web:* ]] || echo "${t%%:*}"; done | sort -u; }

# The page built from the copy, then its browser tests matching $1, into log $2.
run_web_tests() {
  local part=$2.part status=0
  (cd "$tree" && export MORVANE_NATIVE_BUILD=$build && scripts/build-web.sh &&
    (cd web && npm ci --no-audit --no-fund) &&
    timeout "$limit" node --test --test-concurrency=1 --test-name-pattern="$1" web/tests/) \
    </dev/null >"$part" 2>&1 || status=$?
  cat "$part" >>"$2"
  # A test cut off by its time limit counts as cancelled, not failed: "not ok" is what tells.
  if grep -q '^not ok ' "$part"; then
    failed="web: $(sed -n 's/^not ok [0-9]* - //p' "$part" | head -n1)"
    return 1
  fi
  if [ "$status" -ne 0 ]; then
    failed="the page's build or its tests (status $status)"
    return 2
  fi
  if grep -q '^# pass 0$' "$part"; then
    failed="no browser test matches $1"
    return 2
  fi
}

# Runs each test of a "target[:gtest-filter] ..." list into log $2. Returns 1 at the first
# program with a failing test, naming the failures in $failed; 2 when a program is missing or
# its filter selects no test, which would pass without testing anything.
failed=
run_tests() {
  local wanted target filter binary status part=$2.part names more
  failed=
  for wanted in $1; do
    if [[ $wanted == web:* ]]; then
      run_web_tests "${wanted#web:}" "$2" || return $?
      continue
    fi
    target=${wanted%%:*}
    filter='*'
    [ "$target" != "$wanted" ] && filter=${wanted#*:}
    binary=$(find "$build" -type f -name "$target" -perm -u+x -print -quit)
    if [ -z "$binary" ]; then
      echo "no test program $target in $build" >>"$2"
      failed="no test program $target"
      return 2
    fi
    status=0
    (cd "$(dirname "$binary")" && timeout "$limit" "$binary" --gtest_filter="$filter") </dev/null >"$part" 2>&1 ||
      status=$?
    cat "$part" >>"$2"
    if grep -q '^\[==========\] 0 tests from' "$part"; then
      failed="no test of $target matches $filter"
      return 2
    fi
    if [ "$status" -ne 0 ]; then
      names=$(sed -nE 's/^\[  FAILED  \] ([^ ,]+)($| \(|,).*/\1/p' "$part" | sort -u)
      failed=$(head -n1 <<<"$names")
      more=$(grep -c . <<<"$names" || true)
      [ "$more" -gt 1 ] && failed+=" (and $((more - 1)) more)"
      [ "$status" -eq 124 ] && failed="${failed:-$target} (over ${limit} s)"
      failed=${failed:-$target (status $status)}
      return 1
    fi
  done
}

build_targets() {
  local targets
  targets=$(targets_of "$1")
  [ -n "$targets" ] || return 0
  # shellcheck disable=SC2086
  cmake --build "$build" -j"$jobs" --target $targets >>"$2" 2>&1
}

start=$(date +%s)
all_tests=$(printf '%s\n' "$plan" | cut -f3 | tr ' ' '\n' | sort -u | tr '\n' ' ')
echo "== the unbroken tree: build and run $all_tests"
: >"$logs/unbroken.log"
if ! build_targets "$all_tests" "$logs/unbroken.log"; then
  echo "mutants.sh: the unbroken tree does not build, see $logs/unbroken.log" >&2
  exit 2
fi
if ! run_tests "$all_tests" "$logs/unbroken.log"; then
  echo "mutants.sh: the unbroken tree fails $failed, see $logs/unbroken.log" >&2
  exit 2
fi

mutated=
restore() {
  if [ -n "$mutated" ]; then
    cp "$logs/original" "$tree/$mutated"
    mutated=
  fi
}
trap restore EXIT
trap 'restore; exit 130' INT TERM

caught=0
survived=()
broken=()
n=0
while IFS=$'\t' read -r -u 3 id file tests rule; do
  n=$((n + 1))
  log=$logs/$id.log
  : >"$log"
  t0=$(date +%s)
  cp "$tree/$file" "$logs/original"
  mutated=$file
  py apply "$list" "$tree" "$id"
  if ! build_targets "$tests" "$log"; then
    verdict="NOT JUDGED" detail="the break does not build (see $log)"
    broken+=("$id")
  else
    status=0
    run_tests "$tests" "$log" || status=$?
    case $status in
      0) verdict=SURVIVED detail="every test passed"; survived+=("$id") ;;
      1) verdict=caught detail="by $failed"; caught=$((caught + 1)) ;;
      *) verdict="NOT JUDGED" detail=$failed; broken+=("$id") ;;
    esac
  fi
  restore
  printf '[%2d/%d] %-8s %s: %s\n         %s; %d s\n' "$n" "$count" "$verdict" "$id" "$rule" \
    "$detail" $(($(date +%s) - t0))
done 3<<<"$plan"

elapsed=$(($(date +%s) - start))
echo "$count $([ "$count" -eq 1 ] && echo entry || echo entries): $caught caught, ${#survived[@]} survived${broken:+, ${#broken[@]} not judged}," \
  "in $((elapsed / 60)) min $((elapsed % 60)) s"
[ ${#survived[@]} -eq 0 ] || echo "SURVIVED: ${survived[*]}"
[ ${#broken[@]} -eq 0 ] || { echo "not judged: ${broken[*]}"; exit 2; }
[ ${#survived[@]} -eq 0 ]
