"""History: back and forward between the places jumps left; where the reader is, how long is left."""

import os

import pyatspi

from ketabe2e import journey
from ketabe2e.book import FIRST_PAGE, LAST_PAGE, page_status, read_if_there, section_of
from ketabe2e.screens import Reading

BACK, FORWARD = "برگشت", "جلو"
WHERE = "جای شما در کتاب"


def half_up(x):
    return int(x + 0.5)


def progress_words(page):
    """The place and the time left as a first run says them: a minute a page."""
    k = section_of(page) - 1
    first, last = FIRST_PAGE[k], LAST_PAGE[k]
    minutes = last - page + 1
    hours, rest = divmod(minutes, 60)
    left = (f"حدود {minutes} دقیقه" if minutes < 60 else
            f"حدود {hours} ساعت" if rest == 0 else f"حدود {hours} ساعت و {rest} دقیقه")
    return (f"صفحه {page} از {last} · {half_up(100 * (page - first + 1) / (last - first + 1))}٪ از این بخش"
            f" · {half_up(100 * page / LAST_PAGE[-1])}٪ از کتاب · {left} تا پایان بخش")


def link_at_middle(r):
    """The middle of a link about the middle of the view: the line of the index there, one of its links."""
    doc, rect = r.view.find("document web").acc, r.view.rect
    for y in range(rect.y + rect.h // 2, rect.y + rect.h // 2 + 60, 10):
        line = doc.queryComponent().getAccessibleAtPoint(rect.x + rect.w // 2, y, pyatspi.DESKTOP_COORDS)
        for link in (line or []):
            if link is not None and link.getRoleName() == "link":
                e = link.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
                return e.x + e.width // 2, e.y + e.height // 2
    raise AssertionError("no link in the middle of the page")


@journey("history: an index link, Back by key and by the mouse to the index as scrolled, Forward; where the reader is after Next")
def back_and_forward(s):
    s.click(s.control(s.window("menu"), "push button", "نمایه‌ها"))
    s.pick_from_popup(1)
    r = Reading(s)
    back, forward = r.button(BACK), r.button(FORWARD)
    view = r.view.rect
    s.wait_repainted(view, [], "the general index to show")
    s.check("Back and Forward before any jump (enabled)", (False, False), (back.enabled, forward.enabled))

    # Down the index, then a click on a link there.
    top = s.grab(view)
    s.input.click(view.x + view.w // 2, view.y + 12)
    s.key("Page_Down", "Page_Down", "Page_Down")
    s.wait_repainted(view, top, "the index to scroll down")
    left = s.grab(view)
    s.input.click(*link_at_middle(r))
    page = int(s.after_change(r.page_number, "", "the page number after an index link"))
    s.wait_value(r.status, page_status(page), "the status line of the index link's page")
    s.wait(lambda: back.enabled and not forward.enabled, "Back alone enabled after the jump")
    s.step("index link followed")

    def shows_index_as_left(how):
        s.wait_value(r.page_number, "", f"the page number on the index after {how}")
        s.wait(lambda: s.grab(view) == left, f"the index scrolled as it was left, after {how}")
        s.wait(lambda: forward.enabled and not back.enabled, f"Forward alone enabled after {how}")

    # Right to left, Back is Alt+Right.
    s.key("alt+Right")
    shows_index_as_left("Alt+Right")
    s.step("back on the index by the key")
    s.key("alt+Left")
    s.wait_value(r.page_number, str(page), "the page number after Alt+Left")
    s.wait_value(r.status, page_status(page), "the status line after Alt+Left")
    s.input.click(*r.view.rect.center, button=8)
    shows_index_as_left("the mouse's back button")
    # The result page is written again when it is gone. The page's menu: Forward is its
    # second line that can be chosen, after Select all.
    found = os.path.join(s.program.temp_folder(), "found.htm")
    os.remove(found)
    s.input.click(*r.view.rect.center, button=3)
    s.popup()
    s.key("Down", "Down", "Return")
    s.wait_value(r.page_number, str(page), "the page number after Forward from the page's menu")
    s.check_that("the index word marked in found.htm written again", 'color="#3399FF"' in (read_if_there(found) or ""),
                 "marks", "none")

    # Next is no jump: Back still goes to the index. The words follow the page.
    s.check("page after Next", str(page + 1), r.press(Reading.NEXT))
    words = s.control(r.window, "label", progress_words(page + 1))
    s.check("what the words are", WHERE, words.description)
    s.step("where the reader is after Next")
    s.click(back)
    shows_index_as_left("the Back button after Next")
    s.wait(lambda: not words.showing, "the place words to leave with the book page")
    r.back_to_menu()
