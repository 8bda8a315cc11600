#pragma once

#include <string>

namespace dz {

// What this user's program remembers of a run outside the run's own
// journal: the number of lines the journal held and the seal of the last
// one when it was last sealed.
struct RunMark {
    int lines = 0;
    std::string mac;
};

// The user's side of the journals: a secret key, made on first use in the
// user's data folder (mode 0600), that seals every journal line, and a small
// record per run. A journal found on a drive is believed only when its
// lines carry seals of this key, and only when it is not behind its record,
// so it cannot be forged, changed, spliced or rolled back by whoever else
// had the drive. Error results are errno values (0 for success).
class JournalTrust {
public:
    explicit JournalTrust(std::string dataFolder) : folder_(std::move(dataFolder)) {}

    const std::string& folder() const { return folder_; }

    // Reads the key, making it first when `create` and there is none. A key
    // file that is a link, not the user's own or readable by others is refused.
    int loadKey(bool create);
    bool hasKey() const { return key_.size() == 32; }

    // The seal of journal line `number` (from 1) of run `runId`, whose body
    // is `body` and whose previous line's seal is `previous`.
    std::string seal(const std::string& runId, int number, const std::string& previous,
                     const std::string& body) const;

    // ENOENT when the run has no record.
    int readMark(const std::string& runId, RunMark& mark) const;
    int writeMark(const std::string& runId, const RunMark& mark) const;

    // A new run id: 32 hex digits from the kernel's random source.
    static std::string newRunId();
    static bool isRunId(const std::string& text);

private:
    std::string folder_;
    std::string key_;
};

}  // namespace dz
