// The two captions painted over the window background, the title and the size label: each a
// composite of its picture on the background beneath it, made at the next background painting
// and kept until the layout moves.
#pragma once

#include <optional>
#include <string>

#include "foundation/Geometry.h"
#include "game/BoardRenderer.h"
#include "image/VX8Library.h"
#include "platform/Device.h"

inline constexpr TPoint StoredTitlePos{71, 9};
inline constexpr TPoint StoredSizeLabelPos{87, 329};

// A caption picture on its background: a blank library picture owned through one use.
struct TComposite {
  TImageNode* Node = nullptr;
  TVX8ImageData* Data = nullptr;
};

class TCaptions {
 public:
  // `library`, which outlives the captions, is the one the pictures come from.
  TCaptions(TVX8Library& library, TBackgroundPainter background);

  // The picture `name` laid over the background that lies under it at `position`; none when
  // the picture is missing or composing fails (the caption is then left out until the next
  // painting).
  std::optional<TComposite> MakeComposite(const std::string& name, TPoint position);

  // The background's after-paint step: makes the missing composites at TitlePos and
  // SizeLabelPos, then shows both whole at their places through the library palette.
  void BGAfterPaint(platform::Device& canvas, const TRect& clip);

  // Gives both composites back; the next BGAfterPaint makes them again.
  void ReleaseComposites();

  // Where the captions lie in the window's client area; the window's re-centring moves them.
  TPoint TitlePos = StoredTitlePos;
  TPoint SizeLabelPos = StoredSizeLabelPos;
  TComposite Title;
  TComposite SizeLabel;
  TRect TitleRect;      // where the title composite lies in the window
  TRect SizeLabelRect;  // where the size-label composite lies

 private:
  TVX8Library& Library;
  TBackgroundPainter Background;

  void Compose(TComposite& composite, TRect& rect, const char* name, TPoint position);
};
