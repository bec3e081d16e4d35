"""Every window as a screen reader and a keyboard meet it: each focusable control has a
name, each label's name is the text it shows, and Tab reaches every control."""

from ketabe2e import journey
from ketabe2e.access import (back_to_menu, by_description, move_focus_to, open_section, press_in_menu,
                             status, tree_problems)
from ketabe2e.book import page_status


@journey("access: every window's tree: focusable controls named, labels read as shown, Tab reaches every control")
def every_window_tree(s):
    problems = tree_problems(s, "menu", s.window("menu"))
    reading = open_section(s, 1)
    s.key("ctrl+Next")
    s.wait_value(lambda: status(reading), page_status(1), "the status line on page 1")
    problems += tree_problems(s, "reading", reading)
    # The labels that change read what they show.
    s.check("the status line as read", page_status(1), status(reading))
    for keys, key in (("ctrl+f", "search"), ("F1", "help"), ("ctrl+p", "print")):
        s.key(keys)
        window = s.window(key)
        s.step(f"{key} from the keyboard")
        problems += tree_problems(s, key, window)
        if key == "print":
            s.check("the page bounds as read", "1 - 765", by_description(window, "label", "محدوده صفحات").name)
        if key != "print":
            s.key("Escape")
            s.wait_hidden(key)
    # Enter in the print window presses its default button: the preview of page 1.
    s.key("Return")
    preview = s.window("preview")
    s.wait_hidden("print")
    s.step("preview from the keyboard")
    problems += tree_problems(s, "preview", preview)
    s.key("Escape")
    s.wait_hidden("preview")
    back_to_menu(s, reading)
    for button, key in (("تصاویر", "gallery"), ("سازندگان", "credits")):
        press_in_menu(s, button)
        window = s.window(key)
        s.step(f"{key} from the keyboard")
        problems += tree_problems(s, key, window)
        if key == "gallery":
            # Enter on the thumbnail shows it large; Escape there comes back.
            move_focus_to(s, window, "تصوير؛ برای نمايش بزرگ كليك كنيد")
            s.key("Return")
            viewer = s.window("viewer")
            s.step("the picture large, from the keyboard")
            problems += tree_problems(s, "viewer", viewer)
            s.key("Escape")
            s.wait_hidden("viewer")
        s.key("Escape")
        s.wait_hidden(key)
    s.check("what the tree check found", [], problems)
