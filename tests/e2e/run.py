#!/usr/bin/python3
"""Runs groups of journeys: each group one program on one private desktop.

    run.py GROUP... [--program build/book/ketab] [--book FOLDER] [--out build/e2e]
"""

import argparse
import importlib
import os
import shutil
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from ketabe2e import Session, journeys_of  # noqa: E402

TOP = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("groups", nargs="+", help="journey files under journeys/, without .py")
    parser.add_argument("--program", default=os.environ.get("KETAB_E2E_PROGRAM", os.path.join(TOP, "build/book/ketab")))
    parser.add_argument("--book", default=os.environ.get("KETAB_E2E_BOOK"),
                        help="the book folder the program reads (default: the program's folder)")
    parser.add_argument("--out", default=os.environ.get("KETAB_E2E_OUT", os.path.join(TOP, "build/e2e")),
                        help="where each step's screenshot is kept")
    parser.add_argument("--program-arg", action="append", default=[],
                        help="an argument for the program (repeat for more)")
    parser.add_argument("--pictures", help="after a green run, copy the kept pictures into this folder")
    args = parser.parse_args()
    if len(args.groups) > 1:
        # One desktop a process: each group in a process of its own.
        failed = 0
        rest = ["--program", args.program, "--out", args.out] + (["--book", args.book] if args.book else []) \
            + [f"--program-arg={a}" for a in args.program_arg]
        for group in args.groups:
            failed += subprocess.run([sys.executable, __file__, group, *rest]).returncode != 0
        if failed:
            return 1
        copy_pictures(args)
        return 0
    group = args.groups[0]
    module = importlib.import_module(f"journeys.{group}")
    if not journeys_of(module):
        print(f"FAIL {group}: the file holds no journey, so it would prove nothing", flush=True)
        return 1
    # A journey file may ask for the program at a scale factor: SCALE = 2 for 200 %; and
    # for arguments of its own, from a book folder it prepares: prepare(book) -> arguments.
    book = args.book or os.path.dirname(os.path.abspath(args.program))
    more = module.prepare(book) if hasattr(module, "prepare") else []
    session = Session(group, args.program, args.out, args.book, args.program_arg + more, getattr(module, "SCALE", 1))
    try:
        ok = session.run(journeys_of(module))
    finally:
        session.close()
    if ok:
        copy_pictures(args)
    return 0 if ok else 1


def copy_pictures(args):
    if not args.pictures:
        return
    kept = os.path.join(args.out, "readme-pictures")
    for name in sorted(os.listdir(kept)) if os.path.isdir(kept) else []:
        shutil.copyfile(os.path.join(kept, name), os.path.join(args.pictures, name))
        print(f"refreshed {os.path.join(args.pictures, name)}")


if __name__ == "__main__":
    sys.exit(main())
