"""The index pages: a contents page left for an index no longer steers the page commands."""

from ketabe2e import journey
from ketabe2e.book import Book, SECTION_NAMES, LAST_PAGE, section_of
from ketabe2e.screens import Reading

# The start menu empties the status line for an index page, and the empty line is then
# laid out 0 pixels wide.
EMPTY_STATUS = ("empty status line laid out 0 px wide", r"^label '[^']*' is 0 x \d+ pixels")


@journey("index: after a section's contents, a page reached from the index takes Next and Print")
def index_after_contents(s):
    book = Book(s.book)
    menu = s.window("menu")
    s.click(s.control(menu, "push button", SECTION_NAMES[1]))
    r = Reading(s)
    s.wait_hidden("menu")
    s.wait_value(r.page_number, "", "the page number on section 2's contents")
    s.step("section 2 contents")
    r.back_to_menu()

    menu = s.window("menu")
    s.click(s.control(menu, "push button", "نمایه‌ها"))
    s.pick_from_popup(1)
    r = Reading(s)
    s.wait_hidden("menu")
    # The first entry of the general index that leads into section 2, not to its last page.
    links = book.links("ind01.htm")
    position, target = next((i + 1, int(link[3:7])) for i, link in enumerate(links)
                            if section_of(int(link[3:7])) == 2 and int(link[3:7]) < LAST_PAGE[1])
    with s.known_defect(*EMPTY_STATUS):
        s.step("general index")
    r.follow_link(position)
    s.check("page after the index link", str(target),
            s.after_change(r.page_number, "", "the page number after an index link"))
    s.step("page reached from the index")
    s.check("page after Next from a page reached by an index link", str(target + 1), r.press(Reading.NEXT))
    s.click(r.button(Reading.PRINT))
    s.window("print")
    s.step("print window over the page")
    s.click(s.control(s.window("print"), "push button", "بازگشت"))
    s.wait_hidden("print")
    r.back_to_menu()
