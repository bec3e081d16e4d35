"""Starting the program as a desktop starts it: the start menu as it first shows and as a
screen reader finds its index menu."""

from ketabe2e import journey
from ketabe2e.book import SECTION_NAMES
from ketabe2e.screens import Reading


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


@journey("start: the index menu in the tree, a menu under its button with its two items; one opens its index")
def index_menu_in_tree(s):
    button = s.control(s.window("menu"), "push button", "نمایه‌ها")
    s.click(button)
    menu = s.wait(lambda: button.find("popup menu"), "the index menu under its button in the tree")
    s.check("the index menu's name", "نمایه‌ها", menu.name)
    items = s.wait(lambda: [i for i in menu.find_all("menu item") if i.showing and i.rect.w > 0] or None,
                   "the index menu's items to show")
    s.check("the index menu's items as read", ["نمايه عمومی", "نمايه آثار"], [i.name for i in items])
    s.check_that("the items lie on the menu", all(menu.rect.contains(i.rect) for i in items),
                 f"within {menu.rect}", [str(i.rect) for i in items])
    s.screenshot("index menu open")
    s.click(items[1])
    s.wait_hidden("menu")
    s.window("reading")
    s.step("the index of works from the menu item")
    Reading(s).back_to_menu()
