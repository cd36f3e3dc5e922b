"""Every refused input raises ValueError with glyphbox-cli's message: the
same reason, naming the input the same way (the command line's "input 1:"
and option names become the argument's name)."""

import datetime

import numpy as np
import pytest

import glyphbox

# Inputs glyphbox-cli refuses, with the settings they are read under.
REFUSED_INPUTS = [
    ("2000-13-01", {}),
    ("2000-00-10", {}),
    ("2001-02-29", {}),
    ("2001-02-29", {"calendar": "julian"}),
    ("2000-04-31", {"calendar": "historical"}),
    ("1582-10-10", {"calendar": "historical"}),
    ("0-01-01", {}),
    ("99999999999999-01-01", {}),
    ("2000-01-01 AD", {}),
    ("2000-1", {}),
    ("", {}),
    ("yesterday", {}),
    ("9.12.11.5", {}),
    ("9.18.11.5.18.", {}),
    ("9.12.11.18.0", {}),
    ("9.12.20.5.18", {}),
    ("1.2.3.4.5.6.7.8.9.10", {}),
    ("99999999999.0.0.0.0", {}),
    ("9..11.5.18", {}),
    ("9.12.11.5.18 7 Etznab 16 Yax G2", {}),
    ("9.12.11.5.18 6 Etznab bearer 9 Ik", {}),
    ("9.12.11.5.18 4 Ahau 9 Cumku", {}),
    ("9.12.11.5.18 8 Pop 9.0.0.0.0", {}),
    ("9.12.11.5.18 10 Yax", {"haab_days": "1-20"}),
    ("JDN", {}),
    ("JDN 12x", {}),
    ("JDN 99999999999999999", {}),
    ("JDN 999999999999999", {}),
    ("JDN -999999999999999", {"calendar": "julian"}),
    ("Tuesday, 4 ₭ \"quoted\"", {}),
]


def cli_options(settings):
    return [f"--{k.replace('_', '-')}={v}" for k, v in settings.items()]


@pytest.mark.parametrize("text,settings", REFUSED_INPUTS)
def test_refused_input_has_the_command_lines_message(cli, text, settings):
    expected = cli.refusal(*cli_options(settings), "--", text)
    with pytest.raises(ValueError) as refused:
        glyphbox.day(text, **settings)
    assert str(refused.value) == "input " + expected
    with pytest.raises(ValueError):
        glyphbox.Day(text, **settings)


def test_refused_text_is_shown_escaped():
    with pytest.raises(ValueError) as refused:
        glyphbox.day("2000-01-01\x00\u2019")
    assert str(refused.value).startswith('input "2000-01-01\\x00\\xE2\\x80\\x99": not a date;')


# The option values, refused as glyphbox-cli's option parser refuses them.
@pytest.mark.parametrize("option,value", [
    ("calendar", "gregorian "),
    ("calendar", "Julian"),
    ("spelling", "yucatec"),
    ("haab_days", "1-19"),
])
def test_refused_option_value(cli, option, value):
    expected = cli.refusal(f"--{option.replace('_', '-')}", value, "2000-01-01")
    with pytest.raises(ValueError) as refused:
        glyphbox.day("2000-01-01", **{option: value})
    # glyphbox-cli names its option "--haab-days", the module its argument haab_days.
    assert "--" + str(refused.value).replace("haab_days", "haab-days") == expected


@pytest.mark.parametrize("correlation", ["gtm", "", "584283.5", "1000000000001", "+-5"])
def test_refused_correlation(cli, correlation):
    expected = cli.refusal("--correlation", correlation, "2000-01-01")
    with pytest.raises(ValueError) as refused:
        glyphbox.day("2000-01-01", correlation=correlation)
    # The module offers every preset but glyphbox, the window's arithmetic.
    assert str(refused.value) == expected.replace("use glyphbox, ", "use ")


def test_refused_correlation_numbers_and_types():
    with pytest.raises(ValueError, match="unknown correlation \"1000000000001\""):
        glyphbox.Correlation(10**12 + 1)
    with pytest.raises(ValueError, match="unknown correlation \"1" + "0" * 30):
        glyphbox.day("2000-01-01", correlation=10**30)
    with pytest.raises(ValueError, match="the window's own arithmetic \\(glyphbox\\)"):
        glyphbox.day("2000-01-01", correlation="glyphbox")
    with pytest.raises(TypeError, match="correlation"):
        glyphbox.day("2000-01-01", correlation=584283.0)
    with pytest.raises(TypeError, match="correlation"):
        glyphbox.day("2000-01-01", correlation=True)


@pytest.mark.parametrize("pattern", [
    "4 Ahau 9 Cumku",
    "9.*.*.18.*",
    "14 Ahau",
    "G10",
    "bearer 8 Ahau",
    "819 Up",
    "819+819",
    "9.*.*.*.* 8 Ahau 13 Pop 9.*.*.*.*",
    "hello",
    "",
])
def test_refused_pattern(cli, pattern):
    expected = cli.refusal("find", "--", pattern) if pattern else None
    with pytest.raises(ValueError) as refused:
        next(glyphbox.find(pattern))
    if expected is not None:
        assert str(refused.value) == expected
    with pytest.raises(ValueError):
        glyphbox.count(pattern)


@pytest.mark.parametrize("distance", ["+2.5.x", "--1.0", "+d", "1.20.0", "+1.0.0.0.0.0.0.0.0.0"])
def test_refused_distance(cli, distance):
    expected = cli.refusal("add", "9.12.11.5.18", "--", distance)
    with pytest.raises(ValueError) as refused:
        glyphbox.add("9.12.11.5.18", distance)
    assert str(refused.value) == expected
    with pytest.raises(ValueError) as again:
        glyphbox.Distance(distance)
    assert str(again.value) == expected


def test_distance_beyond_the_calendars(cli):
    expected = cli.refusal("add", "9.12.11.5.18", "+999999999999999d")
    with pytest.raises(ValueError) as refused:
        glyphbox.add("9.12.11.5.18", "+999999999999999d")
    assert str(refused.value) == expected
    with pytest.raises(ValueError, match="outside the supported years"):
        glyphbox.day("9.12.11.5.18") + 999_999_999_999_999
    with pytest.raises(ValueError, match="outside the supported years"):
        glyphbox.day("9.12.11.5.18") - (2**63 - 1)
    with pytest.raises(ValueError, match=f'distance "{2**63}": the Long Count is too large'):
        glyphbox.day("9.12.11.5.18") + 2**63


@pytest.mark.parametrize("dates", [("9.12.11.5.18", "x"), ("2000-13-01", "2000-01-01")])
def test_refused_diff_dates(cli, dates):
    expected = cli.refusal("diff", "--", *dates)
    with pytest.raises(ValueError) as refused:
        glyphbox.diff(*dates)
    assert str(refused.value) == expected


def test_refused_search_bounds(cli):
    expected = cli.refusal("find", "--from", "2000-13-01", "4 Ahau")
    with pytest.raises(ValueError) as refused:
        glyphbox.find("4 Ahau", start="2000-13-01")
    assert str(refused.value) == expected.replace("--from", "start")
    with pytest.raises(ValueError, match="the range is empty: start 2001-01-01 lies after end 2000-01-01"):
        glyphbox.find("4 Ahau", start="2001-01-01", end="2000-01-01")
    with pytest.raises(ValueError, match="find takes a range"):
        glyphbox.find("4 Ahau", after="2000-01-01", before="2001-01-01")
    with pytest.raises(ValueError, match="find takes a range"):
        glyphbox.find("4 Ahau", start="2000-01-01", after="2001-01-01")
    with pytest.raises(TypeError, match="start"):
        glyphbox.find("4 Ahau", start=2451545)


def test_refused_numbers_of_days():
    with pytest.raises(ValueError, match=r'input "JDN 1000000000000000": the date of this day'):
        glyphbox.Day.from_jdn(10**15)
    with pytest.raises(ValueError, match=r'input "JDN 1000000000000001": not a Julian Day Number'):
        glyphbox.Day.from_jdn(10**15 + 1)
    with pytest.raises(ValueError, match=r'day count "-1000000000000001": the Long Count is too large'):
        glyphbox.Day.from_day_count(-10**15 - 1)
    with pytest.raises(TypeError):
        glyphbox.Day.from_jdn(2**64)


def test_refused_dates_out_of_datetime():
    with pytest.raises(ValueError, match=r"Gregorian date, 3114-08-11 BCE, lies outside the years of datetime.date, 1 to 9999"):
        glyphbox.day("0.0.0.0.0").to_date()
    with pytest.raises(ValueError, match="10000-01-01 CE"):
        glyphbox.day("10000-01-01").to_date()
    with pytest.raises(TypeError, match="input"):
        glyphbox.day(2451545)
    with pytest.raises(TypeError, match="input"):
        glyphbox.day(datetime.datetime.now().time())


def test_refused_arrays():
    with pytest.raises(TypeError, match="jdns: an array of whole numbers, not of float64"):
        glyphbox.from_jdn(np.array([2451545.0]))
    with pytest.raises(ValueError, match=r"jdns: the value at index 2, 1000000000000001, is out of range"):
        glyphbox.from_jdn(np.array([1, 2, 10**15 + 1, -10**16]))
    with pytest.raises(ValueError, match="day_counts: the value at index 0"):
        glyphbox.from_day_count([-10**15 - 1])
    with pytest.raises(ValueError, match="a value beyond 64 bits"):
        glyphbox.from_jdn(np.array([2**64 - 5], dtype=np.uint64))
    with pytest.raises(ValueError, match=r'fields: calendar_round not in \{long_count,tzolkin,haab,lord,bearer,819\}'):
        glyphbox.from_jdn([1], fields=["calendar_round"])
    with pytest.raises(TypeError, match="fields"):
        glyphbox.from_jdn([1], fields="lord")
    with pytest.raises(ValueError, match="jdn: 1000000000000001 is out of range"):
        glyphbox.values_from_jdn(10**15 + 1)
    with pytest.raises(ValueError, match="jdn: " + "9" * 30):
        glyphbox.values_from_jdn(int("9" * 30))
    with pytest.raises(TypeError):
        glyphbox.values_from_jdn(2451545.0)
    with pytest.raises(TypeError):
        glyphbox.values_from_jdn(2451545, correlation="gmt", extra=1)
    with pytest.raises(ValueError, match="unknown correlation"):
        glyphbox.values_from_jdn(2451545, "gtm")
