#!/usr/bin/env python3
"""Whole-process figures of the game against the floor program, side by side.

Each figure is the median over repeated runs of the game, the median of the
floor program measured the same way in the same session, and their ratio.
The window figures run under a private Xvfb this script starts and stops, and
again with SDL's offscreen video driver where that means something. Nothing
here passes or fails: it prints figures and the targets they are read against.
"""

import argparse
import ctypes
import json
import os
import queue
import random
import re
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import threading
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
RESOURCES = os.path.join(ROOT, "resources")
CANVAS = (375, 667)
SCREEN = (1024, 768)
FRAME = re.compile(r"^frame t=(\d+) draw=(\d+) cpu=(\d+) screen=(\S+) anim=(\d)")
PRESENT = re.compile(r"^present t=(\d+)")
EXEC = re.compile(r"^exec t=(\d+)")


def now_ns():
    return time.monotonic_ns()


def median(xs):
    return statistics.median(xs) if xs else float("nan")


def percentile(xs, p):
    if not xs:
        return float("nan")
    s = sorted(xs)
    k = max(0, min(len(s) - 1, int(round(p / 100.0 * (len(s) - 1)))))
    return s[k]


def loadavg():
    with open("/proc/loadavg") as f:
        return " ".join(f.read().split()[:3])


def proc_status(pid, field):
    """A /proc/PID/status field in KiB (VmHWM, VmRSS)."""
    try:
        with open(f"/proc/{pid}/status") as f:
            for line in f:
                if line.startswith(field + ":"):
                    return int(line.split()[1])
    except OSError:
        pass
    return None


def cpu_seconds(pid):
    """utime + stime of a process, in seconds."""
    with open(f"/proc/{pid}/stat") as f:
        data = f.read()
    fields = data[data.rindex(")") + 2:].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


class Xvfb:
    """A private X server on a display number it picks itself."""

    def __init__(self):
        r, w = os.pipe()
        self.proc = subprocess.Popen(
            ["Xvfb", "-displayfd", str(w), "-screen", "0", f"{SCREEN[0]}x{SCREEN[1]}x24", "-nolisten", "tcp"],
            pass_fds=(w,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(w)
        number = b""
        while not number.endswith(b"\n"):
            chunk = os.read(r, 16)
            if not chunk:
                break
            number += chunk
        os.close(r)
        if not number.strip():
            self.stop()
            raise RuntimeError("Xvfb did not start")
        self.display = ":" + number.decode().strip()

    def stop(self):
        if self.proc.poll() is None:
            self.proc.terminate()
            try:
                self.proc.wait(5)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()


class Pointer:
    """Clicks through the XTEST extension, as a real mouse would arrive."""

    def __init__(self, display):
        self.x11 = ctypes.CDLL("libX11.so.6")
        self.xtst = ctypes.CDLL("libXtst.so.6")
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x11.XFlush.argtypes = [ctypes.c_void_p]
        self.x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self.xtst.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int, ctypes.c_int,
                                                   ctypes.c_ulong]
        self.xtst.XTestFakeButtonEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
        self.dpy = self.x11.XOpenDisplay(display.encode())
        if not self.dpy:
            raise RuntimeError("cannot open " + display)

    def move(self, x, y):
        self.xtst.XTestFakeMotionEvent(self.dpy, -1, int(x), int(y), 0)
        self.x11.XFlush(self.dpy)

    def click(self):
        self.xtst.XTestFakeButtonEvent(self.dpy, 1, 1, 0)
        self.xtst.XTestFakeButtonEvent(self.dpy, 1, 0, 0)
        self.x11.XFlush(self.dpy)

    def close(self):
        self.x11.XCloseDisplay(self.dpy)


class Frames:
    """A windowed program started with the frame log on; its frames as they arrive."""

    def __init__(self, cmd, env):
        self.t0 = now_ns()
        self.proc = subprocess.Popen(cmd, env=env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                     stderr=subprocess.PIPE, text=True)
        self.frames = queue.Queue()
        self.other = []
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        for line in self.proc.stderr:
            m = FRAME.match(line)
            if m:
                # (time, wall draw, cpu draw, screen, animating)
                self.frames.put((int(m.group(1)), int(m.group(2)), m.group(4), m.group(5) == "1", int(m.group(3))))
            else:
                self.other.append(line.rstrip())
        self.frames.put(None)

    def next(self, timeout=10.0):
        try:
            frame = self.frames.get(timeout=timeout)
        except queue.Empty:
            return None
        if frame is None:
            raise RuntimeError("the program ended: " + " | ".join(self.other[-3:]))
        return frame

    def drain(self):
        out = []
        while True:
            try:
                frame = self.frames.get_nowait()
            except queue.Empty:
                return out
            if frame is not None:
                out.append(frame)

    def stop(self):
        if self.proc.poll() is None:
            self.proc.send_signal(signal.SIGTERM)
            try:
                self.proc.wait(5)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()


class Bench:
    def __init__(self, args):
        self.args = args
        self.game = os.path.join(args.build, "buddycare")
        self.floor = os.path.join(args.build, "bench", "buddycare-floor")
        self.inprocess = os.path.join(args.build, "bench", "buddycare-bench")
        self.first_present = os.path.join(args.build, "bench", "libbuddycare-first-present.so")
        self.exec_clock = os.path.join(args.build, "bench", "buddycare-exec-clock")
        # A desktop session's own runtime folder, private to this run.
        self.runtime = tempfile.TemporaryDirectory(prefix="buddycare-bench-run-")
        font = subprocess.run(["fc-match", "-f", "%{file}", "Comic Neue"], capture_output=True, text=True).stdout
        self.font = font.strip()
        self.picture = os.path.join(RESOURCES, "sadhomescreen.jpg")
        self.rows = []
        with open(os.path.join(RESOURCES, "storyboard.json")) as f:
            self.storyboard = json.load(f)

    # ---- output ----------------------------------------------------------------

    def row(self, figure, unit, game, floor, target=""):
        ratio = game / floor if floor and floor == floor and floor != 0 else float("nan")
        self.rows.append((figure, unit, game, floor, ratio, target))
        g = "-" if game != game else f"{game:.3f}" if abs(game) < 10 else f"{game:.1f}"
        fl = "-" if floor != floor else f"{floor:.3f}" if abs(floor) < 10 else f"{floor:.1f}"
        r = "-" if ratio != ratio else f"{ratio:.2f}x"
        print(f"  {figure:<52} {g:>10} {fl:>10} {r:>8}  {unit:<8} {target}", flush=True)

    @staticmethod
    def header(title):
        print(f"\n== {title}")
        print(f"  {'figure (median)':<52} {'game':>10} {'floor':>10} {'ratio':>8}  {'unit':<8} target", flush=True)

    # ---- helpers ---------------------------------------------------------------

    def env(self, display=None, offscreen=False):
        env = dict(os.environ)
        for k in ("SDL_VIDEODRIVER", "SDL_RENDER_DRIVER", "SDL_FRAMEBUFFER_ACCELERATION", "DISPLAY",
                  "WAYLAND_DISPLAY"):
            env.pop(k, None)
        env["BUDDYCARE_FRAME_LOG"] = "1"
        # What a person's desktop session gives every program it starts: a
        # runtime folder (so SDL tries Wayland before X11, as it does for them),
        # a locale and a home. Without the folder the game skipped that try
        # by a hint of its own and the floor program did not.
        env["XDG_RUNTIME_DIR"] = self.runtime.name
        env.setdefault("LANG", "C.UTF-8")
        env.setdefault("HOME", os.path.expanduser("~"))
        if offscreen:
            env["SDL_VIDEODRIVER"] = "offscreen"
        else:
            env["DISPLAY"] = display
        return env

    def window_cmd(self, which):
        if which == "game":
            return [self.game, "--seed", "1"]
        return [self.floor, self.picture, self.font]

    def first_frame(self, which, env):
        """Exec to the first SDL_RenderPresent, seen from outside: the launcher notes the instant
        before exec, the preloaded shim the first present, both on the same clock."""
        env = dict(env)
        env.pop("BUDDYCARE_FRAME_LOG", None)
        env["LD_PRELOAD"] = self.first_present
        proc = subprocess.Popen([self.exec_clock] + self.window_cmd(which), env=env, stdin=subprocess.DEVNULL,
                                stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        t0 = None
        try:
            for line in proc.stderr:
                m = EXEC.match(line)
                if m:
                    t0 = int(m.group(1))
                m = PRESENT.match(line)
                if m and t0 is not None:
                    return (int(m.group(1)) - t0) / 1e6, proc_status(proc.pid, "VmHWM") / 1024.0
            raise RuntimeError(which + " showed no frame")
        finally:
            if proc.poll() is None:
                proc.terminate()
            proc.wait()

    def control_centre(self, cls, pick):
        for screen in self.storyboard["screens"]:
            if screen["class"] == cls:
                for c in screen["controls"]:
                    if pick(c):
                        x, y, w, h = c["frame"]
                        return x + w / 2, y + h / 2
        raise RuntimeError("no such control on " + cls)

    # ---- figures ---------------------------------------------------------------

    def startup(self, xvfb):
        runs = self.args.runs
        for label, env in (("Xvfb", self.env(xvfb.display)), ("offscreen", self.env(offscreen=True))):
            times = {"game": [], "floor": []}
            peaks = {"game": [], "floor": []}
            for i in range(runs):
                # Alternate who goes first so a busy machine weighs on both alike.
                for which in (("game", "floor") if i % 2 == 0 else ("floor", "game")):
                    t, hwm = self.first_frame(which, env)
                    times[which].append(t)
                    peaks[which].append(hwm)
            self.header(f"1-2. start-up, {label} ({runs} runs each)")
            self.row("exec to first presented frame", "ms", median(times["game"]), median(times["floor"]),
                     "<= 1.2x (Xvfb)" if label == "Xvfb" else "")
            self.row("  fastest run", "ms", min(times["game"]), min(times["floor"]))
            self.row("peak resident memory at the first frame", "MiB", median(peaks["game"]),
                     median(peaks["floor"]), "<= 1.3x")

    def idle(self, xvfb):
        runs = self.args.idle_runs
        seconds = self.args.idle_seconds
        used = {"game": [], "floor": []}
        frames = {"game": [], "floor": []}
        for _ in range(runs):
            # Both sit side by side on the same idle display; neither is touched.
            procs = {w: Frames(self.window_cmd(w), self.env(xvfb.display)) for w in ("game", "floor")}
            try:
                for p in procs.values():
                    if p.next(timeout=30) is None:
                        raise RuntimeError("no first frame")
                time.sleep(1.0)  # exposure and the first events settle
                for p in procs.values():
                    p.drain()
                start = {w: cpu_seconds(p.proc.pid) for w, p in procs.items()}
                time.sleep(seconds)
                for w, p in procs.items():
                    used[w].append(100.0 * (cpu_seconds(p.proc.pid) - start[w]) / seconds)
                    frames[w].append(len(p.drain()))
            finally:
                for p in procs.values():
                    p.stop()
        self.header(f"3. idle on the home screen, Xvfb, {seconds:g} s ({runs} runs each)")
        self.row("CPU while idle", "% core", median(used["game"]), median(used["floor"]),
                 "within the floor's noise (~0.05%)")
        self.row("  highest run", "% core", max(used["game"]), max(used["floor"]))
        self.row("frames drawn while idle", "frames", median(frames["game"]), median(frames["floor"]), "0")

    def interaction(self, xvfb):
        runs = self.args.runs
        origin = ((SCREEN[0] - CANVAS[0]) // 2, (SCREEN[1] - CANVAS[1]) // 2)  # SDL centres the window
        push_at = self.control_centre("ViewController", lambda c: c.get("push") == "BuddyCentralViewController")
        back_at = self.control_centre("BuddyCentralViewController",
                                      lambda c: "backButtonPressed" in c.get("actions", []))
        floor_at = (CANVAS[0] / 2, CANVAS[1] / 2)
        pointer = Pointer(xvfb.display)

        def tap(run, at, effect):
            pointer.move(origin[0] + at[0], origin[1] + at[1])
            time.sleep(0.15)
            run.drain()
            t = now_ns()
            pointer.click()
            before = 0
            while True:
                frame = run.next(timeout=5)
                if frame is None:
                    raise RuntimeError("the tap showed nothing")
                if frame[0] < t:
                    continue
                if effect(frame):
                    return (frame[0] - t) / 1e6, before, frame
                before += 1

        def animation(run, first, wall, cpu):
            wall.append(first[1] / 1e6)
            cpu.append(first[4] / 1e6)
            while True:
                frame = run.next(timeout=5)
                if frame is None:
                    raise RuntimeError("the slide never ended")
                wall.append(frame[1] / 1e6)
                cpu.append(frame[4] / 1e6)
                if not frame[3]:
                    return

        latency = {"game": [], "floor": []}
        between = []
        push_frames, pop_frames, push_cpu, pop_cpu = [], [], [], []
        game = Frames(self.window_cmd("game"), self.env(xvfb.display))
        try:
            game.next(timeout=30)
            time.sleep(0.5)
            for _ in range(runs):
                ms, n, frame = tap(game, push_at, lambda f: f[2] != "ViewController" or f[3])
                latency["game"].append(ms)
                between.append(n)
                animation(game, frame, push_frames, push_cpu)
                time.sleep(0.3)
                ms, n, frame = tap(game, back_at, lambda f: f[2] == "ViewController" or f[3])
                latency["game"].append(ms)
                between.append(n)
                animation(game, frame, pop_frames, pop_cpu)
                time.sleep(0.3)
        finally:
            game.stop()
        floor = Frames(self.window_cmd("floor"), self.env(xvfb.display))
        floor_draw, floor_cpu = [], []
        try:
            floor.next(timeout=30)
            time.sleep(0.5)
            for _ in range(2 * runs):
                ms, _, frame = tap(floor, floor_at, lambda f: True)
                latency["floor"].append(ms)
                floor_draw.append(frame[1] / 1e6)
                floor_cpu.append(frame[4] / 1e6)
                time.sleep(0.1)
        finally:
            floor.stop()
            pointer.close()
        self.header(f"4-5. taps and slides, Xvfb ({runs} pushes and {runs} pops; floor: {2 * runs} taps)")
        for name, wall, cpu in (("push", push_frames, push_cpu), ("pop", pop_frames, pop_cpu)):
            self.row(f"frame time during a {name}, median", "ms", median(wall), median(floor_draw))
            self.row(f"frame time during a {name}, 99th percentile", "ms", percentile(wall, 99),
                     percentile(floor_draw, 99), "< 4 ms")
            self.row(f"  processor time per {name} frame, median", "ms", median(cpu), median(floor_cpu))
            self.row(f"  processor time per {name} frame, 99th percentile", "ms", percentile(cpu, 99),
                     percentile(floor_cpu, 99), "< 4 ms")
        self.row("tap to the first frame showing it", "ms", median(latency["game"]), median(latency["floor"]))
        self.row("frames between a tap and its effect (most)", "frames", max(between), 0, "0: the next frame")

    # ---- the headless driver ---------------------------------------------------------

    def driver(self):
        runs = self.args.runs
        start = {"game": [], "floor": []}
        for i in range(runs):
            for which in (("game", "floor") if i % 2 == 0 else ("floor", "game")):
                cmd = [self.game, "--headless", "--seed", "1"] if which == "game" else [self.floor, "--headless"]
                t0 = now_ns()
                p = subprocess.Popen(cmd, stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                     text=True)
                p.stdin.write("state\n")
                p.stdin.flush()
                p.stdout.readline()
                start[which].append((now_ns() - t0) / 1e6)
                p.stdin.close()
                p.wait()

        transcript = os.path.join(ROOT, "tests", "driver", "transcripts", "bolus.txt")
        commands, seed = [], "1"
        with open(transcript) as f:
            for line in f:
                if line.startswith("> "):
                    commands.append(line[2:].rstrip("\n"))
                elif line.startswith("# seed:"):
                    seed = line.split(":", 1)[1].strip()
        text = "".join(c + "\n" for c in commands)
        flow = {"game": [], "floor": []}
        for i in range(runs):
            for which in (("game", "floor") if i % 2 == 0 else ("floor", "game")):
                cmd = [self.game, "--headless", "--seed", seed] if which == "game" else [self.floor, "--headless"]
                t0 = now_ns()
                subprocess.run(cmd, input=text, capture_output=True, text=True, check=True)
                flow[which].append((now_ns() - t0) / 1e6)

        walk = self.walk(self.args.shot_every)
        bare = self.walk(0) if self.args.shot_every else walk
        self.header(f"6. the headless driver ({runs} runs each; floor: read a line, answer {{}})")
        self.row("start and answer `state`", "ms", median(start["game"]), median(start["floor"]))
        self.row(f"whole bolus flow, one transcript ({len(commands)} commands)", "ms", median(flow["game"]),
                 median(flow["floor"]))
        self.row(f"random steps per second ({walk['steps']} steps, incl. `screen`)", "steps/s",
                 median(walk["rate"]), float("nan"))
        shots = f"a shot every {self.args.shot_every} steps" if self.args.shot_every else "no shots"
        self.header(f"2. memory over a long random walk, headless ({len(walk['rate'])} walks of {walk['steps']} "
                    f"steps, {shots})")
        self.row("resident after start", "MiB", median(walk["rss0"]), median(walk["floor_rss"]))
        self.row("resident after 1,000 steps", "MiB", median(walk["rss1k"]), float("nan"))
        self.row(f"resident after {walk['steps']:,} steps", "MiB", median(walk["rssN"]), float("nan"))
        self.row("growth from 1,000 steps to the end (caches filling)", "KiB", median(walk["growth"]),
                 float("nan"))
        self.row("growth over the second half of the walk", "KiB", median(walk["half"]), float("nan"),
                 "none beyond the lists")
        self.row("peak resident at the end", "MiB", median(walk["hwm"]), float("nan"))
        if bare is not walk:
            self.row("  the same walks without shots: growth over the second half", "KiB", median(bare["half"]),
                     float("nan"), "none beyond the lists")
            self.row("  the same walks without shots: resident at the end", "MiB", median(bare["rssN"]),
                     float("nan"))
        self.row("owned + worn items at the end (the lists that may grow)", "items", median(walk["items"]),
                 float("nan"))
        self.row("screens pushed during the walk", "pushes", median(walk["pushes"]), float("nan"))

    def walk(self, shot_every):
        steps = self.args.steps
        out = {"steps": steps, "rate": [], "rss0": [], "rss1k": [], "rssN": [], "growth": [], "hwm": [],
               "items": [], "pushes": [], "floor_rss": [], "half": []}
        shot_dir = tempfile.mkdtemp(prefix="buddycare-bench-")
        try:
            for run in range(self.args.walk_runs):
                rng = random.Random(run)
                p = subprocess.Popen([self.game, "--headless", "--seed", str(run)], stdin=subprocess.PIPE,
                                     stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True, bufsize=1)

                def ask(command):
                    p.stdin.write(command + "\n")
                    p.stdin.flush()
                    while True:
                        line = p.stdout.readline()
                        if not line:
                            raise RuntimeError("the driver ended at: " + command)
                        answer = json.loads(line)
                        if "log" not in answer:
                            return answer

                ask("state")
                out["rss0"].append(proc_status(p.pid, "VmRSS") / 1024.0)
                pushes = 0
                t0 = now_ns()
                rss1k = None
                rss_half = None
                for step in range(steps):
                    screen = ask("screen")
                    choices = []
                    for c in screen["controls"]:
                        if c["hidden"] or not c["enabled"]:
                            continue
                        if c["kind"] == "button":
                            choices.append("tap " + c["name"])
                        elif c["kind"] == "switch":
                            choices.append("toggle " + c["name"])
                        elif c["kind"] == "stepper":
                            choices.append(f"step {c['name']} {rng.choice(['up', 'down'])}")
                    if not screen["navigationBarHidden"] and screen["screen"] != "ViewController":
                        choices.append("tap navBack")
                    choices.append(f"wait {rng.randint(1, 30)}")
                    before = screen["screen"]
                    ask(rng.choice(choices))
                    if shot_every and step % shot_every == shot_every - 1:
                        # The picture side too: the same painter as the window, into a file.
                        ask("shot " + os.path.join(shot_dir, "frame.png"))
                    if ask("stack")["stack"][-1] != before:
                        pushes += 1
                    if step == 999:
                        rss1k = proc_status(p.pid, "VmRSS")
                    if step == steps // 2 - 1:
                        rss_half = proc_status(p.pid, "VmRSS")
                elapsed = (now_ns() - t0) / 1e9
                rssN = proc_status(p.pid, "VmRSS")
                state = ask("state")
                out["hwm"].append(proc_status(p.pid, "VmHWM") / 1024.0)
                p.stdin.close()
                p.wait()
                out["rate"].append(steps / elapsed)
                out["rss1k"].append((rss1k or 0) / 1024.0)
                out["rssN"].append(rssN / 1024.0)
                out["growth"].append(rssN - (rss1k or rssN))
                out["half"].append(rssN - (rss_half or rssN))
                out["items"].append(len(state.get("items", [])) + len(state.get("wearing", [])))
                out["pushes"].append(pushes)
                f = subprocess.Popen([self.floor, "--headless"], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                     text=True)
                f.stdin.write("state\n")
                f.stdin.flush()
                f.stdout.readline()
                out["floor_rss"].append(proc_status(f.pid, "VmRSS") / 1024.0)
                f.stdin.close()
                f.wait()
        finally:
            shutil.rmtree(shot_dir, ignore_errors=True)
        return out

    def in_process(self):
        if not os.path.exists(self.inprocess):
            print("\n(in-process benchmarks not built: Google Benchmark missing)")
            return
        print("\n== in-process (Google Benchmark; CPU time is the figure on a busy machine)", flush=True)
        subprocess.run([self.inprocess, f"--benchmark_min_time={self.args.min_time}"], check=True,
                       stderr=subprocess.STDOUT)

    def machine(self):
        model = "?"
        with open("/proc/cpuinfo") as f:
            for line in f:
                if line.startswith("model name"):
                    model = line.split(":", 1)[1].strip()
                    break
        sdl = subprocess.run(["pkg-config", "--modversion", "sdl2"], capture_output=True, text=True).stdout.strip()
        print(f"machine: {os.cpu_count()} cores, {model}; SDL {sdl}; load average {loadavg()}")
        print(f"game: {self.game}\nfloor: {self.floor} (font {self.font})")


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--build", default=os.path.join(ROOT, "build-bench"), help="the build folder")
    ap.add_argument("--runs", type=int, default=10, help="runs per figure (at least 10 for the README)")
    ap.add_argument("--idle-runs", type=int, default=10, help="idle measurements")
    ap.add_argument("--idle-seconds", type=float, default=10.0, help="length of each idle measurement")
    ap.add_argument("--steps", type=int, default=10000, help="driver steps in each random walk")
    ap.add_argument("--shot-every", type=int, default=500, help="a `shot` every N walk steps (0: none)")
    ap.add_argument("--walk-runs", type=int, default=10, help="random walks")
    ap.add_argument("--min-time", default="0.2", help="Google Benchmark's minimum time per benchmark, seconds")
    ap.add_argument("--only", default="startup,idle,interaction,driver,inprocess",
                    help="comma-separated parts to run")
    args = ap.parse_args()

    bench = Bench(args)
    bench.machine()
    parts = args.only.split(",")
    xvfb = Xvfb() if {"startup", "idle", "interaction"} & set(parts) else None
    try:
        if "startup" in parts:
            bench.startup(xvfb)
        if "interaction" in parts:
            bench.interaction(xvfb)
        if "idle" in parts:
            bench.idle(xvfb)
    finally:
        if xvfb:
            xvfb.stop()
    if "driver" in parts:
        bench.driver()
    if "inprocess" in parts:
        bench.in_process()
    print(f"\nload average at the end: {loadavg()}")


if __name__ == "__main__":
    main()
