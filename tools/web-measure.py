#!/usr/bin/python3
"""Measures the browser build in headless Chromium, started as the end-to-end test starts it.

For each render path (SDL's software renderer into a 2D canvas, the page's default, and SDL's
WebGL renderer, asked for in the page's address) it reports the time to the first frame, the
display frames the game drew a second and the processor time of all of Chromium's processes as a
share of one core: on the title, and in a 4D game whose lattice "W Rotation" keeps turning. The
sizes of the files the page loads, raw and gzipped, come first.

usage: PYTHONPATH=tools /usr/bin/python3 tools/web-measure.py path/to/zarnith [web folder] [seconds]
(the folder is made with tools/web.sh when not given)
"""
import gzip
import os
import sys
import tempfile
import time

from browser import Page, chromium, serve, web_folder
from xgame import Facts

TICKS = os.sysconf("SC_CLK_TCK")


def descendants(pid):
    """`pid` and every process under it."""
    children = {}
    for entry in os.listdir("/proc"):
        if entry.isdigit():
            try:
                with open(f"/proc/{entry}/stat") as stat:
                    parent = int(stat.read().rsplit(")", 1)[1].split()[1])
                children.setdefault(parent, []).append(int(entry))
            except OSError:
                pass
    found, todo = [], [pid]
    while todo:
        found.append(todo.pop())
        todo.extend(children.get(found[-1], []))
    return found


def cpu_ticks(pids):
    total = 0
    for pid in pids:
        try:
            with open(f"/proc/{pid}/stat") as stat:
                fields = stat.read().rsplit(")", 1)[1].split()
            total += int(fields[11]) + int(fields[12])  # utime, stime
        except OSError:
            pass
    return total


def measure(page, driver, seconds, keep_busy=None):
    """Frames a second and the share of a core that Chromium takes over `seconds`."""
    pids = descendants(driver.service.process.pid)
    frames, ticks, start = page.game_frames(), cpu_ticks(pids), time.monotonic()
    while time.monotonic() - start < seconds:
        if keep_busy:
            keep_busy()
        time.sleep(0.25)
    elapsed = time.monotonic() - start
    return (page.game_frames() - frames) / elapsed, 100 * (cpu_ticks(pids) - ticks) / TICKS / elapsed


def file_sizes(folder):
    for name in sorted(os.listdir(folder)):
        path = os.path.join(folder, name)
        if os.path.isfile(path):
            with open(path, "rb") as f:
                raw = f.read()
            print(f"{name:14} {len(raw):>9} bytes, {len(gzip.compress(raw, 9)):>8} gzipped")


def main(game, folder, seconds):
    facts = Facts(game)
    file_sizes(folder)
    with serve(folder) as address:
        for path, query in (("software", ""), ("WebGL", "?SDL_RENDER_DRIVER=opengles2")):
            with chromium() as driver:
                page = Page(driver, address + query, facts)
                first = page.wait_first_frame() if path == "software" else None
                time.sleep(2)
                fps, cpu = measure(page, driver, seconds)
                print(f"{path:8} title:      {fps:5.1f} frames/s, {cpu:5.1f} % of a core"
                      + (f", first frame after {first:.2f} s" if first else ""))
                page.click_labels("4 Dimensions", "Play")
                time.sleep(1)
                fps, cpu = measure(page, driver, seconds, lambda: page.click_labels("W Rotation"))
                print(f"{path:8} 4D turning: {fps:5.1f} frames/s, {cpu:5.1f} % of a core")


if __name__ == "__main__":
    with tempfile.TemporaryDirectory() as work:
        main(sys.argv[1], sys.argv[2] if len(sys.argv) > 2 else web_folder(work),
             float(sys.argv[3]) if len(sys.argv) > 3 else 10)
