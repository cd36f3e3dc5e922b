"""Random days through every path and back: the texts glyphbox-cli writes,
the day read again from each of them, repr and pickle, the arrays against
the scalar values, and the inscription commands against glyphbox-cli."""

import itertools
import pickle

import numpy as np
import pytest

import glyphbox

COLUMNS = ["date", "day_count", "long_count", "tzolkin", "haab", "lord", "jdn", "correlation",
           "calendar", "bearer", "819_since", "819_station", "819_quarter", "819_colour",
           "819_number", "gregorian", "julian", "historical", "weekday"]

SETTINGS = [
    {},
    {"correlation": "lounsbury", "calendar": "julian"},
    {"correlation": "spinden", "calendar": "historical", "spelling": "modern"},
    {"correlation": "600000", "haab_days": "1-20"},
]


def random_jdns(rng, n):
    """Days of every era: mostly those of monuments and calendars, some far out."""
    near = [rng.randrange(-2_000_000, 6_000_000) for _ in range(n - n // 5)]
    far = [rng.randrange(-300_000_000_000_000, 300_000_000_000_000) for _ in range(n // 5)]
    return near + far


@pytest.mark.parametrize("settings", SETTINGS, ids=lambda s: ",".join(s.values()) or "defaults")
def test_fields_and_lines_are_the_command_lines(cli, rng, settings):
    jdns = random_jdns(rng, 300)
    options = [f"--{k.replace('_', '-')}={v}" for k, v in settings.items()]
    stdin = "".join(f"JDN {j}\n" for j in jdns)
    _, tsv, _ = cli.run(*options, "--format=tsv", "--fields=" + ",".join(COLUMNS), stdin=stdin)
    _, plain, _ = cli.run(*options, stdin=stdin)
    rows = tsv.splitlines()[1:]
    assert len(rows) == len(jdns) == len(plain.splitlines())
    for jdn, row, line in zip(jdns, rows, plain.splitlines()):
        d = glyphbox.Day.from_jdn(jdn, **settings)
        expected = {k: (v if v else None) for k, v in zip(COLUMNS, row.split("\t"))}
        assert d.fields == expected
        assert str(d) == line
        assert (d.date, d.gregorian, d.julian, d.historical, d.weekday) == (
            expected["date"], expected["gregorian"], expected["julian"], expected["historical"],
            expected["weekday"])
        assert (d.long_count, d.tzolkin, d.haab, d.bearer, d.station_819) == (
            expected["long_count"], expected["tzolkin"], expected["haab"], expected["bearer"],
            expected["819_station"])
        assert (f"G{d.lord}", str(d.jdn), str(d.day_count), str(d.since_819), str(d.number_819)) == (
            expected["lord"], expected["jdn"], expected["day_count"], expected["819_since"],
            expected["819_number"])
        assert expected["819_quarter"].startswith(["East", "South", "West", "North"][d.quarter_819])


@pytest.mark.parametrize("settings", SETTINGS, ids=lambda s: ",".join(s.values()) or "defaults")
def test_every_text_reads_back_as_the_day(rng, settings):
    for jdn in random_jdns(rng, 300):
        d = glyphbox.Day.from_jdn(jdn, **settings)
        assert eval(repr(d), {"glyphbox": glyphbox}) == d
        assert pickle.loads(pickle.dumps(d)) == d
        assert glyphbox.day(d.long_count, **settings) == d
        assert glyphbox.day(d.date, **settings) == d
        assert glyphbox.day(f"JDN {d.jdn}", **settings) == d
        assert glyphbox.Day.from_day_count(d.day_count, **settings) == d
        assert hash(glyphbox.day(d.long_count, **settings)) == hash(d)
        assert d.sign * (d.baktun * 144000 + d.katun * 7200 + d.tun * 360 + d.uinal * 20 + d.kin) \
            == d.day_count


def test_datetime_round_trip(rng):
    for _ in range(500):
        ordinal = rng.randrange(1, 3_652_060)
        date = __import__("datetime").date.fromordinal(ordinal)
        d = glyphbox.day(date, correlation=rng.choice(list(glyphbox.presets)))
        assert d.to_date() == date
        assert d.gregorian == f"{date.year}-{date.month:02}-{date.day:02} CE"


def test_values_are_ordered_hashed_and_immutable(rng):
    days = [glyphbox.Day.from_jdn(j) for j in random_jdns(rng, 200)]
    assert sorted(days) == sorted(days, key=lambda d: d.jdn)
    assert len(set(days + days)) == len(set(d.jdn for d in days))
    d = days[0]
    assert d + 1 > d and d - 1 < d and (d + 5) - d == glyphbox.Distance(5)
    assert d + glyphbox.Distance("+1.0") == 20 + d
    assert glyphbox.day(d.long_count, correlation="gmt+1") != d  # another correlation
    assert glyphbox.Day(d, correlation="gmt+1").jdn == d.jdn
    with pytest.raises(AttributeError):
        d.long_count = "13.0.0.0.0"
    with pytest.raises(AttributeError):
        d.anything = 1
    assert (d == "x", d != "x") == (False, True)
    with pytest.raises(TypeError):
        _ = d < "x"
    c = glyphbox.presets["gmt"]
    assert (int(c), str(c), c.name, glyphbox.Correlation(584283)) == (584283, "gmt 584283", "gmt", c)
    assert glyphbox.Correlation("BÖHM") == glyphbox.presets["bohm"]
    assert sorted(glyphbox.presets.values())[0] == glyphbox.presets["bowditch"]
    assert pickle.loads(pickle.dumps(c)) == c
    assert repr(glyphbox.Correlation(123)) == "glyphbox.Correlation(123)"
    distance = glyphbox.Distance("-823d")
    assert (str(distance), int(distance), -distance) == ("-2.5.3", -823, glyphbox.Distance(823))
    assert pickle.loads(pickle.dumps(distance)) == distance
    assert eval(repr(distance), {"glyphbox": glyphbox}) == distance


def test_presets_are_a_read_only_mapping():
    assert list(glyphbox.presets)[0] == "gmt"
    assert {c.jdn for c in glyphbox.presets.values()} >= {584283, 584285, 584286, 489384}
    with pytest.raises(TypeError):
        glyphbox.presets["mine"] = glyphbox.Correlation(1)


def test_arrays_equal_the_scalar_values(rng):
    jdns = np.array(random_jdns(rng, 4000) + [10**15, -10**15, 584283, 584282, 0, -1])
    for correlation in ("gmt", "bohm", 0, -10**12):
        arrays = glyphbox.from_jdn(jdns, correlation=correlation)
        assert all(a.shape == jdns.shape and a.dtype.kind == "i" for a in arrays.values())
        for i in range(0, len(jdns), 7):
            values = glyphbox.values_from_jdn(int(jdns[i]), correlation)
            assert tuple(int(arrays[f][i]) for f in glyphbox.Values.__match_args__) == values
    inside = jdns[np.abs(jdns - 584283) <= 10**15]
    assert all(np.array_equal(a, b) for a, b in zip(
        glyphbox.from_day_count(inside - 584283).values(), glyphbox.from_jdn(inside).values()))


def test_arrays_keep_shape_and_take_parts():
    grid = np.arange(2451545, 2451545 + 24, dtype=np.int32).reshape(2, 3, 4)
    arrays = glyphbox.from_jdn(grid, fields=["tzolkin", "lord"])
    assert list(arrays) == ["tzolkin_number", "tzolkin_name", "lord"]
    assert arrays["lord"].shape == (2, 3, 4)
    assert arrays["lord"][0, 0, 0] == glyphbox.Day.from_jdn(2451545).lord
    assert glyphbox.from_jdn([], fields=["819"])["since_819"].shape == (0,)
    assert glyphbox.from_jdn(np.array([2451545], dtype=np.uint64))["kin"][0] == 2
    assert glyphbox.from_jdn(2451545)["kin"].shape == ()
    strided = np.arange(2451545, 2451545 + 100)[::3]
    assert np.array_equal(glyphbox.from_jdn(strided)["lord"], glyphbox.from_jdn(strided.copy())["lord"])


def test_the_picture_is_glyphbox_cli_draw(cli):
    for text in ("9.12.11.5.18", "2012-12-21", "JDN 0"):
        _, svg, _ = cli.run("draw", text)
        d = glyphbox.day(text)
        assert d._repr_svg_() == d.svg() == svg
    import xml.etree.ElementTree as ET
    root = ET.fromstring(glyphbox.day("9.12.11.5.18").svg())
    assert root.tag.endswith("svg")
    assert root.find("{http://www.w3.org/2000/svg}title").text == "9.12.11.5.18 6 Etznab 11 Yax G1"


@pytest.mark.parametrize("pattern", ["9.*.*.*.* 8 Ahau 13 Pop", "4 Ahau 8 Cumku G9", "819 South 1 Ahau",
                                     "bearer 8 Ik 0 Pop", "13.0.0.0.0 4 Ahau 8 Cumku"])
def test_find_lists_the_command_lines_days(cli, pattern):
    _, out, _ = cli.run("find", "--format=tsv", "--fields=jdn", "--limit=1000000", "--", pattern)
    expected = [int(j) for j in out.splitlines()[1:]]
    with __import__("warnings").catch_warnings():
        __import__("warnings").simplefilter("ignore")
        found = [d.jdn for d in glyphbox.find(pattern)]
        assert glyphbox.count(pattern) == len(found)
    assert found == expected


def test_find_from_a_day_either_way(cli):
    pattern = "4 Ahau 8 Cumku"
    _, out, _ = cli.run("find", "--after", "2026-12-08", "--count", "3", "--fields=jdn", "--format=tsv", pattern)
    after = [int(j) for j in out.splitlines()[1:]]
    assert [d.jdn for d in itertools.islice(glyphbox.find(pattern, after="2026-12-08"), 3)] == after
    _, out, _ = cli.run("find", "--before", "2026-12-08", "--count", "3", "--fields=jdn", "--format=tsv", pattern)
    before = [int(j) for j in out.splitlines()[1:]]
    assert [d.jdn for d in itertools.islice(glyphbox.find(pattern, before="2026-12-08"), 3)] == before[::-1]
    days = list(glyphbox.find(pattern, start="2000-01-01", end=glyphbox.day("2200-01-01")))
    later = [d.jdn for d in days if d > glyphbox.day("2026-12-08")]
    assert later[:3] == after
    assert all(d.tzolkin == "4 Ahau" and d.haab == "8 Cumku" for d in days)


def test_add_and_diff_are_the_command_lines(cli, rng):
    for _ in range(20):
        start = glyphbox.Day.from_jdn(rng.randrange(0, 3_000_000))
        distances = [glyphbox.Distance(rng.randrange(-200_000, 200_000)) for _ in range(3)]
        _, out, _ = cli.run("add", "--", start.long_count, *map(str, distances))
        assert [str(d) for d in glyphbox.add(start.long_count, *distances)] == out.splitlines()
        end = glyphbox.add(start, *distances)[-1]
        _, out, _ = cli.run("diff", "--", start.long_count, end.date)
        assert f"{glyphbox.diff(start.long_count, end.date)}  " in out
        assert glyphbox.diff(start, end) == end - start == glyphbox.Distance(sum(map(int, distances)))
