#!/usr/bin/env python3
"""Writes the shipped language files: each tools/languages/NAME.txt (UTF-8,
one key=text per line, /%/ comments) becomes assets/Languages/NAME.lng in the
program's own format, UTF-16 LE with a byte-order mark and CR LF line ends.
The .lng files are kept in the repository; run this after changing a text."""

import glob
import os

here = os.path.dirname(os.path.abspath(__file__))
target = os.path.join(here, '..', 'assets', 'Languages')
os.makedirs(target, exist_ok=True)
for source in sorted(glob.glob(os.path.join(here, 'languages', '*.txt'))):
    with open(source, encoding='utf-8') as f:
        lines = [line.rstrip('\r\n') for line in f]
    text = ''.join(line + '\r\n' for line in lines)
    name = os.path.splitext(os.path.basename(source))[0] + '.lng'
    with open(os.path.join(target, name), 'wb') as f:
        f.write(b'\xff\xfe' + text.encode('utf-16-le'))
