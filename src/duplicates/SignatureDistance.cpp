#include "duplicates/SignatureDistance.h"

#include <cmath>

namespace dz {

double signatureDistance(const Signature& a, const Signature& b) {
    double sum = 0.0;
    for (std::size_t k = 0; k < a.size(); ++k) {
        const double d = a[k] - b[k];
        sum += d * d;
    }
    return std::sqrt(sum);
}

}  // namespace dz
