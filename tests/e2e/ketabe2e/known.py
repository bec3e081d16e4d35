"""Known defects not yet mended, as (label, pattern): a check wrapped in one of them
that fails with faults matching the pattern counts as expected; when it passes, the run
fails. Whoever mends a defect deletes its entry here and its uses in the journeys."""

