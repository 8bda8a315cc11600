#pragma once

#include "platform/Host.h"

#include <string>

namespace dz {

// What the user chose on a file-error prompt.
struct FileErrorChoice {
    bool retry = false;   // repeat the failed operation
    bool goOn = true;     // false: give up the current album
    Answer answer = Answer::Ok;
};

// Puts a failed file operation to the user: a "System Error" box whose text,
// icon and buttons follow the error number, naming the file or folder of
// `path` where the text has room for it (an empty path uses the text without
// a name). A `detail` that is not empty follows the text after a blank line.
FileErrorChoice reportFileError(Host& host, int errorCode, const std::string& path,
                                const std::string& detail = {});

}  // namespace dz
