#!/usr/bin/env python3
"""Fault injection: the real editor is killed, as a flat battery would end it,
at random moments while a user types and saves, and the files and the
unsaved text are checked after every kill.

    fault-injection.py [--kills N] [--seed S] [--build DIR] [--damage P] [--double P]

The editor runs from a program folder of its own with three documents (two of
them large). Each round starts it (answering its restore question, when
snapshots were left), opens whatever it did not restore, types, pastes,
waits now and then for the snapshots, saves, and kills its process (kill -9
of its Linux process) at a random moment, often while it saves a large
document. After each kill every document file must hold exactly its old or
its new bytes, and at the next start every text that had been typed and left
long enough for a snapshot must come back, no older than its file.

Before some starts (share --damage) one snapshot left by the kill is damaged
as a failing storage would leave it (cut at a random length, a zero-filled
tail, zero-filled whole, one changed byte) or given fields out of range
under a correct checksum: a damaged snapshot must be set aside byte for byte
(never deleted), and what comes back of it must be the start of its text;
one with bad fields must come back whole. Some starts (share --double) are
made twice at once: exactly one program must run, restoring each text once.

Needs a display (the test suite's, or run it under xvfb-run with
tools/with-display.sh). Prints the figures and exits 0 when nothing was lost.
"""

import argparse
import glob
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import zlib

SNAPSHOT_SETTLE = 2.5       # the editor's snapshot delay (2 s) and a margin
DOCUMENTS = 3
ROOM = 29000                # texts stay loadable: below the 30000-unit limit


def wine_environment(build):
    env = dict(os.environ)
    env.update(WINEPREFIX=os.path.join(build, 'wineprefix'), WINEARCH='win64', WINEDEBUG='-all',
               WINEDLLOVERRIDES='mscoree,mshtml=', LANG='ru_RU.UTF-8', LC_ALL='ru_RU.UTF-8')
    return env


def windows_path(path):
    return 'Z:' + path.replace('/', '\\')


class Driver:
    """The fault-driver program, which works the editor's windows."""

    def __init__(self, build, env):
        self.process = subprocess.Popen(['wine', os.path.join(build, 'tools', 'fault-driver.exe')],
                                        stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                        stderr=subprocess.DEVNULL, env=env, text=True,
                                        encoding='latin-1')

    def ask(self, line):
        self.process.stdin.write(line + '\n')
        self.process.stdin.flush()
        answer = self.process.stdout.readline().strip()
        if not answer.startswith('ok'):
            raise RuntimeError('%s: %s' % (line.split(' ')[0], answer or 'no answer'))
        return answer[3:]

    def documents(self):
        count = int(self.ask('docs'))
        found = []
        for _ in range(count):
            edit, _, text = self.process.stdout.readline().strip().partition(' ')
            found.append((edit, bytes.fromhex(text).decode('ascii')))
        return found

    def close(self):
        try:
            self.process.stdin.write('quit\n')
            self.process.stdin.flush()
            self.process.wait(10)
        except (OSError, subprocess.TimeoutExpired):
            self.process.kill()


def linux_pids(exe):
    """Every Linux process that runs the Windows program."""
    found = []
    for entry in os.listdir('/proc'):
        if not entry.isdigit():
            continue
        try:
            with open('/proc/%s/cmdline' % entry, 'rb') as f:
                first = f.read().split(b'\0')[0].decode('utf-8', 'replace')
        except OSError:
            continue
        if first == exe or first == windows_path(exe):
            found.append(int(entry))
    return found


def linux_pid(exe):
    """The Linux process that runs the Windows program (Wine puts the
    program's path first on its command line)."""
    pids = linux_pids(exe)
    return pids[0] if pids else None


HEADER_END = '\r\n\r\n'.encode('utf-16-le')
CHECKSUM = 'Checksum='.encode('utf-16-le')


def with_checksum(data):
    """The snapshot's bytes with the checksum of what follows its line."""
    start = data.index(CHECKSUM) + len(CHECKSUM)
    end = start + 16 + 4
    digits = ('%08X' % zlib.crc32(data[end:])).encode('utf-16-le')
    return data[:start] + digits + data[start + 16:]


def damage(data, rng):
    """A damaged copy of a snapshot's bytes and the kind of damage; 'fields'
    keeps the snapshot whole under a correct checksum."""
    kind = rng.choice(['cut', 'zero tail', 'zeros', 'changed byte', 'fields'])
    text_at = data.find(HEADER_END) + len(HEADER_END)
    if kind == 'cut':
        data = data[:rng.randrange(len(data))]
    elif kind == 'zero tail':
        n = rng.randrange(1, len(data) - text_at + 1)
        data = data[:len(data) - n] + bytes(n)
    elif kind == 'zeros':
        data = bytes(len(data))
    elif kind == 'changed byte' and len(data) > text_at:
        at = rng.randrange(text_at, len(data))
        data = data[:at] + bytes([data[at] ^ 0x20]) + data[at + 1:]
    else:
        kind = 'fields'
        for key, value in (('Encoding', '42'), ('Flags', '240')):
            start = data.index((key + '=').encode('utf-16-le'))
            end = data.index('\r\n'.encode('utf-16-le'), start)
            data = data[:start] + ('%s=%s' % (key, value)).encode('utf-16-le') + data[end:]
        data = with_checksum(data)
    return data, kind


def kill(pid):
    os.kill(pid, signal.SIGKILL)
    while os.path.exists('/proc/%d' % pid):
        try:
            os.waitpid(pid, os.WNOHANG)
        except ChildProcessError:
            pass
        time.sleep(0.01)


def body(rng, units):
    lines = []
    while sum(len(line) + 2 for line in lines) < units:
        lines.append('line %d %s' % (rng.randrange(100000), 'abcdefghij' * rng.randrange(1, 6)))
    return '\r\n'.join(lines) + '\r\n'


class Run:
    def __init__(self, build, seed, damage_share, double_share):
        self.rng = random.Random(seed)
        self.damage_share, self.double_share = damage_share, double_share
        self.damaged = self.doubled = 0
        self.kinds = {}
        self.damaged_doc = None     # the document whose snapshot was damaged
        self.damaged_kind = None
        self.env = wine_environment(build)
        self.work = tempfile.mkdtemp(prefix='fault-', dir=build)
        program = os.path.join(self.work, 'program')
        shutil.copytree(os.path.join(build, 'program'), program,
                        ignore=shutil.ignore_patterns('Settings.ini', 'Recent.lst', 'Recovery'))
        self.exe = os.path.join(program, 'Quillex.exe')
        self.recovery = os.path.join(program, 'Recovery')
        self.folder = os.path.join(self.work, 'documents')
        os.mkdir(self.folder)
        # Two large documents (near the 30000-unit limit) and a small one,
        # each text starting with its own mark.
        self.paths = [os.path.join(self.folder, 'doc%d.txt' % k) for k in range(DOCUMENTS)]
        self.disk = []
        for k, path in enumerate(self.paths):
            text = 'FILE %d\r\n' % k + body(self.rng, 24000 if k < 2 else 300)
            with open(path, 'wb') as f:
                f.write(text.encode('ascii'))
            self.disk.append(text)
        self.text = [None] * DOCUMENTS       # the text in the editor, as typed
        self.settled = [0] * DOCUMENTS       # units surely in a snapshot or the file
        self.edit = [None] * DOCUMENTS
        self.in_flight = [None] * DOCUMENTS  # the text of a save the kill may cut
        self.last_change = 0.0
        self.pid = None
        self.kills = self.files_checked = self.restored = 0
        self.leftovers = set()
        self.mid_save = self.bytes_lost = 0
        self.failures = []
        self.driver = Driver(build, self.env)

    def fail(self, message):
        self.failures.append('round %d: %s' % (self.kills, message))

    def damage_one(self, snapshots):
        """Damages one snapshot before the start; returns its file, the
        damaged bytes and whether it stays whole."""
        path = self.rng.choice(snapshots)
        with open(path, 'rb') as f:
            data = f.read()
        text = data[data.find(HEADER_END) + len(HEADER_END):].decode('utf-16-le', 'replace')
        mark = re.match(r'FILE (\d+)\r', text)
        self.damaged_doc = int(mark.group(1)) if mark else None
        data, self.damaged_kind = damage(data, self.rng)
        # What can come back: the damaged file's text, as the driver reads it.
        at = data.find(HEADER_END)
        rest = data[at + len(HEADER_END):] if at >= 0 else b''
        self.damaged_text = ''.join(c if c < '\x80' else '?' for c in
                                    rest[:len(rest) & ~1].decode('utf-16-le', 'replace'))
        with open(path, 'wb') as f:
            f.write(data)
        self.damaged += 1
        self.kinds[self.damaged_kind] = self.kinds.get(self.damaged_kind, 0) + 1
        return path, data

    def start(self):
        snapshots = sorted(glob.glob(os.path.join(self.recovery, 'Document*.snapshot')))
        asked = bool(snapshots)
        self.damaged_doc = self.damaged_kind = None
        spoiled = None
        if snapshots and self.rng.random() < self.damage_share:
            spoiled = self.damage_one(snapshots)
        twice = self.rng.random() < self.double_share
        for _ in range(2 if twice else 1):
            subprocess.Popen(['wine', self.exe], cwd=os.path.dirname(self.exe), env=self.env,
                             stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                             stderr=subprocess.DEVNULL)
        question = self.driver.ask('wait 60 %d' % asked)
        if twice:
            self.doubled += 1
            # The second start hands over and ends.
            end = time.time() + 15
            while len(linux_pids(self.exe)) > 1 and time.time() < end:
                time.sleep(0.05)
            if len(linux_pids(self.exe)) != 1 or self.driver.ask('windows') != '1':
                self.fail('two starts at once left %d programs' % len(linux_pids(self.exe)))
        # Found now, so that the kill itself loses no time.
        self.pid = linux_pid(self.exe)
        if self.pid is None:
            raise RuntimeError('the editor is not running')
        if asked and 'Restore' not in question and '?' not in question:
            self.fail('unexpected restore question text %r' % question)
        if spoiled and self.damaged_kind != 'fields':
            path, data = spoiled
            aside = os.path.splitext(path)[0] + '.damaged'
            try:
                with open(aside, 'rb') as f:
                    kept = f.read()
            except OSError:
                kept = None
            if kept != data:
                self.fail('damaged snapshot %s not set aside whole' % os.path.basename(path))
            else:
                os.remove(aside)

    def check_restored(self):
        """After a start: each text typed and left for a snapshot is back."""
        by_mark = {}
        for edit, text in self.driver.documents():
            mark = re.match(r'FILE (\d+)\r', text)
            if not mark:
                # What came back of a snapshot damaged before its mark.
                if text and self.damaged_doc is not None:
                    self.driver.ask('discard ' + edit)
                continue
            k = int(mark.group(1))
            if k in by_mark:
                self.fail('document %d restored twice' % k)
            by_mark[k] = (edit, text)
        for k in range(DOCUMENTS):
            disk = self.disk[k]
            restored = by_mark.get(k)
            if restored and k == self.damaged_doc and self.damaged_kind != 'fields':
                # What comes back of a damaged snapshot is the start of its
                # text, and its file is written only through the chooser: the
                # run closes it and opens the file again.
                edit, text = restored
                if not self.damaged_text.startswith(text):
                    self.fail('document %d came back from damage as another text' % k)
                self.driver.ask('discard ' + edit)
                restored = None
                self.settled[k] = len(disk)
            if restored:
                self.restored += 1
                edit, text = restored
                typed = self.text[k] or disk
                if not typed.startswith(text) or not text.startswith(disk):
                    self.fail('document %d restored with %d units, typed %d, file %d' %
                              (k, len(text), len(typed), len(disk)))
                if len(text) < self.settled[k]:
                    self.fail('document %d restored %d units of %d' % (k, len(text), self.settled[k]))
                    self.bytes_lost += self.settled[k] - len(text)
                self.text[k], self.edit[k] = text, edit
                self.settled[k] = len(text)
            else:
                if k == self.damaged_doc:
                    self.settled[k] = len(disk)
                if self.settled[k] > len(disk):
                    self.fail('document %d: %d typed units not restored' %
                              (k, self.settled[k] - len(disk)))
                    self.bytes_lost += self.settled[k] - len(disk)
                known = {edit for edit, _ in self.driver.documents()}
                self.driver.ask('open ' + windows_path(self.paths[k]))
                new = [(edit, text) for edit, text in self.driver.documents() if edit not in known]
                if len(new) != 1 or new[0][1] != disk:
                    self.fail('document %d did not open as its file' % k)
                    return False
                self.edit[k] = new[0][0]
                self.text[k] = disk
                self.settled[k] = len(disk)
        return True

    def act(self):
        k = self.rng.randrange(DOCUMENTS)
        roll = self.rng.random()
        if roll < 0.35 and len(self.text[k]) < ROOM:
            self.type_into(k)
        elif roll < 0.5 and len(self.text[k]) < ROOM - 6000:
            pasted = body(self.rng, self.rng.randrange(500, 6000))
            self.driver.ask('paste %s %s' % (self.edit[k], pasted.encode('ascii').hex()))
            self.text[k] += pasted
            self.last_change = time.time()
        elif roll < 0.7:
            self.driver.ask('save %s send' % self.edit[k])
            self.disk[k] = self.text[k]
            self.settled[k] = max(self.settled[k], len(self.text[k]))
        else:
            self.settle()

    def settle(self):
        """Waits until every change is surely in a snapshot."""
        wait = self.last_change + SNAPSHOT_SETTLE - time.time()
        if wait > 0:
            time.sleep(wait)
        for k in range(DOCUMENTS):
            self.settled[k] = len(self.text[k])

    def type_into(self, k):
        typed = ''.join(self.rng.choice('abcdefghijklmnopqrstuvwxyz  ')
                        for _ in range(self.rng.randrange(5, 40)))
        self.driver.ask('type %s %s' % (self.edit[k], typed))
        self.text[k] += typed
        self.last_change = time.time()

    def kill_now(self):
        roll = self.rng.random()
        if roll < 0.45:
            # In the middle of saving a large document, most of the time.
            k = self.rng.randrange(2)
            self.driver.ask('save %s post' % self.edit[k])
            self.in_flight[k] = self.text[k]
            self.mid_save += 1
            time.sleep(self.rng.uniform(0, 0.012))
        elif roll < 0.7:
            # Typed, left for a snapshot, typed on: the next start must
            # bring back at least the first part.
            k = self.rng.randrange(DOCUMENTS)
            if len(self.text[k]) < ROOM:
                self.type_into(k)
                self.settle()
                self.type_into(k)
            time.sleep(self.rng.uniform(0, 0.3))
        else:
            time.sleep(self.rng.uniform(0, 0.3))
        kill(self.pid)
        self.kills += 1

    def check_files(self):
        """Every file holds its old or its new bytes, exactly."""
        for k, path in enumerate(self.paths):
            with open(path, 'rb') as f:
                data = f.read().decode('latin-1')
            self.files_checked += 1
            if data == self.disk[k]:
                pass
            elif self.in_flight[k] is not None and data == self.in_flight[k]:
                self.disk[k] = data
                self.settled[k] = max(self.settled[k], len(data))
            else:
                self.fail('file %d holds %d bytes, neither its old %d nor its new ones' %
                          (k, len(data), len(self.disk[k])))
                self.bytes_lost += abs(len(self.disk[k]) - len(data)) or 1
                self.disk[k] = data
            self.in_flight[k] = None
        # Only the documents and the copies a kill interrupted are there.
        for name in os.listdir(self.folder):
            if os.path.join(self.folder, name) in self.paths:
                continue
            if name.startswith('~qx') and name.endswith('.tmp'):
                self.leftovers.add(name)
            else:
                self.fail('unexpected file %s' % name)
        if os.path.exists(os.path.join(os.path.dirname(self.exe), 'Settings.ini')):
            self.fail('Settings.ini written without a clean end')

    def round(self):
        self.start()
        if not self.check_restored():
            raise RuntimeError('; '.join(self.failures))
        for _ in range(self.rng.randrange(1, 4)):
            self.act()
        self.kill_now()
        self.check_files()


def main():
    parser = argparse.ArgumentParser(description=__doc__.split('\n\n')[0])
    parser.add_argument('--kills', type=int, default=24)
    parser.add_argument('--seed', type=int, default=16)
    parser.add_argument('--build', default=os.environ.get('QX_BUILD_DIR',
                        os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'build')))
    parser.add_argument('--damage', type=float, default=0.2,
                        help='share of starts after which a snapshot is damaged first')
    parser.add_argument('--double', type=float, default=0.2,
                        help='share of starts made twice at once')
    parser.add_argument('--keep', action='store_true', help='keep the work folder')
    options = parser.parse_args()
    build = os.path.abspath(options.build)
    subprocess.run(['wineserver', '-p20'], env=wine_environment(build), stdin=subprocess.DEVNULL,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    run = Run(build, options.seed, options.damage, options.double)
    started = time.time()
    try:
        while run.kills < options.kills and not run.failures:
            run.round()
        run.start()
        run.check_restored()
        kill(run.pid)
    except (RuntimeError, OSError) as error:
        run.failures.append('round %d: %s' % (run.kills, error))
        pid = linux_pid(run.exe)
        if pid:
            os.kill(pid, signal.SIGKILL)
    finally:
        run.driver.close()
        if not options.keep:
            shutil.rmtree(run.work, ignore_errors=True)
    print('kills: %d (%d during a save), files checked: %d, texts restored: %d, '
          'copies left by kills: %d, snapshots damaged: %d (%s), double starts: %d, '
          'bytes lost: %d, %.0f s' %
          (run.kills, run.mid_save, run.files_checked, run.restored, len(run.leftovers),
           run.damaged, ', '.join('%s %d' % kind for kind in sorted(run.kinds.items())) or '-',
           run.doubled, run.bytes_lost, time.time() - started))
    for failure in run.failures:
        print('FAILED ' + failure)
    return 1 if run.failures or run.bytes_lost else 0


if __name__ == '__main__':
    sys.exit(main())
