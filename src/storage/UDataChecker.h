#pragma once

// The check of an open notebook: what the store found wrong in the index while opening it
// (numbers that do not read, repeated ids, records out of order, texts past the end of the
// data file), then the tree: owners that lead round in a loop and children that do not exist.

#include <string>
#include <vector>

namespace qb {

class TPageStore;

// One text per problem, in the order found; empty for a sound notebook. Loads every page.
std::vector<std::u16string> FindDataProblems(TPageStore& store);

}  // namespace qb
