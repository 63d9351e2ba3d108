#!/usr/bin/env python3
"""The installer in a Wine prefix of its own, from a fresh boot to nothing left.

Cycle A: silent install, the same install again, silent uninstall. The
prefix's files and registry are read before and after each step; the
install must add exactly what the uninstall takes away, and a second
install must change nothing.

Cycle B: install, install again into another folder (the first install
goes), once more without a folder (it stays there), the browser host with
the toolbar served on 127.0.0.1, uninstall.
After it, the prefix is as it was after its first boot, the picture strip
the toolbar cached included.

Cycle C: an installer whose 64-bit module cannot be registered ends with 2 and
leaves nothing behind.

Wine here runs 64-bit programs only: the test runs the installer built for
64-bit Windows, which installs both modules; the 32-bit one can only be
copied, not registered (no 32-bit regsvr32 can run), and the test expects
exactly that unless the prefix has a 32-bit regsvr32.

usage: installer_test.py --installer SETUP.EXE --broken-installer SETUP.EXE
         --module32 DLL --module64 DLL --qelhost EXE --examples DIR
         --version X.Y.Z.W --data-url URL --work DIR
"""
import argparse
import functools
import http.server
import os
import re
import shutil
import struct
import subprocess
import sys
import threading

DEFAULT_DIR = 'Program Files (x86)/Qel'
MOVED_DIR = 'Toolbars/Qel'
UNINSTALL_KEY = r'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Qel'
HELPERS_KEY = r'HKLM\Software\Microsoft\Windows\CurrentVersion\Explorer\Browser Helper Objects'

# What Wine itself changes in a prefix while programs come and go, whatever
# they are: the device setup information it compiles when a program first
# starts (windows/inf/*.pnf) and the device keys it refreshes each time the
# wineserver starts. Nothing of ours is written there.
NOISE = [
    re.compile(r'^file windows/inf/[^/]*\.pnf$', re.I),
    re.compile(r'^(key|value) HKLM\\System\\CurrentControlSet\\(Enum|Control\\DeviceClasses)\\', re.I),
    re.compile(r'^(key|value) HKLM\\System\\CurrentControlSet\\Control\\Class\\', re.I),
    re.compile(r'^(key|value) HKLM\\Hardware\\', re.I),
]

# What the system keeps of the toolbar's downloads: WinINet's cache and
# cookie store in the user's profile, made on its first use, and its proxy
# setting. The toolbar downloads as the browser does; the uninstaller leaves
# the user's Internet cache alone.
INTERNET_CACHE = [
    re.compile(r'^(file|folder) users/[^/]+/AppData/Local/Microsoft/Windows/INet(Cache|Cookies)(/|$)', re.I),
    re.compile(r'^value HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\|"ProxyEnable"=', re.I),
]

# Run from the programs list, the uninstaller runs as a copy of itself in the
# temporary folder, which the system deletes at the next restart.
UNTIL_RESTART = [
    re.compile(r'^(file|folder) users/[^/]+/Temp/~nsu[^/]*\.tmp(/Un\.exe \(.*\))?$', re.I),
    re.compile(r'^value HKLM\\System\\CurrentControlSet\\Control\\Session Manager\|"PendingFileRenameOperations"=', re.I),
]


class Failures:
    def __init__(self):
        self.messages = []

    def check(self, ok, message):
        if not ok:
            self.messages.append(message)
            print('FAILED: ' + message, flush=True)
        return ok


class Prefix:
    """A Wine prefix with a wineserver that ends when its programs have ended."""

    def __init__(self, path):
        self.path = path
        self.loader = os.environ.get('WINELOADER', '/usr/lib/wine/wine64')
        self.env = dict(os.environ, WINEPREFIX=path, WINEDEBUG='-all',
                        WINEDLLOVERRIDES='mscoree,mshtml=', WINELOADER=self.loader)

    def run(self, *args, timeout=180):
        result = subprocess.run([self.loader, *args], env=self.env, stdin=subprocess.DEVNULL,
                                stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                                timeout=timeout)
        return result.returncode, result.stdout.decode(errors='replace')

    def settle(self):
        # The wineserver writes the registry to disk as it exits, which it
        # does once every program of the prefix has ended.
        subprocess.run(['wineserver', '-w'], env=self.env, timeout=180)

    def kill(self):
        subprocess.run(['wineserver', '-k'], env=self.env, stderr=subprocess.DEVNULL)
        subprocess.run(['wineserver', '-w'], env=self.env, stderr=subprocess.DEVNULL)

    def drive(self, relative=''):
        return os.path.join(self.path, 'drive_c', relative)


def windows_path(path):
    """C:\\... for a path under drive_c, Z:\\... for any other."""
    return 'Z:' + os.path.abspath(path).replace('/', '\\')


# --- snapshots -------------------------------------------------------------

def read_registry_file(hive, file_name):
    """The keys and values of one of Wine's registry files, as lines
    "key HIVE\\PATH" and "value HIVE\\PATH|NAME=DATA"; timestamps left out."""
    items = {}
    key = None
    with open(file_name, encoding='utf-8', errors='surrogateescape') as registry:
        lines = registry.read().split('\n')
    i = 0
    while i < len(lines):
        line = lines[i]
        i += 1
        header = re.match(r'^\[(.*)\](\s+\d+)?$', line)
        if header:
            key = hive + '\\' + header.group(1).replace('\\\\', '\\')
            # The file leaves out a key that has subkeys but no values.
            parts = key.split('\\')
            for n in range(2, len(parts) + 1):
                parent = '\\'.join(parts[:n])
                items['key ' + parent.lower()] = 'key ' + parent
            continue
        if key is None or not line or line[0] in '#;':
            continue
        while line.endswith('\\') and i < len(lines):
            line = line[:-1] + lines[i].strip()
            i += 1
        items['value ' + key.lower() + '|' + line.lower()] = 'value ' + key + '|' + line
    return items


def snapshot(prefix, name):
    """Every folder, file (with size and time) and registry entry of the
    prefix, also written to NAME.snapshot in the work folder."""
    prefix.settle()
    items = {}
    items.update(read_registry_file('HKLM', os.path.join(prefix.path, 'system.reg')))
    items.update(read_registry_file('HKCU', os.path.join(prefix.path, 'user.reg')))
    drive = prefix.drive()
    for root, dirs, files in os.walk(drive):
        for entry in dirs + files:
            full = os.path.join(root, entry)
            relative = os.path.relpath(full, drive)
            if os.path.isdir(full) and not os.path.islink(full):
                items['folder ' + relative.lower()] = 'folder ' + relative
            else:
                status = os.lstat(full)
                items['file ' + relative.lower()] = 'file %s (%d bytes, %d)' % (
                    relative, status.st_size, status.st_mtime_ns)
    items = {k: v for k, v in items.items() if not any(n.match(k) for n in NOISE)}
    with open(os.path.join(os.path.dirname(prefix.path), name + '.snapshot'), 'w',
              encoding='utf-8', errors='surrogateescape') as out:
        out.write(''.join(v + '\n' for v in sorted(items.values())))
    return items


def difference(before, after):
    """(added, removed): what is only in after, and what only in before. A
    file or value that changed is in both."""
    added = sorted(v for k, v in after.items() if before.get(k) != v)
    removed = sorted(v for k, v in before.items() if after.get(k) != v)
    return added, removed


def without_times(items):
    """File lines without their times: what an install writes, the same in
    any install."""
    return sorted(re.sub(r', \d+\)$', ')', item) for item in items)


def print_list(title, items):
    print('%s (%d):' % (title, len(items)))
    for item in items:
        print('  ' + item)


# --- what the install wrote -------------------------------------------------

def value(items, key, name):
    """Value NAME ('@' for the default) of KEY: the text of a string, else
    the data as the registry file writes it; None when there is none."""
    start = ('value ' + key + '|' + ('@' if name == '@' else '"' + name + '"') + '=').lower()
    for k, v in items.items():
        if k.startswith(start):
            data = v[len(start):]
            if data.startswith('"') and data.endswith('"'):
                return re.sub(r'\\(.)', r'\1', data[1:-1])
            return data
    return None


def pe_machine(path):
    with open(path, 'rb') as f:
        data = f.read(4096)
    offset = struct.unpack_from('<I', data, 0x3c)[0]
    return struct.unpack_from('<H', data, offset + 4)[0]


def fixed_versions(path):
    """File and product version of the VS_FIXEDFILEINFO in a program or module."""
    with open(path, 'rb') as f:
        data = f.read()
    at = data.find(struct.pack('<I', 0xFEEF04BD))
    if at < 0:
        return None
    ms, ls, pms, pls = struct.unpack_from('<IIII', data, at + 8)
    text = lambda hi, lo: '%d.%d.%d.%d' % (hi >> 16, hi & 0xffff, lo >> 16, lo & 0xffff)
    return text(ms, ls), text(pms, pls)


def check_install(f, prefix, items, args, folder):
    """The files and keys of an install into FOLDER (relative to drive_c)."""
    home = prefix.drive(folder)
    windows_home = 'C:\\' + folder.replace('/', '\\')
    ini = 'Qel.DataURL = "%s"' % args.data_url
    for relative, module, machine in (('qel.dll', args.module32, 0x14c),
                                      ('x64/qel.dll', args.module64, 0x8664)):
        path = os.path.join(home, relative)
        if not f.check(os.path.isfile(path), 'no %s in %s' % (relative, folder)):
            continue
        with open(path, 'rb') as a, open(module, 'rb') as b:
            f.check(a.read() == b.read(), '%s is not %s' % (path, module))
        f.check(pe_machine(path) == machine, '%s: machine %#x' % (relative, pe_machine(path)))
        f.check(fixed_versions(path) == (args.version, args.version),
                '%s: version %s' % (relative, fixed_versions(path)))
        ini_path = os.path.join(os.path.dirname(path), 'qel.ini')
        text = open(ini_path, encoding='latin-1').read() if os.path.isfile(ini_path) else ''
        f.check(ini in text.splitlines(), '%s does not say %s: %r' % (ini_path, ini, text))
    f.check(os.path.isfile(os.path.join(home, 'uninstall.exe')), 'no uninstall.exe')

    entry = {n: value(items, UNINSTALL_KEY, n) for n in
             ('DisplayName', 'DisplayVersion', 'InstallLocation', 'UninstallString',
              'QuietUninstallString')}
    uninstaller = windows_home + '\\uninstall.exe'
    expected = {'DisplayName': 'Qel toolbar',
                'DisplayVersion': args.version,
                'InstallLocation': windows_home,
                'UninstallString': '"%s"' % uninstaller,
                'QuietUninstallString': '"%s" /S' % uninstaller}
    f.check(entry == expected, 'programs list entry %s, expected %s' % (entry, expected))
    f.check(programs_list(prefix) == ['Qel|||Qel toolbar'],
            "Wine's list of installed programs: %s" % programs_list(prefix))

    # One browser helper object, whose class is served by the 64-bit module.
    helpers = [v[len('key ' + HELPERS_KEY) + 1:] for k, v in items.items()
               if k.startswith(('key ' + HELPERS_KEY + '\\').lower())]
    if f.check(len(helpers) == 1, 'browser helper objects: %s' % helpers):
        server = value(items, r'HKLM\Software\Classes\CLSID\%s\InprocServer32' % helpers[0], '@')
        f.check(server == windows_home + '\\x64\\qel.dll',
                'the class %s is served by %s' % (helpers[0], server))
    # The 32-bit view: registered only where a 32-bit regsvr32 can run.
    wow = [v for k, v in items.items() if k.startswith('key ') and 'wow6432node' in k
           and ('qel' in k or (helpers and helpers[0].lower() in k))]
    wow64 = os.path.isfile(prefix.drive('windows/syswow64/regsvr32.exe'))
    f.check(bool(wow) == wow64, '32-bit registration %s with%s a 32-bit regsvr32' %
            (wow, '' if wow64 else 'out'))


def programs_list(prefix):
    """The system's list of installed programs, as Wine's own uninstaller shows it."""
    return prefix.run('uninstaller', '--list')[1].splitlines()


def install(f, prefix, args, *options):
    rc, out = prefix.run(windows_path(args.installer), '/S', *options)
    f.check(rc == 0, 'install %s ended with %d: %s' % (' '.join(options), rc, out))


def uninstall(f, prefix, items, fresh, name, leave=()):
    """Runs what the programs list runs for a quiet uninstall, then restarts
    the system, and checks that the prefix is as FRESH was but for what
    matches LEAVE. Returns the snapshot taken before the restart."""
    command = value(items, UNINSTALL_KEY, 'QuietUninstallString')
    match = re.match(r'^"(.*)" /S$', command or '')
    if not f.check(match is not None, 'QuietUninstallString is %s' % command):
        return items
    # The uninstaller copies itself aside and starts the copy, which outlives
    # the first process; the snapshot waits for every program to end.
    rc, out = prefix.run(match.group(1), '/S')
    f.check(rc == 0, 'uninstall ended with %d: %s' % (rc, out))
    prefix.settle()
    f.check(programs_list(prefix) == [], 'still listed: %s' % programs_list(prefix))
    after = snapshot(prefix, name + '-uninstalled')
    keep = lambda items: [i for i in items if not any(p.match(i.lower()) for p in leave)]
    added, removed = difference(fresh, after)
    until_restart = [i for i in added if any(p.match(i.lower()) for p in UNTIL_RESTART)]
    print_list('left until the next restart', until_restart)
    added = [i for i in added if i not in until_restart]
    f.check(not keep(added) and not keep(removed),
            'after the uninstall, left: %s; missing: %s' % (keep(added), keep(removed)))
    prefix.run('wineboot', '-r')
    added, removed = difference(fresh, snapshot(prefix, name + '-restarted'))
    f.check(not keep(added) and not keep(removed),
            'after a restart, left: %s; missing: %s' % (keep(added), keep(removed)))
    return after


# --- the toolbar in the browser host ----------------------------------------

class Site(http.server.SimpleHTTPRequestHandler):
    requests = []

    def log_message(self, *args):
        Site.requests.append(self.path)


def show_toolbar(f, prefix, args):
    www = os.path.join(args.work, 'www')
    shutil.rmtree(www, ignore_errors=True)
    os.makedirs(www)
    port = int(re.match(r'^http://127\.0\.0\.1:(\d+)/', args.data_url).group(1))
    sample = open(os.path.join(args.examples, 'toolbar.qel'), encoding='latin-1').read()
    with open(os.path.join(www, os.path.basename(args.data_url)), 'w', encoding='latin-1') as out:
        out.write(sample.replace('http://127.0.0.1:8642/', 'http://127.0.0.1:%d/' % port))
    subprocess.run([sys.executable, os.path.join(args.examples, 'make-strip.py'),
                    os.path.join(www, 'buttons.bmp')], check=True)
    Site.requests = []
    server = http.server.ThreadingHTTPServer(
        ('127.0.0.1', port), functools.partial(Site, directory=www))
    thread = threading.Thread(target=server.serve_forever, daemon=True)
    thread.start()
    try:
        scenario = os.path.join(args.work, 'toolbar.scenario')
        with open(scenario, 'w') as out:
            out.write('# The toolbar shows; nothing is clicked.\nwait 100\n')
        log = os.path.join(args.work, 'qelhost.log')
        rc, out = prefix.run(windows_path(args.qelhost), '--play', windows_path(scenario),
                             '--log', windows_path(log))
    finally:
        server.shutdown()
        server.server_close()
    events = open(log).read().splitlines() if os.path.isfile(log) else []
    print('qelhost: ' + ' | '.join(events))
    bands = [e for e in events if e.startswith('band id=97 ')]
    f.check(rc == 0 and len(bands) == 1,
            'qelhost ended with %d and %d toolbars: %s %s' % (rc, len(bands), events, out))
    f.check(sorted(set(Site.requests)) == ['/buttons.bmp', '/' + os.path.basename(args.data_url)],
            'requests: %s' % Site.requests)


def main():
    parser = argparse.ArgumentParser()
    for name in ('installer', 'broken-installer', 'module32', 'module64', 'qelhost',
                 'examples', 'version', 'data-url', 'work'):
        parser.add_argument('--' + name, required=True)
    args = parser.parse_args()

    # A display of our own: the host's frame stays on top, and other tests
    # of the session drive theirs with real input.
    if not os.environ.get('QEL_INSTALLER_TEST_DISPLAY'):
        os.environ['QEL_INSTALLER_TEST_DISPLAY'] = '1'
        return subprocess.call(['xvfb-run', '-a', '-s', '-screen 0 1280x1024x24',
                                sys.executable, __file__] + sys.argv[1:])
    return run(args)


def run(args):
    f = Failures()
    os.makedirs(args.work, exist_ok=True)
    prefix = Prefix(os.path.join(args.work, 'wineprefix'))
    shutil.rmtree(prefix.path, ignore_errors=True)
    try:
        prefix.run('wineboot', timeout=300)
        # As in the project's own sessions: without a window manager, hiding
        # an active window otherwise waits for one.
        prefix.run('reg', 'add', r'HKCU\Software\Wine\X11 Driver', '/v', 'Managed',
                   '/t', 'REG_SZ', '/d', 'N', '/f')
        prefix.run('cmd', '/c', 'exit')
        fresh = snapshot(prefix, 'fresh')
        f.check(fixed_versions(args.installer) == (args.version, args.version),
                'the installer has version %s' % (fixed_versions(args.installer),))

        print('== cycle A: install, install again, uninstall', flush=True)
        install(f, prefix, args)
        installed = snapshot(prefix, 'A-installed')
        check_install(f, prefix, installed, args, DEFAULT_DIR)
        created, gone = difference(fresh, installed)
        f.check(not gone, 'the install removed %s' % gone)

        install(f, prefix, args)
        again = snapshot(prefix, 'A-installed-again')
        added, removed = difference(installed, again)
        f.check(without_times(added) == without_times(removed),
                'a second install added %s and removed %s' % (added, removed))

        after = uninstall(f, prefix, again, fresh, 'A')
        taken = difference(after, again)[0]
        print_list('the install created', without_times(created))
        print_list('the uninstall removed', without_times(taken))
        f.check(without_times(created) == without_times(taken),
                'the uninstall did not remove exactly what the install created')

        print('== cycle B: install, move, install, the toolbar, uninstall', flush=True)
        install(f, prefix, args)
        install(f, prefix, args, '/D=C:\\' + MOVED_DIR.replace('/', '\\'))
        moved = snapshot(prefix, 'B-moved')
        check_install(f, prefix, moved, args, MOVED_DIR)
        f.check(not os.path.exists(prefix.drive(DEFAULT_DIR)), 'the first install stayed')
        # Without /D, an install goes where the toolbar is.
        install(f, prefix, args)
        added, removed = difference(moved, snapshot(prefix, 'B-installed-again'))
        f.check(without_times(added) == without_times(removed),
                'the install into the same place added %s and removed %s' % (added, removed))

        show_toolbar(f, prefix, args)
        cached = [n for n in os.listdir(prefix.drive(MOVED_DIR + '/x64')) if n.endswith('.bmp')]
        f.check(cached == ['buttons.bmp'], 'cached beside the module: %s' % cached)

        uninstall(f, prefix, snapshot(prefix, 'B-used'), fresh, 'B', leave=INTERNET_CACHE)

        print('== cycle C: an install whose registration fails', flush=True)
        rc, out = prefix.run(windows_path(args.broken_installer), '/S', '/D=C:\\Deep\\Er\\Qel')
        f.check(rc == 2, 'the failed install ended with %d: %s' % (rc, out))
        added, removed = difference(fresh, snapshot(prefix, 'C-failed'))
        added = [i for i in added if not any(p.match(i.lower()) for p in INTERNET_CACHE)]
        f.check(not added and not removed,
                'after the failed install, left: %s; missing: %s' % (added, removed))
    finally:
        prefix.kill()

    if f.messages:
        print('%d checks failed' % len(f.messages))
        return 1
    print('the installer installs, shows the toolbar and uninstalls without a trace')
    return 0


if __name__ == '__main__':
    sys.exit(main())
