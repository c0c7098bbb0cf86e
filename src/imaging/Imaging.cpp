#include "imaging/Imaging.h"

namespace hoplark {

Imaging::~Imaging() = default;

} // namespace hoplark
