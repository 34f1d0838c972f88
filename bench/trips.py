"""Trips to Wine's server of one opening, step by step, from a +server trace.

Reads the trace of window_bench run with VARNOX_BENCH_TRACE (scripts/bench-trips)
on stdin. The bench names each mark of a round in a request of its own (an atom
looked up); this counts the requests the bench's thread makes between the marks
and prints the last opening of the window and the last of its visible floor.
Unlike time, the count does not vary from run to run.
"""

import re
import sys

REQUEST = re.compile(r"^([0-9a-f]{4}): (\w+)\(")
MARK = re.compile(r'find_atom\( name=L"([^"]*)"')
STEP_OF_MARK = {"@created": "create the window", "@shown": "first paint"}


def rounds(lines):
    """Yields (kind, [(step, trips)]) for every round that painted, and
    ("page visit CAPTION" or "page floor CAPTION", [(caption, trips)]) for each
    page's first visit and its floor."""
    thread = None
    current = None
    for line in lines:
        request = REQUEST.match(line)
        if not request or ") = " in line:
            continue
        mark = MARK.search(line) if request.group(2) == "find_atom" else None
        if mark:
            name = mark.group(1)
            if name.startswith("@page ") and name != "@page end":
                thread = request.group(1)
                current = (name[1:], [[name, 0]])
            elif name == "@page end" and current:
                yield current
                current = None
            elif name.startswith("@round "):
                thread = request.group(1)
                current = (name[len("@round "):], [["make the model and the window classes", 0]])
            elif current and request.group(1) == thread:
                if name == "@painted":
                    yield current
                    current = None
                else:
                    current[1].append([STEP_OF_MARK.get(name, name), 0])
            continue
        if current and request.group(1) == thread:
            current[1][-1][1] += 1


def main():
    last = {}
    for kind, steps in rounds(sys.stdin):
        last[kind] = steps
    if "window" not in last or "floor" not in last:
        print("bench-trips: no whole opening of the window and of its floor in the trace")
        return 1
    totals = {}
    for kind in ("window", "floor"):
        steps = last[kind]
        totals[kind] = sum(trips for _, trips in steps)
        print(f"{kind}, trips to the server by step:")
        for step, trips in steps:
            print(f"  {step:44} {trips:6}")
        print(f"  {'in all':44} {totals[kind]:6}")
    print("first visit of each page against its page floor, trips:")
    heaviest = ("", 0.0)
    for kind, steps in last.items():
        if not kind.startswith("page visit "):
            continue
        caption = kind[len("page visit "):]
        floor = last.get("page floor " + caption)
        if not floor:
            continue
        visit_trips, floor_trips = steps[0][1], floor[0][1]
        print(f"  {caption:24} visit {visit_trips:6}  floor {floor_trips:6}  ratio {visit_trips / floor_trips:.3f}")
        if visit_trips / floor_trips > heaviest[1]:
            heaviest = (caption, visit_trips / floor_trips)
    print(f"trips open / visible floor: {totals['window'] / totals['floor']:.3f}")
    if heaviest[0]:
        print(f"trips heaviest first visit / page floor: {heaviest[1]:.3f} ({heaviest[0]})")
    return 0


if __name__ == "__main__":
    sys.exit(main())
