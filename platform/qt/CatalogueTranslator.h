// Qt's own words in the game's language: the texts Qt puts on its standard buttons, answered
// from the game's catalogue, so that no second catalogue of Qt's is needed.
#pragma once

#include <QTranslator>

#include "language/Language.h"

namespace platform {

class TCatalogueTranslator : public QTranslator {
 public:
  explicit TCatalogueTranslator(language::TLanguage words) : Words(words) {}

  bool isEmpty() const override { return Words.IsEnglish(); }
  QString translate(const char* context, const char* sourceText, const char* disambiguation,
                    int n) const override;

 private:
  language::TLanguage Words;
};

}  // namespace platform
