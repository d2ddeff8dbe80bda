"""What every real-compositor test needs: polling, a board whose pixels name
their position, reading a screenshot's pixels, and running one pick of the
program with its launch time."""
import os
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))


def run(cmd, **kw):
    return subprocess.run(cmd, check=False, capture_output=True, text=True, **kw)


def wait_for(test, seconds=5.0):
    """Polls until test() gives something true, which it returns, or None."""
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        got = test()
        if got:
            return got
        time.sleep(0.02)
    return None


def read(path):
    return open(path).read() if os.path.exists(path) else ""


def make_board(width, height, png):
    """A PNG of width x height whose every pixel encodes its position."""
    ppm = png[:-4] + ".ppm"
    run([sys.executable, os.path.join(HERE, "make_board.py"), str(width), str(height), ppm])
    run(["convert", ppm, png])
    return png


def install_entry(program, work):
    """Installs for the user the program's desktop entry as the build made it
    (copied into WORK), running PROGRAM; returns the entry's file name."""
    apps = os.path.expanduser("~/.local/share/applications")
    os.makedirs(apps, exist_ok=True)
    built = next(f for f in os.listdir(work) if f.endswith(".desktop"))
    with open(os.path.join(work, built)) as f:
        entry = "".join("Exec=%s\n" % program if line.startswith("Exec=") else line for line in f)
    with open(os.path.join(apps, built), "w") as f:
        f.write(entry)
    return built


def parse_outputs(text):
    """ "1920x1080@2+1280x1024@1" as [(1920, 1080, "2"), (1280, 1024, "1")]."""
    outputs = []
    for o in text.split("+"):
        size, scale = o.split("@")
        w, h = size.split("x")
        outputs.append((int(w), int(h), scale))
    return outputs


def type_keys(device, keys, pause=0.1):
    """Presses each of KEYS ("Right", "Shift+Down") on DEVICE, whose
    key(name, down=None) presses, holds (1) or lets go (0) one key."""
    for k in keys:
        if k.startswith("Shift+"):
            device.key("Shift", 1)
            device.key(k[6:])
            device.key("Shift", 0)
        else:
            device.key(k)
        time.sleep(pause)


class Picture:
    """A screenshot's pixels, read once."""

    def __init__(self, png):
        size = run(["identify", "-format", "%w %h", png]).stdout.split()
        self.width, self.height = int(size[0]), int(size[1])
        self.data = subprocess.run(["convert", png, "-depth", "8", "rgb:-"],
                                   capture_output=True).stdout

    def hex(self, x, y):
        if not (0 <= x < self.width and 0 <= y < self.height):
            return "?"
        i = 3 * (y * self.width + x)
        return "#%02X%02X%02X" % tuple(self.data[i:i + 3])


class Pick:
    """One run of PROGRAM --pick: started, waited for until shown(pick) is
    true, then finished for its printed colour. Its standard error goes to a
    file that `errors()` reads while it runs."""

    def __init__(self, program, env, shown, args=(), cwd=None):
        start = time.monotonic()
        self.err_path = os.path.join(cwd or os.getcwd(), "pick-stderr.txt")
        with open(self.err_path, "w") as err:
            self.proc = subprocess.Popen([program, "--pick"] + list(args), env=env, cwd=cwd,
                                         stdout=subprocess.PIPE, stderr=err, text=True)
        wait_for(lambda: shown(self) or self.proc.poll() is not None, 10)
        self.launch_ms = (time.monotonic() - start) * 1000

    def errors(self):
        return read(self.err_path)

    def finish(self, seconds=10):
        """(printed colour or "exit N" or "timeout", standard error)."""
        try:
            out, _ = self.proc.communicate(timeout=seconds)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            self.proc.communicate()
            return "timeout", self.errors().strip()
        code = self.proc.returncode
        return (out.strip() if code == 0 else "exit %d" % code), self.errors().strip()


def summary(name, results, launches):
    """Prints one line per pick and the config's summary; the misses."""
    exact = sum(1 for ok, _ in results if ok)
    for ok, line in results:
        print(("ok   " if ok else "MISS ") + name + " " + line, flush=True)
        if not ok:
            # Kept for the end of the log, past the compositor's own output.
            with open("misses.txt", "a") as f:
                f.write("MISS %s %s\n" % (name, line))
    launches = sorted(launches) or [0]
    print("%s exact %d/%d launch-ms %d" % (name, exact, len(results),
                                            launches[len(launches) // 2]), flush=True)
    return len(results) - exact


def run_configs(configs, run_one):
    """Runs each configuration, run_one(config) giving ([(ok, line)], launch
    times), prints each one's picks and summary, and exits 1 on any miss."""
    failures = 0
    for config in configs:
        results, launches = run_one(config)
        failures += summary(config, results, launches)
    sys.exit(1 if failures else 0)
