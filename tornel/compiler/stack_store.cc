#include "tornel/compiler/stack_store.h"

#include <utility>

#include "tornel/base/table_growth.h"

namespace tornel {

namespace {

template <class T>
void Release(StackRowData<T>& row) {
  row.slots = std::vector<T>();  // gives the memory back, not just the count
  row.count = 0;
}

}  // namespace

void PushInt(Diagnostics& diag, StackStore& store, StackRow row, int value) {
  StackRowData<int>& r = store.ints[row.index()];
  GrowTable(diag, r.slots, r.count);
  r.slots[r.count++] = value;
}

std::optional<int> PopInt(StackStore& store, StackRow row) {
  StackRowData<int>& r = store.ints[row.index()];
  if (r.count == 0) return std::nullopt;
  return r.slots[--r.count];
}

size_t IntCount(const StackStore& store, StackRow row) { return store.ints[row.index()].count; }

void ReleaseIntRows(StackStore& store) {
  for (StackRowData<int>& r : store.ints) Release(r);
}

void PushText(Diagnostics& diag, StackStore& store, StackRow row, std::string_view text) {
  StackRowData<std::string>& r = store.texts[row.index()];
  GrowTable(diag, r.slots, r.count);
  r.slots[r.count++].assign(text);
}

std::optional<std::string> PopText(StackStore& store, StackRow row) {
  StackRowData<std::string>& r = store.texts[row.index()];
  if (r.count == 0) return std::nullopt;
  std::string& slot = r.slots[--r.count];
  std::string top = std::move(slot);
  slot.clear();  // a later push finds the slot empty, as a new one
  return top;
}

const std::string* GetText(const StackStore& store, StackRow row, long long index) {
  const StackRowData<std::string>& r = store.texts[row.index()];
  if (index < 0 || static_cast<unsigned long long>(index) >= r.count) return nullptr;
  return &r.slots[static_cast<size_t>(index)];
}

size_t TextCount(const StackStore& store, StackRow row) { return store.texts[row.index()].count; }

void ReleaseTextRow(StackStore& store, StackRow row) { Release(store.texts[row.index()]); }

void ReleaseAllRows(StackStore& store) {
  ReleaseIntRows(store);
  for (StackRowData<std::string>& r : store.texts) Release(r);
}

}  // namespace tornel
