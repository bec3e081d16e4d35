"""Printing a page range: the print window, the preview, and a PDF through the printer dialog."""

import os
import re
import subprocess

from ketabe2e import journey
from ketabe2e.book import Book, read
from ketabe2e.screens import Reading, note_entry, open_section


@journey("printing: a range, the preview, the printer dialog to a PDF holding the pages' text right to left")
def printing(s):
    book = Book(s.book)
    r = open_section(s, 2)
    r.press(Reading.NEXT)
    s.click(r.button(Reading.PRINT))
    w = s.window("print")
    first, last = s.control(w, "spin button", "از صفحه"), s.control(w, "spin button", "تا صفحه")
    s.check("range the print window opens with", ("766", "766"), (first.text, last.text))
    s.step("print window over the reading window")
    # Reversed bounds below the section: swapped and raised to the section's first page.
    s.type_into(first, "780")
    s.type_into(last, "700")
    s.click(s.control(w, "push button", "چاپ"))
    preview = s.window("preview")
    s.wait_hidden("print")
    document = s.wait(lambda: read(os.path.join(s.program.temp_folder(), "print.htm")),
                      "print.htm in the program's temporary folder")
    places = book.places_in(document, range(766, 781))
    s.check_that("pages 766 to 780 in print.htm, in order", -1 not in places and places == sorted(places),
                 "all found, ascending", places)
    s.check_that("page 781 not in print.htm", document.find(book.body_line(781)) < 0,
                 "missing", "found")
    s.step("preview of pages 766 to 780")

    pre = s.control(preview, "push button", "پيشنمايش")
    s.wait(lambda: pre.enabled, "the preview's buttons to be ready")
    s.click(pre)
    dialog = s.dialog(60)
    check_preview_pages(s, dialog)
    s.step("the print preview")
    one_command_at_a_time(s, preview, "the print preview")
    s.key("Escape")
    s.wait(lambda: not dialog.showing, "the print preview to close")

    pdf = os.path.join(s.program.workdir, "pages.pdf")
    s.click(s.control(preview, "push button", "چاپ"))
    dialog = s.dialog()
    s.step("the printer dialog")
    one_command_at_a_time(s, preview, "the printer dialog")
    choose_pdf_printer(s, dialog, pdf, pages=(2, 3))
    s.wait(lambda: os.path.exists(pdf) and os.path.getsize(pdf) > 0, "the PDF file to be written", 120)
    s.wait(lambda: preview.find("push button", "چاپ").enabled, "printing to end")
    info = subprocess.run(["pdfinfo", pdf], capture_output=True, text=True).stdout
    s.check("pages in the PDF of the dialog's pages 2 to 3", "2", re.search(r"Pages:\s*(\d+)", info).group(1))
    text = " ".join(subprocess.run(["pdftotext", pdf, "-"], capture_output=True, text=True).stdout.split())
    first = " ".join(book_words(book, 766)[:4])
    s.check_that("the PDF does not begin with the document's first page", not text.startswith(first), "another page", text[:80])
    phrases = [" ".join(book_words(book, p)[:4]) for p in range(767, 781)]
    s.check_that("the PDF holds the first words of a page of the range in reading order", any(p in text for p in phrases),
                 "one of " + repr(phrases[:2]) + "...", text[:300])
    s.click(s.control(preview, "push button", "بازگشت"))
    s.wait_hidden("preview")
    r.back_to_menu()


def check_preview_pages(s, dialog):
    """The preview dialog tells how many pages it holds, and its first page is drawn:
    dark text on the page, where the view shows nothing but its grey ground before."""
    count = s.wait(lambda: next((int(m.group()) for n in dialog.find_all("label")
                                 for m in [re.search(r"\d+", n.name or "")] if m), None),
                   "the preview's page count")
    s.check_that("pages in the preview", count >= 1, "at least one", count)
    area = dialog.rect
    top = type(area)(area.x, area.y, area.w, area.h * 3 // 4)
    s.wait(lambda: dark_share(s.grab(top)) > 0.002, "the preview's first page to be drawn")


def dark_share(rgb):
    """The share of the pixels of a grab that are near black (text)."""
    pixels = len(rgb) // 3
    dark = sum(1 for i in range(0, pixels * 3, 3) if rgb[i] + rgb[i + 1] + rgb[i + 2] < 150)
    return dark / max(pixels, 1)


def one_command_at_a_time(s, preview, running):
    """While a print command runs, neither of the preview's commands takes a click:
    one click, one print."""
    enabled = [b for b in ("پيشنمايش", "چاپ") if s.control(preview, "push button", b).enabled]
    s.check(f"the preview's buttons that take a click while {running} shows", [], enabled)


def book_words(book, page):
    return re.sub(r"<[^>]+>", " ", book.body_line(page)).split()


def choose_pdf_printer(s, dialog, pdf, pages=None):
    """Names the PDF file in the printer dialog, with pages (first, last) its range of
    pages, and prints. With no printer installed the dialog offers printing to a PDF
    file, with a field for the file's name; which field that is, the tree tells by its
    place after the printer's name box. The range is under the dialog's options: a
    radio button, then the first and last page boxes, right to left."""
    printer = s.wait(lambda: dialog.find("combo box"), "the printer dialog's printer box")
    s.check_that("the printer dialog offers a PDF file", "PDF" in printer.name, "a PDF printer", printer.name)
    field = s.wait(lambda: next((n for n in dialog.find_all("text") if (n.text or "").endswith(".pdf")), None),
                   "the printer dialog's output file field")
    s.type_into(field, pdf)
    if pages:
        s.click(s.control(dialog, "push button", "تنظیمات >>"))
        s.click(s.control(dialog, "radio button", "محدودهٔ صفحات"))
        boxes = s.wait(lambda: [n for n in dialog.find_all("spin button", "محدودهٔ چاپ") if n.enabled] or None,
                       "the page range boxes to take pages")
        boxes.sort(key=lambda n: -n.rect.x)
        for box, page in zip(boxes, pages):
            s.type_into(box, str(page))
        s.step("the printer dialog with a page range")
    s.key("Return")
    s.wait(lambda: not dialog.showing, "the printer dialog to close")


@journey("printing: a range wholly before its section is said to hold no page, and nothing is printed")
def range_outside_section(s):
    r = open_section(s, 2)
    r.press(Reading.NEXT)
    s.click(r.button(Reading.PRINT))
    w = s.window("print")
    first, last = s.control(w, "spin button", "از صفحه"), s.control(w, "spin button", "تا صفحه")
    before = read(os.path.join(s.program.temp_folder(), "print.htm")) \
        if os.path.exists(os.path.join(s.program.temp_folder(), "print.htm")) else None
    s.type_into(first, "10")
    s.type_into(last, "20")
    s.click(s.control(w, "push button", "چاپ"))
    limits = s.control(w, "label", "766 - 1312")
    note = s.wait(lambda: next((n for n in w.find_all("label") if n != limits and n.showing
                                and "766 - 1312" in (n.name or "")), None),
                  "the print window's word that the range holds no page, naming the section's pages")
    s.check("the range written back, clamped to the section", ("766", "20"), (first.text, last.text))
    s.check_that("no preview opens", not s.appears(lambda: any(k == "preview" for k in s.showing_keys()), 3),
                 "no preview", s.showing_keys())
    after = read(os.path.join(s.program.temp_folder(), "print.htm")) \
        if os.path.exists(os.path.join(s.program.temp_folder(), "print.htm")) else None
    s.check_that("print.htm untouched", after == before, "as before", "rewritten")
    s.step("a range that holds no page of the section")
    # A new choice clears the word, and a range in the section prints.
    s.type_into(first, "770")
    s.type_into(last, "771")
    s.wait(lambda: not note.showing or not note.name, "the word about the empty range to go")
    s.click(s.control(w, "push button", "چاپ"))
    preview = s.window("preview")
    s.wait_hidden("print")
    s.click(s.control(preview, "push button", "بازگشت"))
    s.wait_hidden("preview")
    r.back_to_menu()


LONG_PRINT = 1500  # noted pages: a document the engine takes a minute or more to write


@journey("printing: a long preview shows its first pages at once; left before the rest comes, nothing shows later")
def leaving_a_long_print(s):
    book_pages = [1 + (i * 7919) % 3983 for i in range(LONG_PRINT)]
    notes = os.path.join(s.program.workdir, "long.bmk")
    with open(notes, "wb") as f:
        f.write(b"\xff\xfe" + "".join(note_entry(p) + "\r\n" for p in book_pages).encode("utf-16-le"))
    r = open_section(s, 1)
    r.press(Reading.NEXT)
    s.click(r.notes_button("خواندن"))
    s.file_dialog_choose(notes)
    s.wait(lambda: len(r.notes()) == LONG_PRINT, f"the {LONG_PRINT} notes to load")
    s.click(r.notes_button("چاپ صفحات انتخاب شده"))
    preview = s.window("preview")
    pre = s.control(preview, "push button", "پيشنمايش")
    s.wait(lambda: pre.enabled, "the long document to load in the preview", 120)
    s.click(pre)
    # The first pages, while the engine still writes the rest: printing waits for it.
    dialog = s.dialog(30)
    area = dialog.rect
    s.wait(lambda: dark_share(s.grab(type(area)(area.x, area.y, area.w, area.h * 3 // 4))) > 0.002,
           "the preview's first page to be drawn")
    s.check_that("the preview's print waits for the whole document",
                 not s.control(dialog, "push button", "چاپ").enabled, "off", "on")
    s.step("the first pages of a long preview")
    s.key("Escape")
    s.wait(lambda: not dialog.showing, "the print preview to close")
    status = s.wait(lambda: next((n for n in preview.find_all("label") if n.showing and n.name), None),
                    "the word that the print is being prepared")
    s.wait(lambda: (lambda bar: bar is not None and bar.showing)(preview.find("progress bar")), "a busy bar beside it")
    s.check("the preview's buttons that take a click while the engine works", [],
            [b for b in ("پيشنمايش", "چاپ") if s.control(preview, "push button", b).enabled])
    s.step("the preview window while the engine still works")
    s.click(s.control(preview, "push button", "بازگشت"))
    s.wait_hidden("preview")
    reading = s.window("reading")
    s.wait(lambda: reading.enabled, "the reading window to take input again")
    # Opened again at once: the old print still runs in the view, so the new document
    # waits for it, and the progress says so.
    s.click(r.notes_button("چاپ صفحات انتخاب شده"))
    preview = s.window("preview")
    s.wait(lambda: status.showing, "the progress while the earlier print ends")
    s.check_that("the preview's buttons wait", not s.control(preview, "push button", "پيشنمايش").enabled,
                 "off", "on")
    s.step("opened again while the earlier print ends")
    seen = set()

    def ended():
        seen.update(k for k in s.showing_keys() if k not in ("preview", "reading"))
        return s.control(preview, "push button", "پيشنمايش").enabled and not status.showing
    s.wait(ended, "the earlier print to end and the document to load", 600)
    s.check_that("no dialog or message from the dropped print",
                 not seen and not s.appears(lambda: any(k not in ("preview", "reading") for k in s.showing_keys()), 3),
                 "none", sorted(seen) or s.showing_keys())
    s.click(s.control(preview, "push button", "بازگشت"))
    s.wait_hidden("preview")
    s.click(r.notes_button("جديد"))
    s.wait_value(r.notes, [], "the notes list after New")
    r.back_to_menu()
