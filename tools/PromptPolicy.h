#pragma once

#include "platform/MessageBox.h"

#include <optional>
#include <ostream>
#include <string>

namespace dz {

// How a run without a user answers the program's questions. The box is
// recognised by its buttons and its text; anything not named here gets the
// answer that goes on without harm.
struct PromptPolicy {
    // A picture or an album folder that is already in the target.
    enum class OnExists { Skip, Overwrite, Stop };
    // A file operation that failed.
    enum class OnError { Stop, Continue };

    // Skip: no file is ever replaced unless asked for. Stop: after an error
    // nothing more is written, so a second run picks up where this one ended.
    OnExists onExists = OnExists::Skip;
    OnError onError = OnError::Stop;

    Answer answerFor(const MessageRequest& request) const;

    // The option values as they are typed; nullopt for any other word.
    static std::optional<OnExists> onExistsNamed(const std::string& word);
    static std::optional<OnError> onErrorNamed(const std::string& word);
};

const char* answerName(Answer answer);

// Whether `option` is one of the policy's, "--on-exists" or "--on-error".
bool isPolicyOption(const std::string& option);

// Takes a policy option's value into `policy`; false, after saying why on
// `err`, for a value it does not take.
bool takePolicyOption(const std::string& option, const std::string& value, PromptPolicy& policy, std::ostream& err);

}  // namespace dz
