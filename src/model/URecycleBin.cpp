#include "model/URecycleBin.h"

#include "model/UDeleteHandler.h"

namespace qb {

TRecycleHandler::TRecycleHandler(int32_t parentId)
    : TSysPageHandlerSuper(parentId, ptRecycleBin, 25910, 1650) {
    DeleteHandler().SetRecycleBin(PageId());
}

// Deletes after the handler is gone are final again, as before it came.
TRecycleHandler::~TRecycleHandler() {
    if (TDeleteHandler* handler = ExistingDeleteHandler()) handler->SetRecycleBin(kNoOwnerId);
}

}  // namespace qb
