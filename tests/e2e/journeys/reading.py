"""Reading: a section's contents, the page commands, links from contents and index pages."""

import os

from ketabe2e import journey
from ketabe2e.book import Book, page_status, contents_status, read_if_there, FIRST_PAGE
from ketabe2e.screens import Reading, open_section


def check_status(s, reading, expected):
    s.check("the status line", expected, reading.status())


def check_bar_buttons(s, reading):
    sizes = {name: (reading.button(name).rect.w, reading.button(name).rect.h)
             for name in (Reading.MENU, Reading.CONTENTS, Reading.SEARCH, Reading.PRINT,
                          Reading.FIRST, Reading.PREVIOUS, Reading.NEXT, Reading.LAST)}
    expected = {name: (76, 23) for name in (Reading.MENU, Reading.CONTENTS, Reading.SEARCH, Reading.PRINT)}
    expected.update({name: (32, 24) for name in (Reading.FIRST, Reading.PREVIOUS, Reading.NEXT, Reading.LAST)})
    s.check("bottom bar button sizes (width, height)", expected, sizes)


@journey("reading: a section's contents, Next, a typed page, First, Previous, Last, a contents link, the contents menu")
def reading(s):
    book = Book(s.book)
    r = open_section(s, 2)
    s.wait_hidden("menu")
    s.wait_repainted(r.view.rect, [], "section 2's contents to show")
    check_status(s, r, contents_status(2))
    s.step("section 2 contents", picture="reading", crop=r.window)
    check_bar_buttons(s, r)

    # After each move the page's own text is read from the tree, not only its number.
    s.check("page after Next on the contents", "766", r.press(Reading.NEXT))
    r.wait_page_text(book, 766)
    check_status(s, r, page_status(766))
    s.step("first page of section 2")

    s.check("page after typing 9999 in section 2", "1312", r.enter_page(9999))
    r.wait_page_text(book, 1312)
    check_status(s, r, page_status(1312))
    s.step("typed 9999")
    for button, page in ((Reading.PREVIOUS, 1311), (Reading.FIRST, 766)):
        s.check(f"page after {button}", str(page), r.press(button))
        r.wait_page_text(book, page)
    # On the first page Previous does nothing: the Next after it starts from 766.
    s.check("page after Previous then Next on the first page", "767",
            r.press_twice(Reading.PREVIOUS, Reading.NEXT))
    r.wait_page_text(book, 767)
    s.check("page after Last", "1312", r.press(Reading.LAST))
    r.wait_page_text(book, 1312)
    s.check("page after Next then Previous on the last page", "1311",
            r.press_twice(Reading.NEXT, Reading.PREVIOUS))
    r.wait_page_text(book, 1311)
    s.step("page commands")

    r.open_contents(2)
    check_status(s, r, contents_status(2))
    target = int(book.links("dir02.htm")[2][3:7])
    r.follow_link(3)
    s.check("page after the third contents link", str(target),
            s.after_change(r.page_number, "", "the page number after a contents link"))
    r.wait_page_text(book, target)
    check_status(s, r, page_status(target))
    s.step("contents link")
    s.check("page after Next from a page reached by a contents link", str(target + 1), r.press(Reading.NEXT))
    r.wait_page_text(book, target + 1)

    r.open_contents(4)
    check_status(s, r, contents_status(4))
    s.step("section 4 contents from the contents menu")
    s.check("page after Next on section 4's contents", str(FIRST_PAGE[3]), r.press(Reading.NEXT))
    r.wait_page_text(book, FIRST_PAGE[3])
    check_status(s, r, page_status(FIRST_PAGE[3]))
    r.back_to_menu()
    s.step("back to the start menu")


@journey("index: the general index, a link, the word marked; Next and Print as on any page")
def index(s):
    book = Book(s.book)
    # A contents page first: what it leaves behind must not outlive it.
    r = open_section(s, 2)
    s.wait_value(r.page_number, "", "the page number on section 2's contents")
    s.wait_repainted(r.view.rect, [], "section 2's contents to show")
    contents = s.grab(r.view.rect)
    r.back_to_menu()

    s.click(s.control(s.window("menu"), "push button", "نمایه‌ها"))
    s.pick_from_popup(1)
    r = Reading(s)
    s.wait_repainted(r.view.rect, [contents], "the general index to show")
    s.step("general index")
    link = book.links("ind01.htm")[0]
    page, word = int(link[3:7]), link.split("#", 1)[1]
    found = os.path.join(s.program.temp_folder(), "found.htm")
    r.follow_link(1)
    s.check("page after the index's first link", str(page),
            s.after_change(r.page_number, "", "the page number after an index link"))
    check_status(s, r, page_status(page))
    s.step("page of an index link")
    marked = s.wait(lambda: read_if_there(found), "found.htm in the program's temporary folder")
    occurrences = book.page_text(page).count(word)
    s.check_that("the link's word occurs on its page", occurrences > 0, "at least once", occurrences)
    s.check(f"marks of {word!r} in found.htm", occurrences,
            marked.count(f'<font color="#3399FF"><u>{word}</u></font>'))

    s.check("page after Next from an index link", str(page + 1), r.press(Reading.NEXT))
    check_status(s, r, page_status(page + 1))
    s.click(r.button(Reading.PRINT))
    printing = s.window("print", 5)
    s.step("print window over an index link's page")
    s.click(s.control(printing, "push button", "بازگشت"))
    s.wait_hidden("print")
    r.back_to_menu()




def full_screen(x):
    """The window manager shows the window over the whole screen, full screen or maximised."""
    return "_NET_WM_STATE_FULLSCREEN" in x.wm_state or \
        {"_NET_WM_STATE_MAXIMIZED_HORZ", "_NET_WM_STATE_MAXIMIZED_VERT"} <= x.wm_state


def pick_text_size(s, panel, size, key, name):
    """Opens the options panel and picks a text size from its box, one step up or down."""
    s.click(panel)
    s.wait(lambda: panel.rect.w >= 150, "the options panel to open on a click")
    s.click(size)
    s.popup()
    s.key(key, "Return")
    s.wait_value(lambda: size.name, name, f"the text size box after picking {name!r}")


@journey("options: the panel on hover and on click, music off and on, text size across pages, full screen, notes pinned")
def options(s):
    r = open_section(s, 3)
    s.check("page after Next on section 3's contents", str(FIRST_PAGE[2]), r.press(Reading.NEXT))
    panel = r.panel(Reading.OPTIONS)
    # The window is active under the window manager, so the mouse alone opens the panel.
    s.input.move(*panel.rect.center)
    s.wait(lambda: panel.rect.w >= 150, "the options panel to open under the mouse")
    s.step("options panel open on hover")
    r.close_panel(panel)
    s.click(panel)
    s.wait(lambda: panel.rect.w >= 150, "the options panel to open on a click")

    off = s.control(panel, "radio button", "موسيقی Off")
    on = s.control(panel, "radio button", "موسيقی On")
    s.click(off)
    s.wait(lambda: off.checked and not on.checked, "music off after its radio button")
    s.click(on)
    s.wait(lambda: on.checked and not off.checked, "music on after its radio button")

    # Text size: the large size on one page is still the large size on the next. Every
    # picture of the page is taken with the options panel closed, as opening it narrows
    # the view: two pictures of one page then differ in the text size alone.
    size = s.control(panel, "combo box", "معمولی")
    r.close_panel(panel)
    view = r.view.rect
    s.wait_repainted(view, [], "the page to hold still with the options panel closed")
    normal = s.grab(view)
    pick_text_size(s, panel, size, "Down", "بزرگ")
    r.close_panel(panel)
    s.wait_repainted(view, normal, "the page to show in the large size")
    s.check("page after Next in the large size", str(FIRST_PAGE[2] + 1), r.press(Reading.NEXT))
    s.wait_repainted(view, [], "the next page to show")
    large_next = s.grab(view)
    s.step("large text on the next page")
    pick_text_size(s, panel, size, "Up", "معمولی")
    r.close_panel(panel)
    s.wait_repainted(view, large_next, "the next page to show in the normal size")
    s.click(panel)
    s.wait(lambda: panel.rect.w >= 150, "the options panel to open again")

    full = s.control(panel, "check box", "كل صفحه نمايش")
    s.click(full)
    s.wait(lambda: full.checked, "the full-screen box to be checked")
    x = s.x_window(r.window)
    s.wait(lambda: full_screen(s.x_window(r.window)), "the reading window on the full screen")
    s.step("full screen")
    s.click(panel)
    s.wait(lambda: panel.rect.w >= 150, "the options panel to open again")
    s.click(full)
    s.wait(lambda: not full.checked and not full_screen(s.x_window(r.window)),
           "the reading window back from full screen")
    s.check("reading window after full screen and back", x.rect, s.x_window(r.window).rect)

    # The notes panel pinned from the options: it stays open after the options panel,
    # which no one pinned, has closed by itself.
    s.click(panel)
    s.wait(lambda: panel.rect.w >= 150, "the options panel to open again")
    pin = s.control(panel, "check box", "فرم يادداشتها")
    notes = r.panel(Reading.NOTES)
    s.click(pin)
    s.wait(lambda: notes.rect.w >= 150 and pin.checked, "the notes panel to open pinned")
    s.input.move(*r.view.rect.center)
    s.wait(lambda: panel.rect.w <= 10, "the options panel to close by itself")
    s.check("notes panel width after the options panel closed", 169, notes.rect.w)
    s.step("notes panel pinned")
    s.click(panel)
    s.wait(lambda: panel.rect.w >= 150, "the options panel to open again")
    s.click(pin)
    s.wait(lambda: notes.rect.w <= 10 and not pin.checked, "the notes panel to close when unpinned")
    r.back_to_menu()
