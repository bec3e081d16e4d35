"""Waiting for a state instead of sleeping."""

import time


class CheckFailure(AssertionError):
    """A check that did not hold: what was expected and what was seen."""

    def __init__(self, what, expected, seen, problems=None):
        super().__init__(f"{what}\n    expected: {expected}\n    seen:     {seen}")
        self.what, self.expected, self.seen = what, expected, seen
        # The separate faults this failure reports; a known defect must account for each.
        self.problems = problems if problems is not None else [f"{what}: {seen}"]


class ProgramGone(CheckFailure):
    """The program ended while a journey still drove it, other than through its own Exit.
    Nothing that watches for a state may take it for "not there"."""


# Generous: the machine may be busy, and a state that never comes fails just the same.
DEFAULT_TIMEOUT = 30


def wait_until(probe, timeout=DEFAULT_TIMEOUT, what="a state", expected=None, interval=0.1):
    """Polls probe() until it returns something true and returns that; on timeout
    raises CheckFailure with the last value seen."""
    deadline = time.monotonic() + timeout
    seen = None
    while True:
        try:
            seen = probe()
        except CheckFailure:
            raise
        except Exception as error:  # the tree or a file may be between two states
            seen = f"({type(error).__name__}: {error})"
            ok = False
        else:
            ok = bool(seen)
        if ok:
            return seen
        if time.monotonic() >= deadline:
            raise CheckFailure(f"timed out after {timeout} s waiting for {what}",
                               expected if expected is not None else what, seen)
        time.sleep(interval)


def wait_for_value(read, expected, timeout=DEFAULT_TIMEOUT, what="a value"):
    """Polls read() until it equals expected; on timeout fails showing the last value."""
    last = [None]

    def probe():
        last[0] = read()
        return last[0] == expected
    try:
        wait_until(probe, timeout, what, expected)
    except ProgramGone:
        raise
    except CheckFailure as failure:
        raise CheckFailure(failure.what, repr(expected), repr(last[0])) from None
    return last[0]
