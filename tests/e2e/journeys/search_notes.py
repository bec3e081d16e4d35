"""Search over the book, results to the reading window and to the notes list; the notes
list saved, loaded, followed and printed."""

import os
import re

from ketabe2e import journey
from ketabe2e.book import Book, FIRST_PAGE, LAST_PAGE, query_terms, read, searched_text
from ketabe2e.screens import FOUND_MARK, Reading, Search, count_line, note_entry, open_section, result_line

WHOLE_BOOK_QUERY = "آبجوش"
# Typed with the Persian yeh; the book writes the Arabic one.
SECTION_QUERY = "آبجوش+آبگیرش"


@journey("search: a whole-book and a section query against an independent count, a result opened, results to notes")
def search(s):
    book = Book(s.book)
    s.from_menu("جستجو", "search")
    w = Search(s)
    s.step("search window over the start menu")
    s.check("height of the search's progress bar", 9, w.progress.rect.h)

    pages, pairs = book.search(WHOLE_BOOK_QUERY)
    w.run(WHOLE_BOOK_QUERY)
    s.check(f"results of {WHOLE_BOOK_QUERY!r} in the whole book", [result_line(p) for p in pages], w.lines())
    s.check("the count line", count_line(pairs), w.count_text())
    s.step("whole-book results", picture="search", crop=w.window)

    # A word of the pages' markup means nothing to a reader: it finds nothing.
    s.check("results of 'span' in the whole book (lines)", 0, w.run("span"))

    w.choose_scope(2)
    s.wait_value(lambda: w.scope.name, "جلد دوم - بخش 1 ", "the scope after picking section 2")
    pages, pairs = book.search(SECTION_QUERY, FIRST_PAGE[1], LAST_PAGE[1])
    w.run(SECTION_QUERY)
    s.check(f"results of {SECTION_QUERY!r} in section 2", [result_line(p) for p in pages], w.lines())
    s.check("the count line", count_line(pairs), w.count_text())
    s.step("section results")

    first = pages[0]
    s.double_click(w.results.items()[0])
    r = Reading(s)
    s.wait_hidden("search")
    s.wait_hidden("menu")
    s.wait_value(r.page_number, str(first), "the page number of the opened result")
    s.step("result page")
    found = read(os.path.join(s.program.temp_folder(), "found.htm"))
    page_text = book.page_text(first)
    for term in query_terms(SECTION_QUERY):
        s.check(f"marks of {term!r} in found.htm", page_text.count(term), found.count(FOUND_MARK.format(term)))
    s.check_that("the opened result shows a term", any(FOUND_MARK.format(t) in found for t in query_terms(SECTION_QUERY)),
                 "a marked term", "none")

    # Back to the search from the reading window: the results are still there.
    s.click(r.button(Reading.SEARCH))
    w = Search(s)
    s.check("results kept when the search opens again", [result_line(p) for p in pages], w.lines())
    s.click(s.control(w.window, "push button", "ارسال نتايج به يادداشت"))
    s.wait_value(r.notes, [note_entry(p) for p in pages], "the notes list after sending the results")
    s.click(s.control(w.window, "push button", "بازگشت"))
    s.wait_hidden("search")
    r.open_notes()
    s.step("results sent to the notes list")
    s.click(r.notes_button("جديد"))
    s.wait_value(r.notes, [], "the notes list after New")
    r.back_to_menu()


def entries_of_file(path):
    with open(path, "rb") as f:
        data = f.read()
    return data[:2], data[2:].decode("utf-16-le")


def check_print_document(s, book, pages):
    places = book.places_in(read(os.path.join(s.program.temp_folder(), "print.htm")), pages)
    s.check("places of the noted pages in print.htm, in list order (-1: missing)",
            sorted(places) if -1 not in places else "all found, ascending", places)


@journey("notes: pages noted, saved and loaded through the file dialogs, followed, printed twice")
def notes(s):
    book = Book(s.book)
    r = open_section(s, 1)
    r.press(Reading.NEXT)
    noted = [1, 376, 766]
    s.click(r.notes_button("ايجاد"))
    r.enter_page(376)
    s.click(r.notes_button("ايجاد"))
    r.open_contents(2)
    r.press(Reading.NEXT)
    s.click(r.notes_button("ايجاد"))
    s.wait_value(r.notes, [note_entry(p) for p in noted], "the notes list after noting three pages")
    s.step("three pages noted")

    saved = os.path.join(s.program.workdir, "my-notes")
    s.click(r.notes_button("ذخيره"))
    s.file_dialog_choose(saved)
    mark, text = s.wait(lambda: os.path.exists(saved + ".bmk") and entries_of_file(saved + ".bmk"),
                        "the notes file my-notes.bmk to be written")
    s.check("byte-order mark of the notes file", b"\xff\xfe", mark)
    s.check("lines of the notes file", "".join(note_entry(p) + "\r\n" for p in noted), text)

    s.click(r.notes_button("جديد"))
    s.wait_value(r.notes, [], "the notes list after New")
    s.click(r.notes_button("خواندن"))
    s.file_dialog_choose(saved + ".bmk")
    s.wait_value(r.notes, [note_entry(p) for p in noted], "the notes list loaded back from my-notes.bmk")
    s.step("notes loaded back")

    # Saved again under the same name: the dialog asks about the file that would be replaced.
    written = os.stat(saved + ".bmk").st_mtime_ns
    s.click(r.notes_button("ذخيره"))
    chooser = s.dialog()
    s.type_into(s.wait(lambda: chooser.find("text", where=lambda n: "focused" in n.states),
                       "the save dialog's name field to have the focus"), saved)
    s.key("Return")
    asked = s.wait(lambda: next((n for n in s.app.children if n.role == "alert" and n.showing), None),
                   "the question whether to replace my-notes.bmk")
    s.check_that("the question names the file that would be replaced",
                 any("my-notes.bmk" in label.name for label in asked.find_all("label")),
                 "my-notes.bmk", [label.name for label in asked.find_all("label")])
    s.step("asked before replacing my-notes.bmk")
    s.key("Escape")
    s.wait(lambda: not asked.showing, "the question to close on Escape")
    s.key("Escape")
    s.wait(lambda: not chooser.showing, "the save dialog to close on Escape")
    s.check("my-notes.bmk after the reader declined to replace it", written, os.stat(saved + ".bmk").st_mtime_ns)

    r.open_notes()
    items = r.notes_list().items()
    s.click(items[1])
    s.check("page after going to the second note", "376", r.press(r.notes_button("رجوع")))
    r.open_notes()
    s.click(items[0])
    listbox = r.notes_list()
    below = listbox.rect
    before = r.page_number()
    s.input.double_click(below.x + below.w // 2, below.bottom - 10)
    s.check("page after a double-click below the notes with the first selected", "1",
            s.after_change(r.page_number, before, "the page number after a double-click below", 5))

    s.click(r.notes_button("چاپ صفحات انتخاب شده"))
    preview = s.window("preview")
    check_print_document(s, book, noted)
    s.step("noted pages in the preview")
    shown = s.grab(preview.find("filler", "سند چاپ").rect)

    s.check("the window on top with the preview open", "preview", s.topmost(("preview", "reading")))
    s.click(s.control(preview, "push button", "بازگشت"))
    s.wait_hidden("preview")
    # One note fewer, print again: the preview shows the new document.
    r.open_notes()
    s.click(r.notes_list().items()[0])
    s.click(r.notes_button("حذف"))
    s.wait_value(r.notes, [note_entry(p) for p in noted[1:]], "the notes list after deleting the first")
    s.click(r.notes_button("چاپ صفحات انتخاب شده"))
    preview = s.window("preview")
    s.wait(lambda: read(os.path.join(s.program.temp_folder(), "print.htm")).find(book.body_line(1)) < 0,
           "print.htm without the deleted page")
    check_print_document(s, book, noted[1:])
    s.wait_repainted(preview.find("filler", "سند چاپ").rect, shown, "the preview to show the new print document")
    s.step("second print of the notes")
    s.click(s.control(preview, "push button", "بازگشت"))
    s.wait_hidden("preview")

    # A notes file from elsewhere with a page outside its section: going to it is refused.
    stray = "جلد: 01 -- صفحه: 9999"
    outside = os.path.join(s.program.workdir, "outside.bmk")
    with open(outside, "wb") as f:
        f.write(b"\xff\xfe" + (stray + "\r\n").encode("utf-16-le"))
    s.click(r.notes_button("خواندن"))
    s.file_dialog_choose(outside)
    s.wait_value(r.notes, [stray], "the notes list loaded from outside.bmk")
    before = r.page_number()
    r.open_notes()
    s.click(r.notes_list().items()[0])
    s.click(r.notes_button("رجوع"))
    refusal = s.dialog()
    s.check_that("the refusal names the entry", stray in refusal.description, stray, refusal.description)
    s.step("a page outside its section refused")
    s.key("Return")
    s.wait(lambda: not refusal.showing, "the refusal to close")
    s.check("the page number after the refused entry", before, r.page_number())
    r.back_to_menu()


# Folded matching, written independently of the program: each letter of the query with the
# letters that count as the same, each followed by what folding ignores; a half-space of the
# page may stand anywhere; a blank of the query takes one space of any kind or half-spaces.
SAME_LETTERS = ["يیىئ", "كک", "اأإآٱ", "وؤ", "هةۀ"]
IGNORED = "[\u064b-\u065f\u0670\u0640\u200d-\u200f\u061c\u0610-\u061a\u06d6-\u06dc\u06df-\u06e8\u06ea-\u06ed]"
SPACES = " \u00a0\u1680\u2000-\u200a\u202f\u205f\u3000"


def folded_pattern(query):
    blank = f"\u200c*[{SPACES}\u200c]\u200c*"
    tokens = []
    for ch in query:
        if ch == " ":
            tokens.append(blank)
            continue
        same = next((group for group in SAME_LETTERS if ch in group), None)
        tokens.append((f"[{same}]" if same else re.escape(ch)) + IGNORED + "*")
    pattern = tokens[0]
    for before, token in zip(tokens, tokens[1:]):
        pattern += token if blank in (before, token) else "\u200c*" + token
    return re.compile(pattern)


# A compound the book joins with a half-space, typed with a blank and the Persian keheh.
FOLDED_QUERY = "کتاب خانه"


@journey("search: folded matching finds a half-space typed as a blank, marks the page's own spelling, shows its context")
def folded_search(s):
    book = Book(s.book)
    pattern = folded_pattern(FOLDED_QUERY)
    pages = [p for p in range(FIRST_PAGE[0], LAST_PAGE[4] + 1)
             if os.path.exists(book.page_file(p)) and pattern.search(searched_text(book.page_text(p)))]
    s.check_that("the sample book holds the compound", 0 < len(pages) < 999, "1..998 pages", len(pages))
    s.from_menu("جستجو", "search")
    w = Search(s)
    folded = s.control(w.window, "check box", "چشم\u200cپوشي از شيوه نگارش")
    s.check("the folded check box at start", False, folded.checked)
    # Unticked, the exact search knows only the blank: the pages that write it so.
    exact_pages, _ = book.search(FOLDED_QUERY)
    s.check_that("pages that write the compound only with a half-space", len(pages) > len(exact_pages),
                 f"more than {len(exact_pages)}", len(pages))
    w.run(FOLDED_QUERY)
    s.check("exact results of the compound typed with a blank", [result_line(p) for p in exact_pages], w.lines())
    s.click(folded)
    s.wait_value(lambda: folded.checked, True, "the folded check box after a click")
    w.run(FOLDED_QUERY)
    s.check(f"folded results of {FOLDED_QUERY!r}", [result_line(p) for p in pages], w.lines())
    s.check("the count line", count_line(len(pages)), w.count_text())

    first = pages[0]
    text = searched_text(book.page_text(first))
    spelling = pattern.search(text).group(0)
    s.click(w.results.items()[0])
    context = s.wait(lambda: w.window.find("label", where=lambda n: spelling in (n.name or "")),
                     "the context line of the selected result")
    s.check_that("the context line holds the page's own spelling", spelling in context.name, spelling, context.name)
    s.check("the selected line's description", context.name, w.results.items()[0].description)
    s.step("folded results with a context line", picture="search-folded", crop=w.window)

    s.double_click(w.results.items()[0])
    r = Reading(s)
    s.wait_hidden("search")
    s.wait_value(r.page_number, str(first), "the page number of the opened result")
    s.step("folded result page")
    found = read(os.path.join(s.program.temp_folder(), "found.htm"))
    whole = book.page_text(first)
    s.check("marks on the page's own spellings", [FOUND_MARK.format(m.group(0)) for m in pattern.finditer(whole)],
            re.findall('<font color="#FF8000"><u>.*?</u></font>', found))

    s.click(r.button(Reading.SEARCH))
    w = Search(s)
    # A quotation set with Quranic marks and no-break spaces, typed in its plain spelling.
    quoting = next(p for p in range(FIRST_PAGE[0], LAST_PAGE[4] + 1) if "\u061c" in book.page_text(p))
    verse = re.search("\u061c([^»]*)»", book.page_text(quoting)).group(1)
    query = " ".join(re.split(f"[{SPACES}]", re.sub(IGNORED, "", verse))[:3])
    pattern = folded_pattern(query)
    pages = [p for p in range(FIRST_PAGE[0], LAST_PAGE[4] + 1)
             if os.path.exists(book.page_file(p)) and pattern.search(searched_text(book.page_text(p)))]
    s.check_that("the quotation's page among the pages of its plain spelling", quoting in pages, quoting, pages)
    w.choose_scope(0)
    s.wait_value(lambda: w.scope.name, "كل كتاب", "the scope after picking the whole book")
    w.run(query)
    s.check(f"folded results of the quotation's words {query!r}", [result_line(p) for p in pages[:999]], w.lines())

    # The box back as it was, for whoever searches next.
    s.click(folded := s.control(w.window, "check box", "چشم\u200cپوشي از شيوه نگارش"))
    s.wait_value(lambda: folded.checked, False, "the folded check box after another click")
    s.click(s.control(w.window, "push button", "بازگشت"))
    s.wait_hidden("search")
    r.back_to_menu()
