#include "process/FileErrorPrompt.h"

#include "exif/TextFormat.h"


namespace dz {

namespace {

// Which part of the path a text names.
enum class NamePart { None, File, Folder };

struct PromptText {
    int code;
    const char* withName;     // a format with one %s, or null
    const char* withoutName;  // null when the text always names the path
    Icon icon;
    Buttons buttons;
    NamePart part;
};

constexpr Buttons kAri = Buttons::AbortRetryIgnore;

// Error numbers as the prompts were written for them (see SystemError.h for
// how the platform's errors are mapped onto them).
constexpr PromptText kPrompts[] = {
    {2, "The system cannot find the file specified( %s). Continue?",
     "The system cannot find the file specified. Continue?", Icon::Error, kAri, NamePart::File},
    {3, "The system cannot find the path specified( %s). Continue?",
     "The system cannot find the path specified. Continue?", Icon::Error, kAri, NamePart::Folder},
    {5, "Access is denied.( %s). Continue?", "Access is denied. Continue?", Icon::Error, kAri, NamePart::Folder},
    {8, nullptr, "Not enough storage is available to process this command. Continue?", Icon::Error, kAri,
     NamePart::None},
    {14, nullptr, "Not enough storage is available to complete this operation. Continue?", Icon::Error, kAri,
     NamePart::None},
    {15, nullptr, "The system cannot find the drive specified. Continue?", Icon::Error, kAri, NamePart::None},
    {20, nullptr, "The system cannot find the drive specified. Continue?", Icon::Error, kAri, NamePart::None},
    {19, nullptr, "The media is write protected. Continue?", Icon::Error, kAri, NamePart::None},
    {21, nullptr, "The device is not ready. Continue?", Icon::Exclamation, kAri, NamePart::None},
    {25, nullptr, "The drive cannot locate a specific area or track on the disk. Continue?", Icon::Error, kAri,
     NamePart::None},
    {26, nullptr, "The specified disk or diskette cannot be accessed. Continue?", Icon::Error, kAri,
     NamePart::None},
    {27, nullptr, "The drive cannot find the sector requested. Continue?", Icon::Error, kAri, NamePart::None},
    {29, nullptr, "The system cannot write to the specified device. Continue?", Icon::Error, kAri, NamePart::None},
    {30, nullptr, "The system cannot read from the specified device. Continue?", Icon::Error, kAri,
     NamePart::None},
    {32, "The process cannot access the file because it is being used by another process( %s). Continue?",
     "The process cannot access the file because it is being used by another process. Continue?", Icon::Error,
     kAri, NamePart::File},
    {33,
     "The process cannot access the file because another process has locked a portion of the file( %s). "
     "Continue?",
     "The process cannot access the file because another process has locked a portion of the file. Continue?",
     Icon::Error, kAri, NamePart::File},
    {39, nullptr, "The disk is full. Please close all other applications while Dezoredu is processing albums. Continue?",
     Icon::Error, Buttons::RetryCancel, NamePart::None},
    {72, nullptr, "The specified disk device has been paused. Continue?", Icon::Error, Buttons::RetryCancel,
     NamePart::None},
    {80, "%s already exists! Overwrite?", "File already exists! Overwrite?", Icon::Exclamation,
     Buttons::YesNoCancel, NamePart::File},
    {82, nullptr, "The file cannot be created. Continue?", Icon::Error, kAri, NamePart::None},
    // An empty path is never passed here; the name is simply left empty then.
    {183, "Directory already exists( %s)! Continue?", nullptr, Icon::Exclamation, Buttons::YesNo, NamePart::File},
    {206, nullptr, "The filename or extension is too long. Please redefine album", Icon::Error, Buttons::Ok,
     NamePart::None},
    {266, nullptr, "The copy functions cannot be used.", Icon::Error, Buttons::RetryCancel, NamePart::None},
    {267, nullptr, "The directory name is invalid. Please redefine album", Icon::Exclamation, Buttons::Ok,
     NamePart::None},
    {1785, nullptr, "The disk media is not recognized. It may not be formatted.", Icon::Error, kAri,
     NamePart::None},
};

constexpr PromptText kUnknown{0, nullptr, "Unknown error.", Icon::Error, kAri, NamePart::None};

const PromptText& promptFor(int code) {
    for (const PromptText& prompt : kPrompts) {
        if (prompt.code == code) {
            return prompt;
        }
    }
    return kUnknown;
}

std::string namePart(const std::string& path, NamePart part) {
    const std::size_t slash = path.find_last_of('/');
    if (part == NamePart::File) {
        return slash == std::string::npos ? path : path.substr(slash + 1);
    }
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string promptText(const PromptText& prompt, const std::string& path) {
    const bool named = prompt.withName != nullptr && (!path.empty() || prompt.withoutName == nullptr);
    if (!named) {
        return prompt.withoutName;
    }
    return formatText(prompt.withName, namePart(path, prompt.part).c_str());
}

FileErrorChoice choiceFor(Buttons buttons, Answer answer) {
    FileErrorChoice choice;
    choice.answer = answer;
    switch (buttons) {
    case Buttons::AbortRetryIgnore:
        choice.retry = answer == Answer::Retry;
        choice.goOn = answer != Answer::Abort;
        break;
    case Buttons::RetryCancel:
        choice.retry = answer == Answer::Retry;
        choice.goOn = answer == Answer::Retry;
        break;
    case Buttons::YesNoCancel:
        // No keeps the existing file and counts the picture as done.
        choice.retry = answer == Answer::Yes;
        choice.goOn = answer != Answer::Cancel;
        break;
    case Buttons::YesNo:
        choice.retry = answer == Answer::Yes;
        choice.goOn = answer == Answer::Yes;
        break;
    default:
        choice.retry = false;
        choice.goOn = false;
        break;
    }
    return choice;
}

}  // namespace

FileErrorChoice reportFileError(Host& host, int errorCode, const std::string& path, const std::string& detail) {
    const PromptText& prompt = promptFor(errorCode);
    std::string text = promptText(prompt, path);
    if (!detail.empty()) {
        text += "\n\n" + detail;
    }
    const Answer answer = host.messageBox(MessageRequest{text, "System Error", prompt.icon, prompt.buttons});
    return choiceFor(prompt.buttons, answer);
}

}  // namespace dz
