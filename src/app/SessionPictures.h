#pragma once

#include "app/SessionFile.h"
#include "catalogue/PictureRecord.h"

#include <vector>

namespace dz {

// A picture's share of the size fingerprint: the low 32 bits of its size
// read as a signed number, in megabytes. Every share is a multiple of 2^-20,
// so sums of them are exact in float64 whatever the order of adding.
double fingerprintShare(const PictureRecord& picture);

// Sorts by date, and pictures of the same date by path, so that saving and
// loading pair a session's records with the same pictures. On the timeline
// the date is still the shot time as written: the moments depend on the
// clocks, the zones and the gazetteer of the day, the pairing must not.
void sortForSession(std::vector<PictureRecord>& pictures);

// Puts pictures back in the order of their keys (the film's), shots of one
// key by path, after sortForSession; only pictures on the timeline move.
void sortByKeyAfterSession(std::vector<PictureRecord>& pictures);

// The working state of a picture as a session keeps it, and back.
SessionPicture sessionPicture(const PictureRecord& picture);
void applySessionPicture(const SessionPicture& stored, PictureRecord& picture);

}  // namespace dz
