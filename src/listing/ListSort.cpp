#include "listing/ListSort.h"

#include <algorithm>
#include <array>
#include <optional>

namespace kal::listing {
namespace {

std::optional<long> LeadingNumber(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  if (i >= text.size() || text[i] < '0' || text[i] > '9') return std::nullopt;
  long value = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9' && value < 100000000) value = value * 10 + (text[i++] - '0');
  return negative ? -value : value;
}

int CompareText(const std::string& a, const std::string& b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (x >= 'a' && x <= 'z') x = static_cast<unsigned char>(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z') y = static_cast<unsigned char>(y - 'a' + 'A');
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  return 0;
}

}  // namespace

bool ColumnSorts(int column) { return column >= 1 && column < kFirstUnsortedColumn; }

int CompareCells(const std::string& a, const std::string& b, bool numeric) {
  if (numeric) {
    const auto x = LeadingNumber(a), y = LeadingNumber(b);
    if (x && y) return *x < *y ? -1 : (*x > *y ? 1 : 0);
    if (x || y) return x ? 1 : -1;  // a cell without a number first
  }
  return CompareText(a, b);
}

void SortRows(std::vector<ListRow>& rows, ListKind kind, int column, int direction) {
  const auto& columns = Columns(kind);
  if (column < 0 || column >= static_cast<int>(columns.size())) return;
  const bool numeric = columns[static_cast<std::size_t>(column)].numeric;
  const std::size_t c = static_cast<std::size_t>(column);
  std::stable_sort(rows.begin(), rows.end(), [&](const ListRow& a, const ListRow& b) {
    return CompareCells(a.cells[c], b.cells[c], numeric) * direction < 0;
  });
}

int& SortState::ColumnDirection(int column) {
  static std::array<int, 16> directions = [] {
    std::array<int, 16> d{};
    d.fill(1);
    return d;
  }();
  return directions.at(static_cast<std::size_t>(std::clamp(column, 0, 15)));
}

void SortState::Click(int clicked) {
  int& d = ColumnDirection(clicked);
  d = -d;
  column = clicked;
  direction = d;
}

}  // namespace kal::listing
