"""The grafolux package against grafolux-cli: the same values, bytes and messages."""

import math
import os
import random
import struct
import subprocess
import tempfile
import unittest

from support import CLI, SYNTHLOG, require

require("pandas")

import grafolux

MAP = "RPM\\kPa\t20\t60\t100\n800\t40.0\t50.0\t60.0\n3000\t45.5\t55.5\t65.5\n6000\t50\t60\t70\n"
# Odd values: -0, a number beyond a double and texts read as 0, a UTF-8 name given twice, CR LF.
ODD = ("SENSOR:RPM\tSENSOR:MAP\t\u03bb\t\u03bb\r\n"
       "-0\t1E999\tnan\t0.1\r\n"
       "2500.5\t-1.5e-300\tinf\t&H10\r\n")


def cli(*words):
    run = subprocess.run([CLI, *words], capture_output=True)
    return run.returncode, run.stdout, run.stderr.decode()


def bits(value):
    return struct.pack("<d", value)


class Package(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.dir = tempfile.TemporaryDirectory()
        cls.logs = []
        for seed in range(1, 7):
            path = cls.file(f"log{seed}.txt", subprocess.run(
                [SYNTHLOG, "--lines", "400", "--seed", str(seed)],
                capture_output=True, check=True).stdout)
            cls.logs.append(path)
        cls.map = cls.file("map.txt", MAP.encode())
        cls.odd = cls.file("odd.txt", ODD.encode())

    @classmethod
    def file(cls, name, data):
        path = os.path.join(cls.dir.name, name)
        with open(path, "wb") as out:
            out.write(data)
        return path

    def test_read_log_gives_the_values_dump_prints_bit_for_bit(self):
        cases = [(self.odd, []), (self.logs[0], ["R=SENSOR:RPM/(SENSOR:MAP-40)", "S=sqrt(-R)"])]
        for path, define in cases:
            frame = grafolux.read_log(path, define=define)
            args = [a for d in define for a in ("--define", d)]
            lines = cli("dump", path, *args)[1].decode().split("\n")
            self.assertEqual(list(frame.columns), lines[0].split("\t"), path)
            self.assertEqual(len(frame), len(lines) - 2, path)
            for row, line in zip(frame.itertuples(index=False), lines[1:]):
                want = [float(t) if t else math.nan for t in line.split("\t")]
                self.assertEqual([bits(v) for v in row], [bits(v) for v in want], path)

    def test_commands_print_what_grafolux_cli_prints(self):
        logs = self.logs[:3]
        include = {"include": [self.logs[3]]}
        cases = [
            ("table", ["blm", *logs], {}),
            ("table", ["int", *logs],
             dict(include, first=50, last=300, show="sd", min_count=3, format="csv",
                  where=["SENSOR:RPM > 900", "F > 0"], define=["F=SENSOR:TPS*2"])),
            ("table", ["blm", logs[0]], {"versus": logs[1:], "show": "count"}),
            ("retune", logs, dict(include, map=self.map, show="change", min_weight=2)),
            ("retune", logs, {"map": self.map, "cells": "nearest", "factor": "SENSOR:BLM",
                              "format": "csv", "max_change": 2.5}),
        ]
        for command, positional, options in cases:
            words = grafolux._words(options)
            want = cli(command, *positional, *[os.fsdecode(w) for w in words])
            self.assertEqual(want[0], 0, want[2])
            if command == "table":
                got = grafolux.table(positional[0], positional[1:], **options)
            else:
                got = grafolux.retune(positional, **options)
            self.assertEqual(got.encode(), want[1], (command, options))

    def test_partials_are_the_cli_files_and_merge_as_the_pooled_command(self):
        rng = random.Random(7)
        cases = [("table", ["blm"], {"where": ["SENSOR:CTS > 60"]}, {"show": "max"}),
                 ("retune", [], {"map": self.map}, {"show": "weight", "format": "csv"})]
        for command, head, options, shown in cases:
            words = [os.fsdecode(w) for w in grafolux._words(options)]
            out = os.path.join(self.dir.name, "p")
            self.assertEqual(cli(command, *head, self.logs[0], *words, "--partial", out)[0], 0)
            with open(out, "rb") as file:
                self.assertEqual(grafolux.partial(command, *head, self.logs[0], **options),
                                 file.read())
            pooled = cli(command, *head, *self.logs, *words,
                         *[os.fsdecode(w) for w in grafolux._words(shown)])[1]
            for _ in range(3):
                logs = rng.sample(self.logs, len(self.logs))
                cut = rng.randrange(1, len(logs))
                parts = [grafolux.partial(command, *head, logs[:cut], **options),
                         grafolux.partial(command, *head, logs[cut:], **options)]
                merged = grafolux.merge(parts, partial=True)
                self.assertEqual(grafolux.merge([merged], **shown).encode(), pooled, command)
                self.assertEqual(grafolux.merge(parts[::-1], **shown).encode(), pooled, command)

    def test_failures_raise_the_cli_line(self):
        table = grafolux.partial("table", "blm", self.logs[0])
        retune = grafolux.partial("retune", self.logs[0], map=self.map)
        missing = os.path.join(self.dir.name, "missing.txt")
        cases = [
            (lambda: grafolux.table("blm", missing), grafolux.Error, ["table", "blm", missing]),
            (lambda: grafolux.table("blm", self.logs, show="median"), grafolux.UsageError,
             ["table", "blm", *self.logs, "--show", "median"]),
            (lambda: grafolux.read_log(missing), grafolux.Error, ["dump", missing]),
            (lambda: grafolux.read_log(self.odd, define=["Y=nope"]), grafolux.Error,
             ["dump", self.odd, "--define", "Y=nope"]),
            (lambda: grafolux.merge([self.odd, table]), grafolux.Error, ["merge", self.odd]),
            (lambda: grafolux.merge([table], min_weight=3), grafolux.UsageError, None),
        ]
        for call, kind, words in cases:
            with self.assertRaises(kind) as raised:
                call()
            if words:
                self.assertEqual(f"grafolux-cli: {raised.exception}\n",
                                 cli(*words)[2].split("\n")[0] + "\n", words)
        faults = [([], "no partial to merge"),
                  ([table, retune], "partial 1 and partial 2 cannot be merged"),
                  ([table, b"grafolux partial 1\n"], "partial 2: "),
                  ([table, table[:-5]], "partial 2: "),
                  ([table, ODD.encode()], "partial 2: ")]
        for parts, said in faults:
            with self.assertRaises(grafolux.Error) as raised:
                grafolux.merge(parts)
            self.assertTrue(str(raised.exception).startswith(said), str(raised.exception))


if __name__ == "__main__":
    unittest.main()
