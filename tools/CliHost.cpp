#include "CliHost.h"

namespace dz {

Answer CliHost::messageBox(const MessageRequest& request) {
    ++messageCount_;
    const Answer answer = policy_.answerFor(request);
    // Some questions have no caption; the line then starts with the text.
    if (!request.caption.empty()) {
        err_ << request.caption << ": ";
    }
    err_ << request.text << " [" << answerName(answer) << "]\n";
    return answer;
}

}  // namespace dz
