"""The published test vectors and the 819-day examples of the facts sheet,
through every part of the module: the texts and numbers of a Day, the
scalar values and the NumPy arrays."""

import datetime

import numpy as np
import pytest

import glyphbox

# Long Count, Calendar Round (scholarly), Lord, Gregorian, Julian; gmt
# unless a correlation is named.
VECTORS = [
    ("0.0.0.0.0", "4 Ahau", "8 Cumku", 9, "3114-08-11 BCE", "3114-09-06 BCE", "gmt"),
    ("9.8.9.13.0", "8 Ahau", "13 Pop", 8, "603-03-24 CE", "603-03-21 CE", "gmt"),
    ("13.0.0.0.0", "4 Ahau", "3 Kankin", 9, "2012-12-21 CE", "2012-12-08 CE", "gmt"),
    ("12.19.11.6.13", "4 Ben", "16 Zotz", 7, "2004-06-19 CE", "2004-06-06 CE", "gmt"),
    ("13.0.6.6.7", "3 Manik", "0 Uayeb", 1, "2019-03-27 CE", "2019-03-14 CE", "gmt"),
    ("19.19.19.17.19", "9 Caunac", "12 Yaxkin", 8, "4772-10-12 CE", "4772-09-08 CE", "gmt"),
    ("9.17.19.13.16", "5 Cib", "14 Chen", 6, "790-07-20 CE", "790-07-16 CE", "martin-skidmore"),
]

# Day count, days since the station, the station's Calendar Round, its quarter.
STATIONS = [
    (0, 3, "1 Caban 5 Cumku", 0),
    (-2440, 20, "1 Ahau 18 Zotz", 1),
    (1357100, 20, "1 Ahau 18 Cumku", 1),
    (1386478, 733, "1 Chicchan 8 Yax", 0),
    (1872000, 588, "1 Eb 0 Zip", 1),
]


FIELDS = glyphbox.Values.__match_args__  # the names of from_jdn's arrays, in order


@pytest.mark.parametrize("long_count,tzolkin,haab,lord,gregorian,julian,correlation", VECTORS)
def test_published_vectors(long_count, tzolkin, haab, lord, gregorian, julian, correlation):
    d = glyphbox.day(long_count, correlation=correlation)
    assert (d.long_count, d.tzolkin, d.haab, d.lord) == (long_count, tzolkin, haab, lord)
    assert (d.gregorian, d.julian, d.date) == (gregorian, julian, gregorian)
    assert [d.baktun, d.katun, d.tun, d.uinal, d.kin] == [int(p) for p in long_count.split(".")]
    assert d.correlation == glyphbox.presets[correlation]
    # The same day from its dates, in both calendars, and from its JDN.
    assert glyphbox.day(gregorian, correlation=correlation) == d
    assert glyphbox.day(julian, correlation=correlation, calendar="julian").jdn == d.jdn
    assert glyphbox.Day.from_jdn(d.jdn, correlation=correlation) == d


@pytest.mark.parametrize("long_count", [v[0] for v in VECTORS])
def test_every_form_gives_the_same_values(long_count):
    """Each value the same as a Day attribute, a Values field and an array element."""
    correlation = dict((v[0], v[-1]) for v in VECTORS)[long_count]
    d = glyphbox.day(long_count, correlation=correlation)
    values = glyphbox.values_from_jdn(d.jdn, correlation=correlation)
    arrays = glyphbox.from_jdn([d.jdn], correlation=correlation)
    assert list(arrays) == list(FIELDS)
    for field in FIELDS:
        assert getattr(d, field) == getattr(values, field) == arrays[field][0], field


@pytest.mark.parametrize("count,since,station,quarter", STATIONS)
def test_819_day_count_examples(count, since, station, quarter):
    d = glyphbox.Day.from_day_count(count)
    assert (d.since_819, d.station_819, d.quarter_819) == (since, station, quarter)
    station_day = d - since
    assert f"{station_day.tzolkin} {station_day.haab}" == station
    assert (station_day.since_819, station_day.tzolkin_number) == (0, 1)


def test_temple_of_the_cross_is_read_in_the_era_before():
    with pytest.warns(UserWarning, match="era before 0.0.0.0.0, as -0.0.6.14.0"):
        d = glyphbox.day("12.19.13.4.0 8 Ahau 18 Zec")
    assert (d.day_count, d.long_count, d.sign) == (-2440, "-0.0.6.14.0", -1)
    assert (d.date, d.tzolkin, d.haab) == ("3121-12-05 BCE", "8 Ahau", "18 Tzec")


def test_modern_spelling_and_window_numbering():
    d = glyphbox.day("13.0.6.6.7", spelling="modern", haab_days="1-20")
    assert (d.tzolkin, d.haab, d.haab_month, d.haab_day) == ("3 Manik'", "20 Kumk'u", 18, 20)
    assert glyphbox.day("13.0.0.0.0", spelling="modern").haab == "3 K'ank'in"


def test_datetime_in_and_out():
    d = glyphbox.day(datetime.date(2012, 12, 21))
    assert d.long_count == "13.0.0.0.0" and d.to_date() == datetime.date(2012, 12, 21)
    assert d.weekday == "Friday"
    assert glyphbox.day("1-01-01").to_date() == datetime.date(1, 1, 1)
    assert glyphbox.day("9999-12-31").to_date() == datetime.date(9999, 12, 31)
