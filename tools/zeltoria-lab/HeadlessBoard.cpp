#include "tools/zeltoria-lab/HeadlessBoard.h"

#include <charconv>
#include <ostream>

namespace {

template <class Number>
std::optional<Number> ParseDecimal(const std::string& text) {
  Number value{};
  const char* end = text.data() + text.size();
  // from_chars takes no sign or spaces, and reports a value too large for Number.
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end) return std::nullopt;
  return value;
}

std::optional<uint8_t> ParseSize(const std::string& text) {
  const auto size = ParseDecimal<uint32_t>(text);
  if (!size || *size < MinLines || *size > MaxLines) return std::nullopt;
  return static_cast<uint8_t>(*size);
}

}  // namespace

std::optional<TDealArguments> ParseDealArguments(const std::vector<std::string>& args) {
  if (args.size() != 3) return std::nullopt;
  const auto seed = ParseDecimal<uint32_t>(args[0]);
  const auto cols = ParseSize(args[1]);
  const auto rows = ParseSize(args[2]);
  if (!seed || !cols || !rows) return std::nullopt;
  return TDealArguments{*seed, *cols, *rows};
}

void DealFrom(THeadlessBoard& board, const TDealArguments& deal) {
  board.Random.Seed = deal.Seed;
  board.Model.SetCols(deal.Cols);
  board.Model.SetRows(deal.Rows);
  board.Model.Deal();
}

// Plain string building, no streams: the page's module carries this, and streams would bring
// the whole of the C++ locale machinery into it.
std::string CellsText(const TCells& cells, const TBoardState& model) {
  constexpr char hex[] = "0123456789abcdef";
  std::string out;
  for (int32_t r = 1; r <= model.Rows; ++r) {
    for (int32_t c = 1; c <= model.Cols; ++c) {
      const uint8_t cell = cells(c, r);
      if (c > 1) out += ' ';
      out += hex[cell >> 4];
      out += hex[cell & 0x0F];
    }
    out += '\n';
  }
  return out;
}

void PrintBoard(const TBoardState& model, std::ostream& out) {
  out << CellsText(model.Board, model);
}
