#include "PromptPolicy.h"

#include <string_view>

namespace dz {

namespace {

bool startsWith(std::string_view text, std::string_view head) {
    return text.substr(0, head.size()) == head;
}

bool endsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

// The question itself, without the lines that name the files under it.
std::string_view firstLine(std::string_view text) {
    return text.substr(0, text.find('\n'));
}

// "%s already exists! Overwrite?" and its form without a name.
bool isOverwriteQuestion(const MessageRequest& r) {
    return r.buttons == Buttons::YesNoCancel && endsWith(firstLine(r.text), "already exists! Overwrite?");
}

// "Directory already exists( %s)! Continue?": the album's folder is there.
bool isExistingFolderQuestion(const MessageRequest& r) {
    return r.buttons == Buttons::YesNo && startsWith(r.text, "Directory already exists(") &&
           endsWith(r.text, ")! Continue?");
}

bool isNextAlbumQuestion(const MessageRequest& r) {
    return r.buttons == Buttons::YesNo && r.text == "Move to next album?";
}

bool isCopyInsteadQuestion(const MessageRequest& r) {
    return r.buttons == Buttons::OkCancel && r.text == "File could not be moved. Copy instead of move?";
}

}  // namespace

Answer PromptPolicy::answerFor(const MessageRequest& r) const {
    const bool goOnAfterError = onError == OnError::Continue;
    if (isOverwriteQuestion(r)) {
        switch (onExists) {
        case OnExists::Skip: return Answer::No;  // keeps the file there, the picture counts as done
        case OnExists::Overwrite: return Answer::Yes;
        case OnExists::Stop: return Answer::Cancel;
        }
    }
    if (isExistingFolderQuestion(r)) {
        return onExists == OnExists::Stop ? Answer::No : Answer::Yes;
    }
    if (isNextAlbumQuestion(r)) {
        return goOnAfterError ? Answer::Yes : Answer::No;
    }
    if (isCopyInsteadQuestion(r)) {
        return goOnAfterError ? Answer::Ok : Answer::Cancel;
    }
    switch (r.buttons) {
    case Buttons::AbortRetryIgnore:
        // Never Retry: nobody is there to fix the cause, so it would loop.
        return goOnAfterError ? Answer::Ignore : Answer::Abort;
    case Buttons::RetryCancel:
        return Answer::Cancel;
    case Buttons::Ok:
    case Buttons::OkCancel:
        // OK skips a file the scan cannot read and goes on.
        return Answer::Ok;
    case Buttons::YesNo:
        return Answer::No;
    case Buttons::YesNoCancel:
        return Answer::Cancel;
    }
    return Answer::Ok;
}

std::optional<PromptPolicy::OnExists> PromptPolicy::onExistsNamed(const std::string& word) {
    if (word == "skip") {
        return OnExists::Skip;
    }
    if (word == "overwrite") {
        return OnExists::Overwrite;
    }
    if (word == "stop") {
        return OnExists::Stop;
    }
    return std::nullopt;
}

std::optional<PromptPolicy::OnError> PromptPolicy::onErrorNamed(const std::string& word) {
    if (word == "stop") {
        return OnError::Stop;
    }
    if (word == "continue") {
        return OnError::Continue;
    }
    return std::nullopt;
}

const char* answerName(Answer answer) {
    switch (answer) {
    case Answer::Ok: return "OK";
    case Answer::Cancel: return "Cancel";
    case Answer::Abort: return "Abort";
    case Answer::Retry: return "Retry";
    case Answer::Ignore: return "Ignore";
    case Answer::Yes: return "Yes";
    case Answer::No: return "No";
    }
    return "?";
}

bool isPolicyOption(const std::string& option) {
    return option == "--on-exists" || option == "--on-error";
}

bool takePolicyOption(const std::string& option, const std::string& value, PromptPolicy& policy, std::ostream& err) {
    if (option == "--on-exists") {
        const auto choice = PromptPolicy::onExistsNamed(value);
        if (!choice) {
            err << "dezoredu-cli: --on-exists takes skip, overwrite or stop, not " << value << "\n";
            return false;
        }
        policy.onExists = *choice;
        return true;
    }
    const auto choice = PromptPolicy::onErrorNamed(value);
    if (!choice) {
        err << "dezoredu-cli: --on-error takes stop or continue, not " << value << "\n";
        return false;
    }
    policy.onError = *choice;
    return true;
}

}  // namespace dz
