#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace dz {

// SHA-256 of a stream of bytes. Uses the CPU's SHA extensions where it has them
// (files are hashed while they are copied, which must stay close to plain copy
// speed), else portable code; both give the same digest.
class Sha256 {
public:
    enum class Engine {
        Fastest,   // the SHA extensions when the CPU has them
        Portable,  // plain C++ everywhere, so both can be checked against each other
    };

    Sha256() : Sha256(Engine::Fastest) {}
    explicit Sha256(Engine engine);

    void update(const std::uint8_t* bytes, std::size_t count);
    void update(std::string_view bytes);
    // The digest of everything given; the object starts over afterwards.
    std::array<std::uint8_t, 32> finish();
    // finish() as 64 lower-case hex digits.
    std::string finishHex();

    // True when this CPU has the SHA extensions the fast engine uses.
    static bool hardwareAvailable();
    // True when this object hashes with them.
    bool usesHardware() const { return hardware_; }

private:
    void reset();
    void compress(const std::uint8_t* blocks, std::size_t blockCount);

    std::array<std::uint32_t, 8> state_{};
    std::array<std::uint8_t, 64> pending_{};
    std::size_t pendingSize_ = 0;
    std::uint64_t totalBytes_ = 0;
    bool hardware_ = false;
};

// Lower-case hex of any bytes.
std::string hexText(const std::uint8_t* bytes, std::size_t count);

}  // namespace dz
