"""The book's own files, read independently of the program, and the texts a reader
should see for a page."""

import os
import re

SECTION_NAMES = [
    "جلد اول: از آغاز تا برآمدن ساسانيان",
    "جلد دوم، بخش يكم: روزگار ساسانيان",
    "جلد دوم، بخش دوم: از اسلام تا سامانيان",
    "جلد سوم، بخش يكم: غزنويان و سلجوقيان",
    "جلد سوم، بخش دوم: از مغول تا صفويان",
]
FIRST_PAGE = [1, 766, 1313, 1993, 3113]
LAST_PAGE = [765, 1312, 1992, 3112, 3983]


def section_of(page):
    for s in range(5):
        if FIRST_PAGE[s] <= page <= LAST_PAGE[s]:
            return s + 1
    return 0


def page_status(page):
    """The reading window's status line for a book page."""
    s = section_of(page)
    return f"صفحه: {page} از {LAST_PAGE[s - 1]} - {SECTION_NAMES[s - 1]}"


def contents_status(section):
    return f"فهرست {SECTION_NAMES[section - 1]}"


def decode(data):
    """Text of a file the way the program reads it: by its byte-order mark."""
    if data.startswith(b"\xff\xfe"):
        return data[2:].decode("utf-16-le")
    if data.startswith(b"\xfe\xff"):
        return data[2:].decode("utf-16-be")
    if data.startswith(b"\xef\xbb\xbf"):
        return data[3:].decode("utf-8")
    return data.decode("cp1256", errors="replace")


def read(path):
    with open(path, "rb") as f:
        return decode(f.read())


class Book:
    def __init__(self, folder):
        self.folder = folder

    def path(self, relative):
        return os.path.join(self.folder, relative)

    def page_file(self, page):
        return self.path(f"datas/p{section_of(page):02d}{page:04d}.htm")

    def page_text(self, page):
        return read(self.page_file(page))

    def links(self, name):
        """The link targets of a data file (a contents or index page), in page order."""
        return re.findall(r'href="(p\d{6}\.htm[^"]*)"', read(self.path("datas/" + name)), re.I)
