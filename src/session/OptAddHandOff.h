#pragma once

#include "addresslist/AddressList.h"

namespace hoplark {

struct ProfileModel;

// After a load: a list that was filled to the end selects and enables the address
// line-break option of its layout (OptAdd(1) "空白文字の仕切で再配置" for the full layout,
// OptAdd(0) "宛名1.2.3と区切られている" for the pre-split layout). Other outcomes leave the
// model alone. Returns whether the model changed.
bool HandOffOptAdd(AddressList::Outcome outcome, const AddressList& adr, ProfileModel& model);

} // namespace hoplark
