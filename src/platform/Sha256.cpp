#include "platform/Sha256.h"

#include <algorithm>
#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace dz {

namespace {

constexpr std::array<std::uint32_t, 8> kInitialState = {0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
                                                        0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};

alignas(16) constexpr std::uint32_t kRound[64] = {
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2};

constexpr std::uint32_t rotr(std::uint32_t x, int n) {
    return (x >> n) | (x << (32 - n));
}

std::uint32_t loadBigEndian(const std::uint8_t* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

void compressPortable(std::uint32_t* state, const std::uint8_t* blocks, std::size_t blockCount) {
    for (; blockCount > 0; --blockCount, blocks += 64) {
        std::uint32_t w[64];
        for (int t = 0; t < 16; ++t) {
            w[t] = loadBigEndian(blocks + 4 * t);
        }
        for (int t = 16; t < 64; ++t) {
            const std::uint32_t s0 = rotr(w[t - 15], 7) ^ rotr(w[t - 15], 18) ^ (w[t - 15] >> 3);
            const std::uint32_t s1 = rotr(w[t - 2], 17) ^ rotr(w[t - 2], 19) ^ (w[t - 2] >> 10);
            w[t] = w[t - 16] + s0 + w[t - 7] + s1;
        }
        std::uint32_t a = state[0], b = state[1], c = state[2], d = state[3];
        std::uint32_t e = state[4], f = state[5], g = state[6], h = state[7];
        for (int t = 0; t < 64; ++t) {
            const std::uint32_t sum1 = rotr(e, 6) ^ rotr(e, 11) ^ rotr(e, 25);
            const std::uint32_t choice = (e & f) ^ (~e & g);
            const std::uint32_t t1 = h + sum1 + choice + kRound[t] + w[t];
            const std::uint32_t sum0 = rotr(a, 2) ^ rotr(a, 13) ^ rotr(a, 22);
            const std::uint32_t majority = (a & b) ^ (a & c) ^ (b & c);
            const std::uint32_t t2 = sum0 + majority;
            h = g;
            g = f;
            f = e;
            e = d + t1;
            d = c;
            c = b;
            b = a;
            a = t1 + t2;
        }
        state[0] += a;
        state[1] += b;
        state[2] += c;
        state[3] += d;
        state[4] += e;
        state[5] += f;
        state[6] += g;
        state[7] += h;
    }
}

#if defined(__x86_64__)

// The SHA extensions keep the state as two vectors, ABEF and CDGH, and do two
// rounds per instruction; each group of four rounds also advances the message
// schedule by four words, three groups ahead of where it is used.
__attribute__((target("sha,sse4.1"))) void compressHardware(std::uint32_t* state, const std::uint8_t* blocks,
                                                           std::size_t blockCount) {
    const __m128i byteSwap = _mm_set_epi64x(0x0c0d0e0f08090a0bULL, 0x0405060700010203ULL);

    __m128i dcba = _mm_loadu_si128(reinterpret_cast<const __m128i*>(state));
    __m128i hgfe = _mm_loadu_si128(reinterpret_cast<const __m128i*>(state + 4));
    const __m128i cdab = _mm_shuffle_epi32(dcba, 0xB1);
    const __m128i efgh = _mm_shuffle_epi32(hgfe, 0x1B);
    __m128i abef = _mm_alignr_epi8(cdab, efgh, 8);
    __m128i cdgh = _mm_blend_epi16(efgh, cdab, 0xF0);

    for (; blockCount > 0; --blockCount, blocks += 64) {
        const __m128i abefBefore = abef;
        const __m128i cdghBefore = cdgh;
        __m128i words[4];
        // Unrolled, so that the four message vectors stay in registers.
#pragma GCC unroll 16
        for (int group = 0; group < 16; ++group) {
            __m128i& current = words[group % 4];
            if (group < 4) {
                current = _mm_shuffle_epi8(
                    _mm_loadu_si128(reinterpret_cast<const __m128i*>(blocks + 16 * group)), byteSwap);
            }
            __m128i input = _mm_add_epi32(current, _mm_load_si128(reinterpret_cast<const __m128i*>(kRound + 4 * group)));
            cdgh = _mm_sha256rnds2_epu32(cdgh, abef, input);
            if (group >= 3 && group <= 14) {
                __m128i& next = words[(group + 1) % 4];
                const __m128i previous = words[(group + 3) % 4];
                next = _mm_add_epi32(next, _mm_alignr_epi8(current, previous, 4));
                next = _mm_sha256msg2_epu32(next, current);
            }
            input = _mm_shuffle_epi32(input, 0x0E);
            abef = _mm_sha256rnds2_epu32(abef, cdgh, input);
            if (group >= 1 && group <= 12) {
                __m128i& previous = words[(group + 3) % 4];
                previous = _mm_sha256msg1_epu32(previous, current);
            }
        }
        abef = _mm_add_epi32(abef, abefBefore);
        cdgh = _mm_add_epi32(cdgh, cdghBefore);
    }

    const __m128i feba = _mm_shuffle_epi32(abef, 0x1B);
    const __m128i dchg = _mm_shuffle_epi32(cdgh, 0xB1);
    dcba = _mm_blend_epi16(feba, dchg, 0xF0);
    hgfe = _mm_alignr_epi8(dchg, feba, 8);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(state), dcba);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(state + 4), hgfe);
}

#endif

}  // namespace

Sha256::Sha256(Engine engine) : hardware_(engine == Engine::Fastest && hardwareAvailable()) {
    reset();
}

bool Sha256::hardwareAvailable() {
#if defined(__x86_64__)
    return __builtin_cpu_supports("sha") && __builtin_cpu_supports("sse4.1");
#else
    return false;
#endif
}

void Sha256::reset() {
    state_ = kInitialState;
    pendingSize_ = 0;
    totalBytes_ = 0;
}

void Sha256::compress(const std::uint8_t* blocks, std::size_t blockCount) {
#if defined(__x86_64__)
    if (hardware_) {
        compressHardware(state_.data(), blocks, blockCount);
        return;
    }
#endif
    compressPortable(state_.data(), blocks, blockCount);
}

void Sha256::update(const std::uint8_t* bytes, std::size_t count) {
    totalBytes_ += count;
    if (pendingSize_ > 0) {
        const std::size_t taken = std::min(count, pending_.size() - pendingSize_);
        std::memcpy(pending_.data() + pendingSize_, bytes, taken);
        pendingSize_ += taken;
        bytes += taken;
        count -= taken;
        if (pendingSize_ < pending_.size()) {
            return;
        }
        compress(pending_.data(), 1);
        pendingSize_ = 0;
    }
    // Whole blocks straight from the caller's buffer, without copying them.
    const std::size_t blockCount = count / 64;
    if (blockCount > 0) {
        compress(bytes, blockCount);
        bytes += blockCount * 64;
        count -= blockCount * 64;
    }
    if (count > 0) {
        std::memcpy(pending_.data(), bytes, count);
        pendingSize_ = count;
    }
}

void Sha256::update(std::string_view bytes) {
    update(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

std::array<std::uint8_t, 32> Sha256::finish() {
    // A 1 bit, zeros up to 8 bytes short of a block end, and the length in bits.
    const std::uint64_t bitLength = totalBytes_ * 8;
    std::uint8_t tail[128] = {0x80};
    const std::size_t tailSize = pendingSize_ < 56 ? 64 - pendingSize_ : 128 - pendingSize_;
    for (int i = 0; i < 8; ++i) {
        tail[tailSize - 1 - i] = static_cast<std::uint8_t>(bitLength >> (8 * i));
    }
    update(tail, tailSize);

    std::array<std::uint8_t, 32> digest;
    for (std::size_t i = 0; i < state_.size(); ++i) {
        digest[4 * i] = static_cast<std::uint8_t>(state_[i] >> 24);
        digest[4 * i + 1] = static_cast<std::uint8_t>(state_[i] >> 16);
        digest[4 * i + 2] = static_cast<std::uint8_t>(state_[i] >> 8);
        digest[4 * i + 3] = static_cast<std::uint8_t>(state_[i]);
    }
    reset();
    return digest;
}

std::string Sha256::finishHex() {
    const std::array<std::uint8_t, 32> digest = finish();
    return hexText(digest.data(), digest.size());
}

std::string hexText(const std::uint8_t* bytes, std::size_t count) {
    static const char kDigits[] = "0123456789abcdef";
    std::string out(2 * count, '0');
    for (std::size_t i = 0; i < count; ++i) {
        out[2 * i] = kDigits[bytes[i] >> 4];
        out[2 * i + 1] = kDigits[bytes[i] & 0x0F];
    }
    return out;
}

}  // namespace dz
