"""The reader's marks on the text: a passage marked through the page's menu and noted,
drawn in its colour by day and at night, found in the list of marks by a folded spelling
and opened from there, exported, kept into a new run on a page changed underneath and
found there on its words, copied with its citation, printed in its colour; a mark made from
the keyboard alone."""

import os
import re
import shutil
import tempfile

from ketabe2e import journey
from ketabe2e.access import page_find
from ketabe2e.book import Book
from ketabe2e.screens import Reading, open_section
from journeys.remember import NIGHT, options_panel, pixels

PAGE = 900
NOTE = "چرا مهم است: يادداشت"
# The yellow of a mark by day, and its tint on the night page.
YELLOW, NIGHT_YELLOW = (0xff, 0xe0, 0x66), (0x4a, 0x3f, 0x00)
MARKS_TAB, MARKS_LIST, FILTER = "علامت‌ها", "علامت‌ها", "جستجو در علامت‌ها"
PLACE = "جلد دوم، بخش يكم، صفحه 900"


def share_near(rgb, colour, within=10):
    """The share of a grab's pixels within a few levels of a colour."""
    n = len(rgb) // 3
    near = sum(1 for i in range(0, n * 3, 3)
               if all(abs(rgb[i + c] - colour[c]) <= within for c in range(3)))
    return near / max(n, 1)


def mark_of(s, r, quote):
    """The page's marked span that reads quote: the engine gives it as a node holding the
    text alone, apart from the rest of its paragraph."""
    return s.wait(lambda: page_find(r.view, lambda n: n.name == "" and [c.name for c in n.children] == [quote]),
                  f"a mark reading {quote!r} on the page")


def page_menu(s, node, downs):
    """The page's menu on a node, its downs-th item taken (the keys pass disabled items)."""
    s.click(node, button=3)
    s.popup()
    s.key(*["Down"] * downs, "Return")


def open_page(s, r, book, page):
    s.check("page", str(page), r.enter_page(page))
    r.wait_page_text(book, page)


# The book of this file's program: a copy, since a page file of it is changed underneath.
_copy = []


def prepare(book):
    copy = os.path.join(tempfile.mkdtemp(prefix="ketab-marks-"), "book")
    shutil.copytree(book, copy, symlinks=True)
    _copy.append(copy)
    return ["--book", copy]


def marks_list(s, r):
    panel = r.open_notes()
    s.click(s.control(panel, "page tab", MARKS_TAB))
    return panel, s.control(panel, "list", MARKS_LIST)


@journey("marks: mark, note, night, list, folded filter, export, restart, a changed page, citation, keyboard")
def marks(s):
    book = Book(_copy[0])
    # The passage: the first word of a paragraph, a compound written with a half-space.
    paragraphs = re.findall(r"<p align=\"justify\">([^<]+)</p>", book.page_text(PAGE))
    text = next(p for p in paragraphs if "\u200c" in p.split()[0])
    word = text.split()[0]
    r = open_section(s, 2)
    open_page(s, r, book, PAGE)
    label = page_find(r.view, lambda n: n.role == "label" and n.name == text)
    # A double click on the word (right to left, after the paragraph's indent of 1.5 em).
    at = (label.rect.right - 29 - 12, label.rect.y + label.rect.h // 4)
    s.input.double_click(*at)
    s.step("the word selected")
    # Copy, select all, search, copy with citation, then yellow.
    s.input.click(*at, button=3)
    s.popup()
    s.key(*["Down"] * 5, "Return")
    mark = mark_of(s, r, word)
    s.wait(lambda: share_near(pixels(s, mark.rect), YELLOW) > 0.3, "the mark's pixels in yellow")
    s.step("the word marked in yellow")

    # Its note: select all, copy with citation, change colour, then write a note.
    page_menu(s, mark, 4)
    editor = s.control(r.window, "text", "یادداشت")
    s.wait(lambda: "focused" in editor.states, "the note editor to take the focus")
    s.type(NOTE)
    s.step("the note written")
    s.key("ctrl+Return")
    s.wait(lambda: mark_of(s, r, word).description == NOTE, "the mark to read its note as its description")
    sign = s.wait(lambda: page_find(r.view, lambda n: n.name == NOTE), "the note's sign on the page")
    before = pixels(s, r.view.rect)
    s.input.move(*sign.rect.center)
    s.wait(lambda: pixels(s, r.view.rect) != before, "the note to show under the pointer")
    s.step("the note shown on its sign")

    panel = options_panel(s, r)
    night = s.control(panel, "check box", NIGHT)
    s.click(night)
    s.wait(lambda: share_near(pixels(s, mark_of(s, r, word).rect), NIGHT_YELLOW) > 0.3,
           "the mark's pixels in the night page's yellow")
    s.step("the mark at night")
    s.click(night)
    s.wait(lambda: not night.checked, "the night page off")
    r.close_panel(panel)

    # The list: the mark by a spelling of its own (a blank for the half-space), none by another word.
    notes, listed = marks_list(s, r)
    s.wait_value(lambda: [i.name for i in listed.items()], [word], "the list of marks")
    s.check("the line's description", f"زرد؛ {NOTE}؛ {PLACE}", listed.items()[0].description)
    field = s.control(notes, "text", FILTER)
    s.type_into(field, word.replace("\u200c", " "))
    s.wait_value(lambda: len(listed.items()), 1, "the list filtered by a folded spelling")
    s.type_into(field, "نيستان")
    s.wait_value(lambda: len(listed.items()), 0, "the list filtered by another word")
    s.type_into(field, "")
    s.step("the list of marks")
    # Away from the page, then back through the list.
    s.click(r.button(Reading.NEXT))
    s.wait_value(r.page_number, str(PAGE + 1), "the page after Next")
    s.double_click(s.wait(lambda: (listed.items() or [None])[0], "the list's line"))
    s.wait_value(r.page_number, str(PAGE), "the page opened from the list")
    mark_of(s, r, word)
    s.step("the passage opened from the list")

    out = os.path.join(tempfile.mkdtemp(prefix="ketab-export-"), "marks.md")
    s.click(s.control(notes, "push button", "برون‌بری"))
    s.pick_from_popup(1)
    s.file_dialog_choose(out)
    s.wait(lambda: os.path.exists(out), "the Markdown file written")
    with open(out, encoding="utf-8") as f:
        lines = f.read().splitlines()
    s.check("the Markdown export", ["# علامت‌ها و يادداشت‌ها", "", "## جلد دوم", "", "### بخش يكم: روزگار ساسانيان", "",
                                    f"- «{word}» (کتاب، جلد دوم، بخش يكم، صفحه {PAGE}) — زرد", f"  > {NOTE}"], lines)
    r.close_panel(notes)
    r.back_to_menu()

    # A new run, on the page changed underneath (words put before the passage), finds the
    # mark with its note on its words.
    path = book.page_file(PAGE)
    with open(path, encoding="utf-8-sig") as f:
        page = f.read()
    with open(path, "w", encoding="utf-8-sig") as f:
        f.write(page.replace(f">{text}<", f">سخني نو در آغاز. {text}<"))
    s.restart_program()
    r = open_section(s, 2)
    open_page(s, r, book, PAGE)
    s.check("the mark's note after a new run", NOTE, mark_of(s, r, word).description)
    s.step("the mark found again on a changed page")

    # Copy with citation from the mark's menu, read back from a field it is pasted into.
    page_menu(s, mark_of(s, r, word), 2)
    notes, listed = marks_list(s, r)
    field = s.control(notes, "text", FILTER)
    s.click(field)
    s.key("ctrl+a", "ctrl+v")
    s.wait_value(lambda: field.text, f"«{word}» (کتاب، جلد دوم، بخش يكم، صفحه {PAGE})", "the citation pasted")
    s.key("ctrl+a", "BackSpace")
    r.close_panel(notes)

    # Printed with the marks: the PDF's preview shows the passage in its colour.
    s.click(r.button(Reading.PRINT))
    w = s.window("print")
    s.click(s.control(w, "check box", "با علامت‌ها"))
    s.click(s.control(w, "push button", "چاپ"))
    preview = s.window("preview")
    pdf = s.control(preview, "push button", "پيشنمايش")
    s.wait(lambda: pdf.enabled, "the preview's buttons to be ready")
    s.click(pdf)
    dialog = s.dialog(60)
    s.wait(lambda: share_near(pixels(s, dialog.rect), YELLOW, 16) * dialog.rect.w * dialog.rect.h > 100,
           "the mark's yellow on the PDF's page")
    s.step("the mark in the PDF")
    s.key("Escape")
    s.wait(lambda: not dialog.showing, "the PDF's preview to close")
    s.click(s.control(preview, "push button", "بازگشت"))
    s.wait_hidden("preview")

    # From the keyboard: the caret (F7), a few letters selected with Shift, Ctrl+H; the menu key.
    first = page_find(r.view, lambda n: n.role == "label" and n.name == paragraphs[0])
    start = (first.rect.right - 29 - 2, first.rect.y + first.rect.h // 2)
    s.input.click(*start)
    s.key("F7", "shift+Left", "shift+Left", "shift+Left", "ctrl+h", "F7")
    notes, listed = marks_list(s, r)
    s.wait_value(lambda: len(listed.items()), 2, "a second mark, made from the keyboard")
    r.close_panel(notes)
    s.input.click(*start)
    s.key("Menu")
    s.popup()
    s.step("the page's menu from the menu key")
    s.key("Escape")
    r.back_to_menu()
    shutil.rmtree(os.path.dirname(_copy[0]), ignore_errors=True)
