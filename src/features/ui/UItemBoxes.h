#pragma once

// The edit boxes of the list items: reminders, links, contacts, templates and clip items.

namespace qb {

class TEditBoxFactory;

// Registers the five boxes, one per item type.
void RegisterItemBoxes(TEditBoxFactory& factory);

}  // namespace qb
