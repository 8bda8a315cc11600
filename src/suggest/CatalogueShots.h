#pragma once

#include "catalogue/PictureRecord.h"
#include "suggest/SuggestShot.h"

#include <vector>

namespace dz {

// Which of the catalogue's pictures may be proposed: an album made by hand
// only ever takes free ones.
enum class ShotsTaken { FreePictures, AllPictures };

// The shots of the catalogue's pictures (folders left out), ordered by
// moment, pictures of one moment in catalogue order. `biasMinutes` is the
// one the catalogue's keys were made with.
std::vector<SuggestShot> suggestShotsOf(const std::vector<PictureRecord>& pictures, int biasMinutes,
                                        ShotsTaken taken = ShotsTaken::FreePictures);

}  // namespace dz
