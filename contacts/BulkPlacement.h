#pragma once
// Where records land when many are added to the list at once, as an import
// adds them.  The list places an added record by binary search over its item
// texts (the first names), as a list in ascending first-name order would:
// after the last item whose text does not sort after the new one.  Adding a
// hundred thousand records that way, each a search and a shift of the whole
// list, takes minutes; this gives the same end result in one go.
//
// While the list stands in first-name order, the result is that of a stable
// sort by first name of the old items followed by the new ones.  A list in
// any other order (a load's order, where Ann Lee follows Anna Bell; a sort by
// another column; a descending sort) is searched over its texts as they
// stand, and the same search is replayed here, record by record, over a
// sequence that takes insertions cheaply, comparing ranks of the texts
// rather than the texts themselves.

#include "contacts/Contact.h"

#include <cstdint>
#include <vector>

// The order of the list after `added` are added one at a time, in their
// order, to a list holding `present` in its order.  Entry k names what goes
// k-th: i < present.size() for present[i], present.size() + j for added[j].
std::vector<std::uint32_t> PlaceAdded(const std::vector<const Contact*>& present,
                                      const std::vector<const Contact*>& added);
