#pragma once

#include <cstdint>
#include <string>

namespace dz {

// Names of the EXIF codes as the value lists show them. Codes outside the
// tables give "unkown" (white balance: "cloudy"); code 0 means "not known"
// and callers leave it out of their lists.
std::string meteringModeName(int code);
std::string exposureProgramName(int code);
std::string whitebalanceName(int code);

// The JPEG encoding process of a frame marker code; "Unknown" for others.
std::string encodingName(int marker);

// One value as an entry of a value list or of the album details.
std::string sizeText(std::int32_t width, std::int32_t height);
std::string focalLengthText(float focalLength);
std::string resolutionText(float xResolution, float yResolution);
std::string exposureTimeText(float seconds);
std::string apertureText(float fNumber);
std::string isoText(std::int32_t iso);
// "Infinite" below 0, metres above 0, empty for 0 (no distance known).
std::string focusDistanceText(float metres);
std::string exposureBiasText(float bias);
std::string flashText(std::int32_t flashUsed);
std::string cameraText(const std::string& makeOrModel);

// The denominator of the fraction shown for an exposure time of 0.5 s or
// less: the nearest integer of 1/t.
std::int32_t exposureFraction(float seconds);

}  // namespace dz
