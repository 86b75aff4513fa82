// Which language the player gets: the first wanted one there is a catalogue for.
#include <cctype>

#include "language/Language.h"

namespace language {
namespace {

struct TWanted {
  std::string Full;      // "pt_BR"
  std::string Language;  // "pt"
};

// "pt_BR.UTF-8@euro", "pt-BR", "zh-Hans-CN" and "PT_br" all as "pt_BR" (and "zh_CN"): the
// language in small letters, the region (two letters) in capitals, codeset, modifier and
// script dropped.
TWanted Normalised(std::string_view name) {
  name = name.substr(0, name.find_first_of(".@"));
  TWanted wanted;
  std::string region;
  size_t part = 0;
  for (size_t start = 0; start <= name.size(); ++part) {
    const size_t end = std::min(name.find_first_of("_-", start), name.size());
    const std::string_view piece = name.substr(start, end - start);
    if (part == 0) {
      for (const char c : piece)
        wanted.Language += char(std::tolower(static_cast<unsigned char>(c)));
    } else if (piece.size() == 2 && region.empty()) {
      for (const char c : piece) region += char(std::toupper(static_cast<unsigned char>(c)));
    }
    start = end + 1;
  }
  wanted.Full = region.empty() ? wanted.Language : wanted.Language + "_" + region;
  return wanted;
}

bool IsCLocale(std::string_view locale) {
  return locale.empty() || locale == "C" || locale == "POSIX" || locale.starts_with("C.");
}

}  // namespace

TLanguage ChooseLanguage(std::span<const std::string> preferred,
                         std::span<const TCatalogue> catalogues) {
  for (const std::string& name : preferred) {
    const TWanted wanted = Normalised(name);
    for (const std::string& candidate : {wanted.Full, wanted.Language}) {
      // English is the sources' own language: someone who reads it first gets it.
      if (candidate == "en") return TLanguage();
      for (const TCatalogue& catalogue : catalogues)
        if (catalogue.Code == candidate) return TLanguage(catalogue);
    }
  }
  return TLanguage();
}

std::vector<std::string> GettextLanguages(const TLocaleVariables& variables) {
  const std::string& locale = !variables.All.empty()        ? variables.All
                              : !variables.Messages.empty() ? variables.Messages
                                                            : variables.Lang;
  if (IsCLocale(locale)) return {};
  if (variables.Language.empty()) return {locale};
  std::vector<std::string> list;
  for (size_t start = 0; start <= variables.Language.size();) {
    const size_t end = std::min(variables.Language.find(':', start), variables.Language.size());
    if (end > start) list.push_back(variables.Language.substr(start, end - start));
    start = end + 1;
  }
  return list;
}

}  // namespace language
