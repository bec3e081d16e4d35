"""The start menu: what a reader sees first, and leaving the program from it."""

from ketabe2e import journey
from ketabe2e import xwin
from ketabe2e.access import page_node
from ketabe2e.book import SECTION_NAMES
from ketabe2e.desktop import SCREEN
from ketabe2e.program import alive, descendants

# The help's second link leads to this part.
LINKED_PART = "خواندن کتاب"
OTHER_BUTTONS = ["جستجو", "نمایه‌ها", "تصاویر", "چاپ", "خروج", "سازندگان", "راهنما"]


@journey("start: the start menu alone, centred, its twelve buttons")
def start_menu(s):
    menu = s.window("menu")
    s.step("start menu", picture="start-menu", crop=menu)
    s.check("windows showing after start", ["menu"], s.showing_keys())
    r = menu.rect
    s.check("start menu size", (600, 440), (r.w, r.h))
    s.check("start menu place (centred on the desktop)",
            ((SCREEN[0] - 600) // 2, (SCREEN[1] - 440) // 2), (r.x, r.y))
    buttons = sorted(b.name for b in menu.find_all("push button", where=lambda n: n.showing))
    s.check("the start menu's showing buttons", sorted(SECTION_NAMES + OTHER_BUTTONS), buttons)


@journey("help and credits: help keeps its place; a credits link goes to the desktop's opener; a click elsewhere closes them")
def help_and_credits(s):
    menu = s.window("menu")
    h = s.from_menu("راهنما", "help")
    view = s.control(h, "filler", "راهنما")
    s.wait_repainted(view.rect, [], "the help page to show")
    start = s.grab(view.rect)
    s.step("help over the start menu")
    s.check("start menu takes input beside the help", True, menu.enabled)
    # A link inside the help: Tab to its second link, Return. Its part's heading, read
    # from the tree, comes up to the top of the view.
    heading = s.wait(lambda: page_node(view, "heading", LINKED_PART), f"the heading {LINKED_PART!r} in the help's tree")
    below = heading.rect.y
    s.check_that(f"the heading {LINKED_PART!r} before the link", below > view.rect.y + 100,
                 f"well below the view's top {view.rect.y}", below)
    s.input.click(view.rect.x + view.rect.w // 2, view.rect.y + 12)
    s.key("Tab", "Tab", "Return")
    s.wait(lambda: abs(heading.rect.y - view.rect.y) <= 40,
           f"the heading {LINKED_PART!r} at the help view's top {view.rect.y}")
    s.wait_repainted(view.rect, start, "the help to show the linked part")
    place = s.grab(view.rect)
    s.click(s.control(h, "push button", "بازگشت"))
    s.wait_hidden("help")
    h = s.from_menu("راهنما", "help")
    s.wait(lambda: s.grab(view.rect) == place, "the help to show again where it was left")
    s.click(s.control(h, "push button", "بازگشت"))
    s.wait_hidden("help")

    for link, address in (("www.setare-danesh.example", "http://www.setare-danesh.example"),
                          ("e-mail: info@setare-danesh.example", "mailto:info@setare-danesh.example")):
        c = s.from_menu("سازندگان", "credits")
        s.step("credits over the start menu", picture="credits", crop=c)
        opened = len(s.program.opened_addresses())
        s.click(s.control(c, "link", link))
        s.wait(lambda: len(s.program.opened_addresses()) > opened, f"the desktop's opener to be given {link!r}")
        s.check(f"address handed over for {link!r}", address, s.program.opened_addresses()[-1])
        s.check("credits showing after a click on a link", True, c.showing)
        close_secondary(s, "credits", c)
    s.wait(lambda: menu.enabled, "the start menu to take input after the credits")
    s.step("start menu after the credits")


def close_secondary(s, key, w):
    """Return, or for the credits a click on their background away from links and texts."""
    if key == "credits":
        back = s.control(w, "image", "سازندگان؛ برای بستن كليك كنيد").rect
        s.input.click(back.x + back.w // 2, back.bottom - 60)
    else:
        s.click(s.control(w, "push button", "بازگشت"))
    s.wait_hidden(key)


@journey("window manager: secondary windows above their opener, a click on the opener buries none; Alt+Space")
def window_manager(s):
    menu = s.window("menu")
    corner = menu.rect
    for key, button in (("search", "جستجو"), ("print", "چاپ"), ("gallery", "تصاویر"), ("credits", "سازندگان")):
        w = s.from_menu(button, key)
        s.wait(lambda: not menu.enabled, f"the start menu disabled under the {key} window")
        s.step(f"{key} window over the start menu")
        s.check(f"the window the {key} window is transient for", s.x_window(menu).id, s.x_window(w).transient_for)
        s.check(f"window on top with the {key} window open", key, s.topmost((key, "menu")))
        # A click on the disabled start menu, beside the window over it.
        s.input.click(corner.x + 8, corner.bottom - 8)
        buried = s.appears(lambda: s.topmost((key, "menu")) != key, 2)
        s.check("window on top after a click on the disabled start menu", key, "menu" if buried else key)
        s.activate(key)
        close_secondary(s, key, w)
        s.wait(lambda: menu.enabled, f"the start menu to take input after the {key} window")

    # Alt+Space on the start menu opens no system menu that could show the reading window.
    s.activate("menu")
    s.key("alt+space")
    if s.appears(lambda: xwin.popups(s.env, s.program.pid), 3):
        s.key("Down", "Down", "Return")
    s.check_that("the reading window stays hidden after Alt+Space on the start menu",
                 not s.appears(lambda: "reading" in s.showing_keys(), 3), "hidden", "it showed")
    s.step("start menu after Alt+Space")


@journey("start: Exit ends the program with status 0 and no engine process left")
def exit_from_menu(s):
    menu = s.window("menu")
    helpers = descendants(s.program.pid)
    s.click(s.control(menu, "push button", "خروج"))
    status = s.program.wait_exit(30)
    s.check("exit status after the start menu's Exit", 0, status)
    s.wait_value(lambda: [p for p in helpers if alive(p)], [],
                 "the program's helper processes (the web engine's) to end after exit", 15)
