"""The inscription worksheet: every line answered as glyphbox-cli
inscription answers it (its JSON lines), on the published readings and on
random worksheets of anchors, distances and clues, right and wrong."""

import json

import pytest

import glyphbox

TEMPLE_OF_THE_CROSS = """\
12.19.13.4.0 8 Ahau 18 Zec 819+20 819 South   # Temple of the Cross
-20d 1 Ahau 18 Zotz 819+0 819 South           # back to the station
9.12.11.5.18 6 Etznab 11 Yax
+2.5.3 10 Imix 4 Muan G5
+1.0 13 Zec

+x.1
"""


def cli_answers(cli, text, *options):
    """glyphbox-cli inscription's JSON lines, by line number, and what it writes
    for people: its messages and its plain lines, with the notes."""
    _, out, _ = cli.run("inscription", "--format=json", *options, stdin=text)
    _, plain, err = cli.run("inscription", *options, stdin=text)
    return {row["line"]: row for row in map(json.loads, out.splitlines())}, err + plain


def check_against_cli(cli, text, *options, **settings):
    expected, err = cli_answers(cli, text, *options)
    lines = glyphbox.inscription(text, **settings)
    assert [l.number for l in lines] == list(range(1, len(text.splitlines()) + 1))
    for line in lines:
        row = expected.get(line.number)
        if line.kind == "error":
            assert row["error"]["message"] in line.problem
            assert f"glyphbox-cli: {line.problem}\n" in err
            continue
        if line.kind == "blank":
            assert row is None
            continue
        assert line.day.day_count == row["day_count"] and line.day.long_count == row["long_count"]
        assert str(line.distance) == row["distance"] if line.distance else row["distance"] is None
        assert [(c.text, c.kind, c.agrees, c.computed) for c in line.clues] == \
            [(c["clue"], c["kind"], c["agrees"], c["computed"]) for c in row["clues"]]
        # JSON's null, nothing to check, is a line that agrees.
        assert line.agrees == (row["agrees"] if row["agrees"] is not None else not line.clues)
        assert [d.long_count for d in line.nearest] == row["nearest"]
        if line.note:
            assert line.note in err
    return lines


def test_the_temple_of_the_cross(cli):
    lines = check_against_cli(cli, TEMPLE_OF_THE_CROSS)
    assert [l.kind for l in lines] == ["anchor", "distance", "anchor", "distance", "distance",
                                       "blank", "error"]
    assert lines[0].day == glyphbox.day("-0.0.6.14.0") and "era before" in lines[0].note
    assert lines[1].distance == glyphbox.Distance("-20d") and lines[1].day.since_819 == 0
    assert not lines[4].agrees and lines[4].clues[0].computed == "4 Pax"
    assert lines[6].problem.startswith('line 7: "+x.1": not a Long Count')
    assert glyphbox.inscription(TEMPLE_OF_THE_CROSS) == lines
    assert len({hash(l) for l in lines}) == len(lines) and sorted(reversed(lines)) == lines


def random_worksheet(rng):
    """Anchors and distances with their clues, some miscopied."""
    lines = []
    day = glyphbox.Day.from_day_count(rng.randrange(1_000_000, 2_000_000))
    for i in range(rng.randrange(3, 9)):
        if i == 0 or rng.random() < 0.2:
            day = glyphbox.Day.from_day_count(rng.randrange(-100_000, 2_800_000))
            head = day.long_count
        else:
            distance = glyphbox.Distance(rng.randrange(-30_000, 30_000) or 1)
            day = day + distance
            head = str(distance) if rng.random() < 0.8 else f"{int(distance):+}d"
        clues = [day.tzolkin, day.haab, f"G{day.lord}", f"bearer {day.bearer}",
                 f"819+{day.since_819}"]
        if rng.random() < 0.3:
            clues[0] = f"{day.tzolkin_number % 13 + 1} {day.tzolkin.split()[1]}"
        lines.append(" ".join([head] + rng.sample(clues, rng.randrange(0, 4))))
    return "\n".join(lines) + "\n"


@pytest.mark.parametrize("settings", [{}, {"correlation": "lounsbury", "calendar": "julian"},
                                      {"spelling": "modern", "haab_days": "1-20"}])
def test_random_worksheets_are_answered_as_glyphbox_cli_answers(cli, rng, settings):
    options = [f"--{k.replace('_', '-')}={v}" for k, v in settings.items()]
    for _ in range(15):
        check_against_cli(cli, random_worksheet(rng), *options, **settings)


def test_a_worksheet_that_names_no_day(cli):
    for text in ("", "# nothing yet\n\n"):
        _, _, err = cli.run("inscription", stdin=text)
        with pytest.raises(ValueError) as refused:
            glyphbox.inscription(text)
        assert err == f"glyphbox-cli: {refused.value}\n"
    lines = glyphbox.inscription("+2.5.3 4 Ahau\n")
    assert lines[0].kind == "error" and "no day" in lines[0].problem.lower() or lines[0].problem
