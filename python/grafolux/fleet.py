"""Thousands of logs on Dask: python3 -m grafolux.fleet table blm|int LOG… or retune LOG… --map MAP.

Each log is one task that reduces it to its partial result (bytes, on the worker); partials are
merged in a tree as they arrive, and the merged one is printed exactly as the pooled
grafolux-cli command prints it over the same logs. The logs and the map are read by the
workers: on several machines they must be found under the same paths on every one.
"""

import logging
import os
import sys
import time

from . import Error, UsageError, _answer, _grafolux

USAGE = """\
usage: python3 -m grafolux.fleet table blm|int LOG... [OPTIONS]
       python3 -m grafolux.fleet retune LOG... --map MAP [OPTIONS]
  --logs-from FILE      more logs, one path a line
  --scheduler tcp://HOST:PORT
                        run on that Dask scheduler's workers
  --workers N           run on N worker processes on this machine (default: one per core)
  --skip-bad            pool the logs that can be read and list the others on stderr
  --no-cache            parse each log, neither reading nor writing the reopen cache
  and the command's own options, as grafolux-cli takes them (not --versus, not --partial)
"""

# The options that shape what merge prints, not the partials.
PRINT_OPTIONS = {
    "table": {"--show", "--min-count", "--format"},
    "retune": {"--show", "--min-weight", "--max-change", "--format"},
}
FAN_IN = 16  # partials merged by one task
# Dask's workers hand freed memory back at once (MALLOC_TRIM_THRESHOLD_ 65536), which makes the
# buffers of every log's load fresh pages from the system: four times the load's time. Up to
# 64 MiB stays with the worker, and buffers under 32 MiB come from its heap.
WORKER_MALLOC = {"MALLOC_TRIM_THRESHOLD_": 64 << 20, "MALLOC_MMAP_THRESHOLD_": 32 << 20}


class Fault(Exception):
    """Ends the run: the message and the exit status."""

    def __init__(self, message, status=1):
        super().__init__(message)
        self.status = status


class Job:
    """The command line, read: what every log's task runs and what the end prints."""

    def __init__(self, argv):
        if not argv or argv[0] not in PRINT_OPTIONS:
            raise Fault("a command is needed: table or retune", 2)
        self.command = argv[0]
        self.scheduler = None
        self.workers = os.cpu_count() or 1
        self.skip_bad = self.no_cache = False
        self.shared, self.ranged, self.printed = [], [], []
        self.logs, self.included = [], []
        words = iter(argv[1:])
        for word in words:
            if word in ("--skip-bad", "--no-cache"):
                setattr(self, word[2:].replace("-", "_"), True)
                continue
            if not word.startswith("--") or word == "--":
                self.logs.append(word)
                continue
            value = next(words, None)
            if value is None:
                raise Fault(f"{word} needs a value", 2)
            self.option(word, value)
        if self.command == "table":
            if not self.logs:
                raise Fault("the table kind is needed: blm or int", 2)
            self.shared[:0] = [self.logs.pop(0)]
        if not self.logs and not self.included:
            raise Fault("no log to pool", 2)

    def option(self, word, value):
        if word == "--logs-from":
            self.logs += read_list(value)
        elif word == "--scheduler":
            self.scheduler = value
        elif word == "--workers":
            if not value.isdigit() or int(value) < 1:
                raise Fault(f"--workers needs a whole number 1 or more, not {value}", 2)
            self.workers = int(value)
        elif word in ("--versus", "--partial"):
            raise Fault(f"{word} is not for the fleet: merge the partials yourself", 2)
        elif word == "--map" and value == "-":
            raise Fault("--map - cannot be read by the workers: give the map's path", 2)
        elif word == "--include":
            self.included.append(value)
        elif word in ("--first", "--last"):
            self.ranged += [word, value]
        elif word in PRINT_OPTIONS[self.command]:
            self.printed += [word, value]
        else:
            self.shared += [word, value]

    def tasks(self):
        """Each log's words and its name: the logs in their range, then the included whole."""
        for log in self.logs:
            yield words_of(self.shared[:1] + [log] + self.shared[1:] + self.ranged), log
        for log in self.included:
            yield words_of(self.shared[:1] + [log] + self.shared[1:]), log


def words_of(texts):
    return [os.fsencode(text) for text in texts]


def read_list(path):
    """The paths in the file, one a line; empty lines are skipped."""
    try:
        with open(path, "rb") as file:
            return [os.fsdecode(line.rstrip(b"\r\n")) for line in file if line.strip(b"\r\n")]
    except OSError as error:
        raise Fault(f"{path}: {error.strerror}") from error


def log_partial(command, words, no_cache):
    """One log's partial result, as bytes (a task on a worker)."""
    return _answer(*_grafolux.run(command, words + [b"--partial", b"-"], no_cache))


def merged_partial(*parts):
    """The partials merged into one, as bytes (a task on a worker)."""
    return _answer(*_grafolux.merge(list(parts), [b"--partial", b"-"], False))


def check(job):
    """Refuses before the run what grafolux-cli would refuse as usage, trying the first log."""
    words, _ = next(job.tasks())
    try:
        part = log_partial(job.command, words, job.no_cache)
    except UsageError:
        raise
    except Error:
        return  # the log's own fault, which its task reports
    _answer(*_grafolux.merge([part], words_of(job.printed), False))


class Progress:
    """A bar on stderr, redrawn at most five times a second."""

    def __init__(self, total):
        self.total, self.done, self.drawn = total, 0, 0.0

    def step(self):
        self.done += 1
        now = time.monotonic()
        if now - self.drawn >= 0.2 or self.done == self.total:
            self.drawn = now
            filled = 30 * self.done // self.total
            sys.stderr.write(f"\r[{'#' * filled}{'.' * (30 - filled)}] "
                             f"{self.done}/{self.total} logs")
            sys.stderr.flush()

    def end(self):
        if self.done:
            sys.stderr.write("\n")


def fault_of(future):
    """Why a task made no partial (an error it raised, a cancel), or None."""
    try:
        # Waits: a result lost with a killed worker is computed again. Lost even after that, it is
        # computed again for the merge that needs it, so its state then says nothing.
        error = future.exception()
    except Exception as error:  # the wait itself failed (a client closed)
        return Error(f"task {future.status}: {error!r}")
    return error or (Error("task cancelled") if future.status == "cancelled" else None)


def failure(log, error):
    message = str(error)
    return message if log in message else f"{log}: {message}"


def run(client, job):
    """The merged partial's bytes and the logs skipped, each with its reason."""
    from distributed import as_completed

    tasks = list(job.tasks())
    futures = [client.submit(log_partial, job.command, words, job.no_cache, pure=False)
               for words, _ in tasks]
    logs = {future.key: (index, tasks[index][1]) for index, future in enumerate(futures)}
    pending = as_completed(futures)
    del futures
    progress = Progress(len(tasks))
    ready, skipped, left, merging = [], [], len(tasks), 0
    try:
        for future in pending:
            error = fault_of(future)
            if future.key in logs:
                left -= 1
                progress.step()
                if error:
                    index, log = logs[future.key]
                    if isinstance(error, UsageError) or not job.skip_bad:
                        raise Fault(failure(log, error), 2 if isinstance(error, UsageError) else 1)
                    skipped.append((index, failure(log, error)))
            else:
                merging -= 1
                if error:
                    raise Fault(str(error))
            if not error:
                ready.append(future)
            # Also after a skipped log: it may be the last task to finish, with partials ready.
            while len(ready) >= FAN_IN or (left == merging == 0 and len(ready) > 1):
                group, ready = ready[:FAN_IN], ready[FAN_IN:]
                pending.add(client.submit(merged_partial, *group, pure=False))
                merging += 1
    finally:
        progress.end()
    if not ready:
        raise Fault("no log could be pooled")
    return ready[0].result(), [reason for _, reason in sorted(skipped)]


def connect(job):
    import dask
    from distributed import Client, LocalCluster

    if job.scheduler:
        try:
            return Client(job.scheduler, timeout=5)
        except Exception as error:  # what the connection says differs by Dask's version
            raise Fault(f"cannot reach the scheduler at {job.scheduler}: {error}") from error
    dask.config.set({f"distributed.nanny.pre-spawn-environ.{name}": value
                     for name, value in WORKER_MALLOC.items()})
    cluster = LocalCluster(n_workers=job.workers, threads_per_worker=1, processes=True,
                           host="127.0.0.1", dashboard_address=None,
                           silence_logs=logging.ERROR)
    return Client(cluster)


def main(argv):
    if argv[:1] in (["--help"], ["-h"]):
        sys.stdout.write(USAGE)
        return 0
    try:
        job = Job(argv)
        check(job)
        logging.getLogger("distributed").setLevel(logging.ERROR)
        client = connect(job)
        try:
            part, skipped = run(client, job)
        finally:
            cluster = client.cluster
            client.close()
            if cluster is not None:
                cluster.close()
        out = _answer(*_grafolux.merge([part], words_of(job.printed), False))
    except Fault as fault:
        sys.stderr.write(f"grafolux.fleet: {fault}\n")
        if fault.status == 2:
            sys.stderr.write(USAGE)
        return fault.status
    except Error as error:
        sys.stderr.write(f"grafolux.fleet: {error}\n")
        return 2 if isinstance(error, UsageError) else 1
    if skipped:
        sys.stderr.write(f"grafolux.fleet: skipped {len(skipped)} of the logs:\n")
        sys.stderr.writelines(f"  {reason}\n" for reason in skipped)
    sys.stdout.buffer.write(out)
    sys.stdout.flush()
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
