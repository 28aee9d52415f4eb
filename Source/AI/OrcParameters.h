#pragma once

#include <limits>

// Everything an orc's judgement turns on, in one place, so that a tuner can hand each orc a set of its
// own. The defaults are the orcs as they have always played.
struct OrcParameters
{
    // Another player this close counts as near: a rival to dash at, or a weaker one to guard a camp from.
    float rivalRange = 20.0f;
    // A camp not its own this close is weighed for capture.
    float captureRange = 40.0f;
    // An own camp farther than this is never worth walking back to.
    float ownCampReach = 300.0f;
    // Free units farther than this are not fetched; by default every unit in the arena is.
    float unitRange = std::numeric_limits<float>::max();
    // An orc founds a camp once it holds more units than this; where the ground is taken it waits for
    // this many more before it tries again.
    int campThreshold = 6;
    int campThresholdStep = 1;
    // A camp is captured with more units than it holds plus this.
    int captureMargin = 1;
    // Units an orc must lead before a weaker player near sends it to reinforce an own camp.
    int fewestUnitsToReinforce = 1;
    // How far a dash carries per millisecond.
    float dashSpeed = 0.2f;
    // A step that gets less than this share of its length done was blocked (by the dragon, which is no
    // part of the floor's map); after this many ms of blocked steps in a row (twelve 16-ms steps) the orc
    // steps aside this far, and if even that way is blocked (an orc lodged against the dragon's model) it
    // slips through to it.
    float blockedShare = 0.25f;
    float blockedTimeBeforeDetour = 192.0f;
    float detourLength = 4.0f;
};
