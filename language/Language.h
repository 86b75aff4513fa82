// The language the player reads: it turns the English texts of the sources into the player's,
// with numbers in their plural form. A default language is English, every text as written.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "language/Catalogue.h"

// Marks a text for the catalogue where it is written, to be translated where it is used.
inline constexpr std::string_view N_(std::string_view english) {
  return english;
}

namespace language {

class TLanguage {
 public:
  TLanguage() = default;
  explicit TLanguage(const TCatalogue& catalogue) : Catalogue(&catalogue) {}

  bool IsEnglish() const { return Catalogue == nullptr; }
  // "en" for English, else the catalogue's code ("pt_BR") and tag ("pt-BR").
  std::string_view Code() const { return Catalogue ? Catalogue->Code : "en"; }
  std::string_view Tag() const { return Catalogue ? Catalogue->Tag : "en"; }

  // The translation of `english`, or `english` itself where the catalogue has none.
  std::string_view Tr(std::string_view english) const;
  // The form that goes with `n`: `singular` or `plural` in English.
  std::string_view TrN(std::string_view singular, std::string_view plural, uint64_t n) const;

 private:
  const TMessage* Find(std::string_view english) const;

  const TCatalogue* Catalogue = nullptr;
};

// Where the data file with `words`' pictures lies: the folder named by its code in `dataDir`
// (which ends with `separator`), or `dataDir` itself for English.
std::string LanguageFolder(const std::string& dataDir, const TLanguage& words, char separator);

// `pattern` with each "{0}" to "{9}" replaced by that value: Format("Row {0}", {"2"}). A
// placeholder without a value, and every other brace, is kept as written.
std::string Format(std::string_view pattern, std::initializer_list<std::string_view> values);

// The first of `preferred` (the most wanted first) that there is a catalogue or English for,
// by its full name and then by its language part: "pt_BR", then "pt". Names come as gettext
// ("pt_BR.UTF-8@euro") or the web ("pt-BR") writes them. English when none has one.
TLanguage ChooseLanguage(std::span<const std::string> preferred,
                         std::span<const TCatalogue> catalogues = ShippedCatalogues());

// The environment's say on the language, as the process found it.
struct TLocaleVariables {
  std::string Language;  // LANGUAGE: a list apart by colons
  std::string All;       // LC_ALL
  std::string Messages;  // LC_MESSAGES
  std::string Lang;      // LANG
};

// The languages gettext would try: LANGUAGE's list, unless the locale (LC_ALL, LC_MESSAGES or
// LANG, the first one set) is the C locale, which is English whatever LANGUAGE says; without
// LANGUAGE, the locale.
std::vector<std::string> GettextLanguages(const TLocaleVariables& variables);

}  // namespace language
