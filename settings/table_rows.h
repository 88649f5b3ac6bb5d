// A constexpr table's rows as code walks them at run time. A file that names a table itself
// carries its own copy of the table's texts in a Windows executable (the linker does not merge
// them), so each table is named by one file, which hands out its rows this way.
#pragma once

#include <cstddef>

template <typename Row>
struct TableRows {
  const Row* first;
  const Row* last;
  const Row* begin() const { return first; }
  const Row* end() const { return last; }
};

template <typename Row, std::size_t count>
constexpr TableRows<Row> rowsOf(const Row (&table)[count]) {
  return {table, table + count};
}
