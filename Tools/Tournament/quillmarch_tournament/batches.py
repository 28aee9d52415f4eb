"""What a Dask worker runs: the match runner for one batch of seeds in one seat order.

This module travels to the workers by value (it is pickled whole), so a worker needs Dask and the match
runner, not this package. Failures come back as values, not exceptions, for the same reason: a class
pickled by value is a new class on the other side.
"""

import json
import os
import shutil
import subprocess
import tempfile

RUNNER_IN_BUILD = "./Tools/QuillmarchMatchRunner"
INSTALLED_RUNNER = "quillmarch-match-runner"
RUNNER_VARIABLE = "QUILLMARCH_MATCH_RUNNER"


def resolve_runner(runner):
    """The runner to start here: `runner` if given, else the one this folder or this machine has.

    Nothing when none is to be found. A path is relative to the worker's own folder."""
    if runner is None:
        runner = os.environ.get(RUNNER_VARIABLE) or (
            RUNNER_IN_BUILD if os.path.exists(RUNNER_IN_BUILD) else INSTALLED_RUNNER)
    if os.sep in runner:
        return runner if os.access(runner, os.X_OK) else None
    return shutil.which(runner)


def worker_address():
    try:
        from distributed import get_worker
        return get_worker().address
    except (ImportError, ValueError):
        return "this machine"


def play_batch(runner, order, first_seed, count, runner_options):
    """Plays seeds first_seed .. first_seed + count - 1 with the sets of `order` in slots 1, 2, ...

    `order` lists (name, file, text) per slot: the set's name, the file it came from and its text.
    Returns {"lines": [...]} with one result per match, or {"error": "..."} naming what went wrong."""
    found = resolve_runner(runner)
    if found is None:
        named = runner or f"{RUNNER_IN_BUILD} or {INSTALLED_RUNNER}"
        return {"error": f"The match runner {named} is missing on worker {worker_address()}"}
    with tempfile.TemporaryDirectory(prefix="quillmarch-sets-") as folder:
        command = [found, "--json", "--orcs", str(len(order)), "--seed", str(first_seed),
                   "--matches", str(count)] + list(runner_options)
        renamed = {}
        for slot, (name, original, text) in enumerate(order, start=1):
            # The runner names a set after its file.
            path = os.path.join(folder, name + ".ini")
            with open(path, "w", encoding="utf-8") as file:
                file.write(text)
            renamed[path] = original
            command += ["--orc-params", f"{slot}={path}"]
        try:
            run = subprocess.run(command, capture_output=True, text=True, check=False)
        except OSError as failure:
            return {"error": f"The match runner {found} could not start on worker {worker_address()}: "
                             f"{failure.strerror}"}
    if run.returncode != 0:
        said = [line for line in run.stderr.splitlines() if line.startswith("ERROR: ")] or \
            run.stderr.strip().splitlines()[-1:] or [f"status {run.returncode}"]
        message = said[0]
        for path, original in renamed.items():
            message = message.replace(path, original)
        return {"error": f"{message} (the match runner on worker {worker_address()})"}
    names = [name for name, _, _ in order]
    lines = []
    for text in run.stdout.splitlines():
        result = json.loads(text)
        if "match" not in result:
            continue
        # The runner counts its own matches; a result is known by its seat order and seed instead.
        del result["match"]
        lines.append({"order": names, **result})
    return {"lines": lines}
