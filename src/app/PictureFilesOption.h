#pragma once

#include "formats/PictureKind.h"
#include "platform/Window.h"

#include <functional>
#include <string>

namespace dz {

class Host;

// Reads the "Picture files" choice kept beside "fl.cfg"; `unsaved` when the
// file is missing, "JPEG only" when it holds anything else.
PictureFiles loadPictureFiles(const std::string& folder, PictureFiles unsaved = PictureFiles::JpegOnly);

// Writes the choice; on failure shows "Options could not be saved!".
bool savePictureFiles(const std::string& folder, PictureFiles files, Host& host);

// The "Picture files" window: "JPEG only" or "All photos and videos".
class CPictureFilesOption final : public Window {
public:
    static constexpr int kJpegOnly = 1201;
    static constexpr int kAllFormats = 1202;
    static constexpr int kOk = 1;
    static constexpr int kCancel = 2;

    CPictureFilesOption(Host& host, PictureFiles& files, std::function<void()> save);

    void onInit() override;
    void onCommand(int id) override;

private:
    PictureFiles& files_;
    std::function<void()> save_;
};

}  // namespace dz
