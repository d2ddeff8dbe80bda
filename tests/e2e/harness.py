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
    """One run of PROGRAM --pick: started, waited for until shown() is true,
    then finished for its printed colour."""

    def __init__(self, program, env, shown, args=(), cwd=None):
        start = time.monotonic()
        self.proc = subprocess.Popen([program, "--pick"] + list(args), env=env, cwd=cwd,
                                     stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        wait_for(lambda: shown() or self.proc.poll() is not None, 10)
        self.launch_ms = (time.monotonic() - start) * 1000

    def finish(self, seconds=10):
        """(printed colour or "exit N" or "timeout", standard error)."""
        try:
            out, err = self.proc.communicate(timeout=seconds)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            out, err = self.proc.communicate()
            return "timeout", err.strip()
        code = self.proc.returncode
        return (out.strip() if code == 0 else "exit %d" % code), err.strip()


def summary(name, results, launches):
    """Prints one line per pick and the config's summary; the misses."""
    exact = sum(1 for ok, _ in results if ok)
    for ok, line in results:
        print(("ok   " if ok else "MISS ") + name + " " + line, flush=True)
    launches = sorted(launches) or [0]
    print("%s exact %d/%d launch-ms %d" % (name, exact, len(results),
                                            launches[len(launches) // 2]), flush=True)
    return len(results) - exact
