#!/usr/bin/python3
"""The installed program at work: installs the build into a staging folder, makes the
installed book read-only, and drives the installed program on the end-to-end suite's
private desktop: it opens a section, searches, composes a print document, loads its
private libraries from the install, and leaves the book exactly as it was.

    check_installed_program.py BUILD_FOLDER WORK_FOLDER
"""

import os
import re
import shutil
import stat
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "e2e"))
from ketabe2e import Session, journey  # noqa: E402
from ketabe2e.book import Book, FIRST_PAGE, LAST_PAGE, read_if_there  # noqa: E402
from ketabe2e.screens import FOUND_MARK, Reading, Search, count_line, result_line  # noqa: E402

SECTION_1 = "جلد اول: از آغاز تا برآمدن ساسانيان"


def snapshot(folder):
    """Every entry under folder with its kind, size and modification time."""
    out = {}
    for top, dirs, files in os.walk(folder):
        for name in dirs + files:
            st = os.lstat(os.path.join(top, name))
            out[os.path.relpath(os.path.join(top, name), folder)] = (stat.S_IFMT(st.st_mode), st.st_size,
                                                                   st.st_mtime_ns)
    st = os.lstat(folder)
    out["."] = (stat.S_IFMT(st.st_mode), st.st_size, st.st_mtime_ns)
    return out


def a_word_of(book, page):
    """A word of the page's chapter title, which the search finds on that page."""
    title = re.search(r'<p align="right"><b>(.*?)</b></p>', book.page_text(page)).group(1)
    return max(re.findall(r"[\u0600-\u06ff]+", title), key=len)


def loaded_from(pid, folder):
    """The files under folder that the process has mapped."""
    with open(f"/proc/{pid}/maps") as f:
        paths = {line.split(None, 5)[5].strip() for line in f if len(line.split(None, 5)) == 6}
    return sorted(os.path.relpath(p, folder) for p in paths if p.startswith(folder + "/"))


def keep(s, name):
    """A screenshot of the state reached. The screen rules (layout, title bars) are the
    end-to-end journeys' to check; here what matters is that the installed program works."""
    s.step_number += 1
    s.last_screenshot = s.screenshot(name)


def make_journey(stage):
    @journey("installed: a section, a search and a print document, from the read-only installed book")
    def installed(s):
        book = Book(s.book)
        temp = s.program.temp_folder()
        menu = s.window("menu")
        keep(s, "start menu of the installed program")
        s.click(s.control(menu, "push button", SECTION_1))
        r = Reading(s)
        s.wait_hidden("menu")
        s.check("page after Next on section 1's contents", "1", r.press(Reading.NEXT))
        keep(s, "first page")
        s.check("the program's own files it has loaded from the install",
                ["bin/ketab", "lib/ketab/htmlengine.so", "lib/ketab/xaudio.so"],
                [p for p in loaded_from(s.program.pid, stage) if not p.startswith("share/")])

        # Searched over section 1, the scope the search takes over its pages: the results
        # and their count as an independent scan of the installed book finds them, the
        # opened result's occurrences of the word marked.
        word = a_word_of(book, 1)
        pages, pairs = book.search(word, FIRST_PAGE[0], LAST_PAGE[0])
        s.click(r.button(Reading.SEARCH))
        w = Search(s)
        w.run(word)
        s.check(f"results of {word!r} in section 1", [result_line(p) for p in pages], w.lines())
        s.check("the count line", count_line(pairs), w.count_text())
        keep(s, "search results")
        s.click(w.results.items()[0])
        s.click(s.control(w.window, "push button", "رجوع"))
        s.wait_hidden("search")
        s.wait_value(r.page_number, str(pages[0]), "the page number of the opened result")
        found = s.wait(lambda: read_if_there(os.path.join(temp, "found.htm")), "the result page found.htm")
        s.check(f"marks of {word!r} in found.htm", book.page_text(pages[0]).count(word),
                found.count(FOUND_MARK.format(word)))
        keep(s, "result page")

        s.click(r.button(Reading.PRINT))
        printing = s.window("print")
        s.click(s.control(printing, "push button", "چاپ"))
        preview = s.window("preview", 60)
        s.wait(lambda: os.path.exists(os.path.join(temp, "print.htm")), "the print document print.htm")
        keep(s, "print preview")
        s.click(s.control(preview, "push button", "بازگشت"))
        s.wait_hidden("preview")
        r.back_to_menu()
    return installed


def main():
    build, work = (os.path.abspath(a) for a in sys.argv[1:3])
    stage = os.path.join(work, "stage")
    shutil.rmtree(work, ignore_errors=True)
    r = subprocess.run(["cmake", "--install", build, "--prefix", stage], capture_output=True, text=True)
    if r.returncode != 0:
        print(f"FAIL: cmake --install: {r.stdout}{r.stderr}")
        return 1
    book = os.path.join(stage, "share/ketab")
    subprocess.run(["chmod", "-R", "a-w", book], check=True)
    before = snapshot(book)

    session = Session("installed", os.path.join(stage, "bin/ketab"), os.path.join(work, "e2e"), book)
    try:
        ok = session.run([make_journey(stage)])
    finally:
        session.close()

    after = snapshot(book)
    changed = sorted(p for p in set(before) | set(after) if before.get(p) != after.get(p))
    if changed:
        print(f"FAIL: the installed book changed: {changed[:10]}")
        ok = False
    subprocess.run(["chmod", "-R", "u+w", book])
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
