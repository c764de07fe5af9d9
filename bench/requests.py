#!/usr/bin/env python3
"""Counts the wineserver requests of one start of each program, from a trace of the server.

Under Wine most of what a start costs beyond the loader is round trips to the wineserver, and
their number, unlike their time, does not change with the load of the machine. tools/bench-requests
starts the programs under a wineserver that traces every request; this script reads that trace
and prints, for the last start of each program, the requests its main thread made from the end
of the loader (init_process_done) until it first waited on its message queue with its window
shown, in segments that each begin where a window is made, side by side.

    requests.py <trace> <label>=<image file name>...
"""
import re
import sys

REQUEST = re.compile(r'([0-9a-f]{4}): ([a-z_0-9]+)\((.*)')
# What win32u asks before each use of the monitors' layout or DPI (is the window station
# visible, has the display key changed): three requests, counted together.
DISPLAY_CHECK = ('get_process_winstation', 'set_user_object_info', 'enum_key')


def last_start(lines, image):
    """The line of the last new_process request for the image, and the new process's id."""
    found = None
    for i, line in enumerate(lines):
        if ' new_process(' in line and ('\\\\' + image + '"') in line:
            tid = line[:4]
            for reply in lines[i + 1:i + 200]:
                if reply.startswith(tid + ': new_process() ='):
                    found = (i, re.search(r'pid=([0-9a-f]+)', reply).group(1))
                    break
    if not found:
        sys.exit('no start of %s in the trace' % image)
    return found


def main_thread(lines, start, pid):
    for line in lines[start:]:
        m = re.match(r'([0-9a-f]{4}): init_first_thread\(\) = 0 \{ pid=([0-9a-f]+)', line)
        if m and m.group(2) == pid:
            return m.group(1)
    sys.exit('no first thread of process %s' % pid)


def segments(lines, start, thread):
    """[(window class made, requests, display checks)], the first one before any window."""
    result = [['(before the first window)', 0, 0]]
    loaded, shown = False, False
    for line in lines[start:]:
        m = REQUEST.match(line)
        if not m or m.group(1) != thread or m.group(3).startswith(')'):
            continue
        name, args = m.group(2), m.group(3)
        if name == 'init_process_done':
            loaded = True
            continue
        if not loaded:
            continue
        if name == 'select' and shown and 'timeout=infinite' in args:
            break
        if name == 'set_window_pos':
            flags = re.search(r'swp_flags=([0-9a-f]+)', args)
            shown = shown or bool(flags and int(flags.group(1), 16) & 0x40)  # SWP_SHOWWINDOW
        if name == 'create_window':
            made = re.search(r'class=L"(?:[0-9.]+!)?([^"]*)"', args)
            result.append([made.group(1) if made else '?', 0, 0])
        result[-1][1] += 1
        if name == DISPLAY_CHECK[0]:
            result[-1][2] += 1
    return result


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    lines = open(sys.argv[1], errors='replace').read().split('\n')
    programs = [arg.split('=', 1) for arg in sys.argv[2:]]
    counted = []
    for label, image in programs:
        start, pid = last_start(lines, image)
        counted.append(segments(lines, start, main_thread(lines, start, pid)))
    print('| segment: from the window made until the next | ' +
          ' | '.join('%s: requests (display checks)' % label for label, _ in programs) + ' |')
    print('| --- |' + ' ---: |' * len(programs))
    for row in range(max(len(c) for c in counted)):
        cells = []
        for c in counted:
            cells.append('%s: %d (%d)' % (c[row][0], c[row][1], c[row][2]) if row < len(c) else '')
        print('| %d | %s |' % (row, ' | '.join(cells)))
    totals = [sum(s[1] for s in c) for c in counted]
    checks = [sum(s[2] for s in c) for c in counted]
    print('| **all, the loader left out** | ' +
          ' | '.join('%d (%d)' % (t, d) for t, d in zip(totals, checks)) + ' |')
    if len(totals) > 1 and totals[-1]:
        print('\nAgainst the last column: ' +
              ', '.join('%s %.3f' % (label, t / totals[-1])
                        for (label, _), t in zip(programs[:-1], totals[:-1])))


if __name__ == '__main__':
    main()
