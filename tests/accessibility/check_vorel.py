"""The main window through AT-SPI: what a screen reader reads of it.

Run by atspi_harness.py with build/vorel: every control is found by role
and the name a screen reader announces, values are read and set through the
Value interface, and the diagram's description follows what is set.
"""

from atspi_harness import CheckFailed

# Controls of each camera box, by role, the name that carries the camera
# ("{camera}" stands for "Camera 1" or "Camera 2"), the label a screen reader
# reads beside it, and the value at start.
CAMERA_CONTROLS = [
    ("spin button", "{camera} focus distance", "Focus", 4.0),
    ("spin button", "{camera} f-number", "Apature", None),
    ("spin button", "{camera} focal length", "Focal length", None),
    ("spin button", "{camera} circle of confusion", "Circel of Confusion", 0.0128),
    ("check box", "{camera} calc with diffraction", None, None),
    ("check box", "{camera} lock magnification", None, None),
    ("push button", "{camera} set to hyperfocal", None, None),
]
FIRST_APERTURES = {"Camera 1": 1.2, "Camera 2": 2.0}
FIRST_FOCAL_LENGTHS = {"Camera 1": 85.0, "Camera 2": 135.0}
# The CoC panel each camera shows at start, by its own title.
FIRST_PANELS = {"Camera 1": "Set Coc by crop factor", "Camera 2": "Set CoC by crop factor"}
WINDOW_CONTROLS = [
    ("spin button", "Left Border"),
    ("slider", "Distance scale"),
    ("slider", "Uz-Scale"),
    ("scroll bar", "Left Border"),
    ("radio button", "Distance from Camera"),
    ("push button", "Copy camera 1 to camera 2"),
    ("push button", "Copy camera 2 to camera 1"),
    ("push button", "Swap cameras"),
]
# What a screen reader can land on; each needs a name in words.
CONTROL_ROLES = {"spin button", "slider", "scroll bar", "check box", "radio button",
                 "push button", "combo box"}


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


def check_names(session):
    for role, name in WINDOW_CONTROLS:
        session.find(role, name, showing=True)
    names = {}
    for camera in ("Camera 1", "Camera 2"):
        box = session.find("check box", camera)
        for role, pattern, label, value in CAMERA_CONTROLS:
            name = pattern.format(camera=camera)
            node = session.find(role, name, root=box)
            names.setdefault(pattern, set()).add(node.name)
            if label is not None:
                labels = session.labels_of(node)
                expect(labels[:1] == [label],
                       "%s is labelled by %r, not by its label %r" % (name, labels, label))
            if value is not None:
                expect(abs(session.value(node) - value) < 1e-9,
                       "%s reads %r, not %r" % (name, session.value(node), value))
            expect(role != "push button" or camera in node.description,
                   "%s is described as %r" % (name, node.description))
        aperture = session.value(session.find("spin button", camera + " f-number", root=box))
        expect(aperture == FIRST_APERTURES[camera], "%s starts at f/%g" % (camera, aperture))
        focal = session.value(session.find("spin button", camera + " focal length", root=box))
        expect(focal == FIRST_FOCAL_LENGTHS[camera], "%s starts at %g mm" % (camera, focal))
        crop = [n for n in session.find_all("combo box", root=box, showing=True)
                if announced_name(session, n) == "Crop factor"]
        expect(len(crop) == 1, "%s shows %d combo boxes labelled Crop factor"
               % (camera, len(crop)))
        expect(crop[0].name == "1.6 APS-C (3:2)", "%s crop factor reads %r"
               % (camera, crop[0].name))
        panel = session.find("panel", FIRST_PANELS[camera], root=box, showing=True)
        button = session.find("push button", camera + " set CoC by crop factor", root=panel)
        expect(FIRST_PANELS[camera] in session.labels_of(button),
               "%s's Set button is labelled by %r" % (camera, session.labels_of(button)))

    # Camera 1's fields and camera 2's are told apart by their names.
    for pattern, found in names.items():
        expect(len(found) == 2, "both cameras' %r read the same: %r" % (pattern, found))

    unnamed = []
    checked = 0
    for node in session.find_all(showing=True):
        if session.role(node) not in CONTROL_ROLES:
            continue
        checked += 1
        if not any(c.isalpha() for c in announced_name(session, node)):
            unnamed.append("%s %r" % (session.role(node), node.name))
    expect(checked >= 30, "only %d controls are shown" % checked)
    expect(not unnamed, "controls without a name in words: " + ", ".join(unnamed))


def diagram(session):
    return session.find("chart", "Blur diagram")


def wait_for_description(session, text, what):
    node = diagram(session)
    return session.wait_for(lambda: text in node.description and node.description, 20,
                            "the diagram's description to show %s (it reads %r)"
                            % (what, node.description))


def check_description(session):
    changes = session.listen("object:property-change:accessible-description")
    node = diagram(session)
    expect(node.getState().contains(session.pyatspi.STATE_FOCUSABLE),
           "the diagram cannot take the focus")
    first = node.description
    for text in ("Camera 1: 85mm f/1.2 - Dist.: 4m - CoC: 0.0128mm; Uz(inf): ",
                 "Camera 2: 135mm f/2 - Dist.: 4m - CoC: 0.0128mm; Uz(inf): ", "DOF: [",
                 "Scale: 1:"):
        expect(text in first, "the diagram's description lacks %r: %r" % (text, first))
    # Give the bridge time to learn that somebody listens.
    session.pump(0.5)

    box = session.find("check box", "Camera 1")
    focus = session.find("spin button", "Camera 1 focus distance", root=box)
    session.set_value(focus, 3.0)
    expect(session.value(focus) == 3.0, "Focus reads %r after setting 3" % session.value(focus))
    wait_for_description(session, "Camera 1: 85mm f/1.2 - Dist.: 3m", "the new focus")

    aperture = session.find("spin button", "Camera 1 f-number", root=box)
    session.set_value(aperture, 8.0)
    described = wait_for_description(session, "85mm f/8 - Dist.: 3m", "the new f-number")
    expect("Camera 2: 135mm f/2 - Dist.: 4m" in described,
           "camera 2 changed with camera 1: %r" % described)

    session.wait_for(lambda: any(e.source == node for e in changes), 20,
                     "an accessible-description change event from the diagram")

    camera2 = session.find("check box", "Camera 2")
    camera2.queryAction().doAction(0)
    described = wait_for_description(session, "f/8", "camera 1 alone")
    session.wait_for(lambda: "Camera 2" not in node.description, 20,
                     "camera 2 to leave the description")


def check(session):
    check_names(session)
    check_description(session)
