#!/usr/bin/env python3
"""Kills saves at random moments and checks what they leave behind.

Each round starts a save (perixctl import, export or reset, or the macro save
through macro_save) on a file holding known old content, sends SIGKILL after a
random delay within the save's usual duration, and then reads the file: it
must be exactly the old or exactly the new content (each of which parses).
Anything else is a torn file. Files the saves leave beside the target
(temporary files of killed saves) are counted too: after the rounds one more
save runs to completion, and whatever of them is still there then is stale.

    bench/kill-save/kill_during_save.py --runs 1000 \\
        --perixctl build/linux/bin/perixctl --macro-save build/linux/bin/macro_save

Exits non-zero when a file was torn or stale temporary files were left.
"""

import argparse
import os
import random
import shutil
import signal
import subprocess
import sys
import tempfile
import time


class Operation:
    def __init__(self, name, target, command, old, inputs):
        self.name = name
        self.target = target  # the file the save replaces
        self.command = command
        self.old = old  # the target's content before each round, or None: no file
        self.inputs = inputs  # other files of the folder: {name: bytes}
        self.new = None
        self.duration = 0.0
        self.rounds = self.torn = self.old_seen = self.new_seen = 0


def reset_folder(folder, operation):
    # Temporary files that killed saves left stay: later saves must clean up.
    for name, data in operation.inputs.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)
    if operation.old is None:
        if os.path.exists(operation.target):
            os.remove(operation.target)
    else:
        with open(operation.target, "wb") as f:
            f.write(operation.old)


def read(path):
    try:
        with open(path, "rb") as f:
            return f.read()
    except FileNotFoundError:
        return None


def extra_files(folder, operation):
    known = set(operation.inputs) | {os.path.basename(operation.target)}
    return sorted(name for name in os.listdir(folder) if name not in known)


def main():
    arguments = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    arguments.add_argument("--runs", type=int, default=1000)
    arguments.add_argument("--perixctl", required=True)
    arguments.add_argument("--macro-save", required=True)
    arguments.add_argument("--data", default=os.path.join(os.path.dirname(__file__), "../../tests/data/fuzz"))
    arguments.add_argument("--seed", type=int, default=1)
    options = arguments.parse_args()
    rng = random.Random(options.seed)

    with open(os.path.join(options.data, "config/Mouse.ini"), "rb") as f:
        settings = f.read()
    with open(os.path.join(options.data, "profile/full.prof"), "rb") as f:
        profile = f.read()
    # The profile differs from the settings in a few values, so that an
    # import changes the file.
    profile = profile.replace(b"PollingRate=4", b"PollingRate=2").replace(b"LedColor=16744512", b"LedColor=255")

    work = tempfile.mkdtemp(prefix="kill-save-")
    try:
        folders = {}
        operations = []

        def add(name, target_name, argv, old, inputs):
            folder = os.path.join(work, name)
            os.makedirs(folder)
            folders[name] = folder
            target = os.path.join(folder, target_name)
            command = [part.replace("@", folder + "/") for part in argv]
            operations.append(Operation(name, target, command, old, inputs))

        add("import", "Mouse.ini", [options.perixctl, "import", "@base.prof", "@Mouse.ini"], settings,
            {"base.prof": profile})
        add("export", "out.prof", [options.perixctl, "export", "@Mouse.ini", "@out.prof"],
            profile, {"Mouse.ini": settings})
        add("reset", "Mouse.ini", [options.perixctl, "reset", "@Mouse.ini"], settings, {})
        add("macro", "Combo.macro", [options.macro_save, "@Combo.macro", "7"], None, {})
        # The macro's old content: the same save with other records.
        folder = folders["macro"]
        subprocess.run([options.macro_save, os.path.join(folder, "Combo.macro"), "3"], check=True)
        operations[-1].old = read(os.path.join(folder, "Combo.macro"))

        # Each save once, whole: the new content and how long it takes.
        for operation in operations:
            folder = os.path.dirname(operation.target)
            times = []
            for _ in range(5):
                reset_folder(folder, operation)
                start = time.monotonic()
                subprocess.run(operation.command, check=True, stdout=subprocess.DEVNULL)
                times.append(time.monotonic() - start)
            operation.new = read(operation.target)
            operation.duration = sorted(times)[len(times) // 2]
            if operation.new == operation.old:
                sys.exit("%s: the save does not change the file; nothing to test" % operation.name)
            for content in (operation.old, operation.new):
                check = os.path.join(work, "check-" + operation.name + os.path.splitext(operation.target)[1])
                with open(check, "wb") as f:
                    f.write(content)
                verb = ["macro", "show"] if operation.name == "macro" else ["show"]
                subprocess.run([options.perixctl] + verb + [check], check=True, stdout=subprocess.DEVNULL)
                os.remove(check)

        most_left = 0
        for n in range(options.runs):
            operation = operations[n % len(operations)]
            folder = os.path.dirname(operation.target)
            reset_folder(folder, operation)
            # Most of a save's time is the process starting: the kills lean late.
            delay = rng.uniform(operation.duration * 0.2, operation.duration * 1.1)
            process = subprocess.Popen(operation.command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            time.sleep(delay)
            process.send_signal(signal.SIGKILL)
            process.wait()
            content = read(operation.target)
            operation.rounds += 1
            if content == operation.old:
                operation.old_seen += 1
            elif content == operation.new:
                operation.new_seen += 1
            else:
                operation.torn += 1
                if sum(o.torn for o in operations) <= 10:
                    keep = os.path.join(tempfile.gettempdir(), "kill-save-torn-%s-%d" % (operation.name, n))
                    if content is not None:
                        shutil.copyfile(operation.target, keep)
                    print("torn: %s round %d after %.1f ms (kept as %s)" % (operation.name, n, delay * 1000, keep))
            most_left = max(most_left, len(extra_files(folder, operation)))

        # One more complete save each: what killed saves left must be gone.
        stale = 0
        for operation in operations:
            folder = os.path.dirname(operation.target)
            subprocess.run(operation.command, check=True, stdout=subprocess.DEVNULL)
            left = extra_files(folder, operation)
            stale += len(left)
            if left:
                print("stale: %s leaves %d files (%s%s)" %
                      (operation.name, len(left), ", ".join(left[:3]), ", ..." if len(left) > 3 else ""))

        torn = sum(o.torn for o in operations)
        for o in operations:
            print("  %-7s %5d runs (save %.1f ms): %d old, %d new, %d torn" %
                  (o.name, o.rounds, o.duration * 1000, o.old_seen, o.new_seen, o.torn))
        print("kill during save: %d runs, %d torn, %d stale (at most %d temporary files seen beside one file)" %
              (options.runs, torn, stale, most_left))
        return 1 if torn or stale else 0
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
