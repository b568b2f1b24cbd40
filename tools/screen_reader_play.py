"""Plays a whole game of Kelvo the way a blind player does: through what
the accessibility bus (AT-SPI) tells about it and nothing else.

It listens for what the game says unasked (Qt's announcement event, or a
notification shown, whichever this Qt sends) and for the cells that take
the focus, starts the game, finds its view in the accessibility tree, and
for each round takes the square from what it heard, checks it against the
square's cells in the tree, works out the one swap that makes the square
magic, types its two numbers, and presses Enter as soon as it hears the
result; in round 2 it makes the swap with the arrow keys and Space instead,
hearing where the cursor is and where an edge stops it.  Before the game it
changes the swap period there and back; in round 1 it pauses, hears the
clock stand still, and resumes.  At the end it must have heard the overall
score of a perfect game, 6110.

  screen_reader_play.py GAME [GAME-ARGUMENT...]
  screen_reader_play.py --swap "8 1 6, 3 5 7, 4 9 2"   (prints the magic swap)

Run by tools/check-screen-reader, which provides the X display, the
session bus and the accessibility bus.  Prints what it heard; exits 0 when
the game was won, 1 on any failure, 77 when the accessibility bus cannot
be used here.
"""

import re
import subprocess
import sys
import time

try:
    import gi

    gi.require_version("Atspi", "2.0")
    from gi.repository import Atspi, GLib
except (ImportError, ValueError) as error:
    print(f"skipped: the AT-SPI Python bindings cannot be loaded: {error}")
    sys.exit(77)

ROUNDS = 10
# The eight lines of the square, as cell indexes 0..8.
LINES = [(0, 1, 2), (3, 4, 5), (6, 7, 8), (0, 3, 6), (1, 4, 7), (2, 5, 8), (0, 4, 8), (2, 4, 6)]

heard = []
focused = []
started = time.monotonic()
PLACES = ["top left", "top middle", "top right", "middle left", "center", "middle right",
          "bottom left", "bottom middle", "bottom right"]


def log(text):
    print(f"{time.monotonic() - started:7.2f}s  {text}", flush=True)


def on_event(event):
    text = None
    if event.type.startswith("object:announcement"):
        text = str(event.any_data)
    elif event.type.startswith("object:state-changed:focused") and event.detail1 == 1:
        try:
            if event.source.get_role() == Atspi.Role.TABLE_CELL:
                event.source.clear_cache()
                focused.append(event.source.get_name())
                log(f"focus: {focused[-1]}")
        except GLib.Error:
            pass
        return
    elif event.type.startswith("object:state-changed:showing") and event.detail1 == 1:
        try:
            if event.source.get_role() == Atspi.Role.NOTIFICATION:
                event.source.clear_cache()
                text = event.source.get_name()
        except GLib.Error:
            return
    if text:
        heard.append(text)
        log(f"heard: {text}")


def pump(seconds):
    """Lets events arrive for `seconds`."""
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        while context.pending():
            context.iteration(False)
        time.sleep(0.01)


def wait_to_hear(pattern, seconds, after=0):
    """The first thing heard from index `after` on that matches `pattern`."""
    end = time.monotonic() + seconds
    while True:
        for text in heard[after:]:
            match = re.search(pattern, text)
            if match:
                return match
        if time.monotonic() > end:
            return None
        pump(0.05)


def children(node):
    try:
        return [node.get_child_at_index(i) for i in range(node.get_child_count())]
    except GLib.Error:
        return []


def find(node, test, depth=0):
    if node is None or depth > 12:
        return None
    try:
        if test(node):
            return node
    except GLib.Error:
        return None
    for child in children(node):
        found = find(child, test, depth + 1)
        if found is not None:
            return found
    return None


def find_game_view(pid, seconds):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        desktop = Atspi.get_desktop(0)
        for app in children(desktop):
            try:
                if app.get_process_id() != pid:
                    continue
            except GLib.Error:
                continue
            view = find(app, lambda n: n.get_role() == Atspi.Role.CANVAS and n.get_name() == "Game")
            if view is not None:
                return view
        pump(0.2)
    return None


def square_in_tree(view):
    """The digits of the square's cells, row by row, as the tree has them."""
    view.clear_cache()
    table = find(view, lambda n: n.get_role() == Atspi.Role.TABLE and "quare" in n.get_name())
    if table is None:
        return None
    table.clear_cache()
    names = []
    for cell in children(table):
        cell.clear_cache()
        names.append(re.match(r"\d", cell.get_name()))
    if len(names) != 9 or not all(names):
        return None
    return [int(name.group(0)) for name in names]


def total(square):
    return sum((sum(square[i] for i in line) - 15) ** 2 for line in LINES)


def magic_swap(square):
    for p in range(9):
        for q in range(p + 1, 9):
            trial = list(square)
            trial[p], trial[q] = trial[q], trial[p]
            if total(trial) == 0:
                return square[p], square[q]
    return None


def key(*names):
    subprocess.run(["xdotool", "key", "--delay", "60", *names], check=False, timeout=10)


def say_after(keys, pattern, seconds=5):
    """Presses `keys` and waits to hear `pattern`; the match or None."""
    mark = len(heard)
    key(*keys)
    said = wait_to_hear(pattern, seconds, mark)
    if not said:
        log(f"FAILED: after {' '.join(keys)}, never heard /{pattern}/")
    return said


def moves(from_cell, to_cell):
    """The arrow keys from cell index `from_cell` to `to_cell` (0..8)."""
    rows = to_cell // 3 - from_cell // 3
    columns = to_cell % 3 - from_cell % 3
    return (["Down"] * rows + ["Up"] * -rows + ["Right"] * columns + ["Left"] * -columns)


def swap_by_cursor(square, first, second):
    """Swaps the numbers `first` and `second` with the arrows and Space, from
    the centre, going first against the top edge; checks what the focus and
    the game say on the way."""
    p, q = square.index(first), square.index(second)
    said_before = len(heard)
    mark = len(focused)
    if not say_after(["Up", "Up"], r"^Top edge\.$"):
        return False
    pump(0.3)
    if not focused[mark:] or focused[mark] != f"{square[1]}, top middle":
        log(f"FAILED: the cursor's first cell said {focused[mark:]}, not '{square[1]}, top middle'")
        return False
    key(*moves(1, p))
    pump(0.5)
    if focused[-1] != f"{first}, {PLACES[p]}":
        log(f"FAILED: the cursor on cell {p} said '{focused[-1]}'")
        return False
    if not say_after(["space"], rf"^{first} picked\.$"):
        return False
    mark = len(heard)
    key(*moves(p, q), "space")
    if not wait_to_hear(rf"^{first} and {second} swapped\. Magic square!", 10, mark):
        log(f"FAILED: the swap of {first} and {second} by the cursor was not confirmed")
        return False
    # The pick said once: by the game, not again by a focus moving to it.
    if sum(1 for text in heard[said_before:] if text == f"{first} picked.") != 1:
        log(f"FAILED: '{first} picked.' was not said exactly once")
        return False
    return True


def pause_and_resume():
    """Pauses the round, hears the clock stand still, resumes."""
    paused = say_after(["Pause"], r"^Paused, (\d+) seconds? left\.$")
    if not paused:
        return False
    pump(2.5)
    if not say_after(["t"], rf"^Paused, {paused.group(1)} seconds? left\.$"):
        return False
    return say_after(["h"], rf"^Resumed, {paused.group(1)} seconds? left\.$") is not None


def play(game):
    listener = Atspi.EventListener.new(on_event)
    for event_type in (
        "object:announcement",
        "object:state-changed:showing",
        "object:state-changed:focused",
        "object:property-change:accessible-name",
        "object:children-changed",
    ):
        listener.register(event_type)
    # The game sends an event only once it knows someone listens for it.
    pump(1.0)
    log("starting " + " ".join(game))
    process = subprocess.Popen(game, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        return play_with(process)
    finally:
        process.terminate()
        try:
            process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            process.kill()


def play_with(process):
    view = find_game_view(process.pid, 30)
    if view is None:
        log("FAILED: the game's view never appeared in the accessibility tree")
        return 1
    log(f"found the view: {view.get_role_name()} '{view.get_name()}' with {view.get_child_count()} parts")
    window = subprocess.run(
        ["xdotool", "search", "--sync", "--onlyvisible", "--pid", str(process.pid)],
        capture_output=True, text=True, timeout=20,
    ).stdout.split()
    if not window:
        log("FAILED: the game's window did not show")
        return 1
    subprocess.run(["xdotool", "windowfocus", "--sync", window[0]], check=False, timeout=10)
    pump(0.5)

    # The swap period's keys, between games: up a step and back again.
    if not say_after(["plus"], r"^20 seconds to swap\.$"):
        return 1
    if not say_after(["minus"], r"^10 seconds to swap\.$"):
        return 1

    mark = len(heard)
    key("Return")
    for round_number in range(1, ROUNDS + 1):
        start = wait_to_hear(rf"^((\d \d \d, ){{2}}\d \d \d)\. Round {round_number}[.,]", 10, mark)
        if not start:
            log(f"FAILED: round {round_number} was not announced")
            return 1
        square = [int(d) for d in re.findall(r"\d", start.group(1))]
        in_tree = None
        for _ in range(20):
            in_tree = square_in_tree(view)
            if in_tree == square:
                break
            pump(0.05)
        if in_tree != square:
            log(f"FAILED: heard the square {square}, the tree shows {in_tree}")
            return 1
        swap = magic_swap(square)
        if not swap:
            log(f"FAILED: no single swap makes {square} magic")
            return 1
        if round_number == 1 and not pause_and_resume():
            return 1
        if round_number == 2:
            if not swap_by_cursor(square, swap[0], swap[1]):
                return 1
        else:
            mark = len(heard)
            key(str(swap[0]), str(swap[1]))
            if not wait_to_hear(rf"^{swap[0]} and {swap[1]} swapped\. Magic square!", 10, mark):
                log(f"FAILED: the swap of {swap[0]} and {swap[1]} was not confirmed")
                return 1
        if round_number == ROUNDS:
            break
        # Enter at once, as a player who has just heard the result does: the
        # game keeps it and starts the next round as the round closes.
        mark = len(heard)
        key("Return")

    end = wait_to_hear(r"^Game over\. .*overall (\d+)\.(.*)$", 15)
    if not end:
        log("FAILED: the end of the game was not announced")
        return 1
    if end.group(1) != "6110" or "PERFECT!" not in end.group(2):
        log(f"FAILED: the game ended with {end.group(0)}")
        return 1
    log("a perfect game: 6110 heard at the end, and PERFECT!")
    return 0


if __name__ == "__main__":
    if len(sys.argv) == 3 and sys.argv[1] == "--swap":
        # The swap that makes a square such as "8 1 6, 3 5 7, 4 9 2" magic.
        swap = magic_swap([int(d) for d in re.findall(r"\d", sys.argv[2])])
        if swap:
            print(f"{swap[0]} {swap[1]}")
        sys.exit(0 if swap else 1)
    if len(sys.argv) < 2:
        print(__doc__)
        sys.exit(2)
    if Atspi.init() not in (0, 1):
        print("skipped: the accessibility bus cannot be reached")
        sys.exit(77)
    sys.exit(play(sys.argv[1:]))
