#include "language/Language.h"

#include <algorithm>

namespace language {

const TMessage* TLanguage::Find(std::string_view english) const {
  if (!Catalogue) return nullptr;
  const auto messages = Catalogue->Messages;
  const auto at = std::lower_bound(
      messages.begin(), messages.end(), english,
      [](const TMessage& message, std::string_view text) { return message.English < text; });
  return at != messages.end() && at->English == english ? &*at : nullptr;
}

std::string_view TLanguage::Tr(std::string_view english) const {
  const TMessage* message = Find(english);
  return message ? Catalogue->Forms[message->First] : english;
}

std::string_view TLanguage::TrN(std::string_view singular, std::string_view plural,
                                uint64_t n) const {
  const TMessage* message = Find(singular);
  if (!message) return n == 1 ? singular : plural;
  // A rule that names a form the message lacks takes its last one.
  const uint32_t form = std::min<uint32_t>(Catalogue->PluralForm(n), message->Count - 1u);
  return Catalogue->Forms[message->First + form];
}

std::string LanguageFolder(const std::string& dataDir, const TLanguage& words, char separator) {
  return words.IsEnglish() ? dataDir : dataDir + std::string(words.Code()) + separator;
}

std::string Format(std::string_view pattern, std::initializer_list<std::string_view> values) {
  std::string text;
  text.reserve(pattern.size() + 16);
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '{' && i + 2 < pattern.size() && pattern[i + 2] == '}' &&
        pattern[i + 1] >= '0' && pattern[i + 1] <= '9') {
      const size_t index = size_t(pattern[i + 1] - '0');
      if (index < values.size()) {
        text += values.begin()[index];
        i += 2;
        continue;
      }
    }
    text += pattern[i];
  }
  return text;
}

}  // namespace language
