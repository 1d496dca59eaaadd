#!/usr/bin/env python3
"""Fault injection: the real editor is killed, as a flat battery would end it,
at random moments while a user types and saves, and the files and the
unsaved text are checked after every kill.

    fault-injection.py [--kills N] [--seed S] [--build DIR]

The editor runs from a program folder of its own with three documents (two of
them large). Each round starts it (answering its restore question, when
snapshots were left), opens whatever it did not restore, types, pastes,
waits now and then for the snapshots, saves, and kills its process (kill -9
of its Linux process) at a random moment, often while it saves a large
document. After each kill every document file must hold exactly its old or
its new bytes, and at the next start every text that had been typed and left
long enough for a snapshot must come back, no older than its file.

Needs a display (the test suite's, or run it under xvfb-run with
tools/with-display.sh). Prints the figures and exits 0 when nothing was lost.
"""

import argparse
import glob
import os
import random
import shutil
import signal
import subprocess
import sys
import tempfile
import time

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


def linux_pid(exe):
    """The Linux process that runs the Windows program (Wine puts the
    program's path first on its command line)."""
    for entry in os.listdir('/proc'):
        if not entry.isdigit():
            continue
        try:
            with open('/proc/%s/cmdline' % entry, 'rb') as f:
                first = f.read().split(b'\0')[0].decode('utf-8', 'replace')
        except OSError:
            continue
        if first == exe or first == windows_path(exe):
            return int(entry)
    return None


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
    def __init__(self, build, seed):
        self.rng = random.Random(seed)
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

    def start(self):
        asked = bool(glob.glob(os.path.join(self.recovery, 'Document*.snapshot')))
        subprocess.Popen(['wine', self.exe], cwd=os.path.dirname(self.exe), env=self.env,
                         stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                         stderr=subprocess.DEVNULL)
        question = self.driver.ask('wait 60 %d' % asked)
        # Found now, so that the kill itself loses no time.
        self.pid = linux_pid(self.exe)
        if self.pid is None:
            raise RuntimeError('the editor is not running')
        if asked and 'Restore' not in question and '?' not in question:
            self.fail('unexpected restore question text %r' % question)

    def check_restored(self):
        """After a start: each text typed and left for a snapshot is back."""
        by_mark = {}
        for edit, text in self.driver.documents():
            if text.startswith('FILE '):
                k = int(text[5:text.index('\r')])
                if k in by_mark:
                    self.fail('document %d restored twice' % k)
                by_mark[k] = (edit, text)
        for k in range(DOCUMENTS):
            disk = self.disk[k]
            restored = by_mark.get(k)
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
    parser.add_argument('--keep', action='store_true', help='keep the work folder')
    options = parser.parse_args()
    build = os.path.abspath(options.build)
    subprocess.run(['wineserver', '-p20'], env=wine_environment(build), stdin=subprocess.DEVNULL,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    run = Run(build, options.seed)
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
          'copies left by kills: %d, bytes lost: %d, %.0f s' %
          (run.kills, run.mid_save, run.files_checked, run.restored, len(run.leftovers), run.bytes_lost,
           time.time() - started))
    for failure in run.failures:
        print('FAILED ' + failure)
    return 1 if run.failures or run.bytes_lost else 0


if __name__ == '__main__':
    sys.exit(main())
