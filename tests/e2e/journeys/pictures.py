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
    steps = [("تصوير بعدی", 1), ("تصوير بعدی", 2), ("تصوير قبلی", 1), ("واپسين تصوير", 38),
             ("تصوير بعدی", 38), ("نخستين تصوير", 0), ("تصوير قبلی", 0)]
    for button, index in steps:
        s.click(s.control(nav, "push button", button))
        s.wait(lambda: is_selected(nodes[index]), f"figure {index + 1} selected after {button!r}")
    s.click(s.control(nav, "push button", "تصوير بعدی"))
    s.wait(lambda: is_selected(nodes[1]), "figure 2 selected after a last step forward")
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
