"""What journeys do often on the program's windows, in a reader's terms."""

from .access import page_holds, paragraph_words
from .book import SECTION_NAMES, section_of
from .tree import scale
from .waits import CheckFailure


class Reading:
    """The reading window: its page number field, status line, command buttons and
    side panels."""

    MENU, CONTENTS = "بازگشت به منو", "فهرست بخشها"
    FIRST, PREVIOUS, NEXT, LAST = "صفحه اول", "صفحه قبلی", "صفحه بعدی", "صفحه آخر"
    SEARCH, PRINT = "جستجو", "چاپ"
    NOTES, OPTIONS = "يادداشتها", "تنظيمات"

    def __init__(self, s):
        self.s = s
        self.window = s.window("reading")
        # A window just shown takes clicks once the window manager has made it active.
        s.wait(lambda: "active" in self.window.states, "the reading window to be active")
        self.field = s.control(self.window, "text", "شماره صفحه")
        self.view = s.control(self.window, "filler", "صفحه")
        self._panels = {}

    def page_number(self):
        return (self.field.text or "").strip()

    def status(self):
        """What a screen reader reads for the status line at the window's top: its name."""
        return self.window.find("panel", "سرصفحه").find("label").name

    def button(self, name):
        bar = self.field.parent
        return self.s.control(bar, "push button", name)

    def press(self, button):
        """Clicks a button (a node, or the name of a bottom-bar button) and returns the
        page number it leads to."""
        node = self.button(button) if isinstance(button, str) else button
        before = self.page_number()
        self.s.click(node)
        return self.s.after_change(self.page_number, before, f"the page number after {node.name!r}")

    def press_twice(self, first, second):
        """Clicks two buttons one after the other and returns the page number after both
        (the program takes the clicks in order)."""
        before = self.page_number()
        self.s.click(self.button(first))
        self.s.click(self.button(second))
        return self.s.after_change(self.page_number, before, f"the page number after {first!r}, {second!r}")

    def wait_page_text(self, book, page):
        """Waits until a sentence of the page's first paragraph can be read from the tree:
        the page itself has come, not only its number."""
        sentence = " ".join(paragraph_words(book, page)[1:6])
        self.s.wait(lambda: page_holds(self.view, sentence), f"page {page}'s words {sentence!r} in the tree")

    def enter_page(self, number):
        before = self.page_number()
        self.s.click(self.field)
        self.s.key("ctrl+a", "BackSpace")
        self.s.type(str(number))
        self.s.key("Return")
        return self.s.after_change(self.page_number, before, f"the page number after typing {number}")

    def open_contents(self, section):
        """Picks a section from the contents menu; waits until the page number empties."""
        self.s.click(self.button(self.CONTENTS))
        self.s.pick_from_popup(section)
        self.s.wait_value(self.page_number, "", "the page number field to empty on a contents page")

    def follow_link(self, position):
        """Follows the link at position (1-based, in page order) of the page on screen,
        by keyboard: a click on the page's top margin, Tab to the link, Return."""
        r = self.view.rect
        self.s.input.click(r.x + r.w // 2, r.y + 12)
        self.s.key(*["Tab"] * position, "Return")

    def back_to_menu(self):
        self.s.click(self.button(self.MENU))
        self.s.window("menu")
        self.s.wait_hidden("reading")

    # --- the side panels ---------------------------------------------------------------
    def panel(self, name):
        if name not in self._panels:
            self._panels[name] = self.s.control(self.window, "filler", name)
        return self._panels[name]

    def close_panel(self, panel):
        """Moves the mouse onto the page and waits until the side panel has closed by itself."""
        self.s.input.move(*self.view.rect.center)
        self.s.wait(lambda: panel.rect.w <= 10 * scale(), f"the {panel.name} panel to close once the mouse has left it")

    def open_notes(self):
        """Clicks the notes panel open (when it is closed, not while it slides) and
        returns it once it is at full width. The mouse stays over the panel, so a close
        still pending from when the mouse last left it does not take it away again."""
        panel = self.panel(self.NOTES)

        def opened():
            width = panel.rect.w
            if width <= 10:
                self.s.click(panel)
            return width >= 150
        self.s.wait(opened, "the notes panel to open")
        self.s.input.move(*panel.rect.center)
        return panel

    def notes_list(self):
        if "list" not in self._panels:
            self._panels["list"] = self.panel(self.NOTES).find("list", "موارد ثبت شده")
        return self._panels["list"]

    def notes(self):
        return [item.name for item in self.notes_list().items()]

    def notes_button(self, name):
        """A button of the notes panel, opening the panel first: it closes by itself a
        moment after the mouse has left it."""
        for attempt in range(3):
            try:
                return self.s.control(self.open_notes(), "push button", name, timeout=10)
            except CheckFailure:
                if attempt == 2:
                    raise


def open_section(s, section):
    """Opens a section's contents from the start menu; returns the reading window."""
    s.click(s.control(s.window("menu"), "push button", SECTION_NAMES[section - 1]))
    return Reading(s)


def note_entry(page):
    """A notes-list entry for a book page."""
    return f"جلد: {section_of(page):02d} -- صفحه: {page:04d}"


# How the result page marks a word searched for.
FOUND_MARK = '<font color="#FF8000"><u>{}</u></font>'


def count_line(pairs):
    """The search window's count line for that many (page, term) pairs found."""
    return f"تعداد عبارت‌های پيدا شده = {pairs}"


def result_line(page):
    """A search result line for a book page."""
    return f" صفحه: {page:04d} - {SECTION_NAMES[section_of(page) - 1]}"


class Search:
    """The search window: query, scope, results, count."""

    def __init__(self, s):
        self.s = s
        self.window = s.window("search")
        self.edit = s.control(self.window, "text", "متن جستجو")
        self.scope = s.control(self.window, "combo box", None)
        self.results = s.control(self.window, "list", "نتايج جستجو")
        self.progress = s.control(self.window, "progress bar", "پيشرفت جستجو")

    def lines(self):
        return [item.name for item in self.results.items()]

    def count_text(self):
        """The count line as a screen reader reads it (the label beside the progress bar)."""
        r = self.progress.rect
        labels = self.window.find_all("label", where=lambda n: n.showing and abs(n.rect.y - r.y) < 10)
        return (labels[0].text or labels[0].name).strip() if labels else None

    def choose_scope(self, index):
        """Picks scope item index (0 whole book, 1..5 a section) from the drop-down list."""
        self.s.click(self.scope)
        self.s.popup()
        self.s.key("Home", *["Down"] * index, "Return")

    def run(self, query):
        """Types the query, starts the search and waits until it has gone through its
        scope and changed the list (its length or first line). Returns the number of
        result lines; lines() reads them."""
        def shape():
            count = self.results.acc.childCount
            return count, self.results.acc.getChildAtIndex(0).name if count else None
        before = shape()
        self.s.type_into(self.edit, query)
        button = self.s.control(self.window, "push button", "جستجو")
        self.s.click(button)
        # The search as typed may have ended before the click: the button's own run has
        # begun once the button has the focus, and the bar shows 100 % again at its end.
        self.s.wait(lambda: "focused" in button.states, "the search button to take the click")
        self.s.wait(lambda: self.progress.value == 100 and shape() != before,
                    f"the search for {query!r} to end with a new result list", 60)
        return shape()[0]
