"""The desktop journey of tests/desktop/run.sh: start the program, open the sample league
through the open dialog, search, sort, set a rating criterion with the keyboard, show
details, copy rows, open and close side windows, meet a missing file's message and quit.
Input is real X input (xdotool) at places read from the accessibility tree (pyatspi);
every result is read back from that tree."""

import os
import subprocess
import sys
import time

import pyatspi

PROGRAM, OUT = sys.argv[1], sys.argv[2]
SAMPLE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "samples")
SAMPLE = os.path.realpath(SAMPLE)
NAMED_PLAYERS = 486  # samples/README.md
INTERACTIVE = {"slider", "text", "combo box", "check box", "push button", "radio button",
               "table", "page tab", "spin button", "toggle button"}
DISTINCT = {"slider", "text", "combo box", "check box"}
START = time.monotonic()


class JourneyFailure(Exception):
    pass


def step(text):
    print(f"[{time.monotonic() - START:6.2f} s] {text}", flush=True)


def check(condition, what):
    if not condition:
        raise JourneyFailure(what)


def wait_for(probe, what, timeout=10.0):
    """The first true value of probe(), polled until timeout."""
    end = time.monotonic() + timeout
    while True:
        try:
            value = probe()
        except Exception:  # an object that went away while it was read
            value = None
        if value:
            return value
        if time.monotonic() > end:
            raise JourneyFailure(f"timed out waiting for {what}")
        time.sleep(0.05)


# --- the accessibility tree

def children(obj):
    for i in range(obj.childCount):
        child = obj.getChildAtIndex(i)
        if child is not None:
            yield child


def walk(obj):
    """The object and everything under it but table cells (thousands, and never controls)."""
    yield obj
    if obj.getRoleName() == "table":
        return
    for child in children(obj):
        yield from walk(child)


def find(root, role=None, name=None, showing=True, pred=None):
    for obj in walk(root):
        if role is not None and obj.getRoleName() != role:
            continue
        if name is not None and obj.name != name:
            continue
        if showing and not obj.getState().contains(pyatspi.STATE_SHOWING):
            continue
        if pred is not None and not pred(obj):
            continue
        return obj
    return None


def enabled(obj):
    return obj.getState().contains(pyatspi.STATE_ENABLED)


def application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "vantrel-search":
            return app
    return None


def window(app, name):
    for win in children(app):
        if win.name == name and win.getState().contains(pyatspi.STATE_SHOWING):
            return win
    return None


def value_of(slider):
    return int(slider.queryValue().currentValue)


# --- real input

def xdo(*args):
    subprocess.run(["xdotool", *args], check=True)


def centre(obj):
    box = obj.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return box.x + box.width // 2, box.y + box.height // 2


def click(obj, repeat=1, modifier=None, at=None):
    x, y = at if at else centre(obj)
    xdo("mousemove", str(x), str(y))  # --sync would wait for ever when already there
    time.sleep(0.05)
    if modifier:
        xdo("keydown", modifier)
    xdo("click", "--repeat", str(repeat), "--delay", "120", "1")
    if modifier:
        xdo("keyup", modifier)


def wm_active(title):
    """Whether the window manager has made the window of this title the active one (a key
    it binds, such as Alt+F4, goes to that window only then)."""
    result = subprocess.run(["xdotool", "getactivewindow", "getwindowname"],
                            capture_output=True, text=True)
    return result.stdout.strip().split(" \u2014 ")[0] == title  # Qt adds " — program name"


def close_with_alt_f4(win):
    try:
        wait_for(lambda: wm_active(win.name), "the window manager", timeout=2)
    except JourneyFailure:
        # A busy openbox may keep the focus where the user last typed (its focus-stealing
        # rule): the user clicks into the new window, near its top edge.
        step(f"  {win.name!r} not in front: clicked into it")
        box = win.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        click(win, at=(box.x + box.width // 2, box.y + 4))
    wait_for(lambda: wm_active(win.name), f"{win.name} active for the window manager")
    wait_for(lambda: win.getState().contains(pyatspi.STATE_ACTIVE), f"{win.name} active")
    keys("alt+F4")
    wait_for(lambda: not win.getState().contains(pyatspi.STATE_SHOWING), f"{win.name} hidden")


def keys(*names):
    xdo("key", "--delay", "40", *names)


def click_title(main, first):
    """Clicks at the places `first`, then on the window's title bar, and waits until Qt
    counts the window as active."""
    box = main.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    for at in first + [(box.x + box.width // 2, box.y - 8)]:
        time.sleep(0.3)  # apart, so that openbox sees no double-click
        click(main, at=at)
    wait_for(lambda: main.getState().contains(pyatspi.STATE_ACTIVE), "the main window active")


def after_dialog(main):
    """Under Xvfb with openbox, once a file dialog has closed, the first click is dropped
    and Qt no longer counts the main window as active although X gives it the focus, so
    focus changes are not reported (a minimal Qt program does the same). Once after each
    dialog: a click on the desktop that is dropped, then a user's way back, a click on the
    desktop and one on the window's title bar."""
    click_title(main, [(2, 2), (2, 2)])


# --- the steps

def table_column(table, column, rows=None):
    """The texts of a column: every row, or the rows given (one call of the bus a cell)."""
    t = table.queryTable()
    return [t.getAccessibleAt(row, column).name for row in (rows or range(t.nRows))]


def ends(table):
    """The first and the last 25 rows: enough to see an order, fast to read."""
    n = table.queryTable().nRows
    return list(range(min(25, n))) + list(range(max(25, n - 25), n))


def is_sorted(values):
    pairs = list(zip(values, values[1:]))
    return all(a <= b for a, b in pairs) or all(a >= b for a, b in pairs)


def column_index(table, caption):
    t = table.queryTable()
    for column in range(t.nColumns):
        if t.getColumnHeader(column).name == caption:
            return column
    raise JourneyFailure(f"no column {caption}")


def names_distinct(win, where):
    """Every control of a window has an accessible name, and no two sliders, edits, combo
    boxes, checkboxes or radio groups share one. Returns how many controls were named."""
    seen, named = set(), 0
    for obj in walk(win):
        role = obj.getRoleName()
        group = role == "panel" and any(c.getRoleName() == "radio button" for c in children(obj))
        if role not in INTERACTIVE and not group:
            continue
        check(obj.name.strip() != "", f"{where}: a {role} without a name")
        named += 1
        if role in DISTINCT or group:
            check(obj.name not in seen, f"{where}: two controls named {obj.name!r}")
            seen.add(obj.name)
    return named


OPEN_DIALOG = "select Team- or Rosterfile ..."


def focused_text(win):
    return find(win, role="text", pred=lambda o: o.getState().contains(pyatspi.STATE_FOCUSED))


class Journey:
    """The user's steps in order; each method one step, sharing what earlier ones found."""

    def __init__(self, process):
        self.process = process

    def start(self):
        step("start")
        self.app = wait_for(application, "the program in the accessibility tree")
        # Read every state afresh: cached ones follow only events not listened to here.
        self.app.setCacheMask(pyatspi.cache.NONE)
        main = self.main = wait_for(lambda: window(self.app, "Vantrel Search Machine"),
                                    "the main window")
        wait_for(lambda: find(main, role="push button", name="Search"), "the Search button")
        try:
            wait_for(lambda: main.getState().contains(pyatspi.STATE_ACTIVE), "active", timeout=3)
        except JourneyFailure:  # mapped before the window manager took the focus
            click_title(main, [(2, 2)])
        live = [o for o in walk(main) if o.getRoleName() in INTERACTIVE and enabled(o)
                and o.getState().contains(pyatspi.STATE_SHOWING)]
        check(not live, "enabled before a league: " +
              ", ".join(f"{o.getRoleName()} {o.name!r}" for o in live))
        wid = subprocess.run(["xdotool", "search", "--name", "^Vantrel Search Machine$"],
                             capture_output=True, text=True).stdout.split()
        check(wid, "no X window named Vantrel Search Machine")
        icons = [subprocess.run(["xprop", "-id", w, "-len", "8", "_NET_WM_ICON"],
                                capture_output=True, text=True).stdout for w in wid]
        check(any("Icon (" in icon for icon in icons), f"no window icon: {icons!r:.200}")

    def type_into_open_dialog(self, path):
        keys("ctrl+o")
        dialog = wait_for(lambda: window(self.app, OPEN_DIALOG), "the open dialog")
        wait_for(lambda: focused_text(dialog), "the file name box focused")
        keys("ctrl+a")
        xdo("type", "--delay", "5", path)
        keys("Return")

    def open_sample(self):
        step("Ctrl+O, the sample's path typed, Enter")
        self.type_into_open_dialog(os.path.join(SAMPLE, "demo.ros"))
        wait_for(lambda: not window(self.app, OPEN_DIALOG), "the dialog closed")
        average = wait_for(lambda: find(self.main, role="label", pred=lambda o: o.description ==
                                        "League average OV" and o.name), "the league average")
        check(average.name == "62.9", f"average reads {average.name!r}")
        self.search = find(self.main, role="push button", name="Search")
        wait_for(lambda: enabled(self.search), "Search enabled")
        after_dialog(self.main)

    def search_all(self):
        step("Search clicked")
        click(self.search)
        table = self.table = find(self.main, role="table", name="Players found", showing=False)
        wait_for(lambda: table.queryTable().nRows == NAMED_PLAYERS, f"{NAMED_PLAYERS} rows")
        self.count = find(table.parent, role="label", showing=False)
        check(self.count.name == str(NAMED_PLAYERS), f"count reads {self.count.name!r}")
        check(table.description == f"{NAMED_PLAYERS} players", f"list: {table.description!r}")
        self.sk = column_index(table, "SK")
        self.name_column = column_index(table, "Player Name")

    def sort_twice(self):
        step("SK header clicked twice")
        table = self.table
        header = table.queryTable().getColumnHeader(self.sk)
        click(header)
        wait_for(lambda: is_sorted([int(v) for v in table_column(table, self.sk, ends(table))]),
                 "rows sorted by SK")
        first = table_column(table, self.name_column, ends(table))
        time.sleep(0.3)  # two clicks apart, not a double-click
        click(header)
        wait_for(lambda: table_column(table, self.name_column, ends(table)) == first[::-1],
                 "the order reversed")

    def keyboard_criterion(self):
        step("SK threshold raised with the keyboard, its mode set with Space, searched again")
        slider = self.slider = find(self.main, role="slider", name="SK threshold")
        click(slider, at=(slider.queryComponent().getExtents(pyatspi.DESKTOP_COORDS).x + 3,
                          centre(slider)[1]))
        wait_for(lambda: slider.getState().contains(pyatspi.STATE_FOCUSED), "SK slider focused")
        keys(*["Prior"] * 7)
        wait_for(lambda: value_of(slider) == 70, "SK threshold 70")
        mode = find(self.main, role="check box", name="SK mode")
        for _ in range(30):
            if mode.getState().contains(pyatspi.STATE_FOCUSED):
                break
            keys("Tab")
            time.sleep(0.05)
        check(mode.getState().contains(pyatspi.STATE_FOCUSED), "Tab never reached SK mode")
        keys("space")
        wait_for(lambda: mode.description == "at most", "SK mode at most")
        check(slider.description == "at most 70", f"SK slider says {slider.description!r}")
        labels = [target.name for relation in slider.getRelationSet()
                  if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY
                  for target in (relation.getTarget(i) for i in range(relation.getNTargets()))]
        check("SK" in labels and "70" in labels, f"SK slider labelled by {labels}")
        click(self.search)
        wait_for(lambda: self.table.queryTable().nRows != NAMED_PLAYERS, "a new list")
        values = [int(v) for v in table_column(self.table, self.sk)]
        check(values and all(v <= 70 for v in values), "a row with SK above 70")
        check(self.count.name == str(len(values)), f"count {self.count.name}, {len(values)} rows")
        check(names_distinct(self.main, "main window") >= 30, "too few named controls")

    def details(self):
        step("a row double-clicked: its details")
        name = self.table.queryTable().getAccessibleAt(0, self.name_column)
        player = name.name
        click(name, repeat=2)
        wait_for(lambda: find(self.main, role="label", name="Name: " + player), "the details")
        chart = find(self.main,
                     pred=lambda o: o.name in ("Skater ratings chart", "Goalie ratings chart"))
        check(chart is not None and "IT " in chart.description and "OV " in chart.description,
              f"chart without its bars: {chart and chart.description!r}")

    def copy_rows(self):
        step("two rows selected, Ctrl+C")
        table = self.table
        click(find(self.main, role="page tab", name="Players found"))
        wait_for(lambda: table.getState().contains(pyatspi.STATE_SHOWING), "the list shown")
        rows = [table.queryTable().getAccessibleAt(r, self.name_column) for r in (0, 1)]
        click(rows[0])
        click(rows[1], modifier="ctrl")
        keys("ctrl+c")
        t = table.queryTable()
        want = "\n".join("\t".join(t.getAccessibleAt(r, c).name for c in range(t.nColumns))
                         for r in (0, 1))
        wait_for(lambda: subprocess.run(["xclip", "-o", "-selection", "clipboard"],
                                        capture_output=True, text=True).stdout.strip("\r\n")
                 .replace("\r\n", "\n") == want, "the two rows on the clipboard")

    def compare_rows(self):
        step("Ctrl+Shift+M: the two rows compared")
        keys("ctrl+shift+m")
        compare = wait_for(lambda: window(self.app, "Compare Players"), "the compare window")
        compared = find(compare, role="table", name="Players compared", showing=False)
        check(compared is not None and compared.queryTable().nColumns == 2,
              "the compare table without two players")
        names_distinct(compare, "compare window")
        close_with_alt_f4(compare)
        wait_for(lambda: self.main.getState().contains(pyatspi.STATE_ACTIVE), "main window active")

    def arrow_keys(self):
        step("Down in the list: the row after the selection alone selected")
        keys("Down")
        selected = lambda: [r for r in range(4) if self.table.queryTable().isRowSelected(r)]
        wait_for(lambda: selected() == [2], f"row 2 alone selected (rows {selected()})")

    def side_windows(self):
        for menu, item in (("Help", "Checkbox Legend..."), ("Statistics", "File Infos"),
                           ("Statistics", "Search Report..."),
                           ("Info", "About Vantrel Search Machine")):
            step(f"{menu} -> {item} opened and closed")
            showing = lambda w: w.getState().contains(pyatspi.STATE_SHOWING)
            before = {w.name for w in children(self.app) if showing(w)}
            click(find(find(self.main, role="menu bar"), role="menu item", name=menu))
            click(wait_for(lambda: find(self.app, role="menu item", name=item), f"{item} shown"))
            side = wait_for(lambda: next((w for w in children(self.app)
                                          if w.name not in before and showing(w)), None),
                            f"the window of {item}")
            names_distinct(side, item)
            step(f"  {side.name!r} shown; closed with Alt+F4")
            close_with_alt_f4(side)

    def typed_query(self):
        step("Ctrl+L, a query typed: goalies only")
        keys("ctrl+l")
        query = wait_for(lambda: window(self.app, "Query"), "the query dialog")
        edit = wait_for(lambda: focused_text(query), "the query line focused")
        check(edit.name.startswith("Criteria"), f"the query line is named {edit.name!r}")
        names_distinct(query, "query dialog")
        keys("ctrl+a")
        xdo("type", "--delay", "5", "pos=G")
        keys("Return")
        wait_for(lambda: not query.getState().contains(pyatspi.STATE_SHOWING), "query closed")
        position = column_index(self.table, "Pos.")
        wait_for(lambda: set(table_column(self.table, position)) == {"G"}, "goalies listed")
        check(self.count.name == str(self.table.queryTable().nRows), "count and rows differ")
        check(self.slider.description == "at least 0", f"SK: {self.slider.description!r}")

    def missing_file(self):
        step("a missing file typed in the open dialog")
        self.type_into_open_dialog(os.path.join(SAMPLE, "missing.ros"))
        german = lambda o: "Datei" in o.name
        box = wait_for(lambda: next((w for w in children(self.app)
                                     if w.getRoleName() in ("alert", "dialog")
                                     and w.getState().contains(pyatspi.STATE_SHOWING)
                                     and find(w, role="label", pred=german)), None),
                       "the message box")
        step(f"  message: {find(box, role='label', pred=german).name!r}")
        keys("Return")
        wait_for(lambda: not box.getState().contains(pyatspi.STATE_SHOWING), "the box answered")
        after_dialog(self.main)

    def quit(self):
        step("Ctrl+Q")
        keys("ctrl+q")
        try:
            status = self.process.wait(timeout=2)
        except subprocess.TimeoutExpired:
            raise JourneyFailure("still running 2 s after Ctrl+Q")
        check(status == 0, f"exit status {status}")


def journey(process):
    j = Journey(process)
    for walk_step in (j.start, j.open_sample, j.search_all, j.sort_twice, j.keyboard_criterion,
                      j.details, j.copy_rows, j.compare_rows, j.arrow_keys, j.side_windows,
                      j.typed_query, j.missing_file, j.quit):
        walk_step()


def main():
    log = open(os.path.join(OUT, "program.log"), "w")
    process = subprocess.Popen([PROGRAM], stdout=log, stderr=subprocess.STDOUT)
    try:
        journey(process)
    except Exception as failure:
        shot = os.path.join(OUT, "journey-failure.xwd")
        with open(shot, "wb") as out:
            subprocess.run(["xwd", "-root", "-silent"], stdout=out)
        print(f"FAILED after {time.monotonic() - START:.2f} s: {failure}\nscreen: {shot}",
              flush=True)
        active = subprocess.run(["xdotool", "getactivewindow", "getwindowname"],
                                capture_output=True, text=True).stdout.strip()
        print(f"the window manager's active window: {active!r}", flush=True)
        process.kill()
        return 1
    step(f"passed in {time.monotonic() - START:.2f} s")
    return 0


if __name__ == "__main__":
    sys.exit(main())
