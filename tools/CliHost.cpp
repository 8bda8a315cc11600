#include "CliHost.h"

namespace dz {

namespace {

// The answer that goes on without harm: OK skips a file that cannot be read;
// questions get their "no" or "cancel".
Answer chooseAnswer(Buttons buttons) {
    switch (buttons) {
    case Buttons::Ok:
    case Buttons::OkCancel:
        return Answer::Ok;
    case Buttons::YesNo:
        return Answer::No;
    case Buttons::YesNoCancel:
    case Buttons::RetryCancel:
        return Answer::Cancel;
    case Buttons::AbortRetryIgnore:
        return Answer::Abort;
    }
    return Answer::Ok;
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

}  // namespace

Answer CliHost::messageBox(const MessageRequest& request) {
    ++messageCount_;
    const Answer answer = chooseAnswer(request.buttons);
    err_ << request.caption << ": " << request.text << " [" << answerName(answer) << "]\n";
    return answer;
}

}  // namespace dz
