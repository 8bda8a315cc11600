#pragma once

#include "process/CProcess.h"

#include <optional>
#include <ostream>

namespace dz {

class FileSystem;

// The run `job` would make, written as `plan` writes it: one JSON object a
// line per picture, then the summary line; `alreadyInTarget`, when given, is
// the summary's count of pictures left out as sorted there before.
void printRunPlan(const ProcessJob& job, FileSystem& fileSystem, std::ostream& out,
                  std::optional<int> alreadyInTarget = std::nullopt);

}  // namespace dz
