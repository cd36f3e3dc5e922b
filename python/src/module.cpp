// The Python module glyphbox (its compiled part, glyphbox._glyphbox): the
// maya and rows libraries in Python's conventions. Every refusal is a
// ValueError worded as glyphbox-cli words it; a wrong type is a TypeError.
// The package's __init__.py re-exports these names; help(glyphbox) reads the
// docstrings written here.

#include "columns.h"
#include "values.h"

#include <glyphbox/maya/cycles.h>
#include <glyphbox/maya/long_count.h>
#include <glyphbox/maya/pattern_text.h>
#include <glyphbox/maya/search.h>
#include <glyphbox/rows/inputs.h>
#include <glyphbox/rows/worksheet.h>
#include <glyphbox/rows/writer.h>

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <algorithm>
#include <limits>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace py = pybind11;

namespace glyphbox::python {
namespace {

using maya::Correlation;

// A distance in days, as add and diff read and write it ("+2.5.3").
struct Distance {
  std::int64_t days = 0;
};

constexpr const char* kDefaultCorrelation = "gmt";
constexpr const char* kDefaultCalendar = "gregorian";
constexpr const char* kDefaultSpelling = "colonial";
constexpr const char* kDefaultHaabDays = "0-19";

// Python's warning for a note glyphbox-cli writes on standard error.
void warn(const std::string& note) {
  if (!note.empty() && PyErr_WarnEx(PyExc_UserWarning, note.c_str(), 2) != 0) {
    throw py::error_already_set(); // warnings turned into errors
  }
}

bool isInt(const py::handle& h) {
  return py::isinstance<py::int_>(h) && !py::isinstance<py::bool_>(h);
}

Correlation correlationArg(const py::handle& h) {
  if (py::isinstance<Correlation>(h)) {
    return h.cast<Correlation>();
  }
  if (py::isinstance<py::str>(h)) {
    return correlationOf(h.cast<std::string>());
  }
  if (isInt(h)) {
    try {
      return correlationOf(h.cast<std::int64_t>());
    } catch (const py::cast_error&) { // beyond 64 bits
      throw Refusal(rows::unknownCorrelationMessage(py::str(h).cast<std::string>(), false));
    }
  }
  throw py::type_error("correlation: a preset's name, a whole number (the JDN of 0.0.0.0.0) "
                       "or a glyphbox.Correlation, not " +
                       py::str(py::type::of(h).attr("__name__")).cast<std::string>());
}

Settings settingsOf(const py::handle& correlation, std::string_view calendar,
                    std::string_view spelling, std::string_view haabDays) {
  // The settings of the last call, by the correlation object and the three
  // texts: nearly every call passes the same ones (the defaults, most of all),
  // and reading them again costs more than the conversion itself. The cache
  // holds the correlation object, so that its identity cannot pass to another;
  // it is never destroyed, as Python may be gone by the time statics are.
  static auto& lastCorrelation = *new py::object();
  static std::string lastTexts;
  static Settings last;
  const std::string texts =
      std::string(calendar) + '\n' + std::string(spelling) + '\n' + std::string(haabDays);
  if (lastCorrelation.ptr() != correlation.ptr() || lastTexts != texts) {
    last = {correlationArg(correlation), calendarOf(calendar), spellingOf(spelling),
            numberingOf(haabDays)};
    lastCorrelation = py::reinterpret_borrow<py::object>(correlation);
    lastTexts = texts;
  }
  return last;
}

py::object dateType() { return py::module_::import("datetime").attr("date"); }

// The JDN of a datetime.date, whose calendar is the proleptic Gregorian.
std::int64_t jdnOfDate(const py::handle& date) {
  return maya::toJdn({date.attr("year").cast<std::int64_t>(), date.attr("month").cast<int>(),
                      date.attr("day").cast<int>()},
                     maya::Calendar::Gregorian)
      .value;
}

[[noreturn]] void refuseType(std::string_view what, const py::handle& h) {
  throw py::type_error(std::string(what) +
                       ": a date, Long Count or JDN as text, a glyphbox.Day or a "
                       "datetime.date, not " +
                       py::str(py::type::of(h).attr("__name__")).cast<std::string>());
}

// The day an argument names under the settings: any input form as text, a
// Day (the same JDN), or a datetime.date.
Day dayArg(const py::handle& h, const Settings& s, std::string_view what) {
  if (py::isinstance<py::str>(h)) {
    DayOfText read = dayOfText(h.cast<std::string>(), s, what);
    warn(read.note);
    return read.day;
  }
  if (py::isinstance<Day>(h)) {
    const std::int64_t jdn = h.cast<Day>().jdn();
    return checkedDay(jdn - s.correlation.jdn, s, what, "JDN " + std::to_string(jdn));
  }
  if (!py::isinstance(h, dateType())) {
    refuseType(what, h);
  }
  return checkedDay(jdnOfDate(h) - s.correlation.jdn, s, what, py::str(h).cast<std::string>());
}

// The day number alone, for the bounds of a search: its date need not exist.
std::int64_t dayNumberArg(const py::handle& h, const Settings& s, std::string_view what) {
  if (!py::isinstance<py::str>(h)) {
    return dayArg(h, s, what).count;
  }
  const std::string text = h.cast<std::string>();
  const rows::DayNumber n = rows::readDayNumber(text, s.conversion());
  if (!n.day) {
    throw refusal(what, text, n.problem);
  }
  if (n.eraBefore) {
    warn(std::string(what) + " \"" + maya::shown(text) + "\": " + rows::eraBeforeNote(*n.day));
  }
  return *n.day;
}

Distance distanceArg(const py::handle& h) {
  if (py::isinstance<Distance>(h)) {
    return h.cast<Distance>();
  }
  if (isInt(h)) {
    try {
      return {h.cast<std::int64_t>()};
    } catch (const py::cast_error&) { // beyond 64 bits
      maya::ParsedLongCount tooLarge;
      tooLarge.error = maya::LongCountError::TooLarge;
      throw refusal("distance", py::str(h).cast<std::string>(),
                    maya::longCountErrorMessage(tooLarge));
    }
  }
  if (py::isinstance<py::str>(h)) {
    const std::string text = h.cast<std::string>();
    const maya::DistanceReading r = maya::readDistance(text);
    if (!r.days) {
      throw refusal("distance", text, r.problem);
    }
    return {*r.days};
  }
  throw py::type_error("distance: a distance such as '+2.5.3' or '-823d', a number of days or a "
                       "glyphbox.Distance, not " +
                       py::str(py::type::of(h).attr("__name__")).cast<std::string>());
}

// The day `days` after day, refused as glyphbox-cli add refuses a distance
// that leads out of the calendars' years.
Day moved(const Day& day, std::int64_t days, std::string_view what, std::string_view shown) {
  std::int64_t count = 0;
  if (__builtin_add_overflow(day.count, days, &count)) {
    count = std::numeric_limits<std::int64_t>::max();
  }
  return checkedDay(count, day.settings, what, shown);
}

std::string wordsOf(const py::handle& pattern) {
  if (py::isinstance<py::str>(pattern)) {
    return pattern.cast<std::string>();
  }
  std::string words;
  for (const py::handle word : pattern) {
    words.append(words.empty() ? "" : " ").append(word.cast<std::string>());
  }
  return words;
}

// Compares, hashes and orders a value class by key(value), a tuple or a
// number: a value compared with anything else gives NotImplemented, as
// Python's own values do.
template <class T, class Key> void bindValue(py::class_<T>& cls, Key key) {
  cls.def(
         "__eq__", [key](const T& a, const T& b) { return key(a) == key(b); }, py::is_operator())
      .def(
          "__ne__", [key](const T& a, const T& b) { return key(a) != key(b); }, py::is_operator())
      .def(
          "__lt__", [key](const T& a, const T& b) { return key(a) < key(b); }, py::is_operator())
      .def(
          "__le__", [key](const T& a, const T& b) { return key(a) <= key(b); }, py::is_operator())
      .def(
          "__gt__", [key](const T& a, const T& b) { return key(a) > key(b); }, py::is_operator())
      .def(
          "__ge__", [key](const T& a, const T& b) { return key(a) >= key(b); }, py::is_operator())
      .def("__hash__", [key](const T& v) { return py::hash(py::cast(key(v))); });
}

// --- Day ------------------------------------------------------------------

std::string reprOf(const Day& d) {
  const maya::Tzolkin t = maya::tzolkinOf(d.count);
  const maya::Haab h = maya::haabOf(d.count, d.settings.numbering);
  const std::string text =
      maya::longCountText(d.count) + " " + tzolkinText(t, d.settings.spelling) + " " +
      haabText(h, d.settings.spelling) + " G" + std::to_string(maya::lordOfTheNight(d.count));
  const Correlation& c = d.settings.correlation;
  std::string repr = "glyphbox.Day(" + py::repr(py::str(text)).cast<std::string>() +
                     ", correlation=" +
                     (c.name.empty() ? std::to_string(c.jdn)
                                     : py::repr(py::str(std::string(c.name))).cast<std::string>());
  if (d.settings.calendar != maya::Calendar::Gregorian) {
    repr += ", calendar='" + std::string(rows::calendarName(d.settings.calendar)) + "'";
  }
  if (d.settings.spelling != maya::Spelling::Colonial) {
    repr += ", spelling='" + std::string(spellingName(d.settings.spelling)) + "'";
  }
  if (d.settings.numbering != maya::HaabNumbering::Seating0) {
    repr += ", haab_days='" + std::string(numberingName(d.settings.numbering)) + "'";
  }
  return repr + ")";
}

// The columns that may be empty, which Python gives as None.
bool nullable(const rows::ColumnInfo& c) {
  return c.json == rows::JsonKind::NullableNumber || c.json == rows::JsonKind::NullableString;
}

py::object fieldOrNone(const Day& d, rows::Column column) {
  const auto i = static_cast<std::size_t>(column);
  std::string text = fieldOf(d, column);
  if (text.empty() && nullable(rows::kColumns[i])) {
    return py::none();
  }
  return py::str(text);
}

py::dict fieldsDict(const Day& d) {
  const auto fields = fieldsOf(d);
  py::dict out;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const rows::ColumnInfo& c = rows::kColumns[i];
    out[py::str(std::string(c.name))] =
        fields[i].empty() && nullable(c) ? py::object(py::none()) : py::object(py::str(fields[i]));
  }
  return out;
}

py::object toDate(const Day& d) {
  const auto date = maya::fromJdn(d.jdn(), maya::Calendar::Gregorian);
  constexpr std::int64_t kFirstYear = 1;   // datetime.MINYEAR
  constexpr std::int64_t kLastYear = 9999; // datetime.MAXYEAR
  if (!date || date.value.year < kFirstYear || date.value.year > kLastYear) {
    const py::object text = fieldOrNone(d, rows::Column::Gregorian);
    throw Refusal("the day's Gregorian date, " +
                  (text.is_none() ? std::string("none") : text.cast<std::string>()) +
                  ", lies outside the years of datetime.date, 1 to 9999");
  }
  return dateType()(date.value.year, date.value.month, date.value.day);
}

void bindDay(py::module_& m) {
  py::class_<Day> cls(m, "Day", R"doc(A day of the Maya calendar and of the Western calendars.

Day(text, correlation="gmt", calendar="gregorian", spelling="colonial", haab_days="0-19")

text is any input glyphbox-cli reads: a date "YEAR-MONTH-DAY" with an
optional "CE" or "BCE", a Long Count such as "9.12.11.5.18" (at face
value; with what the monument records for the day, "9.12.11.5.18 6 Etznab
11 Yax", it may name a day of the era before 0.0.0.0.0, and a warning
says so), "JDN 2451545" or "today". It may also be a datetime.date (the
proleptic Gregorian calendar) or another Day (the same JDN).

correlation is a preset's name (see glyphbox.presets), a whole number (the
JDN of 0.0.0.0.0) or a glyphbox.Correlation; calendar ("gregorian",
"julian" or "historical") is the calendar dates are read and written in,
spelling ("colonial" or "modern") that of the names written, haab_days
("0-19" or "1-20") the numbering of the Haab's days. A refused input
raises ValueError with glyphbox-cli's message.

A Day is an immutable value: equal days have equal hashes, and days sort
in time (by JDN). day + n and day - n move it by n days (an int or a
glyphbox.Distance), day - other is the glyphbox.Distance between them.
str(day) is glyphbox-cli's line for it; in a notebook it draws itself in
bars and dots.)doc");
  cls.def(py::init([](const py::object& text, const py::object& correlation,
                      const std::string& calendar, const std::string& spelling,
                      const std::string& haabDays) {
            return dayArg(text, settingsOf(correlation, calendar, spelling, haabDays), "input");
          }),
          py::arg("text"), py::arg("correlation") = kDefaultCorrelation,
          py::arg("calendar") = kDefaultCalendar, py::arg("spelling") = kDefaultSpelling,
          py::arg("haab_days") = kDefaultHaabDays)
      .def_static(
          "from_jdn",
          [](std::int64_t jdn, const py::object& correlation, const std::string& calendar,
             const std::string& spelling, const std::string& haabDays) {
            return dayOfJdn(jdn, settingsOf(correlation, calendar, spelling, haabDays));
          },
          py::arg("jdn"), py::arg("correlation") = kDefaultCorrelation,
          py::arg("calendar") = kDefaultCalendar, py::arg("spelling") = kDefaultSpelling,
          py::arg("haab_days") = kDefaultHaabDays,
          "The day of a Julian Day Number, as glyphbox-cli reads \"JDN n\".")
      .def_static(
          "from_day_count",
          [](std::int64_t count, const py::object& correlation, const std::string& calendar,
             const std::string& spelling, const std::string& haabDays) {
            return dayOfCount(count, settingsOf(correlation, calendar, spelling, haabDays));
          },
          py::arg("day_count"), py::arg("correlation") = kDefaultCorrelation,
          py::arg("calendar") = kDefaultCalendar, py::arg("spelling") = kDefaultSpelling,
          py::arg("haab_days") = kDefaultHaabDays,
          "The day day_count days after 0.0.0.0.0 (before it when negative).")
      // The day itself.
      .def_property_readonly("jdn", &Day::jdn,
                             "The Julian Day Number: the day count plus the correlation.")
      .def_property_readonly(
          "day_count", [](const Day& d) { return d.count; },
          "Days since 0.0.0.0.0, negative before it.")
      .def_property_readonly(
          "correlation", [](const Day& d) { return d.settings.correlation; },
          "The glyphbox.Correlation the day is read under.")
      .def_property_readonly(
          "calendar",
          [](const Day& d) { return std::string(rows::calendarName(d.settings.calendar)); },
          "The calendar of date: gregorian, julian or historical.")
      .def_property_readonly(
          "spelling", [](const Day& d) { return std::string(spellingName(d.settings.spelling)); },
          "The spelling of the names: colonial or modern.")
      .def_property_readonly(
          "haab_days",
          [](const Day& d) { return std::string(numberingName(d.settings.numbering)); },
          "The numbering of the Haab's days: 0-19 (the seating is 0) or 1-20.")
      // The Long Count.
      .def_property_readonly(
          "long_count", [](const Day& d) { return maya::longCountText(d.count); },
          "The Long Count, as glyphbox-cli writes it: '9.12.11.5.18', '-0.0.6.14.0'.")
      .def_property_readonly(
          "baktun",
          [](const Day& d) { return maya::splitLongCount(d.count, maya::kDatePlaces).value[0]; },
          "The baktun of the Long Count of |day_count| (any size).")
      .def_property_readonly(
          "katun",
          [](const Day& d) { return maya::splitLongCount(d.count, maya::kDatePlaces).value[1]; },
          "The katun, 0 to 19.")
      .def_property_readonly(
          "tun",
          [](const Day& d) { return maya::splitLongCount(d.count, maya::kDatePlaces).value[2]; },
          "The tun, 0 to 19.")
      .def_property_readonly(
          "uinal",
          [](const Day& d) { return maya::splitLongCount(d.count, maya::kDatePlaces).value[3]; },
          "The uinal, 0 to 17.")
      .def_property_readonly(
          "kin",
          [](const Day& d) { return maya::splitLongCount(d.count, maya::kDatePlaces).value[4]; },
          "The kin, 0 to 19.")
      .def_property_readonly(
          "sign", [](const Day& d) { return d.count < 0 ? -1 : 1; },
          "-1 before 0.0.0.0.0, else 1: day_count = sign * (baktun * 144000 + katun * 7200 + "
          "tun * 360 + uinal * 20 + kin).")
      // The Calendar Round and the Lords of the Night.
      .def_property_readonly(
          "tzolkin",
          [](const Day& d) { return tzolkinText(maya::tzolkinOf(d.count), d.settings.spelling); },
          "The Tzolkin date: '6 Etznab'.")
      .def_property_readonly(
          "tzolkin_number", [](const Day& d) { return maya::tzolkinOf(d.count).number; },
          "The Tzolkin number, 1 to 13.")
      .def_property_readonly(
          "tzolkin_name", [](const Day& d) { return maya::tzolkinOf(d.count).name; },
          "The Tzolkin day name's index, 0 (Ahau) to 19 (Caunac).")
      .def_property_readonly(
          "haab",
          [](const Day& d) {
            return haabText(maya::haabOf(d.count, d.settings.numbering), d.settings.spelling);
          },
          "The Haab date: '11 Yax'.")
      .def_property_readonly(
          "haab_month",
          [](const Day& d) { return maya::haabOf(d.count, d.settings.numbering).month; },
          "The Haab month, 1 (Pop) to 19 (Uayeb).")
      .def_property_readonly(
          "haab_day", [](const Day& d) { return maya::haabOf(d.count, d.settings.numbering).day; },
          "The day of the Haab month: 0 to 19 (Uayeb 0 to 4), or 1 to 20 with haab_days='1-20'.")
      .def_property_readonly(
          "lord", [](const Day& d) { return maya::lordOfTheNight(d.count); },
          "The Lord of the Night, 1 to 9 for G1 to G9.")
      .def_property_readonly(
          "bearer",
          [](const Day& d) {
            return tzolkinText(maya::yearBearerOf(d.count), d.settings.spelling);
          },
          "The year bearer: the Tzolkin date of the latest 0 Pop on or before the day.")
      .def_property_readonly(
          "bearer_number", [](const Day& d) { return maya::yearBearerOf(d.count).number; },
          "The year bearer's Tzolkin number, 1 to 13.")
      .def_property_readonly(
          "bearer_name", [](const Day& d) { return maya::yearBearerOf(d.count).name; },
          "The year bearer's day name index, 0 to 19.")
      // The 819-day count.
      .def_property_readonly(
          "since_819", [](const Day& d) { return maya::station819Of(d.count).since; },
          "Days since the day's station of the 819-day count, 0 to 818.")
      .def_property_readonly(
          "station_819",
          [](const Day& d) {
            return maya::calendarRoundText(maya::station819Of(d.count).day, d.settings.spelling,
                                           d.settings.numbering);
          },
          "The Calendar Round of that station: '1 Chicchan 8 Yax'.")
      .def_property_readonly(
          "quarter_819",
          [](const Day& d) { return static_cast<int>(maya::station819Of(d.count).quarter); },
          "The station's quarter: 0 East (red), 1 South (yellow), 2 West (black), 3 North "
          "(white).")
      .def_property_readonly(
          "number_819", [](const Day& d) { return maya::station819Of(d.count).number; },
          "The station's place among the 20 stations of 16,380 days, 1 to 20.")
      // The Western calendars.
      .def_property_readonly(
          "date", [](const Day& d) { return fieldOrNone(d, rows::Column::Date); },
          "The date in the day's calendar, as glyphbox-cli writes it: '683-08-29 CE'.")
      .def_property_readonly(
          "gregorian", [](const Day& d) { return fieldOrNone(d, rows::Column::Gregorian); },
          "The date in the proleptic Gregorian calendar, or None beyond its years.")
      .def_property_readonly(
          "julian", [](const Day& d) { return fieldOrNone(d, rows::Column::Julian); },
          "The date in the proleptic Julian calendar, or None beyond its years.")
      .def_property_readonly(
          "historical", [](const Day& d) { return fieldOrNone(d, rows::Column::Historical); },
          "The date in the historical calendar (Julian to 4 October 1582, then Gregorian).")
      .def_property_readonly(
          "weekday", [](const Day& d) { return fieldOrNone(d, rows::Column::Weekday); },
          "The day of the week: 'Friday'.")
      .def_property_readonly("fields", &fieldsDict,
                             "Every column glyphbox-cli writes (glyphbox-cli --fields help), by "
                             "name, as it writes it; None where it writes nothing.")
      .def("to_date", &toDate,
           "The day as a datetime.date (proleptic Gregorian); ValueError outside its years 1 to "
           "9999.")
      .def(
          "svg", [](const Day& d) { return svgOf(d); },
          "The day drawn as a stela's Initial Series column, in bars and dots: an SVG "
          "document, as glyphbox-cli draw writes it.")
      .def("_repr_svg_", [](const Day& d) { return svgOf(d); })
      .def("__repr__", &reprOf)
      .def("__str__", &plainLineOf)
      .def(
          "__add__",
          [](const Day& d, const py::object& n) {
            const Distance distance = distanceArg(n);
            return moved(d, distance.days, "distance", maya::distanceText(distance.days));
          },
          py::is_operator())
      .def(
          "__radd__",
          [](const Day& d, const py::object& n) {
            const Distance distance = distanceArg(n);
            return moved(d, distance.days, "distance", maya::distanceText(distance.days));
          },
          py::is_operator())
      .def(
          "__sub__", [](const Day& a, const Day& b) { return Distance{a.jdn() - b.jdn()}; },
          py::is_operator())
      .def(
          "__sub__",
          [](const Day& d, const py::object& n) {
            const Distance distance = distanceArg(n);
            if (distance.days == std::numeric_limits<std::int64_t>::min()) {
              return moved(d, std::numeric_limits<std::int64_t>::max(), "distance", "-");
            }
            return moved(d, -distance.days, "distance", maya::distanceText(-distance.days));
          },
          py::is_operator())
      .def(py::pickle(
          [](const Day& d) {
            return py::make_tuple(d.count, d.settings.correlation.jdn,
                                  static_cast<int>(d.settings.calendar),
                                  std::string(spellingName(d.settings.spelling)),
                                  std::string(numberingName(d.settings.numbering)));
          },
          [](const py::tuple& t) {
            const Settings s{correlationOf(t[1].cast<std::int64_t>()),
                             static_cast<maya::Calendar>(t[2].cast<int>()),
                             spellingOf(t[3].cast<std::string>()),
                             numberingOf(t[4].cast<std::string>())};
            return Day{t[0].cast<std::int64_t>(), s};
          }));
  bindValue(cls, [](const Day& d) { return d.key(); });
}

// --- Correlation and Distance ---------------------------------------------

void bindCorrelation(py::module_& m) {
  py::class_<Correlation> cls(m, "Correlation", R"doc(A correlation: the JDN of 0.0.0.0.0.

Correlation(name_or_jdn): a preset's name, in any letter case ("gmt",
"lounsbury", ...; see glyphbox.presets) or a whole number. A number equal
to a preset's is that preset. str() gives "gmt 584283", as glyphbox-cli
writes it; int() the JDN. Correlations compare, hash and sort by their
JDN.)doc");
  cls.def(py::init([](const py::object& nameOrJdn) { return correlationArg(nameOrJdn); }),
          py::arg("name_or_jdn"))
      .def_property_readonly(
          "name",
          [](const Correlation& c) -> py::object {
            return c.name.empty() ? py::object(py::none()) : py::str(std::string(c.name));
          },
          "The preset's name, or None for a number that is no preset.")
      .def_property_readonly(
          "jdn", [](const Correlation& c) { return c.jdn; }, "The JDN of 0.0.0.0.0.")
      .def_property_readonly(
          "note",
          [](const Correlation& c) -> py::object {
            return c.note.empty() ? py::object(py::none()) : py::str(std::string(c.note));
          },
          "Who proposed it and why, or None for a number that is no preset.")
      .def("__int__", [](const Correlation& c) { return c.jdn; })
      .def("__index__", [](const Correlation& c) { return c.jdn; })
      .def("__str__", &correlationLabel)
      .def("__repr__",
           [](const Correlation& c) {
             return "glyphbox.Correlation(" +
                    (c.name.empty() ? std::to_string(c.jdn)
                                    : py::repr(py::str(std::string(c.name))).cast<std::string>()) +
                    ")";
           })
      .def(py::pickle([](const Correlation& c) { return py::make_tuple(c.jdn); },
                      [](const py::tuple& t) { return correlationOf(t[0].cast<std::int64_t>()); }));
  bindValue(cls, [](const Correlation& c) { return c.jdn; });
}

void bindDistance(py::module_& m) {
  py::class_<Distance> cls(m, "Distance", R"doc(A distance in days, as inscriptions write it.

Distance(text_or_days): "+2.5.3" or "-1.0.0" (largest place first, as a
Long Count), "-823d" (in days), or an int. str() gives "+2.5.3", as
glyphbox-cli diff writes it; int() and .days the number of days. Distances
compare, hash and sort by their days.)doc");
  cls.def(py::init([](const py::object& textOrDays) { return distanceArg(textOrDays); }),
          py::arg("text_or_days"))
      .def_property_readonly(
          "days", [](const Distance& d) { return d.days; }, "The distance in days.")
      .def("__int__", [](const Distance& d) { return d.days; })
      .def("__index__", [](const Distance& d) { return d.days; })
      .def("__str__", [](const Distance& d) { return maya::distanceText(d.days); })
      .def("__repr__",
           [](const Distance& d) {
             return "glyphbox.Distance('" + maya::distanceText(d.days) + "')";
           })
      .def("__neg__",
           [](const Distance& d) {
             return Distance{d.days == std::numeric_limits<std::int64_t>::min() ? d.days : -d.days};
           })
      .def(py::pickle([](const Distance& d) { return py::make_tuple(d.days); },
                      [](const py::tuple& t) { return Distance{t[0].cast<std::int64_t>()}; }));
  bindValue(cls, [](const Distance& d) { return d.days; });
}

// --- find, count, add, diff ------------------------------------------------

// The days that match a pattern, one at a time: upwards through a range, or
// from a day on in either direction.
struct Search {
  maya::Matcher matcher;
  Settings settings;
  std::int64_t cursor = 0; // the next day to look at
  std::int64_t bound = 0;  // the last day of the range, inclusive
  bool downwards = false;
  bool done = false;

  Day next() {
    const std::optional<std::int64_t> m = done        ? std::nullopt
                                          : downwards ? maya::prev(matcher, cursor)
                                                      : maya::next(matcher, cursor);
    if (!m || (downwards ? *m < bound : *m > bound)) {
      done = true;
      throw py::stop_iteration();
    }
    cursor = downwards ? *m - 1 : *m + 1;
    try {
      return checkedDay(*m, settings, "day", maya::longCountText(*m));
    } catch (const Refusal&) { // the days beyond lie outside the calendars too
      done = true;
      throw py::stop_iteration();
    }
  }
};

maya::Matcher matcherOf(const py::handle& pattern, const Settings& s) {
  const std::string words = wordsOf(pattern);
  maya::SearchPattern read = maya::readSearchPattern(words, s.numbering);
  if (read.eraBefore) {
    warn("pattern \"" + maya::shown(words) + "\": " + rows::eraBeforeNote(*read.eraBefore));
  }
  if (!read.matcher) {
    throw refusal("pattern", words, read.problem);
  }
  return std::move(*read.matcher);
}

// The range start to end (either may be None), within the pattern's own.
maya::DayRange rangeOf(const maya::Matcher& matcher, const Settings& s, const py::object& start,
                       const py::object& end) {
  maya::DayRange range = maya::searchRange(matcher.pattern());
  if (!start.is_none()) {
    range.first = dayNumberArg(start, s, "start");
  }
  if (!end.is_none()) {
    range.last = dayNumberArg(end, s, "end");
  }
  if (range.first > range.last) {
    throw Refusal("the range is empty: start " + maya::shown(py::str(start).cast<std::string>()) +
                  " lies after end " + maya::shown(py::str(end).cast<std::string>()));
  }
  return range;
}

Search find(const py::object& pattern, const py::object& correlation, const std::string& calendar,
            const std::string& spelling, const std::string& haabDays, const py::object& start,
            const py::object& end, const py::object& after, const py::object& before) {
  const Settings s = settingsOf(correlation, calendar, spelling, haabDays);
  Search search{matcherOf(pattern, s), s};
  const int ways = (start.is_none() && end.is_none() ? 0 : 1) + (after.is_none() ? 0 : 1) +
                   (before.is_none() ? 0 : 1);
  if (ways > 1) {
    throw Refusal("find takes a range (start, end), or after, or before");
  }
  if (!after.is_none()) {
    search.cursor = dayNumberArg(after, s, "after") + 1;
    search.bound = maya::kSearchLimit;
  } else if (!before.is_none()) {
    search.cursor = dayNumberArg(before, s, "before") - 1;
    search.bound = -maya::kSearchLimit;
    search.downwards = true;
  } else {
    const maya::DayRange range = rangeOf(search.matcher, s, start, end);
    search.cursor = range.first;
    search.bound = range.last;
  }
  return search;
}

std::int64_t countMatches(const py::object& pattern, const py::object& correlation,
                          const std::string& haabDays, const py::object& start,
                          const py::object& end) {
  const Settings s = settingsOf(correlation, kDefaultCalendar, kDefaultSpelling, haabDays);
  const maya::Matcher matcher = matcherOf(pattern, s);
  return maya::count(matcher, rangeOf(matcher, s, start, end));
}

std::vector<Day> add(const py::object& date, const py::args& distances,
                     const py::object& correlation, const std::string& calendar,
                     const std::string& spelling, const std::string& haabDays) {
  const Settings s = settingsOf(correlation, calendar, spelling, haabDays);
  Day day = dayArg(date, s, "date");
  std::vector<Day> reached;
  for (const py::handle d : distances) {
    const Distance distance = distanceArg(d);
    day = moved(day, distance.days, "distance",
                py::isinstance<py::str>(d) ? d.cast<std::string>()
                                           : maya::distanceText(distance.days));
    reached.push_back(day);
  }
  return reached;
}

Distance diff(const py::object& a, const py::object& b, const py::object& correlation,
              const std::string& calendar, const std::string& haabDays) {
  const Settings s = settingsOf(correlation, calendar, kDefaultSpelling, haabDays);
  const std::int64_t first = dayNumberArg(a, s, "date");
  return Distance{dayNumberArg(b, s, "date") - first};
}

// --- the NumPy functions ---------------------------------------------------

using Int64Array = py::array_t<std::int64_t, py::array::c_style | py::array::forcecast>;
using Int32Array = py::array_t<std::int32_t, py::array::c_style>;

// Which groups of values `fields` asks for: all when None.
std::array<bool, kColumnGroupNames.size()> groupsOf(const py::object& fields) {
  std::array<bool, kColumnGroupNames.size()> wanted{};
  if (fields.is_none()) {
    wanted.fill(true);
    return wanted;
  }
  if (py::isinstance<py::str>(fields)) {
    throw py::type_error("fields: a list of names such as ['long_count', 'tzolkin'], not a str");
  }
  for (const py::handle f : fields) {
    const std::string name = f.cast<std::string>();
    const auto found = std::find(kColumnGroupNames.begin(), kColumnGroupNames.end(), name);
    if (found == kColumnGroupNames.end()) {
      std::string list;
      for (const std::string_view n : kColumnGroupNames) {
        list.append(list.empty() ? "" : ",").append(n);
      }
      throw Refusal("fields: " + maya::shown(name) + " not in {" + list + "}");
    }
    wanted[static_cast<std::size_t>(found - kColumnGroupNames.begin())] = true;
  }
  return wanted;
}

// The arrays of every value of the days values - offset, shaped as values.
py::dict columnsOf(const py::object& input, std::int64_t offset, const py::object& fields,
                   const char* what) {
  const py::array array = py::array::ensure(input);
  if (!array) {
    throw py::error_already_set();
  }
  const char kind = array.dtype().kind();
  if (kind != 'i' && kind != 'u' && array.size() > 0) { // [] is an array of floats
    throw py::type_error(std::string(what) + ": an array of whole numbers, not of " +
                         py::str(array.dtype()).cast<std::string>());
  }
  if (kind == 'u' && array.itemsize() == 8 && array.size() > 0 &&
      array.attr("max")().cast<std::uint64_t>() >
          static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
    throw Refusal(std::string(what) + ": a value beyond 64 bits; at most " +
                  std::to_string(maya::kMaxDayNumber) + " either way");
  }
  const Int64Array values = Int64Array::ensure(array); // an empty one of any kind too
  const std::vector<py::ssize_t> shape(array.shape(), array.shape() + array.ndim());
  const auto wanted = groupsOf(fields);
  py::dict out;
  DayColumns c;
  const auto column = [&](const char* name, auto*& pointer) {
    using T = std::remove_pointer_t<std::remove_reference_t<decltype(pointer)>>;
    py::array_t<T, py::array::c_style> a(shape);
    pointer = a.mutable_data();
    out[name] = a;
  };
  using enum ColumnGroup;
  const auto asked = [&](ColumnGroup g) { return wanted[static_cast<std::size_t>(g)]; };
  if (asked(LongCount)) {
    column("baktun", c.baktun);
    column("katun", c.katun);
    column("tun", c.tun);
    column("uinal", c.uinal);
    column("kin", c.kin);
    column("sign", c.sign);
  }
  if (asked(Tzolkin)) {
    column("tzolkin_number", c.tzolkinNumber);
    column("tzolkin_name", c.tzolkinName);
  }
  if (asked(Haab)) {
    column("haab_month", c.haabMonth);
    column("haab_day", c.haabDay);
  }
  if (asked(Lord)) {
    column("lord", c.lord);
  }
  if (asked(Bearer)) {
    column("bearer_number", c.bearerNumber);
    column("bearer_name", c.bearerName);
  }
  if (asked(Count819)) {
    column("since_819", c.since819);
    column("quarter_819", c.quarter819);
    column("number_819", c.number819);
  }
  const auto n = static_cast<std::size_t>(values.size());
  std::size_t refused = n;
  {
    const py::gil_scoped_release release;
    refused = fillDayColumns(values.data(), n, offset, c);
  }
  if (refused < n) {
    throw Refusal(std::string(what) + ": the value at index " + std::to_string(refused) + ", " +
                  std::to_string(values.data()[refused]) + ", is out of range; at most " +
                  std::to_string(maya::kMaxDayNumber) + " either way");
  }
  return out;
}

constexpr const char* kColumnsDoc = R"doc(

Returns a dict of NumPy integer arrays shaped as the input, computed
without a Python loop (the GIL is released meanwhile). fields, a list of
group names, limits the work to those groups (all by default):

  long_count  baktun (int64), katun, tun, uinal, kin, sign: the places of
              |day count| and its sign, -1 before 0.0.0.0.0, else 1
  tzolkin     tzolkin_number (1-13), tzolkin_name (0-19, 0 = Ahau)
  haab        haab_month (1-19, 19 = Uayeb), haab_day (0-19, 0 the seating)
  lord        lord (1-9 for G1-G9)
  bearer      bearer_number, bearer_name: the Tzolkin of the year's 0 Pop
  819         since_819 (0-818), quarter_819 (0 East, 1 South, 2 West,
              3 North), number_819 (1-20)

Every array but baktun is int32. A value beyond 10**15 either way raises
ValueError; a float array, TypeError.)doc";

void bindSearchAndArrays(py::module_& m) {
  m.def(
      "day",
      [](const py::object& text, const py::object& correlation, const std::string& calendar,
         const std::string& spelling, const std::string& haabDays) {
        return dayArg(text, settingsOf(correlation, calendar, spelling, haabDays), "input");
      },
      py::arg("text"), py::arg("correlation") = kDefaultCorrelation,
      py::arg("calendar") = kDefaultCalendar, py::arg("spelling") = kDefaultSpelling,
      py::arg("haab_days") = kDefaultHaabDays,
      R"doc(The glyphbox.Day an input names, as glyphbox-cli reads it.

text: "2000-01-01", "3114-08-11 BCE", "9.12.11.5.18", "9.12.11.5.18 6
Etznab 11 Yax", "JDN 2451545", "today", a datetime.date or a Day. The
same as glyphbox.Day(text, ...): see its help for the settings.

>>> glyphbox.day("9.12.11.5.18").tzolkin
'6 Etznab')doc");

  py::class_<Search>(m, "Search", R"doc(The days that match a pattern, as find yields them.

An iterator of glyphbox.Day, made by glyphbox.find: each match is found
by modular arithmetic when it is asked for, so a search without end costs
nothing until it is read (itertools.islice takes the first few).)doc")
      .def("__iter__", [](Search& s) -> Search& { return s; })
      .def("__next__", &Search::next);

  m.def("find", &find, py::arg("pattern"), py::arg("correlation") = kDefaultCorrelation,
        py::kw_only(), py::arg("calendar") = kDefaultCalendar,
        py::arg("spelling") = kDefaultSpelling, py::arg("haab_days") = kDefaultHaabDays,
        py::arg("start") = py::none(), py::arg("end") = py::none(), py::arg("after") = py::none(),
        py::arg("before") = py::none(),
        R"doc(The days that match a pattern of clues, as glyphbox-cli find lists them.

pattern is a str or a list of words: a Long Count with '*' places
("9.*.*.*.*"), a Tzolkin date ("8 Ahau", "* Ahau", "8 *"), a Haab date
("13 Pop", "* Pop", "0 *"), a Lord of the Night ("G9"), a year bearer
("bearer 8 Ik"), the quarter of the day's 819-day station ("819 South")
and the days after it ("819+20"), in any order.

Yields glyphbox.Day in increasing order within start to end (any input
form, a Day or a datetime.date; by default the pattern's own range, as
glyphbox-cli find --from/--to), or the days after `after` (upwards, no
end) or before `before` (downwards, no end). A refused pattern raises
ValueError with glyphbox-cli's message.)doc");

  m.def("count", &countMatches, py::arg("pattern"), py::arg("correlation") = kDefaultCorrelation,
        py::kw_only(), py::arg("haab_days") = kDefaultHaabDays, py::arg("start") = py::none(),
        py::arg("end") = py::none(),
        "How many days match the pattern within start to end, as glyphbox-cli find "
        "--count-only: whole periods are counted at once.");

  m.def("add", &add, py::arg("date"), py::arg("correlation") = kDefaultCorrelation,
        py::arg("calendar") = kDefaultCalendar, py::arg("spelling") = kDefaultSpelling,
        py::arg("haab_days") = kDefaultHaabDays,
        R"doc(Walks distance numbers from a date, as glyphbox-cli add does.

add(date, *distances): each distance ("+2.5.3", "-1.0.0", "-823d", an int
of days or a glyphbox.Distance) is added to the day before it; returns
the list of the days reached, one for each distance.)doc");

  m.def("diff", &diff, py::arg("a"), py::arg("b"), py::arg("correlation") = kDefaultCorrelation,
        py::kw_only(), py::arg("calendar") = kDefaultCalendar,
        py::arg("haab_days") = kDefaultHaabDays,
        "The glyphbox.Distance from day a to day b, as glyphbox-cli diff measures it.");

  m.def(
      "from_jdn",
      [](const py::object& jdns, const py::object& correlation, const py::object& fields) {
        return columnsOf(jdns, correlationArg(correlation).jdn, fields, "jdns");
      },
      py::arg("jdns"), py::arg("correlation") = kDefaultCorrelation, py::arg("fields") = py::none(),
      (std::string("The Maya values of an array of Julian Day Numbers under a correlation.") +
       kColumnsDoc)
          .c_str());
  m.def(
      "from_day_count",
      [](const py::object& days, const py::object& fields) {
        return columnsOf(days, 0, fields, "day_counts");
      },
      py::arg("day_counts"), py::arg("fields") = py::none(),
      (std::string("The Maya values of an array of day counts (days since 0.0.0.0.0).") +
       kColumnsDoc)
          .c_str());
}

// --- the inscription worksheet ---------------------------------------------

// A clue recorded on a line, with the arithmetic's verdict.
struct Clue {
  std::string kind; // "tzolkin", "haab", "lord", "bearer", "819_quarter", "819_since"
  std::string text; // as written: "18 Zec"
  bool agrees = false;
  std::string computed; // what the day has, in the clue's notation: "18 Tzec"
};

// One line of a worksheet answered, as glyphbox-cli inscription answers it.
struct WorksheetLine {
  long long number = 0;
  std::string kind; // "blank", "anchor", "distance", "error"
  std::string text;
  std::optional<Day> day;
  std::optional<Distance> distance;
  std::vector<Clue> clues;
  std::vector<Day> nearest;
  std::string note;
  std::string problem;
};

constexpr std::array<const char*, 4> kLineKinds = {"blank", "anchor", "distance", "error"};

py::object textOrNone(const std::string& text) {
  return text.empty() ? py::object(py::none()) : py::object(py::str(text));
}

// The values that make a line what it is, for comparing and hashing.
py::tuple lineKey(const WorksheetLine& l) {
  py::list clues;
  for (const Clue& c : l.clues) {
    clues.append(py::make_tuple(c.kind, c.text, c.agrees, c.computed));
  }
  py::list nearest;
  for (const Day& d : l.nearest) {
    nearest.append(py::cast(d));
  }
  return py::make_tuple(l.number, l.kind, l.text, l.day ? py::cast(*l.day) : py::object(py::none()),
                        l.distance ? py::object(py::int_(l.distance->days))
                                   : py::object(py::none()),
                        py::tuple(clues), py::tuple(nearest), l.note, l.problem);
}

// The day of a worksheet's day number, when its date lies within the calendar.
std::optional<Day> worksheetDay(std::int64_t count, const Settings& s) {
  try {
    return checkedDay(count, s, "day", maya::longCountText(count));
  } catch (const Refusal&) {
    return std::nullopt;
  }
}

std::vector<WorksheetLine> inscription(const std::string& text, const py::object& correlation,
                                       const std::string& calendar, const std::string& spelling,
                                       const std::string& haabDays) {
  const Settings s = settingsOf(correlation, calendar, spelling, haabDays);
  const std::vector<rows::AnsweredLine> answered = rows::answerWorksheet(text, s.conversion());
  std::vector<WorksheetLine> lines;
  bool dated = false;
  for (const rows::AnsweredLine& a : answered) {
    WorksheetLine l;
    l.number = a.number;
    l.kind = kLineKinds[static_cast<std::size_t>(a.kind)];
    l.text = a.text;
    if (a.day) {
      l.day = worksheetDay(*a.day, s);
      dated = true;
    }
    if (a.kind == rows::LineKind::Distance) {
      l.distance = Distance{a.distance};
    }
    for (const rows::CheckedClue& c : a.clues) {
      l.clues.push_back({std::string(rows::clueKindName(c.kind)), a.text.substr(c.offset, c.length),
                         c.agrees, c.computed});
    }
    for (const std::int64_t d : a.nearest) {
      if (const auto day = worksheetDay(d, s)) {
        l.nearest.push_back(*day);
      }
    }
    l.note = a.note;
    if (a.kind == rows::LineKind::Error) {
      // glyphbox-cli's message, without its name and line end.
      const std::string_view at = std::string_view(a.text).substr(
          std::min(a.problemOffset, a.text.size()), a.problemLength);
      std::string message =
          rows::refusalMessage(rows::Origin{rows::Origin::Kind::Line, a.number, 0}, at, a.problem);
      message.erase(0, message.find(':') + 2);
      message.pop_back();
      l.problem = std::move(message);
    }
    lines.push_back(std::move(l));
  }
  const bool refused = std::any_of(answered.begin(), answered.end(),
                                   [](const auto& a) { return a.kind == rows::LineKind::Error; });
  if (!dated && !refused) {
    throw Refusal(answered.empty()
                      ? std::string("the worksheet is empty; write a date on its first line, "
                                    "such as 9.12.11.5.18 6 Etznab 11 Yax")
                      : "line " + std::to_string(answered.back().number) +
                            ": the worksheet ends without naming a day; write a date on a "
                            "line, such as 9.12.11.5.18 6 Etznab 11 Yax");
  }
  return lines;
}

void bindWorksheet(py::module_& m) {
  py::class_<Clue>(m, "Clue", R"doc(A clue a worksheet line records, with the verdict on it.

kind is "tzolkin", "haab", "lord", "bearer", "819_quarter" or "819_since";
text the clue as written ("18 Zec"); computed what the day reached has, in
the clue's notation ("18 Tzec"); agrees whether they are the same day.)doc")
      .def_readonly("kind", &Clue::kind, "The kind of clue.")
      .def_readonly("text", &Clue::text, "The clue as the line writes it.")
      .def_readonly("agrees", &Clue::agrees, "Whether the day reached has it.")
      .def_readonly("computed", &Clue::computed, "What the day reached has instead, or too.")
      .def("__repr__",
           [](const Clue& c) {
             return "<glyphbox.Clue " + c.kind + " " +
                    py::repr(py::str(c.text)).cast<std::string>() +
                    (c.agrees ? " agrees>" : " disagrees: " + c.computed + ">");
           })
      .def(
          "__eq__",
          [](const Clue& a, const Clue& b) {
            return std::tie(a.kind, a.text, a.agrees, a.computed) ==
                   std::tie(b.kind, b.text, b.agrees, b.computed);
          },
          py::is_operator())
      .def("__hash__", [](const Clue& c) {
        return py::hash(py::make_tuple(c.kind, c.text, c.agrees, c.computed));
      });

  py::class_<WorksheetLine>(m, "WorksheetLine",
                            R"doc(One line of an inscription worksheet, answered.

kind is "anchor" (a day in any input form), "distance" (a distance number
from the day of the dated line above), "blank" (nothing but a comment) or
"error"; day is the glyphbox.Day it reaches (None when it reaches none, or
its date lies outside the calendar's years); distance the glyphbox.Distance
of a distance line; clues the glyphbox.Clue recorded on it, each with its
verdict; nearest the days before and after on which every clue agrees,
when one does not; note how the line was read (a day of the era before
0.0.0.0.0); problem, for an error line, glyphbox-cli's message.
Lines compare and hash by all of these, and sort by them, number first.)doc")
      .def_readonly("number", &WorksheetLine::number, "The line's number, from 1.")
      .def_readonly("kind", &WorksheetLine::kind, "anchor, distance, blank or error.")
      .def_readonly("text", &WorksheetLine::text, "The line as written.")
      .def_readonly("day", &WorksheetLine::day, "The glyphbox.Day the line reaches, or None.")
      .def_readonly("distance", &WorksheetLine::distance,
                    "The glyphbox.Distance of a distance line, or None.")
      .def_property_readonly(
          "clues", [](const WorksheetLine& l) { return py::tuple(py::cast(l.clues)); },
          "The clues recorded on the line, in the order they are written.")
      .def_property_readonly(
          "agrees",
          [](const WorksheetLine& l) {
            return std::all_of(l.clues.begin(), l.clues.end(),
                               [](const Clue& c) { return c.agrees; });
          },
          "Whether every clue agrees (True when the line records none).")
      .def_property_readonly(
          "nearest", [](const WorksheetLine& l) { return py::tuple(py::cast(l.nearest)); },
          "When a clue disagrees, the nearest days on which every clue agrees.")
      .def_property_readonly(
          "note", [](const WorksheetLine& l) { return textOrNone(l.note); },
          "How the line was read, when it says more than its words; else None.")
      .def_property_readonly(
          "problem", [](const WorksheetLine& l) { return textOrNone(l.problem); },
          "Why an error line was refused, as glyphbox-cli says it; else None.")
      .def("__repr__",
           [](const WorksheetLine& l) {
             std::string repr = "<glyphbox.WorksheetLine " + std::to_string(l.number) + " " +
                                l.kind + " " + py::repr(py::str(l.text)).cast<std::string>();
             if (l.day) {
               repr += ": " + maya::longCountText(l.day->count);
             }
             return repr + ">";
           })
      .def(
          "__eq__",
          [](const WorksheetLine& a, const WorksheetLine& b) {
            return lineKey(a).equal(lineKey(b));
          },
          py::is_operator())
      .def(
          "__lt__",
          [](const WorksheetLine& a, const WorksheetLine& b) { return lineKey(a) < lineKey(b); },
          py::is_operator())
      .def("__hash__", [](const WorksheetLine& l) { return py::hash(lineKey(l)); });

  m.def("inscription", &inscription, py::arg("text"), py::arg("correlation") = kDefaultCorrelation,
        py::arg("calendar") = kDefaultCalendar, py::arg("spelling") = kDefaultSpelling,
        py::arg("haab_days") = kDefaultHaabDays,
        R"doc(Checks a reading of an inscription, as glyphbox-cli inscription does.

text holds the worksheet, a date or distance number a line, each with the
clues the monument records for the day it reaches:

  12.19.13.4.0 8 Ahau 18 Zec 819+20 819 South   # Temple of the Cross
  -20d 1 Ahau 18 Zotz 819+0 819 South           # back to the station
  9.12.11.5.18 6 Etznab 11 Yax
  +2.5.3 10 Imix 4 Muan G5

An anchor is any input form; a distance (+2.5.3, -1.0.0, -823d) counts
from the day of the dated line above it; '#' starts a comment. Returns
one glyphbox.WorksheetLine for each line. A line that cannot be read is
an "error" line whose problem is glyphbox-cli's message; a worksheet that
names no day at all raises ValueError.)doc");
}

// --- values_from_jdn: the scalar twin of from_jdn ---------------------------
//
// One JDN's values as a struct sequence, the kind of named tuple
// time.struct_time is: written against Python's C API rather than through
// pybind11, whose call and object machinery costs several times the
// conversion itself, so that a Python loop over single days stays fast.

// The fields of from_jdn, in its order.
PyStructSequence_Field kValueFields[] = {
    {"baktun", "the baktun of |day count| (any size)"},
    {"katun", "0 to 19"},
    {"tun", "0 to 19"},
    {"uinal", "0 to 17"},
    {"kin", "0 to 19"},
    {"sign", "-1 before 0.0.0.0.0, else 1"},
    {"tzolkin_number", "1 to 13"},
    {"tzolkin_name", "0 (Ahau) to 19 (Caunac)"},
    {"haab_month", "1 (Pop) to 19 (Uayeb)"},
    {"haab_day", "0 to 19, the seating being 0"},
    {"lord", "1 to 9 for G1 to G9"},
    {"bearer_number", "the Tzolkin number of the year's 0 Pop"},
    {"bearer_name", "the Tzolkin name of the year's 0 Pop"},
    {"since_819", "days since the 819-day station, 0 to 818"},
    {"quarter_819", "its quarter: 0 East, 1 South, 2 West, 3 North"},
    {"number_819", "its place among 20 stations, 1 to 20"},
    {nullptr, nullptr}};

PyStructSequence_Desc kValuesDesc = {
    "glyphbox.Values",
    "The Maya values of one day, as values_from_jdn gives them: a named tuple "
    "with the fields and meanings of from_jdn's arrays.",
    kValueFields, 16};

PyTypeObject* valuesType = nullptr;

// The correlation of the last call, by identity, as settingsOf keeps it.
PyObject* lastCorrelationObject = nullptr;
std::int64_t lastCorrelationJdn = 0;

PyObject* valuesFromJdn(PyObject* /*module*/, PyObject* const* args, Py_ssize_t nargs,
                        PyObject* kwnames) {
  static const char* const kNames[] = {"jdn", "correlation"};
  PyObject* given[2] = {nullptr, nullptr};
  if (nargs > 2) {
    PyErr_SetString(PyExc_TypeError, "values_from_jdn takes at most 2 arguments");
    return nullptr;
  }
  for (Py_ssize_t i = 0; i < nargs; ++i) {
    given[i] = args[i];
  }
  const Py_ssize_t keywords = kwnames == nullptr ? 0 : PyTuple_GET_SIZE(kwnames);
  for (Py_ssize_t i = 0; i < keywords; ++i) {
    const char* name = PyUnicode_AsUTF8(PyTuple_GET_ITEM(kwnames, i));
    const int slot = name == nullptr                       ? -1
                     : std::string_view(name) == kNames[0] ? 0
                     : std::string_view(name) == kNames[1] ? 1
                                                           : -1;
    if (slot < 0 || given[slot] != nullptr) {
      PyErr_Format(PyExc_TypeError, "values_from_jdn got an unexpected keyword argument '%s'",
                   name == nullptr ? "?" : name);
      return nullptr;
    }
    given[slot] = args[nargs + i];
  }
  if (given[0] == nullptr || !PyLong_Check(given[0]) || PyBool_Check(given[0])) {
    PyErr_SetString(PyExc_TypeError, "values_from_jdn: jdn must be an int");
    return nullptr;
  }
  int overflow = 0;
  const long long jdn = PyLong_AsLongLongAndOverflow(given[0], &overflow);
  if (jdn == -1 && PyErr_Occurred()) {
    return nullptr;
  }
  try {
    std::int64_t offset = maya::kGmtCorrelation;
    if (given[1] != nullptr && given[1] != lastCorrelationObject) {
      lastCorrelationJdn = correlationArg(given[1]).jdn;
      Py_XDECREF(lastCorrelationObject);
      Py_INCREF(given[1]);
      lastCorrelationObject = given[1];
    }
    if (given[1] != nullptr) {
      offset = lastCorrelationJdn;
    }
    if (overflow != 0 || jdn < -maya::kMaxDayNumber || jdn > maya::kMaxDayNumber) {
      throw Refusal("jdn: " + py::str(given[0]).cast<std::string>() + " is out of range; at most " +
                    std::to_string(maya::kMaxDayNumber) + " either way");
    }
    const maya::DayCycles c = maya::dayCyclesOf(jdn - offset);
    const maya::Haab h = maya::haabFromPosition(c.haabPosition, maya::HaabNumbering::Seating0);
    const std::int64_t values[] = {c.baktun,
                                   c.lower.katun,
                                   c.lower.tun,
                                   c.lower.uinal,
                                   c.lower.kin,
                                   c.negative ? -1 : 1,
                                   c.tzolkin.number,
                                   c.tzolkin.name,
                                   h.month,
                                   h.day,
                                   c.lord,
                                   c.bearer.number,
                                   c.bearer.name,
                                   c.station.since,
                                   static_cast<std::int64_t>(c.station.quarter),
                                   c.station.number};
    PyObject* result = PyStructSequence_New(valuesType);
    if (result == nullptr) {
      return nullptr;
    }
    for (Py_ssize_t i = 0; i < static_cast<Py_ssize_t>(std::size(values)); ++i) {
      PyObject* value = PyLong_FromLongLong(values[i]);
      if (value == nullptr) {
        Py_DECREF(result);
        return nullptr;
      }
      PyStructSequence_SET_ITEM(result, i, value);
    }
    return result;
  } catch (const Refusal& e) {
    PyErr_SetString(PyExc_ValueError, e.what());
  } catch (py::error_already_set& e) {
    e.restore();
  } catch (const std::exception& e) {
    PyErr_SetString(PyExc_RuntimeError, e.what());
  }
  return nullptr;
}

PyMethodDef kValuesFromJdn = {
    "values_from_jdn", reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(&valuesFromJdn)),
    METH_FASTCALL | METH_KEYWORDS,
    "values_from_jdn(jdn, correlation='gmt')\n--\n\n"
    "The Maya values of one Julian Day Number under a correlation: a glyphbox.Values, "
    "the named tuple of from_jdn's fields for one day (baktun, katun, tun, uinal, kin, "
    "sign, tzolkin_number, tzolkin_name, haab_month, haab_day, lord, bearer_number, "
    "bearer_name, since_819, quarter_819, number_819). The quick way through a Python "
    "loop of single days; a Day gives the texts as well.\n\n"
    ">>> glyphbox.values_from_jdn(2456283)[:5]\n(13, 0, 0, 0, 0)"};

void bindValues(py::module_& m) {
  valuesType = PyStructSequence_NewType(&kValuesDesc);
  if (valuesType == nullptr) {
    throw py::error_already_set();
  }
  m.add_object("Values",
               py::reinterpret_borrow<py::object>(reinterpret_cast<PyObject*>(valuesType)));
  PyObject* function = PyCFunction_NewEx(&kValuesFromJdn, nullptr, m.attr("__name__").ptr());
  if (function == nullptr) {
    throw py::error_already_set();
  }
  m.add_object("values_from_jdn", py::reinterpret_steal<py::object>(function));
}

} // namespace
} // namespace glyphbox::python

PYBIND11_MODULE(_glyphbox, m) {
  using namespace glyphbox::python;
  py::register_exception_translator([](std::exception_ptr p) {
    try {
      if (p) {
        std::rethrow_exception(p);
      }
    } catch (const Refusal& e) {
      PyErr_SetString(PyExc_ValueError, e.what());
    }
  });
  // The classes and functions belong to the package, glyphbox, whose names
  // they are known by (glyphbox.Day, in signatures, reprs and pickles).
  const py::object ownName = m.attr("__name__");
  m.attr("__name__") = "glyphbox";
  bindCorrelation(m);
  bindDistance(m);
  bindDay(m);
  bindSearchAndArrays(m);
  bindValues(m);
  bindWorksheet(m);
  m.attr("__name__") = ownName;

  py::dict presets;
  for (const glyphbox::maya::Correlation& c : glyphbox::maya::kCorrelations) {
    presets[py::str(std::string(c.name))] = c;
  }
  m.attr("presets") = presets;
  m.attr("__version__") = GLYPHBOX_PYTHON_VERSION;
}
