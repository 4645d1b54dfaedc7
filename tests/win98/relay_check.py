#!/usr/bin/env python3
"""Both programs, run as on Windows 98, call only what 98 really has.

usage: relay_check.py BUILD_DIR EXPORTS_DIR

Wine reports the Windows 98 platform to a program named in AppDefaults with
Version=win98, but still carries out every function, stubs included. So each
program runs under WINEDEBUG=+relay, which prints every call between modules
with its return address, and every call made from the program's own image
(its code and the static runtime in it) is checked: it fails when 98 does not
export the function, or exports it only as a stub (its wide window and file
functions, CopyFileExA, MoveFileExA and the like).

Korvelund.exe goes through start-up, an apply run over one archive (with a
scripted stand-in for 7za.dll: the real libraries do not start in win98 mode)
and one folder in Tarnix mode, and its end; Halbrent.exe through its decision,
the shell's copy and the check of what arrived.
"""
import os
import re
import shutil
import subprocess
import sys

WORKING_WIDE = {  # Microsoft KB Q210341: the wide functions 9x implements
    "EnumResourceLanguagesW", "EnumResourceNamesW", "EnumResourceTypesW", "ExtTextOutW",
    "FindResourceExW", "FindResourceW", "GetCharWidthW", "GetCommandLineW",
    "GetTextExtentExPointW", "GetTextExtentPoint32W", "GetTextExtentPointW", "lstrlenW",
    "MessageBoxExW", "MessageBoxW", "MultiByteToWideChar", "TextOutW", "WideCharToMultiByte"}
STUBS = {"CopyFileExA", "MoveFileExA", "TryEnterCriticalSection", "GetHandleInformation"}
SETUP_VALUES = [(r"HKLM\Software\Microsoft\Windows\CurrentVersion\Setup", "SourcePath"),
                (r"HKLM\Software\Microsoft\Windows\CurrentVersion\Setup", "ServicePackSourcePath"),
                (r"HKLM\Software\Microsoft\Windows NT\CurrentVersion", "SourcePath")]


def exports(folder):
    known, all_names = {}, set()
    for name in os.listdir(folder):
        if not name.startswith("exports-"):
            continue
        with open(os.path.join(folder, name), encoding="ascii") as f:
            for line in f:
                dll, _, function = line.strip().partition("!")
                if function:
                    all_names.add(function)
                    if name == "exports-98se.txt":
                        known.setdefault(dll.lower(), set()).add(function)
    return known, all_names


def faults(dll, function, ninety_eight, all_names):
    if function in STUBS:
        return "a stub on 98"
    listed = ninety_eight.get(dll)
    if listed is not None and function not in listed:
        return "not exported by 98"
    if (function.endswith("W") and function[:-1] + "A" in all_names
            and function not in WORKING_WIDE):
        return "a wide function 98 only stubs"
    return None


class Wine:
    def __init__(self, build):
        self.build = os.path.abspath(build)
        self.env = dict(os.environ, WINEPREFIX=os.path.join(self.build, "wineprefix"),
                        WINEARCH="win32", WINEDLLOVERRIDES="mscoree,mshtml=", WINEDEBUG="-all")

    def run(self, *arguments):
        return subprocess.run(["wine", *arguments], env=self.env, stdin=subprocess.DEVNULL,
                              capture_output=True, text=True, errors="replace", timeout=120)

    def drive_c(self, *parts):
        return os.path.join(self.build, "wineprefix", "drive_c", *parts)

    def set_win98(self, program):
        self.run("reg", "add", "HKCU\\Software\\Wine\\AppDefaults\\" + program, "/v", "Version",
                 "/d", "win98", "/f")

    def query(self, key, value):
        out = self.run("reg", "query", key, "/v", value).stdout
        match = re.search(r"%s\s+REG_SZ\s+(.*)" % re.escape(value), out)
        return match.group(1).rstrip("\r") if match else None

    def relay(self, program, arguments, ninety_eight, all_names):
        """Runs the program under +relay; returns (exit code, offending calls,
        every function called from its image)."""
        # The prefix's own background processes are started first, untraced;
        # lines carry their process id, and only the program's count.
        self.run("wineboot")
        env = dict(self.env, WINEDEBUG="+pid,+relay,+loaddll")
        process = subprocess.Popen(["wine", program, *arguments], env=env,
                                   stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.PIPE, text=True, errors="replace")
        name = os.path.basename(program).lower()
        image = None
        offending, calls, called = {}, 0, set()
        loaded = re.compile(r'^([0-9a-f]+):[0-9a-f]+:.*Loaded L"([^"]*)" at ([0-9A-Fa-f]+)')
        call = re.compile(r"^([0-9a-f]+):[0-9a-f]+:Call ([\w.-]+)\.(\w+)\(.*\) ret=([0-9a-f]+)$")
        for line in process.stderr:
            if image is None:
                match = loaded.search(line)
                if match and match.group(2).lower().endswith("\\" + name):
                    base = int(match.group(3), 16)
                    image = (match.group(1), base, base + image_size(program))
                continue
            match = call.search(line.rstrip("\n"))
            if not match or match.group(1) != image[0]:
                continue
            if not image[1] <= int(match.group(4), 16) < image[2]:
                continue
            calls += 1
            dll = match.group(2).lower()
            dll = dll if dll.endswith(".dll") else dll + ".dll"
            called.add("%s!%s" % (dll, match.group(3)))
            fault = faults(dll, match.group(3), ninety_eight, all_names)
            if fault:
                key = "%s!%s: %s" % (dll, match.group(3), fault)
                offending[key] = offending.get(key, 0) + 1
        code = process.wait(timeout=120)
        if image is None:
            raise SystemExit("%s: its image was never reported loaded" % program)
        print("%s: exit code %d, %d calls from its image" % (os.path.basename(program), code, calls))
        return code, offending, called


def image_size(program):
    import struct
    data = open(program, "rb").read(4096)
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    return struct.unpack_from("<I", data, pe + 24 + 56)[0]


def write(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", newline="") as f:
        f.write(text)


def windows_path(path):
    return "Z:" + path.replace("/", "\\")


def main():
    build, exports_dir = sys.argv[1], sys.argv[2]
    scripts = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts")
    missing = subprocess.run([os.path.join(scripts, "can-run-32bit"), "--why"],
                             stdout=subprocess.PIPE, text=True)
    if missing.returncode != 0:
        print("SKIPPED: " + missing.stdout.strip())
        return 77
    ninety_eight, all_names = exports(exports_dir)
    wine = Wine(build)
    bin_dir = os.path.join(wine.build, "bin")
    work = os.path.join(wine.build, "win98relay")
    shutil.rmtree(work, ignore_errors=True)
    failures = 0

    # The unpacker: one archive, one folder, Tarnix mode, a countdown of one.
    unpacker_dir = os.path.join(work, "k")
    os.makedirs(unpacker_dir)
    unpacker = os.path.join(unpacker_dir, "Korvelund98.exe")
    shutil.copy(os.path.join(bin_dir, "Korvelund.exe"), unpacker)
    shutil.copy(os.path.join(bin_dir, "fake", "7za.dll"), unpacker_dir)
    write(os.path.join(unpacker_dir, "Zipped", "DP_Relay_wnt5.7z"), "7z stand-in")
    write(os.path.join(unpacker_dir, "UnZipped", "Folder1", "driver.inf"), "[Version]\r\n")
    target = os.path.join(work, "target")
    write(os.path.join(unpacker_dir, "Korvelund98.ini"),
          "[Options]\r\nDrvFolder=%s\r\n[CopyFiles]\r\nTarnix=1\r\nTimer=1\r\n"
          "[Select]\r\nDP_relay_wnt5.7z=1\r\nUnZipped=1\r\n" % windows_path(target))
    tarnix = wine.drive_c("windows", "system32", "Tarnix.ini")
    saved_tarnix = open(tarnix, "rb").read() if os.path.exists(tarnix) else None
    write(tarnix, "[Options]\r\nOther=kept\r\n")
    wine.set_win98("Korvelund98.exe")
    try:
        code, offending, _ = wine.relay(unpacker, [], ninety_eight, all_names)
        # The target is taken in upper case, and Z: is case-sensitive.
        copied = os.path.join(work, "TARGET", "D", "X", "FOLDER1", "driver.inf")
        if code != 0 or not os.path.exists(copied):
            print("  the apply run did not end well: exit code %d, %s %s" % (
                code, copied, "there" if os.path.exists(copied) else "missing"))
            failures += 1
        if "Other=kept" not in open(tarnix, encoding="latin-1").read():
            print("  Tarnix.ini lost a key it does not own")
            failures += 1
    finally:
        if saved_tarnix is None:
            os.remove(tarnix)
        else:
            open(tarnix, "wb").write(saved_tarnix)
    for line in sorted(offending):
        print("  %s (%d calls)" % (line, offending[line]))
    failures += len(offending)

    # The copier: a distribution copy from a folder given on the command line.
    copier_dir = os.path.join(work, "h")
    copier = os.path.join(copier_dir, "Halbrent98.exe")
    write(os.path.join(copier_dir, "cd", "I386", "txtsetup.sif"), "[SetupData]\r\n")
    write(os.path.join(copier_dir, "Korvelund.ini"), "[CopyFiles]\r\nDistrCopy=1\r\n")
    shutil.copy(os.path.join(bin_dir, "Halbrent.exe"), copier)
    wine.set_win98("Halbrent98.exe")
    saved = [(key, value, wine.query(key, value)) for key, value in SETUP_VALUES]
    copy = wine.drive_c("windows", "I386")
    had_copy = os.path.exists(copy)
    try:
        source = windows_path(os.path.join(copier_dir, "cd", "I386")) + "\\*.*"
        # Wine's shell copies nothing for a program in win98 mode, so the
        # copier ends at its check of what arrived: no registry writes.
        code, offending, called = wine.relay(copier, [source], ninety_eight, all_names)
        if code != 0 or "shell32.dll!SHFileOperationA" not in called:
            print("  the copier ended with exit code %d before its copy" % code)
            failures += 1
    finally:
        for key, value, old in saved:
            if old is None:
                wine.run("reg", "delete", key, "/v", value, "/f")
            else:
                wine.run("reg", "add", key, "/v", value, "/d", old, "/f")
        if not had_copy:
            shutil.rmtree(copy, ignore_errors=True)
    for line in sorted(offending):
        print("  %s (%d calls)" % (line, offending[line]))
    failures += len(offending)

    if not failures:
        shutil.rmtree(work, ignore_errors=True)
    print("%d problems" % failures)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
