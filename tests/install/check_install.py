#!/usr/bin/python3
"""Installs the built program into a staging folder and checks what a packager and a
desktop see there: the layout, the book complete and unchanged, the icons at their sizes,
the desktop entry, metadata and manual page clean under their validators and agreeing
with each other, and the installed program finding its book from another folder.

    check_install.py BUILD_FOLDER STAGING_FOLDER SOURCE_FOLDER
"""

import filecmp
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

ICON_SIZES = (16, 24, 32, 48, 64, 128, 256, 512)
APPSTREAM_ID = "org.ketab.reader"
# What the build's book folder holds besides the book itself.
PROGRAM_FILES = {"ketab", "xaudio.so", "htmlengine.so", "speech.so"}

failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
        print(f"FAIL: {what}")
    return ok


def run(args, **kw):
    return subprocess.run(args, capture_output=True, text=True, **kw)


def files_under(top):
    out = set()
    for folder, _, names in os.walk(top):
        for name in names:
            out.add(os.path.relpath(os.path.join(folder, name), top))
    return out


def png_header(path):
    """(width, height, colour type) of a PNG file; None for a missing or other file."""
    try:
        with open(path, "rb") as f:
            head = f.read(26)
    except OSError:
        return None
    if head[:8] != b"\x89PNG\r\n\x1a\n" or head[12:16] != b"IHDR":
        return None
    width, height = struct.unpack(">II", head[16:24])
    return width, height, head[25]


def desktop_entry(path):
    entry, group = {}, None
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.strip()
            if line.startswith("["):
                group = line
            elif group == "[Desktop Entry]" and "=" in line:
                key, value = line.split("=", 1)
                entry[key] = value
    return entry


def expected_layout(book):
    paths = {"bin/ketab", "lib/ketab/xaudio.so", "lib/ketab/htmlengine.so", "lib/ketab/speech.so",
             "share/applications/ketab.desktop",
             f"share/metainfo/{APPSTREAM_ID}.metainfo.xml", "share/man/man1/ketab.1.gz",
             "share/doc/ketab/copyright", "share/doc/ketab/changelog.gz"}
    paths |= {f"share/icons/hicolor/{s}x{s}/apps/ketab.png" for s in ICON_SIZES}
    paths |= {"share/ketab/" + p for p in files_under(book) if p not in PROGRAM_FILES}
    return paths


def check_layout(build, stage):
    book = os.path.join(build, "book")
    installed = files_under(stage)
    expected = expected_layout(book)
    check(not expected - installed, f"missing from the install: {sorted(expected - installed)[:10]}")
    check(not installed - expected, f"installed but not expected: {sorted(installed - expected)[:10]}")
    for rel in sorted(expected & installed):
        if rel.startswith("share/ketab/"):
            source = os.path.join(book, rel[len("share/ketab/"):])
            if not filecmp.cmp(source, os.path.join(stage, rel), shallow=False):
                check(False, f"{rel} differs from the built book's file")
                break
    for rel in ("bin/ketab",):
        check(os.access(os.path.join(stage, rel), os.X_OK), f"{rel} is not executable")
    for size in ICON_SIZES:
        header = png_header(os.path.join(stage, f"share/icons/hicolor/{size}x{size}/apps/ketab.png"))
        check(header == (size, size, 6), f"icon {size}x{size}: expected {size}x{size} with alpha, seen {header}")


def check_metadata(stage, source):
    apps = os.path.join(stage, "share/applications/ketab.desktop")
    meta = os.path.join(stage, f"share/metainfo/{APPSTREAM_ID}.metainfo.xml")
    man = os.path.join(stage, "share/man/man1/ketab.1.gz")
    if not (os.path.exists(apps) and os.path.exists(meta) and os.path.exists(man)):
        return
    r = run(["desktop-file-validate", apps])
    check(r.returncode == 0 and not r.stdout.strip(), f"desktop-file-validate: {r.stdout}{r.stderr}")
    r = run(["appstreamcli", "validate", "--no-net", "--pedantic", meta])
    check(r.returncode == 0 and "pedantic:" not in r.stdout, f"appstreamcli validate: {r.stdout}{r.stderr}")
    # The manual page renders without a single warning, as lintian checks it.
    r = run(["man", "--warnings", "-E", "UTF-8", "-l", "-Tutf8", "-Z", man],
            env={**os.environ, "LC_ALL": "C.UTF-8", "MANWIDTH": "80"})
    check(r.returncode == 0 and not r.stderr.strip(), f"manual page warnings: {r.stderr}")

    # The three files name each other: the menu's command and icon, the metadata's entry.
    entry = desktop_entry(apps)
    check(entry.get("Exec", "").split()[0:1] == ["ketab"], f"desktop entry Exec: {entry.get('Exec')}")
    check(entry.get("Icon") == "ketab", f"desktop entry Icon: {entry.get('Icon')}")
    check(entry.get("Name[fa]") and entry.get("Comment[fa]"), "desktop entry has no Persian name or comment")
    component = ET.parse(meta).getroot()
    check(component.findtext("id") == APPSTREAM_ID, f"metainfo id: {component.findtext('id')}")
    check(component.findtext("launchable") == "ketab.desktop", "metainfo launchable is not the desktop entry")
    # Each screenshot is one of the README's pictures, served from the project's address.
    home = component.findtext("url[@type='homepage']") or ""
    images = [i.text for i in component.findall("screenshots/screenshot/image")]
    check(images, "metainfo has no screenshot")
    for image in images:
        picture = image[len(home):].lstrip("/") if home and image.startswith(home) else image
        check(picture.startswith("docs/") and os.path.isfile(os.path.join(source, picture)),
              f"metainfo screenshot {image} is not a picture in docs/")
    check(component.find("releases/release[@version]") is not None, "metainfo has no release")
    for tag, licence in (("metadata_license", "CC0-1.0"), ("project_license", "GPL-3.0-or-later")):
        check(component.findtext(tag) == licence, f"metainfo {tag}: expected {licence}, seen {component.findtext(tag)}")


def check_copyright(stage, source):
    """The licence beside the sources, and the package's copyright file in Debian's
    machine-readable format: every licence a Files paragraph names is given in full or
    points at the system's copy."""
    with open(os.path.join(source, "LICENSE"), encoding="utf-8") as f:
        check("GNU GENERAL PUBLIC LICENSE\n                       Version 3" in f.read(), "LICENSE is not the GPL, version 3")
    path = os.path.join(stage, "share/doc/ketab/copyright")
    if not os.path.exists(path):
        return
    with open(path, encoding="utf-8") as f:
        paragraphs = [p for p in f.read().split("\n\n") if p.strip()]
    check(paragraphs[0].startswith("Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/"),
          f"copyright file is not machine-readable: {paragraphs[0][:80]!r}")
    fields = [dict((line.split(":", 1)[0], line.split(":", 1)[1].strip()) for line in p.splitlines()
                   if line[:1] not in (" ", "") and ":" in line) for p in paragraphs[1:]]
    named = {f["License"] for f in fields if "Files" in f}
    given = {f["License"] for f in fields if "Files" not in f and "License" in f}
    check("Files" in fields[0] and fields[0]["Files"] == "*" and fields[0]["License"] == "GPL-3+",
          f"copyright file: the first Files paragraph is not '*' under GPL-3+: {fields[0]}")
    check(named and named <= given, f"copyright file: licences named but not given: {sorted(named - given)}")


def check_program(stage):
    """The installed program from a folder of its own, without a display: its command line
    answers, and it finds the installed book (else it would stop at the command line)."""
    ketab = os.path.join(stage, "bin/ketab")
    with tempfile.TemporaryDirectory() as elsewhere:
        env = {"PATH": "/usr/bin:/bin", "HOME": elsewhere}
        r = run([ketab, "--version"], cwd=elsewhere, env=env)
        check(r.returncode == 0 and r.stdout.startswith("ketab "), f"--version: {r.returncode} {r.stdout}")
        r = run([ketab], cwd=elsewhere, env=env)
        check(r.returncode == 3, f"installed program without display: expected the display refusal (3), "
                                 f"seen {r.returncode}: {r.stderr.strip()}")


def main():
    build, stage, source = (os.path.abspath(a) for a in sys.argv[1:4])
    shutil.rmtree(stage, ignore_errors=True)
    r = run(["cmake", "--install", build, "--prefix", stage])
    if not check(r.returncode == 0, f"cmake --install: {r.stdout}{r.stderr}"):
        return 1
    check_layout(build, stage)
    check_metadata(stage, source)
    check_copyright(stage, source)
    check_program(stage)
    print(f"{len(failures)} failure(s)" if failures else "install checks passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
