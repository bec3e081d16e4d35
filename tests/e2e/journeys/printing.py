"""Printing a page range: the print window, the preview, and a PDF through the printer dialog."""

import os
import re
import subprocess

from ketabe2e import journey
from ketabe2e.book import Book, read
from ketabe2e.screens import Reading, open_section


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
    s.step("the print preview")
    one_command_at_a_time(s, preview, "the print preview")
    s.key("Escape")
    s.wait(lambda: not dialog.showing, "the print preview to close")

    pdf = os.path.join(s.program.workdir, "pages.pdf")
    s.click(s.control(preview, "push button", "چاپ"))
    dialog = s.dialog()
    s.step("the printer dialog")
    one_command_at_a_time(s, preview, "the printer dialog")
    choose_pdf_printer(s, dialog, pdf)
    s.wait(lambda: os.path.exists(pdf) and os.path.getsize(pdf) > 0, "the PDF file to be written", 120)
    s.wait(lambda: preview.find("push button", "چاپ").enabled, "printing to end")
    text = subprocess.run(["pdftotext", pdf, "-"], capture_output=True, text=True).stdout
    phrase = " ".join(book_words(book, 780)[:4])
    s.check_that(f"the PDF holds the words of page 780 in reading order ({phrase!r})", phrase in " ".join(text.split()),
                 phrase, text[:300])
    s.click(s.control(preview, "push button", "بازگشت"))
    s.wait_hidden("preview")
    r.back_to_menu()


def one_command_at_a_time(s, preview, running):
    """While a print command runs, neither of the preview's commands takes a click:
    one click, one print."""
    enabled = [b for b in ("پيشنمايش", "چاپ") if s.control(preview, "push button", b).enabled]
    s.check(f"the preview's buttons that take a click while {running} shows", [], enabled)


def book_words(book, page):
    return re.sub(r"<[^>]+>", " ", book.body_line(page)).split()


def choose_pdf_printer(s, dialog, pdf):
    """Names the PDF file in the printer dialog and prints. With no printer installed
    the dialog offers printing to a PDF file, with a field for the file's name; which
    field that is, the tree tells by its place after the printer's name box."""
    printer = s.wait(lambda: dialog.find("combo box"), "the printer dialog's printer box")
    s.check_that("the printer dialog offers a PDF file", "PDF" in printer.name, "a PDF printer", printer.name)
    field = s.wait(lambda: next((n for n in dialog.find_all("text") if (n.text or "").endswith(".pdf")), None),
                   "the printer dialog's output file field")
    s.type_into(field, pdf)
    s.key("Return")
    s.wait(lambda: not dialog.showing, "the printer dialog to close")
