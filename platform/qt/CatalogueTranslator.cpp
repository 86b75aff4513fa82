#include "platform/qt/CatalogueTranslator.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace platform {
namespace {

// The standard buttons' texts of Qt's message boxes, as Qt writes them.
constexpr std::string_view ButtonTexts[] = {
    N_("OK"),
    // TRANSLATORS: a message box's button; the letter after & is its shortcut with Alt.
    N_("&Yes"),
    // TRANSLATORS: a message box's button; the letter after & is its shortcut with Alt.
    N_("&No"),
};

}  // namespace

QString TCatalogueTranslator::translate(const char* context, const char* sourceText, const char*,
                                        int) const {
  if (!context || !sourceText || std::strcmp(context, "QPlatformTheme") != 0) return {};
  const std::string_view text = sourceText;
  if (std::find(std::begin(ButtonTexts), std::end(ButtonTexts), text) == std::end(ButtonTexts))
    return {};
  const std::string_view said = Words.Tr(text);
  return QString::fromUtf8(said.data(), qsizetype(said.size()));
}

}  // namespace platform
