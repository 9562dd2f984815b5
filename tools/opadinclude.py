#!/usr/bin/env python3
"""Prints the include lines of the main program that point up a layer.

The layers, bottom to top, as the architecture notes give them:
  1  klient/shell/grund, klient/shell/faelles   (the base libraries)
  2  klient/data
  3  klient/ui
  4  the subsystems 4 to 9 and the shell's services (klient/shell)
  5  klient/shell/program                        (start-up and wiring)
A line in a module of one layer that names a header of a higher layer is
upward; modules of one layer may include each other. A header is found by
its file name among the headers of klient/ (the include path of every
library is its own folder).

Usage: opadinclude.py [--rev REV] [--list]
  --rev REV  count in a git revision instead of the working tree
  --list     print every upward line, not only the count per folder pair
Prints "<from> -> <to> <count>" per folder pair and a closing "total <n>".
"""

import argparse
import collections
import os
import re
import subprocess
import sys

LAG = {
    'klient/shell/grund': 1,
    'klient/shell/faelles': 1,
    'klient/data': 2,
    'klient/ui': 3,
    'klient/shell': 4,
    'klient/schedule': 4,
    'klient/exchange': 4,
    'klient/masterdata': 4,
    'klient/stafftime': 4,
    'klient/planning': 4,
    'klient/students': 4,
    'klient/shell/program': 5,
}

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def filer(rev, rod):
    """(path, text) of every .h and .cpp under klient/."""
    if rev:
        navne = subprocess.run(['git', 'ls-tree', '-r', '--name-only', rev, 'klient'], cwd=rod, check=True,
                               capture_output=True, text=True).stdout.split()
        for n in navne:
            if n.endswith(('.h', '.cpp')):
                tekst = subprocess.run(['git', 'show', f'{rev}:{n}'], cwd=rod, check=True,
                                       capture_output=True).stdout.decode('utf-8', 'replace')
                yield n, tekst
        return
    for mappe, _, navne in os.walk(os.path.join(rod, 'klient')):
        for n in navne:
            if n.endswith(('.h', '.cpp')):
                sti = os.path.join(mappe, n)
                with open(sti, encoding='utf-8', errors='replace') as f:
                    yield os.path.relpath(sti, rod), f.read()


def main():
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument('--rev')
    p.add_argument('--list', action='store_true')
    a = p.parse_args()
    rod = subprocess.run(['git', 'rev-parse', '--show-toplevel'], cwd=os.path.dirname(os.path.abspath(__file__)),
                         check=True, capture_output=True, text=True).stdout.strip()
    alle = list(filer(a.rev, rod))
    hjem = {}
    for sti, _ in alle:
        if sti.endswith('.h'):
            hjem.setdefault(os.path.basename(sti), os.path.dirname(sti))
    par = collections.Counter()
    linjer = []
    for sti, tekst in alle:
        fra = os.path.dirname(sti)
        if fra not in LAG:
            continue
        for nr, linje in enumerate(tekst.split('\n'), 1):
            m = INCLUDE.match(linje)
            if not m:
                continue
            til = hjem.get(os.path.basename(m.group(1)))
            if til in LAG and LAG[til] > LAG[fra]:
                par[(fra, til)] += 1
                linjer.append(f'{sti}:{nr}: {linje.strip()}')
    if a.list:
        print('\n'.join(linjer))
    for (fra, til), n in sorted(par.items()):
        print(f'{fra} -> {til} {n}')
    print(f'total {sum(par.values())}')
    return 0


if __name__ == '__main__':
    sys.exit(main())
