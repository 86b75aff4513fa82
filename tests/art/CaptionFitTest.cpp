// The words drawn into pictures, in every shipped language: each line's ink inside its place
// with the margin, no smaller than half its size, English at its design size; and each
// language's data file holds the English file's pictures by name, in their order.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "image/VX8Library.h"
#include "tools/artbuilder/ArtSet.h"
#include "tools/artbuilder/CaptionWords.h"

namespace {

std::vector<language::TLanguage> EveryLanguage() {
  std::vector<language::TLanguage> all{language::TLanguage()};
  for (const auto& catalogue : language::ShippedCatalogues()) all.emplace_back(catalogue);
  return all;
}

TEST(CaptionFit, EveryLanguagesWordsStayInsideTheirPlaces) {
  // Lines of words each captioned picture carries.
  const std::map<std::string, size_t> lines = {
      {"start", 1}, {"exit", 1}, {"clicksr", 3}, {"welldone", 2}, {"colrow", 2}};
  for (const language::TLanguage& words : EveryLanguage()) {
    const std::string code(words.Code());
    for (const art::ArtPicture& picture : art::DrawGameArt(words)) {
      const auto wanted = lines.find(picture.Name);
      ASSERT_EQ(picture.Texts.size(), wanted == lines.end() ? 0 : wanted->second)
          << code << " " << picture.Name;
      const QRect whole(QPoint(0, 0), picture.Image.size());
      for (const art::TextFit& fit : picture.Texts) {
        const std::string what = code + " " + picture.Name + " \"" + fit.Text.toStdString() + "\"";
        const QRect room = fit.Box.adjusted(art::kTextMargin, art::kTextMargin, -art::kTextMargin,
                                            -art::kTextMargin);
        EXPECT_FALSE(fit.Ink.isEmpty()) << what;
        EXPECT_TRUE(room.contains(fit.Ink) && whole.contains(fit.Box)) << what;
        EXPECT_GE(fit.Size, fit.DesignSize * art::kSmallestTextShare) << what;
        if (words.IsEnglish()) {
          EXPECT_EQ(fit.Size, fit.DesignSize) << what;
        }
      }
    }
  }
}

TEST(CaptionFit, EachLanguagesDataFileHasTheEnglishPicturesByName) {
  const std::string build = ZELTORIA_BINARY_DIR;
  TVX8Library english;
  english.OpenLibrary(build + "/zelto.vx8");
  ASSERT_EQ(english.ImageNames().size(), 20u);
  for (const auto& catalogue : language::ShippedCatalogues()) {
    TVX8Library translated;
    translated.OpenLibrary(build + "/" + std::string(catalogue.Code) + "/zelto.vx8");
    EXPECT_EQ(translated.ImageNames(), english.ImageNames()) << catalogue.Code;
  }
}

}  // namespace
