/* NOTE TO THE DEVELOPER OF src/exif (your brief said "$(RULES)": these are those rules).
   Delete this comment block when you first edit this file.

## Rules that always hold (from the project's developers' guide)

- The program is specified in /work/shared/spec.md; the Linux design is /work/shared/architecture.md; code-style examples in /work/shared/style.md. Read the Overview of the spec and the Parts your brief names before writing code.
- Names in backticks in the spec are the names to use in the code. Texts in double quotes are the system's own (messages, captions, formats): use them exactly as they stand, spelling mistakes included.
- Code, comments, tests, commit messages and file names NEVER mention the specification, its "Parts" or their numbering (no "spec", no "Part 2.1", no "§"). Write comments as this program's own developer would: say why, briefly.
- Do not look for, fetch, install, run or read any existing implementation of this program or of its components (no exiftool, exiv2, libexif, easyexif, TinyEXIF, PIL's EXIF reader, etc.), including their headers, libraries, docs and sample files. Build from the specification. The libraries libjpeg-turbo, libpng, zlib, libtiff, Qt 6, GoogleTest/GMock and Google Benchmark are fine.
- Where the spec describes an obvious fault (crash, lost or corrupted data, plainly wrong result, failure reported as success, unsafe input handling), build the sound behaviour instead, test it, and tell me in your final report what you changed and why. Be conservative.
- Tests: use the spec's edge-case lists with judgement, as suggestions, not a checklist. Write tests that catch real faults, group related cases (table-driven where the cases are data), skip tests that restate the code. Aim for tests of roughly a quarter to a third of the code. A test that asserts nothing, a check that cannot fail, a hard-coded result or a stub reported as done is a defect. Report only what you ran and saw.
- Real parts, not mocks: real file system in temporary folders (tests/support/TempDir.h), real JPEG files. /work/shared/photos/ holds real camera pictures (see its NOTICE.md); copy the few you need into tests/data/ together with that NOTICE.md, so tests pass on a clean clone.
- Style: small files with one clear purpose, one class per header/source pair named after the class, most files well under 500 lines; records as plain value types; binary data read field by field with every length checked (one bounds-checked reader over a byte span, checks written as `size >= n && offset <= size - n`); errors as results, never exceptions across module borders; no globals or singletons; early returns. Namespace `dz`. C++20, g++ 12 (no std::expected; use bool/optional/small result structs).
- The machine has 2 cores shared with other developers working at the same time: build with `ninja -C <your own build dir> -j1 <your targets>` (never build the whole tree if you don't need to, never use a build dir that another developer uses), and keep runs short.
- The repo is /work/main (git, branch main). Other developers commit in the same working tree at the same time: commit ONLY your own files, with `git add <your paths>` then `git commit -m "..."` (never `git add -A`, never `git commit -a`, never reset/checkout/stash other files; if the index is locked, wait a few seconds and retry). Commit in small steps with honest messages, and make sure what you commit compiles.
- Do not edit files outside the paths your brief gives you; if you need a change elsewhere (a shared header), say exactly what in your final report, or make the smallest additive change and say so.

*/
#pragma once

#include "exif/ExifInfo.h"
#include "platform/ByteSource.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace dz {

// Reads the marker sections at the head of a JPEG stream up to the start of
// scan and fills one ExifInfo record. Never throws; failures are a false
// result and a message in lastError().
class CExifReader {
public:
    // Decodes into `target`, which the caller owns and zero-fills.
    explicit CExifReader(ExifInfo& target);
    // Decodes into a record of its own.
    CExifReader();

    // True when the start-of-scan marker was reached.
    bool Decode(ByteSource& stream);
    // Forgets the sections of the last stream.
    void Reset();

    // Points the decoder at another record.
    void setTarget(ExifInfo& target);
    ExifInfo& info() { return *target_; }
    const std::string& lastError() const { return lastError_; }

    // ... internal steps are private; see CExifReader.cpp.

private:
    ExifInfo own_;
    ExifInfo* target_;
    std::string lastError_;
    // (further state is the implementer's)
};

}  // namespace dz
