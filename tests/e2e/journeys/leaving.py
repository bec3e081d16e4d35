"""Leaving the program with notes that were never saved: the program asks first."""

import os

from ketabe2e import journey
from ketabe2e.screens import Reading, note_entry, open_section

QUESTION = "يادداشتها"
ASKED = "فهرست يادداشتها پس از آخرين ذخيره تغيير كرده است. پيش از خروج ذخيره شود؟"
SAVE, DISCARD, CANCEL = "ذخيره", "ذخيره نشود", "انصراف"


def question(s):
    """Waits for the question about unsaved notes and returns it."""
    asked = s.dialog()
    s.check("the question's title", QUESTION, asked.name)
    # A screen reader reads the question itself, not only its buttons.
    s.check("the question as a screen reader reads it", ASKED, asked.description)
    return asked


def exit_from_menu(s):
    s.click(s.control(s.window("menu"), "push button", "خروج"))


@journey("leaving: a noted page makes Exit ask; cancel keeps the program, save writes the notes and ends it")
def exit_with_unsaved_notes(s):
    r = open_section(s, 1)
    s.check("page after Next on the contents", "1", r.press(Reading.NEXT))
    s.click(r.notes_button("ايجاد"))
    s.wait_value(r.notes, [note_entry(1)], "the notes list after noting page 1")
    s.step("a page noted")
    r.back_to_menu()

    exit_from_menu(s)
    asked = question(s)
    s.step("asked whether to save the notes")
    s.check("the question's buttons", sorted([SAVE, DISCARD, CANCEL]),
            sorted(b.name for b in asked.find_all("push button", where=lambda n: n.showing)))
    s.click(s.control(asked, "push button", CANCEL))
    s.wait(lambda: not asked.showing, "the question to close")
    s.check("the program after cancel", True, s.program.running)
    s.window("menu")
    s.step("cancelled: still on the start menu")

    exit_from_menu(s)
    s.click(s.control(question(s), "push button", SAVE))
    saved = os.path.join(s.program.workdir, "left-notes")
    s.file_dialog_choose(saved)
    s.check("exit status after saving the notes", 0, s.program.wait_exit(30))
    with open(saved + ".bmk", "rb") as f:
        s.check("the notes file written on leaving", b"\xff\xfe" + (note_entry(1) + "\r\n").encode("utf-16-le"),
                f.read())
