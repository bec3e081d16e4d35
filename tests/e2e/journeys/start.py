"""The start menu: what a reader sees first, and leaving the program from it."""

from ketabe2e import journey
from ketabe2e.book import SECTION_NAMES
from ketabe2e.desktop import SCREEN
from ketabe2e.program import alive, descendants

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


@journey("start: Exit ends the program with status 0 and no engine process left")
def exit_from_menu(s):
    menu = s.window("menu")
    helpers = descendants(s.program.pid)
    s.click(s.control(menu, "push button", "خروج"))
    status = s.program.wait_exit(30)
    s.check("exit status after the start menu's Exit", 0, status)
    s.wait_value(lambda: [p for p in helpers if alive(p)], [],
                 "the program's helper processes (the web engine's) to end after exit", 15)
