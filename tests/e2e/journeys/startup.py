"""Starting the program as a desktop starts it: the start menu as it first shows."""

from ketabe2e import journey
from ketabe2e.book import SECTION_NAMES


@journey("start: no focus frame on the first section until the keyboard moves the focus")
def focus_frame_only_after_keys(s):
    menu = s.window("menu")
    first = s.control(menu, "push button", SECTION_NAMES[0])
    s.input.move(menu.rect.x + 2, menu.rect.y + 2)
    s.wait(lambda: "focused" in first.states, "the first section to have the focus at start")
    s.step("start menu as it first shows")
    at_start = s.grab(first.rect)
    # Tab takes the focus away: the button as it looks without it.
    s.key("Tab")
    s.wait(lambda: "focused" not in first.states, "Tab to move the focus on")
    s.wait(lambda: s.grab(first.rect) == at_start, "the first section to look as it did at start, without the focus",
           timeout=5)
    # Back by the keyboard: now the frame shows.
    s.key("shift+Tab")
    s.wait(lambda: "focused" in first.states, "shift+Tab to bring the focus back")
    s.wait(lambda: s.grab(first.rect) != at_start, "the focus frame on the first section after shift+Tab", timeout=5)
    s.step("focus frame after the keyboard moved the focus")
