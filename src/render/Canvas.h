#pragma once

#include "profile/ProfileModel.h"
#include "render/PageLayout.h"

namespace hoplark {

class Imaging;

// What layout and composition draw with: the drawing interface, the profile they read, and
// the layout they write and draw through (geometry and target). The preview keeps one
// layout; every print job makes its own, so nothing the window does reaches a running job.
struct Canvas {
    Imaging& ik;
    const ProfileModel& model;
    const PageVars& page;
    PageLayout& lay;
    // Selected tab of the settings panel: the guides belong to the first only.
    int nTab = 0;
    // Screen resolution the pitches are computed at. Every page passes 96, so a page does not
    // change with the monitor it was set up on.
    int nDpi = 96;
};

} // namespace hoplark
