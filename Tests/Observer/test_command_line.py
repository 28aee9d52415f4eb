import socket
import subprocess
import sys

import pytest

from conftest import OBSERVER_FOLDER, WAIT_SECONDS


@pytest.mark.parametrize("arguments, status, said", [
    (["--replay", "{folder}/missing.jsonl"], 2, "cannot read the recording"),
    (["--replay", "{folder}/unreadable.jsonl"], 2, "holds no messages"),
    (["--port", "70000"], 2, "not a port number"),
    (["--speed", "nan"], 2, "not a speed"),
    (["--port", "{taken}"], 1, "cannot listen on 127.0.0.1"),
])
def test_the_observer_refuses_what_it_cannot_do_and_says_why(arguments, status, said, tmp_path):
    (tmp_path / "unreadable.jsonl").write_text('{"t": "soon", "text": 3}\nnot a record\n')
    with socket.socket() as taken:
        taken.bind(("127.0.0.1", 0))
        taken.listen()
        arguments = [argument.format(folder=tmp_path, taken=taken.getsockname()[1]) for argument in arguments]
        run = subprocess.run([sys.executable, str(OBSERVER_FOLDER / "observer.py"), *arguments],
                             capture_output=True, text=True, timeout=WAIT_SECONDS)
    assert (run.returncode, run.stdout) == (status, "")
    assert said in run.stderr and "Traceback" not in run.stderr, run.stderr
