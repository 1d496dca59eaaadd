#!/usr/bin/env python3
"""Checks the include structure of the program's sources.

Every include runs downward: a file may include from its own folder and from
the folders below it, never from one above. The folders from the bottom up:
platform, storage, lists, app, widgets, editor, dialogs, shell. resources/
holds only the resource identifiers and may be included from anywhere.

No circles: a file pair (x.h with x.cpp) that includes another's header
depends on that pair; following these arrows must never lead back to where
it started. Each circle is named with its files, by folder.

    include_layers_test.py [ROOT] [--only FOLDER...]

--only checks the circles of the named folders alone (the includes running
upward are checked everywhere)."""

import os
import re
import sys

layers = ['platform', 'storage', 'lists', 'app', 'widgets', 'editor', 'dialogs', 'shell']
anywhere = {'resources'}

include = re.compile(r'^\s*#\s*include\s+"(([^/"]+)/[^"]*)"', re.MULTILINE)


def read_sources(root):
    """{'folder/file.ext': text} of every .h and .cpp below the layers."""
    sources = {}
    for folder in layers:
        for base, _, files in os.walk(os.path.join(root, folder)):
            for name in sorted(files):
                if name.endswith(('.h', '.cpp')):
                    path = os.path.join(base, name)
                    with open(path, encoding='utf-8') as source:
                        sources[os.path.relpath(path, root).replace(os.sep, '/')] = source.read()
    return sources


def upward_includes(sources):
    faults = []
    for path, text in sorted(sources.items()):
        folder = path.split('/')[0]
        level = layers.index(folder)
        for match in include.finditer(text):
            target = match.group(2)
            if target in anywhere or target == folder:
                continue
            if target not in layers or layers.index(target) > level:
                line = text.count('\n', 0, match.start()) + 1
                faults.append('%s:%d: includes "%s/..." from above %s/' %
                              (path, line, target, folder))
    return faults


def pair_of(path):
    return os.path.splitext(path)[0]


def dependencies(sources):
    """{pair: set of pairs it includes a header of}, between program files."""
    pairs = {pair_of(path) for path in sources}
    arrows = {pair: set() for pair in pairs}
    for path, text in sources.items():
        source = pair_of(path)
        for match in include.finditer(text):
            target = pair_of(match.group(1))
            if target != source and target in pairs:
                arrows[source].add(target)
    return arrows


def circles(arrows):
    """The strongly connected groups of more than one pair (Tarjan)."""
    index = {}
    lowest = {}
    stack = []
    on_stack = set()
    found = []
    counter = [0]

    def visit(start):
        # Iterative, so that a long chain cannot exhaust Python's stack.
        work = [(start, iter(sorted(arrows[start])))]
        index[start] = lowest[start] = counter[0]
        counter[0] += 1
        stack.append(start)
        on_stack.add(start)
        while work:
            node, targets = work[-1]
            advanced = False
            for target in targets:
                if target not in index:
                    index[target] = lowest[target] = counter[0]
                    counter[0] += 1
                    stack.append(target)
                    on_stack.add(target)
                    work.append((target, iter(sorted(arrows[target]))))
                    advanced = True
                    break
                if target in on_stack:
                    lowest[node] = min(lowest[node], index[target])
            if advanced:
                continue
            work.pop()
            if work:
                parent = work[-1][0]
                lowest[parent] = min(lowest[parent], lowest[node])
            if lowest[node] == index[node]:
                group = []
                while True:
                    member = stack.pop()
                    on_stack.discard(member)
                    group.append(member)
                    if member == node:
                        break
                if len(group) > 1:
                    found.append(sorted(group))

    for pair in sorted(arrows):
        if pair not in index:
            visit(pair)
    return sorted(found)


def main(argv):
    only = None
    if '--only' in argv:
        at = argv.index('--only')
        only = set(argv[at + 1:])
        argv = argv[:at]
    root = argv[1] if len(argv) > 1 else os.path.join(os.path.dirname(__file__), '..', '..')
    sources = read_sources(root)

    faults = upward_includes(sources)
    for fault in faults:
        print(fault)
    print('%d include(s) running upward' % len(faults))

    reported = 0
    for group in circles(dependencies(sources)):
        folders = sorted({pair.split('/')[0] for pair in group})
        if only is not None and not only.intersection(folders):
            continue
        reported += 1
        print('circle in %s/: %s' % ('/, '.join(folders),
                                      ', '.join(pair.split('/', 1)[1] for pair in group)))
    print('%d circle(s) among the source files' % reported)
    return 1 if faults or reported else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
