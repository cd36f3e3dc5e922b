"""Agreement with an independent library, Debian's python3-convertdate, on
100,000 random days from JDN 1 upward: the Tzolkin, the Haab and the Long
Count (which convertdate gives from 0.0.0.0.0 on), and the Gregorian and
Julian dates. Our side is converted in one call over an array.

The one difference known: convertdate truncates the Julian Date towards
zero, so for JDN 0 and every day before it (a Julian Date of -0.5 or less)
its Tzolkin and Haab are those of the day after. There the module is
checked against the facts sheet's rules instead."""

import numpy as np
import pytest

import glyphbox

convertdate = pytest.importorskip("convertdate")
from convertdate import gregorian, julian, mayan  # noqa: E402

GMT = 584283
DAYS = 100_000
LAST_JDN = 5_373_484  # 31 December 9999

TZOLKIN_INDEX = {name: (i + 1) % 20 for i, name in enumerate(mayan.TZOLKIN)}  # Imix' is 1
HAAB_MONTH = {name: i + 1 for i, name in enumerate(mayan.HAAB)}


def their_days(jdns):
    """convertdate's Tzolkin, Haab and Long Count of each JDN (its Julian
    Date is the JDN less half a day: midnight starting the civil day)."""
    tzolkin, haab, long_count = [], [], []
    for jdn in jdns:
        jd = jdn - 0.5
        number, name = mayan.to_tzolkin(jd)
        tzolkin.append((number, TZOLKIN_INDEX[name]))
        day, month = mayan.to_haab(jd)
        haab.append((HAAB_MONTH[month], day))
        long_count.append(mayan.from_jd(jd) if jdn >= GMT else None)
    return tzolkin, haab, long_count


def test_100000_random_days_agree_with_convertdate(rng):
    jdns = np.array(sorted(rng.randrange(1, LAST_JDN) for _ in range(DAYS)) + [1, GMT, GMT - 1])
    ours = glyphbox.from_jdn(jdns, fields=["long_count", "tzolkin", "haab"])
    tzolkin, haab, long_count = their_days(jdns.tolist())
    assert np.array_equal(np.column_stack([ours["tzolkin_number"], ours["tzolkin_name"]]), tzolkin)
    assert np.array_equal(np.column_stack([ours["haab_month"], ours["haab_day"]]), haab)
    counted = jdns >= GMT
    places = np.column_stack([ours[p] for p in ("baktun", "katun", "tun", "uinal", "kin")])
    assert np.array_equal(places[counted], [lc for lc in long_count if lc is not None])
    assert counted.sum() > DAYS // 2 and (~counted).sum() > DAYS // 20


def test_western_dates_agree_with_convertdate(rng):
    for jdn in (rng.randrange(1, LAST_JDN) for _ in range(5_000)):
        d = glyphbox.Day.from_jdn(jdn)
        for text, (year, month, day) in ((d.gregorian, gregorian.from_jd(jdn - 0.5)),
                                         (d.julian, julian.from_jd(jdn - 0.5))):
            era = "CE" if year >= 1 else "BCE"
            assert text == f"{year if year >= 1 else 1 - year}-{month:02}-{day:02} {era}", jdn


def facts_sheet(d):
    """The facts sheet's rules for day count d, with Python's floored %."""
    return ((d + 3) % 13 + 1, d % 20, (d + 348) % 365 // 20 + 1, (d + 348) % 365 % 20,
            (d - 1) % 9 + 1)


def test_before_jdn_0_convertdate_is_a_day_off_and_ours_keeps_the_rules(rng):
    jdns = np.array([0, -1, -584283] + [rng.randrange(-10**9, 1) for _ in range(5_000)])
    ours = glyphbox.from_jdn(jdns, fields=["tzolkin", "haab", "lord"])
    tzolkin, haab, _ = their_days(jdns.tolist())
    for i, jdn in enumerate(jdns.tolist()):
        values = (ours["tzolkin_number"][i], ours["tzolkin_name"][i], ours["haab_month"][i],
                  ours["haab_day"][i], ours["lord"][i])
        assert values == facts_sheet(jdn - GMT)
        # convertdate gives the next day's Tzolkin and Haab.
        assert tzolkin[i] + haab[i] == facts_sheet(jdn + 1 - GMT)[:4]
