#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace dz {

// Text limits of the fixed-width fields (characters, terminator excluded).
inline constexpr std::size_t kExifVersionChars = 4;
inline constexpr std::size_t kCameraMakeChars = 31;
inline constexpr std::size_t kCameraModelChars = 39;
inline constexpr std::size_t kDateTimeChars = 19;
inline constexpr std::size_t kCommentChars = 999;
inline constexpr std::size_t kCustomNameChars = 127;

// Where a shot was taken, as its GPS directory or its movie states it.
struct ShotPosition {
    bool known = false;
    double latitude = 0;   // decimal degrees, north positive
    double longitude = 0;  // decimal degrees, east positive
    bool hasAltitude = false;
    double altitude = 0;  // metres, below sea level negative
};

// The decoded EXIF and JPEG frame facts of one picture. A value-initialised
// record means "nothing known": 0, 0.0 or an empty text is an absent value.
struct ExifInfo {
    std::string exifVersion;
    std::string cameraMake;
    std::string cameraModel;
    std::string dateTime;  // "YYYY:MM:DD HH:MM:SS" as stored
    // The other two dates a picture may carry, in the same form: when it
    // was digitized, and when its file was last changed (the first
    // directory's DateTime).
    std::string dateTimeDigitized;
    std::string dateTimeModified;
    // The offsets of the camera's clock from UTC that go with those dates
    // ("+09:00" as stored; empty when absent), and the fraction of a second
    // of the shot time ("123" as stored).
    std::string offsetTimeOriginal;
    std::string offsetTimeDigitized;
    std::string offsetTimeModified;
    std::string subSecTimeOriginal;
    // The GPS receiver's UTC time of the fix, "YYYY:MM:DD HH:MM:SS" (seconds
    // rounded down); empty unless both its date and its time are present.
    std::string gpsDateTime;
    ShotPosition position;
    std::string bodySerialNumber;
    std::int32_t height = 0;
    std::int32_t width = 0;
    std::int32_t orientation = 0;
    std::int32_t isColor = 0;
    std::int32_t encodingMarker = 0;
    std::int32_t flashUsed = 0;
    float focalLength = 0;
    float exposureTime = 0;
    float apertureFNumber = 0;
    float focusDistance = 0;
    float ccdWidth = 0;
    float exposureBias = 0;
    std::int32_t whitebalance = 0;
    std::int32_t meteringMode = 0;
    std::int32_t exposureProgram = 0;
    std::int32_t isoEquivalent = 0;
    std::int32_t jpegQuality = 0;
    float focalPlaneXRes = 0;
    float focalPlaneYRes = 0;
    float focalPlaneUnit = 0;
    float xResolution = 0;
    float yResolution = 0;
    float resolutionUnit = 0;
    float brightness = 0;
    std::string comment;
    std::vector<std::uint8_t> thumbnail;  // the embedded JPEG thumbnail, owned
    std::uint32_t thumbnailSize = 0;
    bool hasExif = false;
};

}  // namespace dz
