#include "foundation/UknError.h"

#include "foundation/UknStrUtils.h"

namespace qb {

TknError::TknError(std::u16string message) : FMessage(std::move(message)), FUtf8(ToUtf8(FMessage)) {}

}  // namespace qb
