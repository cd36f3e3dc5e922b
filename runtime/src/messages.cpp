#include <glyphbox/runtime/messages.h>

#include <atomic>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include <libintl.h>

namespace glyphbox::i18n {
namespace {

std::atomic<bool> enabled{false};
thread_local int englishScopes = 0;

bool isPlainC(const char* name) noexcept {
  return name == nullptr || std::strcmp(name, "C") == 0 || std::strcmp(name, "POSIX") == 0;
}

// The locale the environment names for messages, as setlocale would read it.
const char* messagesLocaleOfEnvironment() noexcept {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value != '\0') {
      return value;
    }
  }
  return nullptr;
}

} // namespace

void useUserLanguage(const char* catalogueDir) {
  if (std::setlocale(LC_ALL, "") == nullptr) {
    // One category names a locale the system lacks; the others still count.
    std::setlocale(LC_CTYPE, "");
    std::setlocale(LC_MESSAGES, "");
  }
  // Numbers are written the same bytes in every language.
  std::setlocale(LC_NUMERIC, "C");
  if (isPlainC(std::setlocale(LC_MESSAGES, nullptr))) {
    // GNU gettext reads LANGUAGE in any locale but "C". A locale that names
    // a language the system has not generated (es_MX.UTF-8 where only
    // es_ES.UTF-8 is) still names the language of messages, through LANGUAGE.
    const char* wanted = messagesLocaleOfEnvironment();
    if (!isPlainC(wanted) && std::strncmp(wanted, "C.", 2) != 0) {
      const std::string language(wanted, std::strcspn(wanted, ".@"));
      setenv("LANGUAGE", language.c_str(), 0);
    }
    const char* language = std::getenv("LANGUAGE");
    if (language != nullptr && *language != '\0') {
      std::setlocale(LC_MESSAGES, "C.UTF-8");
    }
  }
  bindtextdomain(kTextDomain, catalogueDir);
  // The catalogues are UTF-8, and so is every terminal the programs expect.
  bind_textdomain_codeset(kTextDomain, "UTF-8");
  enabled.store(true, std::memory_order_release);
}

std::string catalogueDir(const char* fromProgram, const char* installed) {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error) {
    const std::filesystem::path beside = program.parent_path() / fromProgram;
    if (std::filesystem::is_directory(beside, error)) {
      return beside.lexically_normal().string();
    }
  }
  return installed;
}

bool translating() noexcept {
  return englishScopes == 0 && enabled.load(std::memory_order_acquire);
}

const char* tr(const char* english) noexcept {
  return translating() ? dgettext(kTextDomain, english) : english;
}

const char* trc(const char* context, const char* english) noexcept {
  if (!translating()) {
    return english;
  }
  // gettext's pgettext: the context and the text joined by EOT (0x04).
  std::string key = std::string(context) + '\x04' + english;
  const char* found = dgettext(kTextDomain, key.c_str());
  return found == key.c_str() ? english : found;
}

const char* trn(const char* singular, const char* plural, unsigned long n) noexcept {
  if (!translating()) {
    return n == 1 ? singular : plural;
  }
  return dngettext(kTextDomain, singular, plural, n);
}

EnglishMessages::EnglishMessages() noexcept { ++englishScopes; }
EnglishMessages::~EnglishMessages() { --englishScopes; }

namespace detail {

std::string fill(std::string_view pattern, const std::string_view* args, std::size_t count) {
  std::string out;
  out.reserve(pattern.size() + 16 * count);
  std::size_t next = 0; // the argument of the next "{}"
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    if ((c == '{' || c == '}') && i + 1 < pattern.size() && pattern[i + 1] == c) {
      out += c; // "{{" or "}}"
      ++i;
      continue;
    }
    if (c == '{') {
      const std::size_t close = pattern.find('}', i);
      const std::string_view inside =
          close == std::string_view::npos ? "x" : pattern.substr(i + 1, close - i - 1);
      std::size_t index = next;
      bool good = inside.empty() || (inside.size() <= 2 && inside.find_first_not_of("0123456789") ==
                                                               std::string_view::npos);
      if (good && !inside.empty()) {
        index = static_cast<std::size_t>(std::atoi(std::string(inside).c_str()));
      }
      if (good && index < count) {
        out += args[index];
        next = inside.empty() ? next + 1 : next;
        i = close;
        continue;
      }
    }
    out += c;
  }
  return out;
}

} // namespace detail
} // namespace glyphbox::i18n
