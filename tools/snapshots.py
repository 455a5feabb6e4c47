#!/usr/bin/env python3
"""Snapshots of whole games, for changes that must not change what the game does.

  snapshots.py take DRIVER OUTDIR   plays every tests/scripts/*.dojo and docs/*.dojo with a
                                    `dump` after each command (every 25th in long scripts)
  snapshots.py compare A B          compares two such folders: the same JSON, key order aside

Take the snapshots on the build before a change and after it; `compare` prints each
difference and exits 1 when there is one.
"""
import json
import os
import shutil
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
LONG = 500  # scripts longer than this many commands are dumped every 25th command


def scripts():
    for folder in ("tests/scripts", "docs"):
        path = os.path.join(ROOT, folder)
        for name in sorted(os.listdir(path)):
            if name.endswith(".dojo"):
                yield os.path.join(path, name)


def take(driver, out):
    driver = os.path.abspath(driver)
    bindir = os.path.dirname(driver)
    os.makedirs(out, exist_ok=True)
    failed = 0
    for script in scripts():
        name = os.path.splitext(os.path.basename(script))[0]
        target = os.path.join(os.path.abspath(out), name)
        os.makedirs(target, exist_ok=True)
        lines = open(script, encoding="utf-8").read().splitlines()
        commands = [l for l in lines if l.strip() and not l.strip().startswith("#")]
        every = 25 if len(commands) > LONG else 1
        # One fixed program folder, so that the paths in the snapshots agree.
        program = "/tmp/dojokai-snapshot"
        shutil.rmtree(program, ignore_errors=True)
        os.makedirs(program)
        for f in ("dojokai.bin", "dojokai.hlp"):
            if os.path.exists(os.path.join(bindir, f)):
                shutil.copy(os.path.join(bindir, f), program)
        played, n = [], 0
        for line in commands:
            word = line.split()[0]
            if word == "shot":
                line = "shot " + os.path.join(program, "shot.png")
            played.append(line)
            n += 1
            if n % every == 0 and word not in ("now", "uptime", "keyboard") and n > 1 or word == "start":
                played.append("dump " + os.path.join(target, "%04d.json" % n))
        played.append("dump " + os.path.join(target, "end.json"))
        run = subprocess.run([driver, "--exe-dir", program, "-"], input="\n".join(played) + "\n",
                             text=True, cwd=program, capture_output=True,
                             env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
        if run.returncode != 0:
            failed += 1
            print("%s: exit %d\n%s" % (name, run.returncode, run.stderr[-2000:]))
        print("%s: %d snapshots" % (name, len(os.listdir(target))))
    return 1 if failed else 0


def differences(a, b, path=""):
    if isinstance(a, dict) and isinstance(b, dict):
        for key in sorted(set(a) | set(b)):
            if key not in a or key not in b:
                yield "%s/%s: only in %s" % (path, key, "before" if key in a else "after")
            else:
                yield from differences(a[key], b[key], path + "/" + key)
    elif isinstance(a, list) and isinstance(b, list) and len(a) == len(b):
        for i, (x, y) in enumerate(zip(a, b)):
            yield from differences(x, y, "%s[%d]" % (path, i))
    elif a != b:
        yield "%s: %s -> %s" % (path, json.dumps(a, ensure_ascii=False)[:120], json.dumps(b, ensure_ascii=False)[:120])


def compare(before, after):
    found = 0
    for name in sorted(os.listdir(before)):
        for snap in sorted(os.listdir(os.path.join(before, name))):
            other = os.path.join(after, name, snap)
            if not os.path.exists(other):
                print("%s/%s: missing after" % (name, snap))
                found += 1
                continue
            a = json.load(open(os.path.join(before, name, snap), encoding="utf-8"))
            b = json.load(open(other, encoding="utf-8"))
            for d in list(differences(a, b))[:20]:
                print("%s/%s %s" % (name, snap, d))
                found += 1
    print("%d differences" % found)
    return 1 if found else 0


if __name__ == "__main__":
    if len(sys.argv) == 4 and sys.argv[1] == "take":
        sys.exit(take(sys.argv[2], sys.argv[3]))
    if len(sys.argv) == 4 and sys.argv[1] == "compare":
        sys.exit(compare(sys.argv[2], sys.argv[3]))
    print(__doc__)
    sys.exit(2)
