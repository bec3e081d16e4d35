"""What journeys do often on the program's windows, in a reader's terms."""

class Reading:
    """The reading window: its page number field, status line and command buttons."""

    MENU, CONTENTS = "بازگشت به منو", "فهرست بخشها"
    FIRST, PREVIOUS, NEXT, LAST = "صفحه اول", "صفحه قبلی", "صفحه بعدی", "صفحه آخر"
    SEARCH, PRINT = "جستجو", "چاپ"

    def __init__(self, s):
        self.s = s
        self.window = s.window("reading")
        self.field = s.control(self.window, "text", "شماره صفحه")
        self.view = s.control(self.window, "filler", "صفحه")

    def page_number(self):
        return (self.field.text or "").strip()

    def status(self):
        """What a screen reader reads for the status line at the window's top."""
        label = self.window.find("panel", "سرصفحه").find("label")
        return label.text if label.text is not None else label.name

    def button(self, name):
        bar = self.field.parent
        return self.s.control(bar, "push button", name)

    def press(self, name):
        """Clicks a bottom-bar button and returns the page number it leads to."""
        before = self.page_number()
        self.s.click(self.button(name))
        return self.s.after_change(self.page_number, before, f"the page number after {name!r}")

    def press_twice(self, first, second):
        """Clicks two buttons one after the other and returns the page number after both
        (the program takes the clicks in order)."""
        before = self.page_number()
        self.s.click(self.button(first))
        self.s.click(self.button(second))
        return self.s.after_change(self.page_number, before, f"the page number after {first!r}, {second!r}")

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
