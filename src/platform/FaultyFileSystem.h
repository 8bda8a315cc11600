#pragma once

#include "platform/FileSystem.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace dz {

// One file operation as the fault-injecting file system saw it.
struct FileCall {
    enum class Kind { CreateDirectory, Copy, Rename, CopyFlushed, Remove, Write, FreeSpace };

    Kind kind = Kind::Copy;
    std::string path;
    std::string target;    // copies and renames
    bool replace = false;  // copies and renames
    int error = 0;         // the error it ended with, 0 when it succeeded
    bool injected = false; // failed on purpose, the disk untouched
};

// "copy /a -> /b replace", "rename /a -> /b failed 17 injected", ...
std::string describe(const FileCall& call);

// The real file system with faults on demand: "the 3rd operation from now
// fails with disk full", "every rename crosses a file-system boundary".
// Counted, logged and open to faults are the operations that change the disk
// or ask it about space: createDirectory, copyFile, the two steps of a move
// (renameFile, copyFlushed), removeFile, writeFile and freeSpace. Listing,
// opening, exists and volumeOf pass straight through.
class FaultyFileSystem : public FileSystem {
public:
    using Kind = FileCall::Kind;

    // The `n`-th counted operation from now (1: the next one) fails with
    // `error` without touching the disk. Several can wait at once.
    void failOperation(int n, int error);
    // Every operation of `kind` fails with `error` until clearFaults(). A
    // planned failOperation() comes first.
    void failEvery(Kind kind, int error);
    void clearFaults();

    // Paths at or below the folder `prefix` report `volume` from volumeOf;
    // a rename between two different volumes then fails with kNotSameDevice,
    // as it would between two file systems.
    void setVolume(const std::string& prefix, const std::string& volume);

    int operationCount() const { return count_; }
    const std::vector<FileCall>& calls() const { return calls_; }
    // describe() of every call, in order.
    std::vector<std::string> callTexts() const;

    bool createDirectory(const std::string& path) override;
    bool freeSpace(const std::string& path, std::uint64_t& bytes) override;
    std::string volumeOf(const std::string& path) override;
    bool copyFile(const std::string& from, const std::string& to, bool replace) override;
    bool removeFile(const std::string& path) override;
    bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) override;

protected:
    bool renameFile(const std::string& from, const std::string& to, bool replace) override;
    bool copyFlushed(const std::string& from, const std::string& to, bool replace) override;

private:
    // Counts and logs `call`; fails it with the planned fault, else with
    // `pretended` when not 0, else runs `real`.
    bool run(FileCall call, const std::function<bool()>& real, int pretended = 0);
    // The volume text set for `path`, empty when none is set.
    std::string volumeSetFor(const std::string& path) const;

    int count_ = 0;
    std::map<int, int> planned_;     // operation number -> error
    std::map<Kind, int> every_;      // kind -> error
    std::map<std::string, std::string> volumes_;  // folder -> volume text
    std::vector<FileCall> calls_;
};

}  // namespace dz
