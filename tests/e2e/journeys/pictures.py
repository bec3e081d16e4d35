"""Pictures: the gallery, its navigator, the viewer, and the way to a figure's page."""

from ketabe2e import journey
from ketabe2e.book import section_of
from ketabe2e.screens import Reading


def is_selected(item):
    return "selected" in item.states


def item_page(name):
    return int(name.rstrip()[-4:])


@journey("pictures: the gallery, its navigator, the viewer, Goto to the figure's page")
def pictures(s):
    g = s.from_menu("تصاویر", "gallery")
    listbox = s.control(g, "list", "فهرست تصاوير")
    picture = s.control(g, "image", "تصوير؛ برای نمايش بزرگ كليك كنيد")
    s.wait_value(lambda: len(listbox.items()), 39, "figures in the gallery's list")
    nodes = listbox.items()
    items = [i.name for i in nodes]
    s.wait(lambda: is_selected(nodes[0]), "the first figure selected on the first showing")
    s.step("gallery", picture="gallery", crop=g)

    nav = s.control(g, "tool bar", "پيمايش تصاوير")
    shown = s.grab(picture.rect)
    # A click that should change nothing is followed by one that does, so the figure
    # selected at the end shows what both did: Next on the last figure, then Previous,
    # selects the one before it only when Next stayed.
    steps = [("تصوير بعدی",), ("تصوير بعدی",), ("تصوير قبلی",), ("واپسين تصوير",),
             ("تصوير بعدی", "تصوير قبلی"), ("نخستين تصوير",), ("تصوير قبلی", "تصوير بعدی")]
    for buttons, index in zip(steps, (1, 2, 1, 38, 37, 0, 1)):
        for button in buttons:
            s.click(s.control(nav, "push button", button))
        s.wait(lambda: is_selected(nodes[index]) and sum(map(is_selected, nodes)) == 1,
               f"figure {index + 1} alone selected after {', '.join(buttons)}")
    s.wait_repainted(picture.rect, shown, "the second figure's picture to show")
    s.step("navigator on the second figure")

    s.click(picture)
    viewer = s.window("viewer")
    s.wait(lambda: not g.enabled, "the gallery to be disabled under the viewer")
    s.step("picture viewer")
    s.click(s.control(viewer, "image", "تصوير؛ برای بازگشت كليك كنيد"))
    s.wait_hidden("viewer")
    s.wait(lambda: g.enabled, "the gallery to take input again")
    s.check("figure 2 still selected after the viewer", True, is_selected(nodes[1]))

    page = item_page(items[1])
    s.click(s.control(g, "push button", "رجوع به صفحه تصوير"))
    r = Reading(s)
    s.wait_hidden("gallery")
    s.wait_hidden("menu")
    s.wait_value(r.page_number, str(page), "the page number after going to the figure's page")
    s.check("section of the figure's page", 4, section_of(page))
    s.step("the figure's page")
    s.check("page after Next from the figure's page", str(page + 1), r.press(Reading.NEXT))
    r.back_to_menu()
