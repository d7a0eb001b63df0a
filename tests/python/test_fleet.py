"""python3 -m grafolux.fleet on a real Dask scheduler and two workers on 127.0.0.1, one of them
killed mid-run, against the pooled grafolux-cli command; and its refusals. The runner once more
in this process, its tasks completing in an order forced by the test."""

import itertools
import json
import os
import re
import signal
import subprocess
import sys
import tempfile
import time
import unittest
from unittest import mock

from support import CLI, SYNTHLOG, require

require("distributed")

from grafolux import fleet

LOGS = 300


def started(words, **options):
    """A process in a group of its own, so that what it starts stops with it."""
    return subprocess.Popen(words, start_new_session=True, **options)


def stop(process):
    try:
        os.killpg(process.pid, signal.SIGKILL)
    except ProcessLookupError:
        pass
    process.communicate()  # and its pipes closed


class Done:
    """A task run at once in this process, as much of a Dask future as the runner reads; its
    result since lost with a worker, as Dask computes it again when it is needed."""

    keys = itertools.count()

    def __init__(self, function, *args):
        self.key, self.status, self.error, self.value = next(Done.keys), "lost", None, None
        try:
            self.value = function(*(arg.value if isinstance(arg, Done) else arg for arg in args))
        except Exception as error:
            self.error = error

    def result(self):
        return self.value

    def exception(self):
        return self.error


class FailedLast(list):
    """Tasks as completed, the failed ones after all others: the order that once lost partials."""

    add = list.append

    def __iter__(self):
        while self:
            self.sort(key=lambda task: task.error is not None)
            yield self.pop(0)


class Fleet(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        # ctest's timeout sends SIGTERM: the cleanups still run.
        signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
        cls.dir = tempfile.TemporaryDirectory()
        cls.addClassCleanup(cls.dir.cleanup)
        cls.logs = []
        for seed in range(LOGS):
            path = os.path.join(cls.dir.name, f"log{seed}.txt")
            with open(path, "wb") as out:
                subprocess.run([SYNTHLOG, "--lines", "1000", "--seed", str(seed)], stdout=out,
                               check=True)
            cls.logs.append(path)
        cls.list = os.path.join(cls.dir.name, "logs.txt")
        with open(cls.list, "w") as out:
            out.writelines(f"{log}\n" for log in cls.logs)
        address_file = os.path.join(cls.dir.name, "scheduler.json")
        cls.scheduler = started(["dask", "scheduler", "--host", "127.0.0.1", "--port", "0",
                                 "--no-dashboard", "--scheduler-file", address_file,
                                 "--idle-timeout", "300"],
                                stderr=subprocess.DEVNULL)
        cls.addClassCleanup(stop, cls.scheduler)
        for _ in range(300):
            if os.path.exists(address_file) and os.path.getsize(address_file):
                break
            time.sleep(0.1)
        with open(address_file) as file:
            cls.address = json.load(file)["address"]
        cls.workers = [cls.worker() for _ in range(2)]

    @classmethod
    def worker(cls):
        process = started(["dask", "worker", cls.address, "--host", "127.0.0.1", "--nthreads",
                           "1", "--no-dashboard", "--death-timeout", "60"],
                          stderr=subprocess.DEVNULL)
        cls.addClassCleanup(stop, process)
        return process

    def fleet(self, *words):
        return started([sys.executable, "-m", "grafolux.fleet", *words],
                       stdout=subprocess.PIPE, stderr=subprocess.PIPE)

    def test_a_worker_killed_mid_run_costs_a_retry(self):
        pooled = subprocess.run([CLI, "table", "blm", *self.logs, "--show", "sd"],
                                capture_output=True, check=True).stdout
        run = self.fleet("table", "blm", "--logs-from", self.list, "--scheduler", self.address,
                         "--show", "sd")
        self.addCleanup(stop, run)
        # Killed as soon as the first log is done: partials are held by both workers then.
        seen = b""
        while not re.search(rb" \d+/300 logs", seen):
            byte = run.stderr.read(1)
            self.assertTrue(byte, seen)
            seen += byte
        stop(self.workers[0])
        self.assertIsNone(run.poll(), "the run ended before the worker was killed")
        out, err = run.communicate(timeout=120)
        self.assertEqual(run.returncode, 0, err)
        self.assertEqual(out, pooled)
        self.workers[0] = self.worker()

    def test_logs_lost_or_skipped_last_cost_no_partial(self):
        client = mock.Mock(submit=lambda *task, pure: Done(*task))
        few = self.logs[:fleet.FAN_IN + 4]  # a merge done before the bad logs fail
        missing = os.path.join(self.dir.name, "missing.txt")
        job = fleet.Job(["table", "blm", self.dir.name, *few, missing, "--skip-bad"])
        with mock.patch("distributed.as_completed", FailedLast), mock.patch("sys.stderr"):
            part, skipped = fleet.run(client, job)
        self.assertEqual(len(skipped), 2, skipped)
        pooled = subprocess.run([CLI, "table", "blm", *few], capture_output=True).stdout
        self.assertEqual(fleet._answer(*fleet._grafolux.merge([part], [], False)), pooled)

    def test_bad_input_fails_with_one_line_or_is_skipped(self):
        header = os.path.join(self.dir.name, "header.txt")
        with open(header, "wb") as out:
            out.write(b"SENSOR:RPM\tSENSOR:MAP\tSENSOR:BLM\r\n")
        missing = os.path.join(self.dir.name, "missing.txt")
        few = self.logs[:20]
        twice = self.logs[:1] * 2  # two partials: the last merge of a run
        where = ["--scheduler", self.address]
        cases = [
            (["table", "blm", *twice, "--show", "count", *where], 0,
             [CLI, "table", "blm", *twice, "--show", "count"], ""),
            (["table", "blm", *few, header, *where], 0, [CLI, "table", "blm", *few, header], ""),
            (["table", "blm", *few, missing, *where], 1, None, missing + ": "),
            (["table", "blm", missing, *few, self.dir.name, "--skip-bad", *where], 0,
             [CLI, "table", "blm", *few], "grafolux.fleet: skipped 2 of the logs:\n  " + missing),
            (["table", "blm", *few, "--scheduler", "tcp://127.0.0.1:9"], 1, None,
             "grafolux.fleet: cannot reach the scheduler at tcp://127.0.0.1:9"),
            (["table", "blm", *few, "--show", "median", *where], 2, None,
             "grafolux.fleet: --show must be"),
            (["table", "blm", "--logs-from", missing, *where], 1, None,
             f"grafolux.fleet: {missing}: "),
            (["retune", *few, "--map", "-", *where], 2, None, "grafolux.fleet: --map -"),
        ]
        for words, status, pooled, said in cases:
            run = subprocess.run([sys.executable, "-m", "grafolux.fleet", *words],
                                 capture_output=True, timeout=120)
            err = run.stderr.decode()
            self.assertEqual(run.returncode, status, (words, err))
            if pooled:
                self.assertEqual(run.stdout, subprocess.run(pooled, capture_output=True).stdout)
            else:
                self.assertEqual(run.stdout, b"", words)
            self.assertIn(said, err, words)
            # Beside the progress bar (redrawn after CRs), a failure says one line.
            lines = [line for line in err.split("\n") if line and not line.startswith("\r")]
            if status == 1:
                self.assertEqual(len(lines), 1, err)


if __name__ == "__main__":
    unittest.main()
