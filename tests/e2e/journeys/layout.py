"""The page laid out the reader's way: each layout choice changes the page and keeps the
paragraph at its top, and comes back after a new start; the search follows the query as
it is typed, against an independent count, and a recent search is picked from its list."""

from ketabe2e import journey
from ketabe2e.access import page_texts, press_and_follow
from ketabe2e.book import Book
from ketabe2e.screens import Reading, Search, count_line, open_section, result_line
from journeys.remember import leave_from_menu, options_panel, settled

PAGE = 1000
LAYOUT_TAB = "صفحه‌آرايی"
JUSTIFIED = "تراز دو طرفه"
RECENT = "جستجوهای اخير"
# The typed query, and one the search button runs: the two recent searches.
TYPED, BUTTON = "آبجوش", "آبگیرش"


def paragraphs(view):
    """The page's paragraphs as the tree gives them, each (text, place on screen)."""
    found, level = [], view.children
    for _ in range(8):
        found = [n for n in level if n.role == "paragraph"]
        if found:
            break
        level = [c for n in level for c in n.children]
    return [(" ".join(page_texts(n)), n.rect) for n in found]


def top_paragraph(view):
    """The text of the first paragraph that shows at the top of the page."""
    top = view.rect.y
    return next((text for text, rect in paragraphs(view) if rect.bottom > top + 2 and text), None)


def layout_page(s, r):
    panel = options_panel(s, r)
    box = panel.find("check box", JUSTIFIED)
    if box is None or not box.on_screen:
        s.click(s.control(panel, "page tab", LAYOUT_TAB))
    s.control(panel, "check box", JUSTIFIED)
    return panel


def layout_lists(s, panel):
    """The line spacing, text width and typeface lists, in that order."""
    return s.wait(lambda: (lambda boxes: boxes if len(boxes) == 3 else None)(
        panel.find_all("combo box", where=lambda n: n.on_screen)[-3:]), "the three layout lists")


@journey("layout: each choice changes the page and keeps its top paragraph; the choices come back after a new start")
def page_layout(s):
    r = open_section(s, 2)
    r.enter_page(PAGE)
    view = r.view.rect
    s.wait(lambda: len(paragraphs(r.view)) > 5, "the page's paragraphs in the tree")
    s.input.click(view.x + view.w // 2, view.y + view.h // 2)
    s.key("Page_Down")
    s.wait(lambda: paragraphs(r.view)[0][1].bottom < view.y, "the page to scroll down")
    # (list, items down from the book's own, what it changes). The sample book's own font is a
    # copy of the first family offered: the second changes the page.
    steps = [(0, 1, "line spacing wide"), (1, -1, "text width narrow"), (2, 2, "another Persian typeface"),
             (None, 0, "justified off")]
    for index, moves, what in steps:
        top, before, shape = top_paragraph(r.view), s.grab(view), paragraphs(r.view)
        panel = layout_page(s, r)
        s.check_that(f"a paragraph at the top before {what}", top is not None, "one", top)
        if index is None:
            box = s.control(panel, "check box", JUSTIFIED)
            s.click(box)
            s.wait(lambda: not box.checked, "the justified box cleared")
        else:
            s.click(layout_lists(s, panel)[index])
            s.popup()
            s.key(*(["Down"] * moves if moves > 0 else ["Up"] * -moves), "Return")
        r.close_panel(panel)
        s.wait_repainted(view, before, f"the page to show {what}")
        if index is not None:
            # Lines broken anew move the paragraphs: the tree has followed once they have.
            s.wait(lambda: [rect for _, rect in paragraphs(r.view)] != [rect for _, rect in shape],
                   f"the tree to follow {what}")
        s.wait_value(lambda: top_paragraph(r.view), top, f"the paragraph at the top after {what}")
        s.step(what)
    panel = layout_page(s, r)
    chosen = [box.name for box in layout_lists(s, panel)]
    s.check_that("a typeface other than the book's", chosen[2] != "قلم كتاب", "a family", chosen[2])
    s.step("the layout page of the options", picture="options-layout", crop=panel)
    r.close_panel(panel)
    left = settled(s, view, "the page to show without the panel")
    r.back_to_menu()
    leave_from_menu(s)

    s.restart_program()
    menu = s.window("menu")
    s.click(s.wait(lambda: next((b for b in menu.find_all("push button", where=lambda n: n.showing)
                                 if b.name.startswith("ادامه مطالعه")), None), "the continue control"))
    r = Reading(s)
    s.wait(lambda: s.grab(r.view.rect) == left, "the page laid out and scrolled as it was left")
    # By keyboard: Tab from the page number round to the options' tabs, an arrow to the layout page.
    # (The current tab reads as focused wherever the focus is: the focus events tell.)
    s.key("ctrl+g")
    reached = []
    while len(reached) < 12 and not (reached and reached[-1] and "page tab" in reached[-1].role):
        reached.append(press_and_follow(s, "Tab"))
    s.check("Tab from the bottom bar reaches the options' tabs", True, bool(reached[-1]) and "page tab" in reached[-1].role)
    s.key("Left")
    panel = r.panel(Reading.OPTIONS)
    s.control(panel, "check box", JUSTIFIED)
    spacing = press_and_follow(s, "Tab")
    s.check("what Tab reaches on the layout page", ("combo box", chosen[0]), spacing and (spacing.role, spacing.name))
    s.check("the layout lists after a new start", chosen, [box.name for box in layout_lists(s, panel)])
    s.check("the justified box after a new start", False, s.control(panel, "check box", JUSTIFIED).checked)
    s.step("layout choices back after a new start, reached by keyboard")
    s.key("shift+Tab", "Right")
    s.control(panel, "check box", "صفحه شب")
    s.key("ctrl+g")
    s.wait(lambda: panel.rect.w <= 10, "the options panel to close once the focus has left it")
    r.back_to_menu()


@journey("search as you type: the count follows the query letter by letter; a recent search picked from its list")
def typed_search(s):
    book = Book(s.book)
    s.from_menu("جستجو", "search")
    w = Search(s)
    recent = s.control(w.window, "push button", RECENT)
    s.check("the recent searches' button on a first run", False, recent.enabled)
    s.click(w.edit)
    for letter in TYPED:
        s.type(letter)
    pages, pairs = book.search(TYPED)
    s.wait_value(w.count_text, count_line(pairs), f"the count after typing {TYPED!r}", 60)
    s.wait(lambda: w.progress.value == 100, "the typed search to go through the book")
    s.check(f"results of {TYPED!r} as typed", [result_line(p) for p in pages], w.lines())
    s.step("results as typed")
    # Leaving the window keeps the typed search among the recent ones; the button's comes before it.
    s.click(s.control(w.window, "push button", "بازگشت"))
    s.wait_hidden("search")
    s.from_menu("جستجو", "search")
    s.wait(lambda: recent.enabled, "the recent searches' button enabled")
    w.run(BUTTON)
    s.click(recent)
    s.popup()
    s.key("Down", "Return")
    s.wait_value(lambda: w.edit.text, TYPED, "the query picked from the recent searches")
    s.wait_value(w.count_text, count_line(pairs), "the count of the recent search picked", 60)
    s.check("results of the recent search picked", [result_line(p) for p in pages], w.lines())
    s.click(s.control(w.window, "push button", "بازگشت"))
    s.wait_hidden("search")
    leave_from_menu(s)

    s.restart_program()
    s.from_menu("جستجو", "search")
    w = Search(s)
    recent = s.control(w.window, "push button", RECENT)
    s.wait(lambda: recent.enabled, "the recent searches' button after a new start")
    s.click(w.edit)
    s.key("Down")
    s.popup()
    s.key("Return")
    s.wait_value(lambda: w.edit.text, TYPED, "the newest recent search after a new start")
    # The last entry clears the list.
    s.click(recent)
    s.popup()
    s.key("Up", "Return")
    s.wait(lambda: not recent.enabled, "the recent searches cleared")
    s.click(s.control(w.window, "push button", "بازگشت"))
    s.wait_hidden("search")
