"""Engine-data logs in Python, through Grafolux's own core.

read_log() gives a log as a pandas DataFrame; table(), retune(), partial() and merge() take
the arguments of grafolux-cli's commands as keyword arguments (``min_count=5`` for
``--min-count 5``; a list for an option given several times, ``where=["SENSOR:RPM > 800"]``)
and return what the command prints. A failure raises Error (UsageError where grafolux-cli
would exit 2) with grafolux-cli's one-line message. ``cache=False`` is ``--no-cache``.
"""

import os

from . import _grafolux

__all__ = ["Error", "UsageError", "read_log", "table", "retune", "partial", "merge"]


class Error(Exception):
    """A command failed; the message is grafolux-cli's line (without its name)."""


class UsageError(Error):
    """Arguments that grafolux-cli refuses with its usage (exit status 2)."""


def _word(value):
    if isinstance(value, (str, bytes, os.PathLike)):
        return os.fsencode(value)
    return str(value).encode()


def _paths(logs):
    """One path or a list of them, as words."""
    if isinstance(logs, (str, bytes, os.PathLike)):
        logs = [logs]
    return [_word(log) for log in logs]


def _words(options):
    """The command-line words of keyword options."""
    words = []
    for name, value in options.items():
        flag = b"--" + name.replace("_", "-").encode()
        if value is None:
            continue
        if isinstance(value, (list, tuple)):
            for item in value:
                words += [flag, _word(item)]
        else:
            words += [flag, _word(value)]
    return words


def _text(data):
    return data.decode("utf-8", "surrogateescape")


def _answer(status, value, message):
    if status == 0:
        return value
    raise (UsageError if status == 2 else Error)(_text(message))


def _run(command, positional, options):
    cache = options.pop("cache", True)
    return _answer(*_grafolux.run(command, positional + _words(options), not cache))


def read_log(path, define=(), cache=True):
    """The log at PATH as a pandas DataFrame: a float64 column per item, labelled by the
    header's names in order (a name given twice labels two columns), then one per
    definition ("NAME=EXPR", as --define); the values are exactly those grafolux-cli dump
    prints, NaN where dump prints nothing (a computed value that is missing)."""
    import pandas

    names, columns = _answer(*_grafolux.read_log(
        os.fsencode(path), _words({"define": list(define)}), not cache))
    labels = []
    for name in names:
        try:
            labels.append(name.decode("utf-8"))
        except UnicodeDecodeError:
            labels.append(name.decode("latin-1"))
    return pandas.DataFrame(columns, columns=labels, copy=False)


def table(kind, logs, **options):
    """What `grafolux-cli table KIND LOGS… OPTIONS` prints, as text: KIND "blm" or "int", LOGS
    a path or a list of paths; options include, versus (a list of logs), first, last, show,
    min_count, where, format, define, cache."""
    return _text(_run("table", [_word(kind), *_paths(logs)], options))


def retune(logs, map, **options):
    """What `grafolux-cli retune LOGS… --map MAP OPTIONS` prints, as text; options include,
    first, last, factor, where, cells, min_weight, max_change, show, format, define, cache."""
    return _text(_run("retune", _paths(logs), dict(options, map=map)))


def partial(command, *arguments, **options):
    """The partial result that `grafolux-cli COMMAND ARGUMENTS… OPTIONS --partial OUT` writes,
    as bytes: partial("table", "blm", logs, where=[…]) or partial("retune", logs, map=…)."""
    if command not in ("table", "retune"):
        raise UsageError(f"a partial is made by table or retune, not {command}")
    positional = [_word(arguments[0])] if command == "table" and arguments else []
    for logs in arguments[len(positional):]:
        positional += _paths(logs)
    return _run(command, positional, dict(options, partial="-"))


def merge(partials, partial=False, **options):
    """What `grafolux-cli merge PARTIALS… OPTIONS` prints, as text, PARTIALS being bytes (as
    partial() gives them) or paths of partial files; with partial=True the merged partial's
    bytes instead. Options: show, min_count, min_weight, max_change, format."""
    cache = options.pop("cache", True)
    if partial:
        options["partial"] = "-"
    parts = [p if isinstance(p, bytes) else os.fspath(p) for p in partials]
    merged = _answer(*_grafolux.merge(parts, _words(options), not cache))
    return merged if partial else _text(merged)
