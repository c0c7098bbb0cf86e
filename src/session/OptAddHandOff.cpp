#include "session/OptAddHandOff.h"

#include "profile/ProfileModel.h"

namespace hoplark {

bool HandOffOptAdd(AddressList::Outcome outcome, const AddressList& adr, ProfileModel& model) {
    if (outcome != AddressList::Outcome::Filled)
        return false;
    const int nOpt = adr.optAdd();
    const bool bChanged =
        !model.OptAdd[nOpt] || model.OptAdd[1 - nOpt] || !model.OptAddEnabled[nOpt];
    // OptAdd(0) and OptAdd(1) are one group of option buttons: selecting one clears the other.
    model.OptAdd[nOpt] = true;
    model.OptAdd[1 - nOpt] = false;
    model.OptAddEnabled[nOpt] = true;
    return bChanged;
}

} // namespace hoplark
