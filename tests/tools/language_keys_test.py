#!/usr/bin/env python3
"""Checks the shipped language files against the program's sources: every
language key the program looks up must be in each file, every key of a file
must be looked up somewhere, and Russian.lng must give each key the program's
own built-in text. Keys are found as the program writes them: a lower-case
wide literal followed by its built-in text (or nullptr), the first literal
given to a lookup, or a key paired with a control in a table of dialog
texts."""

import os
import re
import sys

root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '..', '..')
folders = ['storage', 'lists', 'editor', 'shell', 'dialogs', 'widgets', 'app']

literal = r'L"((?:[^"\\]|\\.)*)"'
key_then_text = re.compile(r'L"([a-z][a-z0-9_]*)"\s*,\s*(?:(nullptr)|((?:' + literal + r'\s*)+))')
key_only = re.compile(r'\b(?:Lookup|LookupWithSuffix|ShowNotice|SetDialogItemText)\s*\([^;"]*L"([a-z][a-z0-9_]*)"'
                      r'|\{\s*ID[A-Z0-9_]*\s*,\s*L"([a-z][a-z0-9_]*)"\s*\}')


def unescape(text):
    return re.sub(r'\\(.)', lambda m: {'t': '\t', 'n': '\n', '\\': '\\', '"': '"'}.get(m.group(1), m.group(1)), text)


def looked_up():
    keys = {}   # key -> set of built-in texts ('' when none given)
    for folder in folders:
        for base, _, files in os.walk(os.path.join(root, folder)):
            for name in files:
                if not name.endswith(('.cpp', '.h')):
                    continue
                with open(os.path.join(base, name), encoding='utf-8') as f:
                    source = f.read()
                for m in key_then_text.finditer(source):
                    text = ''.join(unescape(t) for t in re.findall(literal, m.group(3))) if m.group(3) else ''
                    keys.setdefault(m.group(1), set()).add(text)
                for m in key_only.finditer(source):
                    keys.setdefault(m.group(1) or m.group(2), set()).add('')
    return keys


def read_language(path):
    """The file's entries; a line the program would join to the next key
    (an empty one, or one without "=") is reported as a key of its own."""
    with open(path, 'rb') as f:
        data = f.read()
    if data.startswith(b'\xff\xfe'):
        data = data[2:]
    entries = {}
    for line in data.decode('utf-16-le').split('\r\n')[:-1]:
        if not line.startswith('/%/'):
            key, sep, text = line.partition('=')
            entries[key if sep else '(line %r without "=")' % line] = text
    return entries


def main():
    keys = looked_up()
    failures = 0
    for name in ('Russian.lng', 'English.lng'):
        path = os.path.join(root, 'assets', 'Languages', name)
        if not os.path.exists(path):
            print('FAIL %s is missing' % name)
            failures += 1
            continue
        entries = read_language(path)
        for key in sorted(set(keys) - set(entries)):
            print('FAIL key %s is looked up by the program but missing from %s' % (key, name))
            failures += 1
        for key in sorted(set(entries) - set(keys)):
            print('FAIL key %s of %s is looked up nowhere in the program' % (key, name))
            failures += 1
        if name == 'Russian.lng':
            for key in sorted(set(keys) & set(entries)):
                for builtin in sorted(keys[key] - {''}):
                    if entries[key] != builtin:
                        print('FAIL key %s: Russian.lng has %r, the program %r' % (key, entries[key], builtin))
                        failures += 1
    print('%d keys looked up, %d failures' % (len(keys), failures))
    return 1 if failures else 0


sys.exit(main())
