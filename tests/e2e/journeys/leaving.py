"""Leaving the program with notes that were never saved: the program asks first."""

from ketabe2e import journey
from ketabe2e.book import SECTION_NAMES
from ketabe2e.screens import Reading

QUESTION = "يادداشتها"
SAVE, DISCARD, CANCEL = "ذخيره", "ذخيره نشود", "انصراف"


def question(s, timeout=10):
    """Waits for the question about unsaved notes and returns it."""
    def probe():
        for node in s.app.children:
            if node.role in ("alert", "dialog") and node.name == QUESTION and node.showing:
                return node
        return None
    return s.wait(probe, "the question whether to save the notes", timeout)


def no_question(s):
    return all(not (n.role in ("alert", "dialog") and n.name == QUESTION and n.showing) for n in s.app.children)


@journey("leaving: a noted page makes Exit ask; cancel keeps the program, not saving ends it")
def exit_with_unsaved_notes(s):
    menu = s.window("menu")
    s.click(s.control(menu, "push button", SECTION_NAMES[0]))
    r = Reading(s)
    s.wait_hidden("menu")
    s.check("page after Next on the contents", "1", r.press(Reading.NEXT))
    # The notes panel opens on a click at the window's left edge.
    s.click(s.control(r.window, "filler", QUESTION))
    insert = s.wait(lambda: (lambda b: b if b is not None and b.rect.w > 0 else None)(
        r.window.find("push button", "ايجاد", where=lambda n: n.showing)), "the notes panel to open")
    s.click(insert)
    notes = s.control(r.window, "list", "موارد ثبت شده")
    s.wait_value(lambda: len(notes.find_all(into_items=True, where=lambda n: n.role == "list item")), 1,
                 "one entry in the notes list")
    s.step("a page noted")
    r.back_to_menu()

    menu = s.window("menu")
    s.click(s.control(menu, "push button", "خروج"))
    asked = question(s)
    s.step("asked whether to save the notes")
    s.check("the question's buttons", sorted([SAVE, DISCARD, CANCEL]),
            sorted(b.name for b in asked.find_all("push button", where=lambda n: n.showing)))
    s.click(s.control(asked, "push button", CANCEL))
    s.wait(lambda: no_question(s), "the question to close")
    s.check("the program after cancel", True, s.program.running)
    s.window("menu")
    s.step("cancelled: still on the start menu")

    s.click(s.control(s.window("menu"), "push button", "خروج"))
    s.click(s.control(question(s), "push button", DISCARD))
    s.check("exit status after leaving the notes unsaved", 0, s.program.wait_exit(30))
