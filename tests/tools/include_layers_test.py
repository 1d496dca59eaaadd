#!/usr/bin/env python3
"""Checks that every include of the program's sources runs downward: a file
may include from its own folder and from the folders below it, never from one
above. The folders from the bottom up: platform, storage, lists, app,
widgets, editor, dialogs, shell. resources/ holds only the resource
identifiers and may be included from anywhere."""

import os
import re
import sys

root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '..', '..')
layers = ['platform', 'storage', 'lists', 'app', 'widgets', 'editor', 'dialogs', 'shell']
anywhere = {'resources'}

include = re.compile(r'^\s*#\s*include\s+"([^/"]+)/[^"]*"', re.MULTILINE)

faults = []
for level, folder in enumerate(layers):
    for base, _, files in os.walk(os.path.join(root, folder)):
        for name in sorted(files):
            if not name.endswith(('.h', '.cpp')):
                continue
            path = os.path.join(base, name)
            with open(path, encoding='utf-8') as source:
                text = source.read()
            for match in include.finditer(text):
                target = match.group(1)
                if target in anywhere or target == folder:
                    continue
                if target not in layers or layers.index(target) > level:
                    line = text.count('\n', 0, match.start()) + 1
                    faults.append('%s:%d: includes "%s/..." from above %s/' %
                                  (os.path.relpath(path, root), line, target, folder))

for fault in faults:
    print(fault)
print('%d include(s) running upward' % len(faults))
sys.exit(1 if faults else 0)
