#!/usr/bin/python3
"""Builds the Debian package from the build folder and checks it as apt and lintian see it:
its fields and dependencies, its files (the install's layout under /usr, owned by root,
with Debian's modes, binaries stripped) and no lintian error or warning.

    check_package.py BUILD_FOLDER WORK_FOLDER VERSION
"""

import os
import re
import shutil
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from check_install import check, expected_layout, failures, run  # noqa: E402

# Packages the binaries link (found by dpkg-shlibdeps: the reader, the engine module, the
# speech module and the decoder library) and those the program needs by other means.
NEEDED = ["libqt6webenginewidgets6", "libqt6printsupport6", "libjpeg62-turbo", "libmpg123-0", "libpulse0",
          "libasound2", "libqt6texttospeech6", "libqt6webenginecore6-bin", "qt6-qpa-plugins", "fonts-dejavu-core",
          "qt6-speech-speechd-plugin"]
# What read aloud speaks through, recommended: the reader works without it.
RECOMMENDED = ["speech-dispatcher", "speech-dispatcher-espeak-ng"]


def field(deb, name):
    return run(["dpkg-deb", "-f", deb, name]).stdout.strip()


def check_fields(deb, version):
    check(field(deb, "Package") == "ketab", f"Package: {field(deb, 'Package')}")
    check(field(deb, "Version") == version, f"Version: expected {version}, seen {field(deb, 'Version')}")
    depends = [d.strip() for d in field(deb, "Depends").split(",")]
    names = [re.split(r"[ (]", d, maxsplit=1)[0] for d in depends]
    missing = [n for n in NEEDED if n not in names]
    check(not missing, f"Depends lacks {missing}: {depends}")
    check(len(names) == len(set(names)), f"Depends names a package twice: {depends}")
    recommends = field(deb, "Recommends")
    check(all(p in recommends for p in RECOMMENDED), f"Recommends lacks one of {RECOMMENDED}: {recommends}")


def check_contents(deb, build, unpacked):
    listing = run(["dpkg-deb", "-c", deb]).stdout.splitlines()
    files, problems = set(), []
    for line in listing:
        mode, owner, _size, _date, _time, path = line.split(None, 5)
        path = path.split(" -> ")[0]
        if owner != "root/root":
            problems.append(f"{path} owned by {owner}")
        if mode.startswith("d"):
            if mode != "drwxr-xr-x":
                problems.append(f"{path} mode {mode}")
            continue
        rel = path[len("./usr/"):] if path.startswith("./usr/") else path
        files.add(rel)
        want = "-rwxr-xr-x" if rel == "bin/ketab" else "-rw-r--r--"
        if mode != want:
            problems.append(f"{path} mode {mode}, expected {want}")
    check(not problems, f"package file owners and modes: {problems[:10]}")
    expected = expected_layout(os.path.join(build, "book"))
    check(files == expected, f"package files differ from the install's: missing {sorted(expected - files)[:5]}, "
                             f"extra {sorted(files - expected)[:5]}")

    run(["dpkg-deb", "-x", deb, unpacked])
    for rel in ("usr/bin/ketab", "usr/lib/ketab/xaudio.so", "usr/lib/ketab/htmlengine.so", "usr/lib/ketab/speech.so"):
        kind = run(["file", "-b", os.path.join(unpacked, rel)]).stdout
        check("ELF" in kind and ", stripped" in kind, f"{rel} is not a stripped binary: {kind.strip()}")


def check_lintian(deb):
    r = run(["lintian", "--fail-on", "none", deb])
    tags = [line for line in r.stdout.splitlines() if re.match(r"^[EW]: ", line)]
    check(r.returncode == 0 and not tags, f"lintian errors or warnings:\n  " + "\n  ".join(tags) + r.stderr)


def main():
    build, work = (os.path.abspath(a) for a in sys.argv[1:3])
    version = sys.argv[3]
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    # gzip instead of xz: the same package, packed in a third of the time.
    r = run(["cpack", "-G", "DEB", "-B", work, "--config", os.path.join(build, "CPackConfig.cmake"),
             "-D", "CPACK_DEBIAN_COMPRESSION_TYPE=gzip"], cwd=build)
    arch = run(["dpkg", "--print-architecture"]).stdout.strip()
    debs = [f for f in os.listdir(work) if f.endswith(".deb")]
    if not check(r.returncode == 0 and debs == [f"ketab_{version}_{arch}.deb"],
                 f"cpack made {debs}: {r.stdout[-2000:]}{r.stderr}"):
        return 1
    deb = os.path.join(work, debs[0])
    check_fields(deb, version)
    check_contents(deb, build, os.path.join(work, "unpacked"))
    check_lintian(deb)
    print(f"{len(failures)} failure(s)" if failures else "package checks passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
