#pragma once

#include <string>

namespace dz {

// Which files the scan takes: "JPEG only" or "All photos and videos".
enum class PictureFiles { JpegOnly, AllFormats };

// How the scan reads a file; decided by the name alone.
enum class PictureKind {
    None,     // not a picture file: not listed
    Jpeg,     // JPEG sections with an EXIF segment
    TiffRaw,  // a raw file that is a TIFF structure from its first byte
    Heif,     // HEIF/HEIC/AVIF: an ISO base media file of coded pictures
    Png,      // PNG with an eXIf chunk
    Raf,      // Fujifilm raw: a header and an embedded JPEG with the EXIF
    Cr3,      // Canon raw: an ISO base media file with TIFF blocks in its boxes
    Video,    // an ISO base media / QuickTime movie, read through FFmpeg
    Webp,     // RIFF chunks with an EXIF chunk
};

// The kind of a file named `name` under `files`; extensions are matched
// without regard to case. "JPEG only" takes what the "*.jpg" mask takes.
PictureKind pictureKindOf(const std::string& name, PictureFiles files);

// True for the kinds that are a camera's raw data: such a file beside a
// JPEG or HEIC of the same name is the same shot and travels with it.
bool isRawKind(PictureKind kind);

// The file's format as `dezoredu-cli info` names it: "JPEG", or the other
// file's extension in capitals ("NEF", "HEIC", "MP4", "WEBP").
std::string pictureFormatName(const std::string& name, PictureKind kind);

}  // namespace dz
