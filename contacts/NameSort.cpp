#include "contacts/NameSort.h"

#include "contacts/ColumnSort.h"

#include <cstdint>

int CompareNameFold(const Contact& a, const Contact& b) { return CompareTextFold(a, b, ColumnSortText(0, true)); }

void SortByName(std::vector<Contact*>& records) {
    // Stably, as the list view's sort is: records with equal names keep the
    // order they were read in, so a book saved and loaded again comes back in
    // the same order.
    if (records.size() < 2) return;
    std::vector<const Contact*> given(records.begin(), records.end());
    std::vector<std::uint32_t> order = StableOrder(given, ColumnSortText(0, true));
    for (std::size_t i = 0; i < order.size(); ++i) records[i] = const_cast<Contact*>(given[order[i]]);
}
