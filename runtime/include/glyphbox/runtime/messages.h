#pragma once

// The words the programs say to their user, in the user's language.
//
//   useUserLanguage(dir)            the process speaks the locale's language from now on
//   tr("English text")              the text in the user's language (GNU gettext)
//   trc("context", "May")           the same, for a word that means more than one thing
//   trn("1 day", "{} days", n)      the form for the number n
//   N_("English text")              marks a text of a table, translated where it is shown
//   EnglishMessages scope;          English within the scope: texts for standard output
//   format("{} of {}", a, b)        fills the placeholders: {} in order, {0} {1} by place
//
// Messages are English until a program calls useUserLanguage: the libraries
// never change their words for a program that did not ask. The catalogue of
// the text domain "glyphbox" is looked up in the folder given, where the
// build and the package put es/LC_MESSAGES/glyphbox.mo.
//
// Only what a person reads is translated: standard error, help and usage.
// What a program writes for other programs (rows, JSON objects, pictures)
// stays byte for byte the same in every locale, so the code that builds such
// a text holds an EnglishMessages scope, and useUserLanguage keeps numbers
// in the "C" locale.

#include <array>
#include <concepts>
#include <string>
#include <string_view>

namespace glyphbox::i18n {

inline constexpr const char* kTextDomain = "glyphbox";

// Takes the language of messages from the environment (LC_ALL, LC_MESSAGES,
// LANG, and LANGUAGE's list of languages, as GNU gettext reads them) and the
// character type with it; numbers stay in the "C" locale. A locale that the
// system has not generated still names the language of messages. The
// catalogues are looked up under catalogueDir (es/LC_MESSAGES/glyphbox.mo).
void useUserLanguage(const char* catalogueDir);

// The folder of the catalogues for the program running: `fromProgram`
// (relative to the folder of the program's executable, as the build tree and
// any installation prefix lay them out) when it exists, else `installed`.
[[nodiscard]] std::string catalogueDir(const char* fromProgram, const char* installed);

// Whether messages are translated now (useUserLanguage was called and no
// EnglishMessages scope is open on this thread).
[[nodiscard]] bool translating() noexcept;

// The text in the user's language; the English text itself when it has no
// translation or messages are English. The result lives as long as the program.
[[nodiscard]] const char* tr(const char* english) noexcept;
// The same for a word whose translation depends on where it stands.
[[nodiscard]] const char* trc(const char* context, const char* english) noexcept;
// The singular or the plural form for the number n, in the user's language.
[[nodiscard]] const char* trn(const char* singular, const char* plural, unsigned long n) noexcept;

// Marks a text for the catalogue that is translated later, by tr, where it is shown.
constexpr const char* N_(const char* english) noexcept { return english; }

// Messages are English on this thread while one of these lives: for texts
// that go to standard output, such as a JSON object's "message".
class EnglishMessages {
public:
  EnglishMessages() noexcept;
  ~EnglishMessages();
  EnglishMessages(const EnglishMessages&) = delete;
  EnglishMessages& operator=(const EnglishMessages&) = delete;
};

namespace detail {
// pattern with "{}" replaced by the arguments in order and "{N}" by argument
// N (from 0); "{{" and "}}" are braces. A placeholder without its argument is
// left as it is, so that a faulty translation shows rather than crashes.
[[nodiscard]] std::string fill(std::string_view pattern, const std::string_view* args,
                               std::size_t count);

template <typename T> std::string piece(const T& value) {
  if constexpr (std::integral<T>) {
    return std::to_string(value);
  } else {
    return std::string(std::string_view(value));
  }
}
} // namespace detail

// The pattern (usually tr("...")) with its placeholders filled by the
// arguments: whole numbers in decimal digits, texts as they are.
template <typename... Args>
[[nodiscard]] std::string format(std::string_view pattern, const Args&... args) {
  const std::array<std::string, sizeof...(Args)> pieces{detail::piece(args)...};
  std::array<std::string_view, sizeof...(Args)> views{};
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    views[i] = pieces[i];
  }
  return detail::fill(pattern, views.data(), views.size());
}

} // namespace glyphbox::i18n
