"""The program at 200 %, as on a high-density screen: the start menu, a section, a search
and the options panel, every screen under the same rules as at 100 %."""

from ketabe2e import journey
from ketabe2e.book import Book, FIRST_PAGE, LAST_PAGE
from ketabe2e.screens import Reading, Search, count_line, open_section, result_line

SCALE = 2
QUERY = "آبجوش+آبگیرش"


def twice(size):
    return tuple(SCALE * n for n in size)


@journey("200 %: the start menu, a section's page, a search over it and the options panel at twice their size")
def at_twice_the_size(s):
    book = Book(s.book)
    menu = s.window("menu")
    s.step("start menu at 200 %")
    s.check("start menu size at 200 %", twice((600, 440)), (menu.rect.w, menu.rect.h))

    r = open_section(s, 2)
    s.wait_hidden("menu")
    s.check("page after Next on section 2's contents", str(FIRST_PAGE[1]), r.press(Reading.NEXT))
    r.wait_page_text(book, FIRST_PAGE[1])
    s.step("first page of section 2 at 200 %")
    s.check("bottom bar button sizes at 200 % (Menu, Next)", [twice((76, 23)), twice((32, 24))],
            [(b.rect.w, b.rect.h) for b in (r.button(Reading.MENU), r.button(Reading.NEXT))])

    # Over the reading window the search looks in the section on screen.
    s.click(r.button(Reading.SEARCH))
    w = Search(s)
    pages, pairs = book.search(QUERY, FIRST_PAGE[1], LAST_PAGE[1])
    w.run(QUERY)
    s.check(f"results of {QUERY!r} in section 2", [result_line(p) for p in pages], w.lines())
    s.check("the count line", count_line(pairs), w.count_text())
    s.step("search results at 200 %")
    s.click(s.control(w.window, "push button", "بازگشت"))
    s.wait_hidden("search")

    panel = r.panel(Reading.OPTIONS)
    s.click(panel)
    s.wait(lambda: panel.rect.w >= SCALE * 150, "the options panel to open")
    s.step("options panel at 200 %")
    s.check("height of the music switch at 200 %", SCALE * 19,
            s.control(panel, "radio button", "موسيقی Off").rect.h)
    r.close_panel(panel)
    r.back_to_menu()
