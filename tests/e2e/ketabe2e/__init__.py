"""Drives the real program on a private desktop, from outside, as a reader would."""

from .session import Session, journey, journeys_of
from .waits import CheckFailure, wait_until, wait_for_value

__all__ = ["Session", "journey", "journeys_of", "CheckFailure", "wait_until", "wait_for_value"]
