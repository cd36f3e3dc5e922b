"""What the module's tests share: glyphbox-cli, whose texts and refusals the
module must give exactly, and a seeded random source."""

import os
import random
import subprocess

import pytest

# Every run draws the same days unless GLYPHBOX_SEED names others; a failure
# prints the seed, so that it can be replayed.
SEED = int(os.environ.get("GLYPHBOX_SEED", "20261209"))


class Cli:
    """glyphbox-cli run as a process, as a user runs it."""

    def __init__(self, path):
        self.path = path

    def run(self, *args, stdin=None):
        done = subprocess.run(
            [self.path, *args],
            input=stdin,
            capture_output=True,
            text=True,
            env={**os.environ, "GLYPHBOX_CORRELATION": ""},
            check=False,
        )
        return done.returncode, done.stdout, done.stderr

    def refusal(self, *args):
        """The reason glyphbox-cli gives for refusing its only input, without
        its own name and the input's number: '"TEXT": reason'."""
        status, _, err = self.run(*args)
        assert status != 0, args
        line = err.splitlines()[0]
        for prefix in ("glyphbox-cli: input 1: ", "glyphbox-cli: "):
            if line.startswith(prefix):
                return line[len(prefix):]
        raise AssertionError(line)


@pytest.fixture(scope="session")
def cli():
    path = os.environ.get("GLYPHBOX_CLI")
    if not path:
        pytest.skip("GLYPHBOX_CLI does not name glyphbox-cli (ctest sets it)")
    return Cli(path)


@pytest.fixture
def rng(request):
    return random.Random(f"{SEED}:{request.node.name}")


def pytest_report_header():
    return f"GLYPHBOX_SEED={SEED}"
