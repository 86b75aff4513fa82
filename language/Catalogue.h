// A language's catalogue as the build compiles it in from its gettext file: every message by its
// English text, with the translated forms, and the language's plural rule.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace language {

struct TMessage {
  std::string_view English;  // the text as written in the sources (a plural's singular)
  uint16_t First;            // its forms in TCatalogue::Forms: one, or one per plural form
  uint16_t Count;
};

struct TCatalogue {
  std::string_view Code;  // gettext's name: "de", "pt_BR"; also the data file's folder
  std::string_view Tag;   // the same as the web writes it: "de", "pt-BR"
  uint16_t PluralCount;
  // Which plural form goes with n, as the catalogue's header says.
  uint32_t (*PluralForm)(uint64_t n);
  std::span<const TMessage> Messages;  // sorted by English
  std::span<const std::string_view> Forms;
};

// The languages the game ships, in the order of their codes.
std::span<const TCatalogue> ShippedCatalogues();

}  // namespace language
