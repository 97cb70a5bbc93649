#include "model/UGroupPage.h"

namespace qb {

bool TGroupSuper::AcceptsChildType(int type) {
    return (type >= ptGroup && type <= ptTemplate) || type == 9;
}

bool TRoot::AcceptsChildType(int type) {
    switch (type) {
        case ptTemplate:
        case ptFastLink:
        case ptFavorite:
        case ptSearch:
        case ptRecycleBin:
        case ptRecentRoot:
        case ptGroupRoot:
        case 24:
        case ptClip:
            return true;
        default:
            return false;
    }
}

}  // namespace qb
