"""A reader without a mouse, or without sight: the keyboard alone and the accessibility tree."""

import os
import re

from ketabe2e import journey
from ketabe2e.access import (NameChanges, STATUS, COUNT, VIEW, NOTES_LIST, NOTES_INSERT, NOTES_SAVE, back_to_menu,
                             by_description, move_focus_to, open_section, page_texts, paragraph_words, press_in_menu,
                             status)
from ketabe2e.book import Book, page_status
from ketabe2e.book import read as read_file
from ketabe2e.screens import note_entry


@journey("access: the page status read after Ctrl+PageDown, announced as it changes")
def status_after_ctrl_page_down(s):
    heard = NameChanges()
    try:
        reading = open_section(s, 2)
        s.key("ctrl+Next")
        s.wait_value(lambda: status(reading), page_status(766), "the status line after Ctrl+PageDown")
        s.wait(lambda: heard.heard(by_description(reading, "label", STATUS)), "the status line's change to be announced")
        s.step("Ctrl+PageDown on section 2's contents")
        s.key("ctrl+Next", "ctrl+Next")
        s.wait_value(lambda: status(reading), page_status(768), "the status line after two more Ctrl+PageDown")
        s.key("ctrl+End")
        s.wait_value(lambda: status(reading), page_status(1312), "the status line after Ctrl+End")
        s.key("ctrl+Home")
        s.wait_value(lambda: status(reading), page_status(766), "the status line after Ctrl+Home")
        back_to_menu(s, reading)
    finally:
        heard.close()


@journey("access: a sentence of the shown page read from the tree, of a UTF-8 and of a UTF-16 page")
def page_text_in_tree(s):
    book = Book(s.book)
    # Page 800 is stored as UTF-8, page 4 as UTF-16 with its byte order mark.
    for section, page in ((2, 800), (1, 4)):
        reading = open_section(s, section)
        s.key("ctrl+g")
        s.type(str(page))
        s.key("Return")
        s.wait_value(lambda: status(reading), page_status(page), f"the status line on page {page}")
        view = s.control(reading, "filler", VIEW)
        sentence = " ".join(paragraph_words(book, page)[1:6])
        s.wait(lambda: any(sentence in t for t in page_texts(view)), f"the page's words {sentence!r} in the tree")
        s.step(f"page {page} read from the tree")
        back_to_menu(s, reading)


@journey("access: a search run and a result opened with keys alone; the marked words are nodes of their own")
def search_by_keys(s):
    book = Book(s.book)
    term = max((w.strip(".,،") for w in paragraph_words(book, 800)), key=len)
    press_in_menu(s, "جستجو")
    search = s.window("search")
    s.type(term)
    s.key("Return")
    count = by_description(search, "label", COUNT)
    s.wait(lambda: re.search(r"= [1-9]\d*$", count.name), "the search count to read a number above 0")
    s.step("search run from the keyboard")
    results = s.control(search, "list", "نتايج جستجو")
    line = next(i for i, item in enumerate(results.items()) if "0800" in item.name)
    move_focus_to(s, search, "نتايج جستجو")
    s.key("Home", *["Down"] * line, "Return")
    reading = s.window("reading")
    s.wait_hidden("search")
    s.wait_value(lambda: status(reading), page_status(800), "the status line on the result page")
    view = s.control(reading, "filler", VIEW)
    s.wait(lambda: term in page_texts(view), f"the marked word {term!r} as a node of its own")
    s.step("result page opened from the keyboard")
    back_to_menu(s, reading)


@journey("access: notes saved through the save dialog with keys alone")
def notes_saved_by_keys(s):
    reading = open_section(s, 1)
    s.key("ctrl+Next")
    s.wait_value(lambda: status(reading), page_status(1), "the status line on page 1")
    # Back from the page number box over the bar into the notes panel, which opens.
    s.key("ctrl+g")
    move_focus_to(s, reading, NOTES_INSERT, "shift+Tab")
    s.key("Return")
    notes = s.control(reading, "list", NOTES_LIST)
    s.wait(lambda: len(notes.items()) == 1, "one entry in the notes list")
    s.step("an entry noted from the keyboard")
    move_focus_to(s, reading, NOTES_SAVE)
    s.key("Return")
    s.wait(lambda: any(w.role in ("dialog", "file chooser") and w.showing for w in s.app.children),
           "the save dialog to show")
    s.step("the save dialog")
    target = os.path.join(s.program.home, "keys.bmk")
    s.type(target)
    s.key("Return")
    s.wait(lambda: os.path.exists(target), f"the notes file {target}")
    s.check("the saved notes", [note_entry(1)], [l for l in read_file(target).split("\r\n") if l])
    back_to_menu(s, reading)
