#!/usr/bin/python3
"""Reads the running program's accessible tree through AT-SPI, as a screen
reader does, and checks the roles, names and texts of its own controls; then
chooses an era, an author and a poem through the accessible actions and the
keyboard, and checks what the window shows and announces.

Run with DISPLAY and DBUS_SESSION_BUS_ADDRESS of the program's session.
Prints one line per failed check; exits 0 when every check held, 1 when one
failed, 2 when the program never showed up on the bus, 77 when pyatspi is
missing.
"""
import os
import subprocess
import sys
import time

try:
    import pyatspi
    from gi.repository import Atspi, GLib
except ImportError as error:  # the caller skips the test
    print(f"pyatspi is missing: {error}")
    sys.exit(77)

MAIN_TITLE = "Cinnabarquillpad V2014 build 09.01"
HEADER_BUTTONS = ["中国作品", "外国作品", "软件设置", "每日一贴", "软件升级"]
SPEECH_BUTTONS = ["朗读", "暂停", "继续", "停止"]
AUTHOR_COLUMNS = ["作者姓名", "生卒年月", "作品篇数"]
POEM_COLUMNS = ["标题", "格式", "首句"]
FIRST_TEXT = "选择相应的朝代或者作者进入。"
PATIENCE = float(os.environ.get("CQ_A11Y_PATIENCE", "60"))

failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAILED:", what, flush=True)
    return condition


def pump():
    """Lets libatspi deliver the events that came in."""
    context = GLib.MainContext.default()
    while context.pending():
        context.iteration(False)


def wait_for(what, probe, timeout=PATIENCE):
    """Polls `probe` until it gives a true value, pumping events meanwhile."""
    deadline = time.monotonic() + timeout
    while True:
        pump()
        try:
            value = probe()
        except Exception:  # an object that went away while it was read
            value = None
        if value:
            return value
        if time.monotonic() > deadline:
            check(False, f"timed out waiting for {what}")
            return None
        time.sleep(0.1)


def children(acc):
    return [acc.getChildAtIndex(i) for i in range(acc.childCount)]


def walk(acc, into_tables=False):
    """Every object below `acc`; the cells of tables only when asked for."""
    for child in children(acc):
        if child is None:
            continue
        yield child
        if child.getRoleName() == "table" and not into_tables:
            continue
        yield from walk(child, into_tables)


def showing(acc):
    return acc.getState().contains(pyatspi.STATE_SHOWING)


def named(objects, role, name):
    return [o for o in objects if o.getRoleName() == role and o.name == name]


def text_of(acc):
    t = acc.queryText()
    return t.getText(0, t.characterCount)


def press(acc):
    action = acc.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    if not check("Press" in names, f"{acc.getRoleName()} {acc.name!r} offers Press (it offers {names})"):
        return
    action.doAction(names.index("Press"))


def find_window():
    for app in pyatspi.Registry.getDesktop(0):
        if app is None or app.name != "Cinnabarquillpad":
            continue
        # The program's tree changes under the reader: read it afresh each time.
        app.set_cache_mask(Atspi.Cache.NONE)
        for window in children(app):
            if window is not None and window.name == MAIN_TITLE:
                return window
    return None


def bars(window):
    """The era bar and the author bar, left to right: page tab lists."""
    found = [o for o in walk(window) if o.getRoleName() == "page tab list"]
    found.sort(key=lambda o: o.queryComponent().getExtents(pyatspi.DESKTOP_COORDS).x)
    return found


def bar_items(bar):
    """(list, item names) of the bar's open page."""
    for tab in children(bar):
        if tab.getState().contains(pyatspi.STATE_SELECTED):
            for page in children(tab):
                if page.getRoleName() == "list":
                    return page, [item.name for item in children(page)]
    return None, []


def table_columns(table):
    return [c.name for c in children(table) if c.getRoleName() == "table column header"]


def table_column(table, column):
    t = table.queryTable()
    return [t.getAccessibleAt(row, column).name for row in range(t.nRows)]


def check_static_tree(window):
    everything = list(walk(window))
    header = [b for name in HEADER_BUTTONS for b in named(everything, "push button", name)]
    check(len(header) == 5, f"five header buttons by caption, found {[b.name for b in header]}")
    if len(header) == 5:
        xs = [b.queryComponent().getExtents(pyatspi.DESKTOP_COORDS).x for b in header]
        check(xs == sorted(xs), f"header buttons in screen order left to right: {xs}")
    speech = [b for name in SPEECH_BUTTONS for b in named(everything, "push button", name)]
    check(len(speech) == 4 and all(showing(b) for b in speech),
          f"four showing speech buttons, found {[b.name for b in speech]}")

    era_bar, author_bar = (bars(window) + [None, None])[:2]
    if not check(era_bar is not None and author_bar is not None, "two outlook bars (page tab lists)"):
        return None
    check(era_bar.name == "中国作品", f"era bar named by its group, got {era_bar.name!r}")
    tabs = children(era_bar)
    check([t.getRoleName() for t in tabs] == ["page tab"] and tabs[0].name == "中国作品",
          f"era bar has one page tab 中国作品: {[(t.getRoleName(), t.name) for t in tabs]}")
    era_list, eras = bar_items(era_bar)
    check(era_list is not None and era_list.name == "中国作品", "the era group's page is a list named 中国作品")
    check("唐代" in eras, f"唐代 among the eras {eras}")
    if era_list is not None:
        check(all(i.getRoleName() == "list item" for i in children(era_list)), "eras are list items")

    tables = [o for o in everything if o.getRoleName() == "table"]
    columns = sorted(table_columns(t) for t in tables)
    check(columns == sorted([AUTHOR_COLUMNS, POEM_COLUMNS]), f"both tables with their column headers: {columns}")
    author_table = next((t for t in tables if table_columns(t) == AUTHOR_COLUMNS), None)
    author_list, authors = bar_items(author_bar)
    if author_table is not None:
        check(showing(author_table), "the author table shows")
        check(table_column(author_table, 0) == authors and authors,
              f"author table rows {table_column(author_table, 0)} match the author bar {authors}")

    check([o for o in everything if o.getRoleName() == "label" and o.name == "诗词" and showing(o)],
          "the form label 诗词 shows")
    texts = [(o, text_of(o)) for o in everything if o.getRoleName() == "text" and showing(o)]
    panes = [o for o, t in texts if t.strip() == FIRST_TEXT]
    check(len(panes) == 1, f"the text pane holds {FIRST_TEXT!r}: {[t for o, t in texts]}")
    return {"era_list": era_list, "author_bar": author_bar, "tables": tables,
            "pane": panes[0] if panes else None, "first_authors": authors}


def check_choosing(window, found):
    era_list, author_bar = found["era_list"], found["author_bar"]
    tang = next((i for i in children(era_list) if i.name == "唐代"), None)
    if not check(tang is not None, "唐代 to press"):
        return
    press(tang)
    authors = wait_for("the author bar to show 唐代's authors",
                       lambda: author_bar.name == "唐代" and bar_items(author_bar)[1])
    if not authors:
        return
    check(authors != found["first_authors"], "the author list changed")
    check("李白" in authors, f"李白 among 唐代's authors {authors}")
    author_table = next(t for t in found["tables"] if table_columns(t) == AUTHOR_COLUMNS)
    check(wait_for("the author table to follow", lambda: table_column(author_table, 0) == authors),
          "the author table holds 唐代's authors in the bar's order")
    check(tang.getState().contains(pyatspi.STATE_SELECTED), "唐代 reads as selected")

    author_list = bar_items(author_bar)[0]
    li_bai = next(i for i in children(author_list) if i.name == "李白")
    press(li_bai)
    info = wait_for("the info bar to name 李白",
                    lambda: [o for o in walk(window) if o.getRoleName() == "label" and o.name.startswith(" 作家姓名：李白")])
    check(info, "the info bar is a label naming the author")
    pane = found["pane"]
    biography = wait_for("the biography in the text pane",
                         lambda: text_of(pane).strip() not in ("", FIRST_TEXT) and text_of(pane))
    check(biography and "李白" in biography, "the text pane holds 李白's biography")

    poem_table = next(t for t in found["tables"] if table_columns(t) == POEM_COLUMNS)
    rows = wait_for("the poem table to fill", lambda: showing(poem_table) and poem_table.queryTable().nRows)
    if not rows:
        return
    first = poem_table.queryTable().getAccessibleAt(0, 0)
    title = first.name
    press(first)
    check(wait_for("the info bar to name the poem",
                   lambda: [o for o in walk(window) if o.getRoleName() == "label"
                            and o.name == f" 作品名称：{title}   作家：李白"]),
          f"the info bar names the poem {title!r}")
    check(wait_for("the form label to name the poem's form",
                   lambda: [o for o in walk(window) if o.getRoleName() == "label"
                            and o.name.startswith("什么是： ") and o.name.endswith(" ？") and showing(o)]),
          "the form label names the form")
    check(first.getState().contains(pyatspi.STATE_SELECTED), "the chosen poem's cell reads as selected")


def check_focus_announcements(window, found):
    """Keys move the era list's focus mark; each move is announced."""
    seen = []
    def on_focus(event):
        if event.detail1 == 1:
            seen.append((event.source.getRoleName(), event.source.name))
    pyatspi.Registry.registerEventListener(on_focus, "object:state-changed:focused")
    try:
        era_list = found["era_list"]
        display = os.environ["DISPLAY"]
        # Without a window manager the window takes the keyboard by being given the X focus.
        subprocess.run(["xdotool", "search", "--name", MAIN_TITLE, "windowfocus", "--sync"],
                       env=dict(os.environ, DISPLAY=display), timeout=30, check=False)
        era_list.queryComponent().grabFocus()
        wait_for("the era list to take the focus", lambda: era_list.getState().contains(pyatspi.STATE_FOCUSED))
        eras = [i.name for i in children(era_list)]
        # The chosen era holds the focus mark; Down moves it to the next era.
        chosen = eras.index("唐代")
        subprocess.run(["xdotool", "key", "Down"], env=dict(os.environ, DISPLAY=display), timeout=30, check=False)
        expected = ("list item", eras[chosen + 1])
        check(wait_for(f"a focus notice for {expected}", lambda: expected in seen),
              f"the move to {expected[1]} was announced (announced: {seen})")
        item = next(i for i in children(era_list) if i.name == expected[1])
        check(item.getState().contains(pyatspi.STATE_FOCUSED), f"{expected[1]} reads as focused")
    finally:
        pyatspi.Registry.deregisterEventListener(on_focus, "object:state-changed:focused")


def main():
    window = wait_for("the program's main window on the accessibility bus", find_window)
    if window is None:
        return 2
    found = wait_for("the main window's controls", lambda: check_ready(window))
    if not found:
        return 1
    found = check_static_tree(window)
    if found is None:
        return 1
    check_choosing(window, found)
    check_focus_announcements(window, found)
    print("checks failed:", len(failures))
    return 1 if failures else 0


def check_ready(window):
    """The window is filled once the era list holds its eras."""
    b = bars(window)
    return len(b) == 2 and "唐代" in bar_items(b[0])[1]


if __name__ == "__main__":
    sys.exit(main())
