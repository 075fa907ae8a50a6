# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the program on the AT-SPI bus and walks its accessible tree: every
# shown control, and every menu item, must have a name (menu items without
# their shortcut text). Exit 0 passed, 1 failed, 77 could not run here.
import os
import subprocess
import sys
import time

SKIP = 77
CONTROL_ROLES = None


def main(program):
    try:
        import pyatspi
    except ImportError as e:
        print("SKIP: pyatspi:", e)
        return SKIP
    global CONTROL_ROLES
    CONTROL_ROLES = {
        pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON, pyatspi.ROLE_CHECK_BOX,
        pyatspi.ROLE_RADIO_BUTTON, pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_TEXT,
        pyatspi.ROLE_ENTRY, pyatspi.ROLE_SPIN_BUTTON, pyatspi.ROLE_LIST, pyatspi.ROLE_TREE,
        pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE_TABLE, pyatspi.ROLE_TABLE_CELL,
        pyatspi.ROLE_PROGRESS_BAR, pyatspi.ROLE_SLIDER, pyatspi.ROLE_PAGE_TAB,
        pyatspi.ROLE_MENU_ITEM, pyatspi.ROLE_CHECK_MENU_ITEM, pyatspi.ROLE_MENU,
    }
    try:
        desktop = pyatspi.Registry.getDesktop(0)
        desktop.childCount  # the registry answers, or the bus is not there
    except Exception as e:
        print("SKIP: the AT-SPI registry does not answer:", e)
        return SKIP

    proc = subprocess.Popen([program], stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    try:
        app = None
        deadline = time.monotonic() + 20
        while time.monotonic() < deadline and app is None:
            if proc.poll() is not None:
                print("FAIL: the program ended at start-up:", proc.stdout.read().decode(errors="replace"))
                return 1
            try:
                for i in range(desktop.childCount):
                    a = desktop.getChildAtIndex(i)
                    if a is not None and "radioprog" in (a.name or "").lower():
                        app = a
            except Exception:
                pass
            if app is None:
                time.sleep(0.25)
        if app is None:
            print("SKIP: the program never showed up on the AT-SPI bus (no bridge here)")
            return SKIP
        # Give the main window time to fill its grid and bars.
        time.sleep(1.0)
        faults, seen = [], [0]

        def walk(node, depth, path):
            if depth > 40 or seen[0] > 20000:
                return
            seen[0] += 1
            try:
                role = node.getRole()
                name = node.name or ""
                states = node.getState()
                showing = states.contains(pyatspi.STATE_SHOWING)
                role_name = node.getRoleName()
            except Exception:
                return
            here = path + "/" + role_name + ("[" + name + "]" if name else "")
            if role in (pyatspi.ROLE_MENU_ITEM, pyatspi.ROLE_CHECK_MENU_ITEM) and "\t" in name:
                faults.append("menu item named with its shortcut: " + here)
            if role in CONTROL_ROLES and (showing or role in (pyatspi.ROLE_MENU_ITEM, pyatspi.ROLE_MENU)):
                labelled = False
                try:
                    for rel in node.getRelationSet():
                        if rel.getRelationType() == pyatspi.RELATION_LABELLED_BY:
                            labelled = True
                except Exception:
                    pass
                if not name.strip() and not labelled:
                    faults.append("unnamed " + here)
            try:
                count = node.childCount
            except Exception:
                return
            for i in range(min(count, 2000)):
                try:
                    child = node.getChildAtIndex(i)
                except Exception:
                    continue
                if child is not None:
                    walk(child, depth + 1, here)

        walk(app, 0, "")
        print("walked %d accessible objects" % seen[0])
        if seen[0] < 50:
            print("FAIL: the tree is too small to be the program's window")
            return 1
        for f in faults[:50]:
            print("FAIL:", f)
        return 1 if faults else 0
    finally:
        proc.terminate()
        try:
            proc.wait(timeout=5)
        except subprocess.TimeoutExpired:
            proc.kill()


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
