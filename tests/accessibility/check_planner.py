"""The planner through AT-SPI: the figures a screen reader reads of it.

Run by atspi_harness.py with build/vorel-planner: the inputs are found by
role and the name a screen reader announces and set through the Value
interface; the results are read as the text of their fields and compared
with what vorel-calc, built beside the planner, prints for the same inputs.
"""

import json
import os
import subprocess

from atspi_harness import CheckFailed

# What a screen reader can land on; each needs a name in words.
CONTROL_ROLES = {"spin button", "check box", "push button", "combo box", "text", "table"}


def expect(condition, message):
    if not condition:
        raise CheckFailed(message)


def announced_name(session, node):
    # A combo box's name is its current choice; it is announced by the
    # label it is labelled by.
    if session.role(node) == "combo box":
        labels = session.labels_of(node)
        return labels[0] if labels else ""
    return node.name


def calc(session, *args):
    program = os.path.join(os.path.dirname(session.program), "vorel-calc")
    out = subprocess.run([program] + list(args), check=True, capture_output=True, text=True,
                         timeout=30).stdout
    if "--format" in args:
        return json.loads(out)
    lines = {}
    for line in out.splitlines():
        key, _, value = line.partition("  ")
        if value:
            lines[key.strip()] = value.strip()
    return lines


def spin(session, name):
    return session.find("spin button", name, showing=True)


def result(session, name):
    return session.text(session.find("text", name, showing=True))


def set_checked(session, name, checked):
    box = session.find("check box", name, showing=True)
    is_checked = box.getState().contains(session.pyatspi.STATE_CHECKED)
    if is_checked != checked:
        box.queryAction().doAction(0)
    session.wait_for(lambda: box.getState().contains(session.pyatspi.STATE_CHECKED) == checked,
                     10, "%s to be %s" % (name, "checked" if checked else "clear"))


def set_number(session, name, value):
    node = spin(session, name)
    session.set_value(node, value)
    session.wait_for(lambda: abs(session.value(node) - value) < 1e-9, 10,
                     "%s to read %g (it reads %r)" % (name, value, session.value(node)))


def show_page(session, name):
    # A tab is pressed as a button is.
    session.find("page tab", name).queryAction().doAction(0)
    session.wait_for(lambda: session.find_all("spin button", "Aperture", showing=True), 10,
                     "the page %s to show" % name)


def check_names(session):
    for role, name in (("spin button", "Focal length"), ("spin button", "Circle of confusion"),
                       ("spin button", "Near distance"), ("spin button", "Far distance"),
                       ("check box", "Far at infinity"), ("text", "Focus distance"),
                       ("text", "Best aperture"), ("text", "Sharp apertures")):
        session.find(role, name, showing=True)
    cameras = [n for n in session.find_all("combo box", showing=True)
               if announced_name(session, n) == "Camera"]
    expect(len(cameras) == 1, "%d combo boxes are labelled Camera" % len(cameras))

    unnamed = []
    for node in session.find_all(showing=True):
        if session.role(node) in CONTROL_ROLES and \
                not any(c.isalpha() for c in announced_name(session, node)):
            unnamed.append("%s %r" % (session.role(node), node.name))
    expect(not unnamed, "controls without a name in words: " + ", ".join(unnamed))


def check_best_aperture(session):
    set_number(session, "Focal length", 24)
    set_number(session, "Circle of confusion", 0.03)
    set_number(session, "Near distance", 1.5)
    set_checked(session, "Far at infinity", True)
    args = ["optimum", "--focal", "24", "--near", "1.5", "--far", "inf", "--coc", "0.03"]
    text = calc(session, *args)
    figures = calc(session, *(args + ["--format", "json"]))
    session.wait_for(lambda: result(session, "Best aperture") == text["Best aperture"], 10,
                     "Best aperture to read %r (it reads %r)"
                     % (text["Best aperture"], result(session, "Best aperture")))
    expect(result(session, "Sharp apertures") == text["Sharp apertures"],
           "Sharp apertures reads %r, vorel-calc %r"
           % (result(session, "Sharp apertures"), text["Sharp apertures"]))
    focus = result(session, "Focus distance")
    expect(focus.endswith(" m") and abs(float(focus[:-2]) - figures["focus_m"]) < 5e-4,
           "Focus distance reads %r, vorel-calc %r m" % (focus, figures["focus_m"]))


def check_stack(session):
    show_page(session, "Focus stack")
    set_checked(session, "Far at infinity", False)
    set_number(session, "Focal length", 100)
    set_number(session, "Circle of confusion", 0.03)
    set_number(session, "Far distance", 0.32)
    set_number(session, "Near distance", 0.3)
    set_number(session, "Aperture", 8)
    set_checked(session, "Include diffraction", True)
    count = calc(session, "stack", "--focal", "100", "--aperture", "8", "--near", "0.3",
                 "--far", "0.32", "--coc", "0.03", "--diffraction", "--format", "json")["count"]
    session.wait_for(lambda: result(session, "Frames") == str(count), 10,
                     "Frames to read %d (it reads %r)" % (count, result(session, "Frames")))
    chart = session.find(None, "Sharp zones chart", showing=True)
    expect("%d frames" % count in chart.description,
           "the chart's description lacks the count: %r" % chart.description[:200])


def check(session):
    check_names(session)
    check_best_aperture(session)
    check_stack(session)
