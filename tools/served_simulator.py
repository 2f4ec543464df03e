"""The simulated processor on a pseudo-terminal with `hsq2600ctl serve --http` in front of it.

Used by the page's browser test and by the screenshot tool. Everything runs in a new temporary
folder (configuration copy, runtime folder) and listens on 127.0.0.1 only.
"""
import configparser
import json
import os
import shutil
import socket
import subprocess
import tempfile
import threading
import time
import urllib.error
import urllib.request

START_TIMEOUT_S = 20


def free_loopback_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def stop(process):
    process.terminate()
    try:
        process.wait(timeout=10)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()


def edit_profile(path, sections):
    """Sets keys of an INI profile, keeping its other keys and the case of every name."""
    profile = configparser.ConfigParser(interpolation=None)
    profile.optionxform = str
    profile.read(path, encoding="latin-1")
    for section, keys in sections.items():
        if not profile.has_section(section):
            profile.add_section(section)
        for key, value in keys.items():
            profile.set(section, key, value)
    with open(path, "w", encoding="latin-1") as file:
        profile.write(file, space_around_delimiters=False)


class ServedSimulator:
    """bin_dir holds hsq2600-sim and hsq2600ctl; the simulator gets simulator_options;
    config_dir is copied, then given profile_edits ({file: {section: {key: value}}}).
    The programs run in the C locale, so the page starts in English."""

    def __init__(self, bin_dir, config_dir, simulator_options=(), profile_edits=None):
        self.bin_dir = bin_dir
        self.folder = tempfile.mkdtemp(prefix="hsq-web-")
        self.config = os.path.join(self.folder, "SystemINI")
        shutil.copytree(config_dir, self.config)
        for name, sections in (profile_edits or {}).items():
            edit_profile(os.path.join(self.config, name), sections)
        self.runtime = os.path.join(self.folder, "run")
        os.mkdir(self.runtime, 0o700)
        self.received = []
        self.received_changed = threading.Condition()
        self.processes = []
        try:
            self.pty = self._start_simulator(simulator_options)
            self.port = free_loopback_port()
            self.processes.append(subprocess.Popen(
                self.ctl_command("serve", "--http", f"127.0.0.1:{self.port}"), env=self.env(),
                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
            self._wait_for_service()
        except BaseException:
            self.close()
            raise

    @property
    def url(self):
        return f"http://127.0.0.1:{self.port}/"

    def env(self):
        return dict(os.environ, XDG_RUNTIME_DIR=self.runtime, LC_ALL="C.UTF-8")

    def ctl_command(self, *arguments):
        return [os.path.join(self.bin_dir, "hsq2600ctl"), "--serial", self.pty,
                "--config-dir", self.config, *arguments]

    def ctl(self, *arguments):
        """Runs hsq2600ctl beside the service, as a second program on the same line would."""
        return subprocess.run(self.ctl_command(*arguments), env=self.env(), capture_output=True,
                              text=True, timeout=START_TIMEOUT_S)

    def api(self, path):
        with urllib.request.urlopen(f"{self.url}api/v1{path}", timeout=5) as answer:
            return json.load(answer)

    def wait_for_frame(self, prefix, timeout_s):
        """True once the simulator has received a frame starting with these hex bytes."""
        with self.received_changed:
            return self.received_changed.wait_for(
                lambda: any(frame.startswith(prefix) for frame in self.received), timeout_s)

    def stop_service(self):
        stop(self.processes[-1])

    def close(self):
        for process in reversed(self.processes):
            stop(process)
        shutil.rmtree(self.folder, ignore_errors=True)

    def _start_simulator(self, options):
        simulator = subprocess.Popen(
            [os.path.join(self.bin_dir, "hsq2600-sim"), "--pty", "--trace", *options],
            stdout=subprocess.PIPE, text=True)
        self.processes.append(simulator)
        first = simulator.stdout.readline().split()
        if len(first) != 2 or first[0] != "pty":
            raise RuntimeError(f"hsq2600-sim did not name its pseudo-terminal: {first}")
        threading.Thread(target=self._read_trace, args=(simulator.stdout,), daemon=True).start()
        return first[1]

    # Trace lines read "hh:mm:ss-mmm <- 86 01 8e ..." for each frame the simulator received.
    def _read_trace(self, lines):
        for line in lines:
            _, _, frame = line.partition(" <- ")
            if frame:
                with self.received_changed:
                    self.received.append(frame.strip())
                    self.received_changed.notify_all()

    def _wait_for_service(self):
        deadline = time.monotonic() + START_TIMEOUT_S
        while True:
            try:
                return self.api("/status")
            except (urllib.error.URLError, ConnectionError):
                if time.monotonic() > deadline or self.processes[-1].poll() is not None:
                    raise RuntimeError("hsq2600ctl serve --http did not start answering")
                time.sleep(0.1)
