"""Runs lupdate over the program's sources into a copy of the kept translation file and
fails when the copy differs from the file (a message was added, changed or dropped since
the last update) or when any message lacks its translation.

Arguments: lupdate, the .ts file, the include folder, a work folder, the source files."""

import filecmp
import os
import shutil
import subprocess
import sys
import xml.etree.ElementTree as ET

UPDATE = "cmake --build build --target update_translations"


def messages(path):
    """(context, source) -> translation text, or None when it is unfinished."""
    out = {}
    for context in ET.parse(path).getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            translation = message.find("translation")
            finished = translation is not None and translation.get("type") is None and (translation.text or "").strip()
            out[(name, message.findtext("source"))] = translation.text if finished else None
    return out


def main():
    lupdate, kept, include, work, *sources = sys.argv[1:]
    if not sources:
        sys.exit("no source files given")
    os.makedirs(work, exist_ok=True)
    fresh = os.path.join(work, os.path.basename(kept))
    shutil.copyfile(kept, fresh)
    run = subprocess.run([lupdate, "-silent", "-I", include, "-locations", "none", "-no-obsolete",
                          *sources, "-ts", fresh], capture_output=True, text=True)
    if run.returncode != 0:
        sys.exit(f"lupdate failed:\n{run.stdout}{run.stderr}")
    before, after = messages(kept), messages(fresh)
    if not after:
        sys.exit("lupdate found no message in the sources")
    problems = [f"new or changed, not yet in the file: {c}: {s!r}" for c, s in after.keys() - before.keys()]
    problems += [f"no longer in the code: {c}: {s!r}" for c, s in before.keys() - after.keys()]
    problems += [f"no Persian translation: {c}: {s!r}" for (c, s), t in after.items() if t is None]
    if not problems and not filecmp.cmp(kept, fresh, shallow=False):
        problems.append("lupdate rewrites the file")
    if problems:
        print("\n".join(sorted(problems)))
        sys.exit(f"{os.path.basename(kept)} is not complete: run `{UPDATE}`, then translate what it marks unfinished")
    print(f"{len(after)} messages, each with its Persian translation")


main()
