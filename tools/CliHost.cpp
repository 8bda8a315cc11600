#include "CliHost.h"

namespace dz {

Answer CliHost::messageBox(const MessageRequest& request) {
    ++messageCount_;
    const Answer answer = policy_.answerFor(request);
    // Some questions have no caption; the line then starts with the text.
    if (!request.caption.empty()) {
        err_ << request.caption << ": ";
    }
    // One line a question, so that scripts can read them line by line.
    std::string line;
    for (const char c : request.text) {
        if (c != '\n') {
            line += c;
        } else if (!line.empty() && line.back() != ' ') {
            line += ' ';
        }
    }
    err_ << line << " [" << answerName(answer) << "]\n";
    return answer;
}

}  // namespace dz
