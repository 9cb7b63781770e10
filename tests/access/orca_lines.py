# SPDX-License-Identifier: GPL-3.0-or-later
# Runs Orca with its debug file line-buffered, so each utterance is on disk as it is spoken.
import builtins
import runpy
import sys

args = sys.argv[1:]
target = args[args.index("--debug-file") + 1] if "--debug-file" in args else None
real_open = builtins.open


def line_buffered_open(file, mode="r", buffering=-1, *rest, **kw):
    if target is not None and file == target and "w" in mode:
        buffering = 1
    return real_open(file, mode, buffering, *rest, **kw)


builtins.open = line_buffered_open
sys.argv = ["/usr/bin/orca"] + args
runpy.run_path("/usr/bin/orca", run_name="__main__")
