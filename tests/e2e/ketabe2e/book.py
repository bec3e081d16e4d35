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
    """Text of a file by its byte-order mark; without one UTF-8 when it is valid UTF-8,
    else the Persian 8-bit code page."""
    if data.startswith(b"\xff\xfe"):
        return data[2:].decode("utf-16-le")
    if data.startswith(b"\xfe\xff"):
        return data[2:].decode("utf-16-be")
    if data.startswith(b"\xef\xbb\xbf"):
        return data[3:].decode("utf-8")
    try:
        return data.decode("utf-8")
    except UnicodeDecodeError:
        return data.decode("cp1256", errors="replace")


def read(path):
    with open(path, "rb") as f:
        return decode(f.read())


def read_if_there(path):
    return read(path) if os.path.exists(path) else None


# The words the search drops from a query: they would match the pages' markup.
MARKUP_WORDS = {"html", "HTML", "font", "FONT", "ALIGN", "align", "justify", "JUSTIFY", "left",
                "LEFT", "right", "RIGHT", "head", "HEAD", "b", "B", "p", "P", "BODY", "body"}


def query_terms(query):
    """The terms of a search query: yeh and keheh in their Arabic forms, split at + and *,
    markup words and single characters left out."""
    query = query.replace("\u06cc", "\u064a").replace("\u06a9", "\u0643")
    terms = re.split(r"[+*]", query)
    return [t for t in terms if t not in MARKUP_WORDS and len(t) > 1]


def searched_text(text):
    """The part of a page the search looks at: all but its first 15 lines."""
    lines = re.split(r"\r\n|\r|\n|\u2028", text)
    return "\r\n".join(lines[15:])


class Book:
    def __init__(self, folder):
        self.folder = folder

    def path(self, relative):
        return os.path.join(self.folder, relative)

    def page_file(self, page):
        return self.path(f"datas/p{section_of(page):02d}{page:04d}.htm")

    def page_text(self, page):
        return read(self.page_file(page))

    def search(self, query, first=1, last=3983):
        """Pages of first..last holding any term of the query (case-sensitive substring
        search, as with whole-word matching off), and the count of (page, term) pairs."""
        terms = query_terms(query)
        pages, pairs = [], 0
        for page in range(first, last + 1):
            path = self.page_file(page)
            if not os.path.exists(path):
                continue
            text = searched_text(read(path))
            hits = sum(1 for t in terms if t in text)
            if hits:
                pages.append(page)
                pairs += hits
        return pages, pairs

    def body_line(self, page):
        """A line of the page that only its body holds: its longest after the first 15."""
        return max(self.page_text(page).splitlines()[15:], key=len)

    def places_in(self, document, pages):
        """Where each page's body line stands in a composed document (-1: missing)."""
        return [document.find(self.body_line(p)) for p in pages]

    def links(self, name):
        """The link targets of a data file (a contents or index page), in page order."""
        return re.findall(r'href="(p\d{6}\.htm[^"]*)"', read(self.path("datas/" + name)), re.I)
