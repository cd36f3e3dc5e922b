"""Glyphbox: dates of the Maya calendar and of the Western calendars.

The calendar library of glyphbox-cli for Python: every input form the
command line reads, every value it writes, the search for inscriptions'
dates, distance numbers, and the same cycles over NumPy arrays. Long
Counts are read at face value under a correlation (the JDN of 0.0.0.0.0),
"gmt" (584283) unless another is named.

Days
    day(text, correlation="gmt", calendar="gregorian") -> Day
        text is "2000-01-01", "3114-08-11 BCE", "9.12.11.5.18",
        "9.12.11.5.18 6 Etznab 11 Yax", "JDN 2451545", "today", or a
        datetime.date. Day.from_jdn(n) and Day.from_day_count(d) take
        numbers.
    Day
        .long_count '9.12.11.5.18', .baktun ... .kin, .sign
        .tzolkin '6 Etznab', .tzolkin_number, .tzolkin_name (0 = Ahau)
        .haab '11 Yax', .haab_month (1 = Pop), .haab_day
        .lord 1 to 9 (G1 to G9), .bearer, .bearer_number, .bearer_name
        .since_819, .station_819, .quarter_819, .number_819
        .jdn, .day_count, .correlation
        .date (in the day's calendar), .gregorian, .julian, .historical,
        .weekday, .to_date(), .fields (every column glyphbox-cli writes)
        .svg(): the day in bars and dots, as a stela's column
        str(day) is glyphbox-cli's line; a notebook draws the day.
    Correlation, presets
        presets maps each preset's name to its Correlation.
    Distance
        "+2.5.3": day + Distance("+2.5.3"), day_b - day_a.

Inscriptions
    find(pattern, correlation="gmt", start=, end=, after=, before=)
        an iterator of the Days that match "9.*.*.*.* 8 Ahau 13 Pop".
    count(pattern, ...) how many match.
    add(date, *distances) the days reached; diff(a, b) -> Distance.
    inscription(text, correlation="gmt") checks a worksheet, a date or
        distance number a line with the clues recorded for each: a list of
        WorksheetLine, with the day each reaches and a Clue for each clue.

Arrays
    from_jdn(jdns, correlation="gmt", fields=None) -> dict of arrays:
        baktun, katun, tun, uinal, kin, sign, tzolkin_number,
        tzolkin_name, haab_month, haab_day, lord, bearer_number,
        bearer_name, since_819, quarter_819, number_819.
    from_day_count(day_counts, fields=None) the same for day counts.
    values_from_jdn(jdn, correlation="gmt") -> Values, the same fields
        for one day as a named tuple: the quick way through a loop.

Every refused input raises ValueError with glyphbox-cli's message.

>>> import glyphbox
>>> d = glyphbox.day("683-08-29")
>>> d.long_count, d.tzolkin, d.haab, d.lord
('9.12.11.5.18', '6 Etznab', '11 Yax', 1)
>>> str(d + glyphbox.Distance("+2.5.3"))
'685-11-29 CE  9.12.13.11.1  10 Imix  4 Muan  G5'
"""

import types as _types

from ._glyphbox import (
    Clue,
    Correlation,
    Day,
    Distance,
    Search,
    Values,
    WorksheetLine,
    __version__,
    add,
    count,
    day,
    diff,
    find,
    from_day_count,
    inscription,
    from_jdn,
    values_from_jdn,
)
from ._glyphbox import presets as _presets

presets = _types.MappingProxyType(_presets)
"""The preset correlations by name, gmt first: a read-only mapping."""

__all__ = [
    "Clue",
    "Correlation",
    "Day",
    "Distance",
    "Search",
    "Values",
    "WorksheetLine",
    "add",
    "count",
    "day",
    "diff",
    "find",
    "from_day_count",
    "from_jdn",
    "inscription",
    "presets",
    "values_from_jdn",
]
