"""The program's own messages: in Persian, in a box laid out right to left, read whole by a
screen reader."""

import os

from ketabe2e import journey
from ketabe2e.screens import Reading, open_section

ERROR = "خطا"
# A path runs left to right inside the Persian sentence: isolated, it keeps its order.
LRI, PDI = "\u2066", "\u2069"


def latin_letters(text):
    return [c for c in text if c.isascii() and c.isalpha()]


@journey("messages: a file that is not a notes file is refused in Persian, in a right-to-left box")
def refused_notes_file(s):
    picture = os.path.join(s.program.workdir, "picture.bmk")
    with open(picture, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n\x00\x00\x00\rIHDR\x00\x00\x00\x01")
    r = open_section(s, 1)
    s.check("page after Next on the contents", "1", r.press(Reading.NEXT))
    s.click(r.notes_button("خواندن"))
    s.file_dialog_choose(picture)

    box = s.dialog()
    message = f"پروندهٔ «{LRI}{picture}{PDI}» پروندهٔ يادداشت نيست."
    s.check("the box's title", ERROR, box.name)
    s.check("what a screen reader reads with the box", message, box.description)
    text = s.control(box, "label", message)
    s.step("a refused notes file")
    icon = s.wait(lambda: box.find("image", where=lambda n: n.showing), "the box's icon")
    s.check_that("the icon right of the message (right to left)", icon.rect.x >= text.rect.right,
                 f"icon at x >= {text.rect.right}", f"icon at {icon.rect}, message at {text.rect}")
    buttons = box.find_all("push button", where=lambda n: n.showing)
    s.check("the box's one button, in Persian", (1, []), (len(buttons), latin_letters(buttons[0].name)))

    s.click(buttons[0])
    s.wait(lambda: not box.showing, "the message box to close")
    s.check("the program after the refusal", True, s.program.running)
    s.check("the notes list after the refused file", [], r.notes())
    s.check("the page after the refused file", "1", r.page_number())
    r.back_to_menu()
