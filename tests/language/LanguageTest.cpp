// The player's language: which catalogue a list of wishes gets, the environment read as gettext
// reads it, placeholders filled, and plural forms chosen by each catalogue's own rule.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "language/Language.h"

namespace {

using language::TLanguage;

const language::TCatalogue& Shipped(std::string_view code) {
  for (const auto& catalogue : language::ShippedCatalogues())
    if (catalogue.Code == code) return catalogue;
  throw std::logic_error("no catalogue " + std::string(code));
}

TEST(Language, TheFirstWishWithACatalogueWinsByFullNameThenByLanguage) {
  const struct {
    std::vector<std::string> Wanted;
    std::string_view Code;
  } cases[] = {
      {{"pt_BR.UTF-8@euro"}, "pt_BR"},
      {{"pt-BR"}, "pt_BR"},
      {{"pt", "de"}, "de"},  // a language part does not reach another's regional catalogue
      {{"pt_PT", "fr"}, "fr"},
      {{"zh-Hans-CN"}, "zh_CN"},  // the script is no region
      {{"de_AT.UTF-8"}, "de"},
      {{"UK"}, "uk"},
      {{"en_GB", "de"}, "en"},  // English is there for whoever asks for it first
      {{"xx", "tlh"}, "en"},
      {{}, "en"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(language::ChooseLanguage(c.Wanted).Code(), c.Code) << c.Wanted.size();
  }
}

TEST(Language, TheEnvironmentIsReadInGettextsOrderAndTheCLocaleIsEnglish) {
  const struct {
    language::TLocaleVariables Variables;
    std::vector<std::string> Languages;
  } cases[] = {
      {{"de:fr::ja", "", "", "ru_RU.UTF-8"}, {"de", "fr", "ja"}},
      {{"", "it_IT.UTF-8", "fr_FR.UTF-8", "ru_RU.UTF-8"}, {"it_IT.UTF-8"}},
      {{"", "", "fr_FR.UTF-8", "ru_RU.UTF-8"}, {"fr_FR.UTF-8"}},
      {{"de", "C.UTF-8", "", "ru_RU.UTF-8"}, {}},
      {{"de", "", "", "POSIX"}, {}},
      {{"de", "", "", ""}, {}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(language::GettextLanguages(c.Variables), c.Languages) << c.Variables.Language;
}

TEST(Language, PlaceholdersAreFilledAndEverythingElseKept) {
  EXPECT_EQ(language::Format("{1} of {0}, {1}", {"9", "4"}), "4 of 9, 4");
  EXPECT_EQ(language::Format("{2} {x} {0 {0}{", {"a"}), "{2} {x} {0 a{");
  EXPECT_EQ(language::Format("", {"a"}), "");
}

TEST(Language, EachCatalogueChoosesItsPluralFormsByItsOwnRule) {
  // Numbers whose forms must be the same, and numbers whose forms must differ.
  const struct {
    TLanguage Words;
    std::vector<std::pair<uint64_t, uint64_t>> Same, Different;
  } cases[] = {
      {TLanguage(), {{2, 0}}, {{1, 2}}},
      {TLanguage(Shipped("ru")), {{1, 21}, {2, 22}, {5, 11}}, {{1, 2}, {2, 5}, {1, 5}}},
      {TLanguage(Shipped("fr")), {{0, 1}}, {{1, 2}}},  // French counts nothing as one
      {TLanguage(Shipped("ja")), {{1, 5}}, {}},
  };
  for (const auto& c : cases) {
    const auto form = [&](uint64_t n) { return c.Words.TrN("{0} column", "{0} columns", n); };
    for (const auto& [a, b] : c.Same) EXPECT_EQ(form(a), form(b)) << c.Words.Code() << a << b;
    for (const auto& [a, b] : c.Different) EXPECT_NE(form(a), form(b)) << c.Words.Code() << a << b;
  }
  EXPECT_EQ(TLanguage().TrN("{0} column", "{0} columns", 1), "{0} column");
  EXPECT_EQ(TLanguage(Shipped("ru")).Tr("a text no catalogue has"), "a text no catalogue has");
}

}  // namespace
