#include "game/Captions.h"

#include "image/ImageUse.h"
#include "image/PaletteSelection.h"

TCaptions::TCaptions(TVX8Library& library, TBackgroundPainter background)
    : Library(library), Background(std::move(background)) {}

std::optional<TComposite> TCaptions::MakeComposite(const std::string& name, TPoint position) {
  // A caption that cannot be composed is left out; a paint handler must not fail over it.
  try {
    TImageUse source(Library, Library.GetImage(name));
    TVX8ImageData* sourceData = Library.GetImageData(source.Get());
    if (!sourceData) return std::nullopt;
    TImageUse composite(Library,
                        Library.AddBlankImage("", sourceData->Width(), sourceData->Height()));
    TVX8ImageData* data = Library.GetImageData(composite.Get());
    if (!data) return std::nullopt;
    if (Background) Background(*data, position);
    data->Draw({0, 0}, *sourceData, sourceData->GetBounds());
    return TComposite{composite.Release(), data};
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

void TCaptions::Compose(TComposite& composite, TRect& rect, const char* name, TPoint position) {
  if (composite.Node) return;
  if (const auto made = MakeComposite(name, position)) {
    composite = *made;
    rect = {position.X, position.Y, position.X + made->Data->Width(),
            position.Y + made->Data->Height()};
  } else {
    rect = TRect{};
  }
}

void TCaptions::BGAfterPaint(platform::Device& canvas, const TRect&) {
  Compose(Title, TitleRect, "zelto", TitlePos);
  Compose(SizeLabel, SizeLabelRect, "colrow", SizeLabelPos);
  TLibraryPaletteSelection selection(Library, canvas);
  if (Title.Data) Title.Data->Display(canvas, TitlePos, Title.Data->GetBounds());
  if (SizeLabel.Data) SizeLabel.Data->Display(canvas, SizeLabelPos, SizeLabel.Data->GetBounds());
}

void TCaptions::ReleaseComposites() {
  Library.ReleaseImage(Title.Node);
  Library.ReleaseImage(SizeLabel.Node);
  Title = {};
  SizeLabel = {};
}
