#pragma once

#include "app/SessionFile.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace dz {

// What sessions keep beyond their first layout, in one block after the
// picture records: tagged records, each a 16-bit tag, a 32-bit length and
// its bytes, then the block's length, its version and a closing mark. A
// reader passes over the tags it does not know, so a later field is a new
// tag, not a new layout. A file without the mark has no block.

// Appends the block for `session` to `bytes`.
void appendSessionExtras(const SessionFile& session, std::vector<std::uint8_t>& bytes);

// Reads the block at the end of `bytes` into `session`; the length of the
// file before it (the whole file when there is none), or nothing when the
// block is damaged or names rules this program does not know.
std::optional<std::size_t> readSessionExtras(std::span<const std::uint8_t> bytes, SessionFile& session);

}  // namespace dz
