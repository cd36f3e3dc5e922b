// The words the programs say in other languages: the placeholders filled,
// English kept where standard output needs it, and every catalogue complete
// against the messages the build extracts from the sources.
#include <gtest/gtest.h>

#include <glyphbox/runtime/messages.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <string>
#include <vector>

namespace {

using glyphbox::i18n::format;

TEST(MessageFormat, FillsPlaceholdersInOrderOrByPlace) {
  struct Case {
    std::string pattern;
    std::string expected;
  };
  const Case cases[] = {
      {"{} of {} days", "12 of 30 days"},
      {"{1} días de {0}", "30 días de 12"},
      {"{0} and {0} again, then {1}", "12 and 12 again, then 30"},
      {"no placeholder", "no placeholder"},
      {"{{}} stays a pair of braces: {}", "{} stays a pair of braces: 12"},
      // A placeholder without its argument shows, rather than reading past the arguments.
      {"{} {} {}", "12 30 {}"},
      {"{7} and {x} and {", "{7} and {x} and {"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(format(c.pattern, 12, std::string("30")), c.expected) << c.pattern;
  }
  EXPECT_EQ(format("{} {}", -9223372036854775807LL - 1, std::string_view("x")),
            "-9223372036854775808 x");
}

// ---- The catalogues

struct Entry {
  std::string context;
  std::string id;
  std::string plural;
  std::vector<std::string> translations;
  bool fuzzy = false;
};

std::string unquoted(const std::string& line) {
  const std::size_t open = line.find('"');
  const std::size_t close = line.rfind('"');
  std::string out;
  for (std::size_t i = open + 1; i < close; ++i) {
    if (line[i] == '\\' && i + 1 < close) {
      const char c = line[++i];
      out += c == 'n' ? '\n' : c == 't' ? '\t' : c;
    } else {
      out += line[i];
    }
  }
  return out;
}

// The entries of a PO or POT file, by context and text; the header is left out.
std::map<std::pair<std::string, std::string>, Entry> readCatalogue(const std::string& path) {
  std::ifstream file(path);
  EXPECT_TRUE(file) << path;
  std::map<std::pair<std::string, std::string>, Entry> entries;
  Entry entry;
  std::string* field = nullptr;
  const auto finish = [&] {
    if (!entry.id.empty()) {
      entries[{entry.context, entry.id}] = entry;
    }
    entry = {};
    field = nullptr;
  };
  std::string line;
  while (std::getline(file, line)) {
    if (line.empty()) {
      finish();
    } else if (line.starts_with("#~")) {
      continue; // obsolete: no longer in the sources
    } else if (line.starts_with("#,")) {
      entry.fuzzy = entry.fuzzy || line.find("fuzzy") != std::string::npos;
    } else if (line.starts_with("msgctxt ")) {
      field = &entry.context;
      *field = unquoted(line);
    } else if (line.starts_with("msgid_plural ")) {
      field = &entry.plural;
      *field = unquoted(line);
    } else if (line.starts_with("msgid ")) {
      if (!entry.translations.empty()) {
        finish(); // an entry without a blank line after it
      }
      field = &entry.id;
      *field = unquoted(line);
    } else if (line.starts_with("msgstr")) {
      entry.translations.push_back(unquoted(line));
      field = &entry.translations.back();
    } else if (line.starts_with("\"") && field != nullptr) {
      *field += unquoted(line);
    }
  }
  finish();
  return entries;
}

// The placeholders of a message, each as it is filled: "{}" numbered in
// order of appearance, "{N}", printf's "%s" and "%1$s", Qt's "%1".
std::vector<std::string> placeholders(const std::string& text) {
  std::vector<std::string> found;
  int next = 0;
  static const std::regex kPlaceholder(
      R"(\{\{|\}\}|\{(\d*)\}|%(\d+\$)?[-+ #0]*\d*(?:\.\d+)?(?:ll|l|z|h)?[sdiuxXfgcp]|%(\d+)|%%)");
  for (auto it = std::sregex_iterator(text.begin(), text.end(), kPlaceholder);
       it != std::sregex_iterator(); ++it) {
    const std::smatch& m = *it;
    const std::string whole = m.str(0);
    if (whole == "{{" || whole == "}}" || whole == "%%") {
      continue;
    }
    if (whole.front() == '{') {
      std::string braced(1, '{');
      braced += m[1].length() == 0 ? std::to_string(next++) : m[1].str();
      braced += '}';
      found.push_back(std::move(braced));
    } else {
      found.push_back(whole);
    }
  }
  std::sort(found.begin(), found.end());
  return found;
}

TEST(MessagePlaceholders, AreFoundInEveryForm) {
  EXPECT_EQ(placeholders("{} of {}"), (std::vector<std::string>{"{0}", "{1}"}));
  EXPECT_EQ(placeholders("{1} de {0}"), (std::vector<std::string>{"{0}", "{1}"}));
  EXPECT_EQ(placeholders("%s: %d%% done, %lld %1$s"),
            (std::vector<std::string>{"%1$s", "%d", "%lld", "%s"}));
  EXPECT_EQ(placeholders("%1 and %2, {{not}}"), (std::vector<std::string>{"%1", "%2"}));
  EXPECT_NE(placeholders("{} {}"), placeholders("{}"));
}

class Catalogue : public ::testing::TestWithParam<std::string> {};

TEST_P(Catalogue, TranslatesEveryMessageWithItsPlaceholders) {
  const auto messages = readCatalogue(GLYPHBOX_POT_PATH);
  const auto translations = readCatalogue(std::string(GLYPHBOX_PO_DIR) + "/" + GetParam() + ".po");
  ASSERT_GT(messages.size(), 100u); // the template holds the programs' messages
  for (const auto& [key, message] : messages) {
    const std::string shown = (key.first.empty() ? "" : key.first + " | ") + key.second;
    const auto found = translations.find(key);
    if (found == translations.end()) {
      ADD_FAILURE() << "no translation of: " << shown;
      continue;
    }
    const Entry& t = found->second;
    EXPECT_FALSE(t.fuzzy) << "fuzzy: " << shown;
    ASSERT_EQ(t.translations.size(), message.plural.empty() ? 1u : 2u) << shown;
    for (std::size_t form = 0; form < t.translations.size(); ++form) {
      const std::string& original = form == 0 ? message.id : message.plural;
      EXPECT_FALSE(t.translations[form].empty()) << "untranslated: " << shown;
      EXPECT_EQ(placeholders(t.translations[form]), placeholders(original))
          << "placeholders differ: " << shown << "\n  -> " << t.translations[form];
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Languages, Catalogue, ::testing::Values("es"));

// The workbench's texts, merged from the sources afresh by the build into a
// copy of the committed translations: a text added to the sources and not
// translated is "unfinished" there.
#ifdef GLYPHBOX_WORKBENCH_TS_CHECK
std::string fromXml(std::string text) {
  static const std::pair<const char*, const char*> kEntities[] = {
      {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}};
  for (const auto& [entity, character] : kEntities) {
    for (std::size_t at = 0; (at = text.find(entity, at)) != std::string::npos; ++at) {
      text.replace(at, std::strlen(entity), character);
    }
  }
  return text;
}

TEST(WorkbenchCatalogue, TranslatesEveryTextWithItsPlaceholders) {
  std::ifstream file(GLYPHBOX_WORKBENCH_TS_CHECK);
  ASSERT_TRUE(file) << GLYPHBOX_WORKBENCH_TS_CHECK;
  const std::string ts((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  static const std::regex kMessage(
      R"(<message>\s*<source>([^<]*)</source>\s*(?:<comment>[^<]*</comment>\s*)?)"
      R"(<translation( type="[a-z]+")?>([^<]*)</translation>)");
  int messages = 0;
  for (auto it = std::sregex_iterator(ts.begin(), ts.end(), kMessage); it != std::sregex_iterator();
       ++it) {
    ++messages;
    const std::string source = fromXml((*it)[1].str());
    const std::string translation = fromXml((*it)[3].str());
    EXPECT_EQ((*it)[2].str(), "") << "not translated: " << source;
    EXPECT_FALSE(translation.empty()) << "untranslated: " << source;
    EXPECT_EQ(placeholders(translation), placeholders(source))
        << "placeholders differ: " << source << "\n  -> " << translation;
  }
  // Every message has one translation element: none was skipped by the pattern.
  std::size_t count = 0;
  for (std::size_t at = 0; (at = ts.find("<message>", at)) != std::string::npos; ++at) {
    ++count;
  }
  EXPECT_EQ(static_cast<std::size_t>(messages), count);
  EXPECT_GT(messages, 100);
}
#endif

// ---- The user's language in a process

TEST(UserLanguage, TranslatesOutsideEnglishScopesOnly) {
  const char* english = "unknown era; use CE or BCE";
  EXPECT_EQ(glyphbox::i18n::tr(english), english); // before the program asks
  // A Spanish locale, whose numbers would have a decimal comma.
  ::setenv("LC_ALL", "es_ES.UTF-8", 1);
  ::unsetenv("LANGUAGE");
  glyphbox::i18n::useUserLanguage(GLYPHBOX_BUILD_LOCALEDIR);
  EXPECT_STREQ(glyphbox::i18n::tr(english), "era desconocida; use CE o BCE");
  EXPECT_STREQ(glyphbox::i18n::trc("last in a list", " and "), " y ");
  {
    const glyphbox::i18n::EnglishMessages scope;
    EXPECT_EQ(glyphbox::i18n::tr(english), english);
    EXPECT_STREQ(glyphbox::i18n::trc("last in a list", " and "), " and ");
  }
  EXPECT_STREQ(glyphbox::i18n::tr(english), "era desconocida; use CE o BCE");
  // Numbers keep the C locale's point, whatever the language.
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", 1.5);
  EXPECT_STREQ(text, "1.50");
}

} // namespace
