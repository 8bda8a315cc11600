// The gazetteer's one-time load (module open, copy of every city, index
// build) and its look-ups: 100,000 positions through the index against a
// scan of every place over a sample of the same positions, in this run.
#include "places/Gazetteer.h"
#include "places/GreatCircle.h"

#include "platform/ProgramModule.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <random>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

struct Position {
    double latitude;
    double longitude;
};

// Half anywhere on the sphere, half within about 50 km of a place, where
// pictures are taken and the tree's cells are crowded.
std::vector<Position> positions(const std::vector<dz::Place>& places, std::size_t count) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    std::uniform_real_distribution<double> turn(-180.0, 180.0);
    std::vector<Position> out;
    out.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        if (i % 2 == 0) {
            out.push_back({std::asin(unit(random)) * 180.0 / std::numbers::pi, turn(random)});
            continue;
        }
        const dz::Place& place = places[random() % places.size()];
        out.push_back({std::fmin(90.0, std::fmax(-90.0, place.latitude + unit(random) * 0.5)),
                       place.longitude + unit(random) * 0.5});
    }
    return out;
}

const dz::Place* scan(const std::vector<dz::Place>& places, const Position& at, double& bestKm) {
    const dz::Place* best = nullptr;
    bestKm = 1e9;
    for (const dz::Place& place : places) {
        const double km = dz::greatCircleKm(at.latitude, at.longitude, place.latitude, place.longitude);
        if (km < bestKm) {
            bestKm = km;
            best = &place;
        }
    }
    return best;
}

}  // namespace

int main() {
    std::string problem;
    Clock::time_point start = Clock::now();
    const dz::PlaceIndex* index = dz::gazetteer(problem);
    const double firstUse = secondsSince(start);
    if (index == nullptr) {
        std::fprintf(stderr, "no gazetteer: %s\n", problem.c_str());
        return 1;
    }
    const std::vector<dz::Place>& places = index->places();

    // The first use split in its parts, the module now open in the process.
    const dz::ProgramModule module = dz::openProgramModule(DZ_PLACES_MODULE_FILE, DZ_PLACES_MODULE_TABLE,
                                                           DZ_PLACES_MODULE_VERSION, dz::programModuleFolders());
    start = Clock::now();
    std::vector<dz::Place> copied = dz::copyPlaces(*static_cast<const DzPlacesModule*>(module.table), problem);
    const double copy = secondsSince(start);
    start = Clock::now();
    const dz::PlaceIndex rebuilt(std::move(copied));
    const double build = secondsSince(start);

    const std::size_t lookUps = 100000;
    const std::vector<Position> at = positions(places, lookUps);
    double sum = 0.0;
    double best = 1e9;
    for (int run = 0; run < 5; ++run) {
        start = Clock::now();
        for (const Position& p : at) {
            sum += index->nearest(p.latitude, p.longitude).distanceKm;
        }
        best = std::fmin(best, secondsSince(start));
    }

    // The scan over every 200th position; its answers check the index's.
    const std::size_t sample = lookUps / 200;
    int disagreements = 0;
    start = Clock::now();
    for (std::size_t i = 0; i < lookUps; i += 200) {
        double km = 0.0;
        scan(places, at[i], km);
        sum += km;
        if (std::fabs(km - index->nearest(at[i].latitude, at[i].longitude).distanceKm) > 1e-6) {
            ++disagreements;
        }
    }
    const double scanned = secondsSince(start);

    std::printf("gazetteer: %zu places\n", places.size());
    std::printf("first use (module open + copy + index build): %.1f ms\n", firstUse * 1e3);
    std::printf("  again with the module open: copy %.1f ms, index build %.1f ms (%zu places)\n", copy * 1e3,
                build * 1e3, rebuilt.places().size());
    std::printf("index: %zu look-ups in %.1f ms, %.2f us each (target: under 100 ms)\n", lookUps, best * 1e3,
                best / static_cast<double>(lookUps) * 1e6);
    const double scanEach = scanned / static_cast<double>(sample);
    std::printf("scan of every place: %zu look-ups in %.1f ms, %.1f us each (%.1f s for %zu)\n", sample,
                scanned * 1e3, scanEach * 1e6, scanEach * static_cast<double>(lookUps), lookUps);
    std::printf("index / scan: %.0fx faster; %d disagreements with the scan (checksum %.0f)\n",
                scanEach / (best / static_cast<double>(lookUps)), disagreements, sum);
    return disagreements == 0 ? 0 : 1;
}
