#!/usr/bin/env python3
"""Tries the program on the Wayland compositors installed here (weston, sway, mutter, KWin), each nested
in a window on a private Xvfb, natively and through XWayland (at scale 2 also with Xft.dpi 192 set, as
desktops do for X11 programs), at scale 1 and 2, as a user would:
does it start, does a drag on the background move it by the pointer's movement, is the picture
sharp (every pixel of a swatch exact), how long after the red X does it end, and does Ctrl+C reach
other Wayland clients (wl-paste -l). Prints one line per try. Compositors not installed are left
out; the compositors themselves are not installed by the project's scripts.

    PYTHONPATH=tools tools/try_compositors.py build/kadro [weston sway mutter kwin]

With --endings it measures instead how soon the program ends after the red X, Ctrl+Q and the
compositor's own close of the focused window (Alt+F4, swaymsg kill), natively and through XWayland.
"""
import contextlib
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

from harness import AQUA, FUCHSIA, LIME, RED, YELLOW, Screen, find_main_window


def start_compositor(name, screen, runtime, scale):
    """Starts `name` nested on the screen, its output 100 pixels smaller each way; returns (process,
    Wayland socket, X display or None)."""
    width, height = screen.width - 100, screen.height - 100
    env = dict(screen.env, XDG_RUNTIME_DIR=runtime)
    sockets = set(os.listdir("/tmp/.X11-unix")) if os.path.isdir("/tmp/.X11-unix") else set()
    if name == "weston":
        command = ["weston", "--backend=x11-backend.so", f"--width={width}", f"--height={height}", "--socket=wayland-try",
                   "--idle-time=0", f"--scale={scale}"]
    elif name == "sway":
        config = os.path.join(runtime, "sway.conf")
        with open(config, "w") as f:
            f.write(f"output * scale {scale}\noutput * resolution {width}x{height}\nxwayland enable\n"
                    "default_border none\nfocus_follows_mouse no\nfor_window [app_id=\".*\"] floating enable\n"
                    "for_window [class=\".*\"] floating enable\n")
        env.update(WLR_BACKENDS="x11", WLR_RENDERER="pixman", WLR_X11_OUTPUTS="1", WLR_NO_HARDWARE_CURSORS="1")
        command = ["sway", "-c", config]
        if os.getuid() == 0:  # sway refuses to run as root: as the user SWAY_USER (default nobody)
            user = os.environ.get("SWAY_USER", "nobody")
            shutil.chown(runtime, user)
            os.chmod(config, 0o644)
            command = ["runuser", "-u", user, "--", "env", *[f"{k}={v}" for k, v in env.items()], *command]
    elif name == "kwin":
        # Its size is in the desktop's pixels. KWin's binary carries file capabilities that a container may refuse to honour; a copy
        # has none.
        binary = os.path.join(runtime, "kwin_wayland")
        shutil.copy(shutil.which("kwin_wayland"), binary)
        env.update(KWIN_COMPOSE="Q")
        # On a bus of its own, with its shortcuts (Alt+F4 among them), as on a Plasma desktop.
        command = ["dbus-run-session", "--", binary, "--x11-display", screen.env["DISPLAY"], "--socket", "wayland-try",
                   "--width", str(width // scale), "--height", str(height // scale), "--scale", str(scale), "--xwayland",
                   "--no-lockscreen", "--no-kactivities"]
    else:
        env.update(MUTTER_DEBUG_DUMMY_MODE_SPECS=f"{width}x{height}", MUTTER_DEBUG_DUMMY_MONITOR_SCALES=str(scale))
        command = ["mutter", "--nested", "--wayland", "--wayland-display", "wayland-try"]
    # In a process group of its own, which stop() ends whole (KWin runs under dbus-run-session).
    process = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                               start_new_session=True)
    deadline = time.time() + 20
    socket = None
    while time.time() < deadline and process.poll() is None and not socket:
        names = [n for n in os.listdir(runtime) if n.startswith("wayland-") and not n.endswith(".lock")]
        socket = names[0] if names else None
        time.sleep(0.1)
    time.sleep(2)
    # The compositor's XWayland: a new X socket (sway starts the server at the first client), else
    # the newest Xwayland process (KWin's may take over a socket left by an earlier run).
    new = sorted(set(os.listdir("/tmp/.X11-unix")) - sockets - {"X" + screen.env["DISPLAY"].lstrip(":")})
    newest = subprocess.run(["pgrep", "-n", "-a", "Xwayland"], capture_output=True, text=True).stdout.split()
    if new:
        xdisplay = ":" + new[0][1:]
    else:
        xdisplay = newest[2] if len(newest) > 2 and newest[2].startswith(":") else None
    return process, socket, xdisplay


def stop(program, compositor):
    if program and program.poll() is None:
        program.kill()
        program.wait()
    if compositor:
        # Asked first, so that its XWayland removes its lock and socket.
        for how in (signal.SIGTERM, signal.SIGKILL):
            try:
                os.killpg(compositor.pid, how)
                compositor.wait(timeout=5)
                break
            except ProcessLookupError:
                break
            except subprocess.TimeoutExpired:
                pass


def sharp(shot, left, top, scale):
    """Whether the swatches are drawn sharp: along a line through the middle of the five, every
    pixel is one of the palette's colours or black (a picture scaled up by the compositor blends
    colours at every edge)."""
    pure = {YELLOW, LIME, AQUA, FUCHSIA, RED, (0, 0, 0)}
    line = {shot[left + x, top + 524 * scale] for x in range(6 * scale, 128 * scale)}
    return line <= pure


class NotStarted(Exception):
    pass


def start_program(binary, name, native, screen, runtime, socket, xdisplay, xft_dpi=None):
    """Starts the program on the compositor, natively or through its XWayland (with Xft.dpi set
    first if given); returns the process and its environment. Raises NotStarted saying why not."""
    if not socket:
        raise NotStarted("compositor did not start")
    env = dict(screen.env, XDG_RUNTIME_DIR=runtime, WAYLAND_DISPLAY=socket)
    env.pop("DISPLAY", None)
    env.pop("QT_QPA_PLATFORM", None)  # the program's own choice
    # sway's XWayland lets in only the compositor's user.
    as_user = ["runuser", "-u", os.environ.get("SWAY_USER", "nobody"), "--", "env"] \
        if name == "sway" and os.getuid() == 0 else []
    if not native:
        if not xdisplay:
            raise NotStarted("no XWayland")
        env.update(DISPLAY=xdisplay, QT_QPA_PLATFORM="xcb")
        # mutter's XWayland lets in only clients with the key it leaves in the runtime folder
        keys = [n for n in os.listdir(runtime) if n.startswith(".mutter-Xwaylandauth")]
        if keys:
            env["XAUTHORITY"] = os.path.join(runtime, keys[0])
        if xft_dpi:  # as a desktop's settings daemon sets it for X11 programs
            subprocess.run([*as_user, *([f"{k}={v}" for k, v in env.items()] if as_user else []), "xrdb", "-merge"],
                           input=f"Xft.dpi: {xft_dpi}\n", text=True, env=env, check=True)
    command = [*as_user, *([f"{k}={v}" for k, v in env.items()] if as_user else []), binary]
    return subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL), env


@contextlib.contextmanager
def program_on(binary, name, native, scale=1, xft_dpi=None):
    """The program started on the compositor `name`, nested on a screen of its own: yields the
    screen, the compositor's runtime folder, the program and its environment, and ends them all
    after. Raises NotStarted saying why not."""
    screen = Screen(None, size=(1280 * scale, 1024 * scale))
    runtime = tempfile.mkdtemp(prefix="kadro-try-")
    os.chmod(runtime, 0o700)
    compositor, socket, xdisplay = start_compositor(name, screen, runtime, scale)
    program = None
    try:
        program, env = start_program(binary, name, native, screen, runtime, socket, xdisplay, xft_dpi)
        time.sleep(2.5)
        yield screen, runtime, program, env
    finally:
        stop(program, compositor)
        screen.close()
        shutil.rmtree(runtime, ignore_errors=True)


def time_to_end(program, act):
    """Does act() and says how soon after it the program ended, and with what status."""
    pressed = time.time()
    act()
    while program.poll() is None and time.time() < pressed + 5:
        time.sleep(0.01)
    return f"{time.time() - pressed:.2f} s, status {program.poll()}" if program.poll() is not None \
        else "still running after 5 s"


def attempt(binary, name, native, scale, xft_dpi=None):
    result = {"start": "no"}
    try:
        with program_on(binary, name, native, scale, xft_dpi) as (screen, _, program, env):
            found = None
            for shown in (scale, 1) if scale > 1 else (1,):
                found = find_main_window(screen, shown, timeout=8)
                if found:
                    result["start"] = "yes" if shown == scale else f"yes, at scale {shown}"
                    break
            if not found:
                return result
            left, top, shot = found
            s = shown
            result["sharp"] = "yes" if sharp(shot, left, top, s) else "no"
            start = (left + 20 * s, top + 40 * s)
            screen.run("xdotool", "mousemove", *map(str, start), "mousedown", "1", "sleep", "0.2",
                       "mousemove", str(start[0] + 50), str(start[1] + 30), "sleep", "0.2",
                       "mousemove", str(start[0] + 100), str(start[1] + 60), "sleep", "0.2", "mouseup", "1",
                       "mousemove", "5", str(screen.height - 150))
            time.sleep(0.6)
            moved = find_main_window(screen, s, timeout=3)
            result["drag"] = f"{moved[0] - left:+d}, {moved[1] - top:+d}" if moved else "lost"
            if moved:
                left, top = moved[0], moved[1]
            screen.run("xdotool", "mousemove", str(left + 150 * s), str(top + 524 * s), "click", "1", "key", "ctrl+c")
            time.sleep(0.5)
            types = subprocess.run(["wl-paste", "-l"], env=env, capture_output=True, text=True, timeout=10).stdout.split()
            result["clipboard"] = "yes" if "application/x-kadro-design" in types else f"no ({' '.join(types)[:40]})"
            screen.run("xdotool", "mousemove", str(left + 538 * s), str(top + 16 * s))
            result["close"] = time_to_end(program, lambda: screen.run("xdotool", "click", "1"))
            return result
    except NotStarted as why:
        return {"start": str(why)}


def window_manager_close(name, runtime):
    """The compositor's own close of the focused window, as xdotool's or swaymsg's arguments; None
    where it has none for a window without a title bar (weston's Super+K kills the process)."""
    if name == "sway":
        sockets = [n for n in os.listdir(runtime) if n.startswith("sway-ipc.")]
        user = os.environ.get("SWAY_USER", "nobody") if os.getuid() == 0 else None
        return [*(["runuser", "-u", user, "--"] if user else []), "env", f"SWAYSOCK={os.path.join(runtime, sockets[0])}",
                "swaymsg", "kill"] if sockets else None
    return ["xdotool", "key", "alt+F4"] if name in ("mutter", "kwin") else None


def ending(binary, name, native, how):
    """How long after the red X, Ctrl+Q or the compositor's close (`how`) the program ends."""
    try:
        with program_on(binary, name, native) as (screen, runtime, program, _):
            found = find_main_window(screen, 1, timeout=8)
            if not found:
                return "did not start"
            left, top, _ = found
            screen.run("xdotool", "mousemove", str(left + 150), str(top + 524), "click", "1")  # focus, at rest
            time.sleep(0.5)
            if how == "red X":
                screen.run("xdotool", "mousemove", str(left + 538), str(top + 16))
                action = ["xdotool", "click", "1"]
            elif how == "Ctrl+Q":
                action = ["xdotool", "key", "ctrl+q"]
            else:
                action = window_manager_close(name, runtime)
                if not action:
                    return "no close of its own"
            return time_to_end(program, lambda: subprocess.run(action, env=screen.env, stdout=subprocess.DEVNULL,
                                                                stderr=subprocess.DEVNULL))
    except NotStarted as why:
        return str(why)


def main():
    binary = os.path.abspath(sys.argv[1])
    endings = "--endings" in sys.argv
    names = [a for a in sys.argv[2:] if a != "--endings"] or ["weston", "sway", "mutter", "kwin"]
    for name in names:
        if not shutil.which("kwin_wayland" if name == "kwin" else name):
            print(f"{name}: not installed")
            continue
        if endings:
            for native in (True, False):
                results = [f"{how} {ending(binary, name, native, how)}" for how in ("red X", "Ctrl+Q", "its close")]
                print(f"{name} {'native' if native else 'XWayland'}: " + "; ".join(results), flush=True)
            continue
        for native, scale, xft_dpi in ((True, 1, None), (True, 2, None), (False, 1, None), (False, 2, None),
                                       (False, 2, 192)):
            result = attempt(binary, name, native, scale, xft_dpi)
            how = "native" if native else "XWayland" + (f", Xft.dpi {xft_dpi}" if xft_dpi else "")
            print(f"{name} {how} scale {scale}: " + "; ".join(f"{k} {v}" for k, v in result.items()), flush=True)


if __name__ == "__main__":
    main()
