// The album suggestions measured on the labelled set of run-suggest.sh: each
// half scanned as the program scans a folder and put on the one timeline
// with its places; the settings of events and places chosen on the first
// half, every mode reported on the second at the program's defaults. Then
// a whole suggestion over 100,000 made-up shots, timed.

#include "CliHost.h"

#include "catalogue/CDirReader.h"
#include "platform/FileSystem.h"
#include "platform/TimeZone.h"
#include "suggest/CatalogueShots.h"
#include "suggest/Suggestion.h"
#include "timeline/CatalogueTimeline.h"
#include "timeline/GazetteerPlaces.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Label {
    std::int64_t utc = 0;
    int event = 0;
    int day = 0;
    int place = 0;
};

using Labels = std::map<std::string, Label>;  // by file name

std::map<int, Labels> readLabels(const fs::path& file) {
    std::map<int, Labels> halves;
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);  // the header
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string half, name, utc, event, day, place;
        std::getline(fields, half, ',');
        std::getline(fields, name, ',');
        std::getline(fields, utc, ',');
        std::getline(fields, event, ',');
        std::getline(fields, day, ',');
        std::getline(fields, place, ',');
        halves[std::stoi(half)][name] = Label{std::stoll(utc), std::stoi(event), std::stoi(day), std::stoi(place)};
    }
    return halves;
}

enum class Kind { Event, Day, Place };

int labelOf(const Label& label, Kind kind) {
    return kind == Kind::Event ? label.event : kind == Kind::Day ? label.day : label.place;
}

// The first picture of every labelled album but the very first.
std::set<std::string> labelledBoundaries(const Labels& labels, Kind kind) {
    std::vector<std::pair<std::int64_t, std::string>> order;
    for (const auto& [name, label] : labels) {
        order.emplace_back(label.utc, name);
    }
    std::sort(order.begin(), order.end());
    std::set<std::string> boundaries;
    for (std::size_t i = 1; i < order.size(); ++i) {
        if (labelOf(labels.at(order[i].second), kind) != labelOf(labels.at(order[i - 1].second), kind)) {
            boundaries.insert(order[i].second);
        }
    }
    return boundaries;
}

struct Half {
    std::vector<dz::PictureRecord> pictures;
    std::vector<dz::SuggestShot> shots;
    std::vector<std::string> names;  // of each shot's file
    Labels labels;
    std::size_t momentsOff = 0;  // pictures the timeline put at another moment than the labelled one
    std::size_t placed = 0;
};

Half scanHalf(const fs::path& folder, const Labels& labels) {
    dz::CliHost host(std::cerr);
    dz::FileSystem fileSystem;
    const bool abortRequest = false;
    dz::CDirReader reader(host, fileSystem, abortRequest);
    const int bias = dz::currentTimeZone().totalBiasMinutes();
    reader.setBiasMinutes(bias);
    reader.setPictureFiles(dz::PictureFiles::AllFormats);
    reader.setDateRules(dz::DateRules::TrueTimes);
    reader.listFolders(folder.string(), true);
    reader.collectPictures("*.jpg", true, false);
    dz::placeCatalogueOnTimeline(reader.catalogue(), {}, dz::gazetteerPlaceFinder(), dz::computerOffsetAt, bias);
    Half half;
    half.pictures = reader.catalogue();
    half.labels = labels;
    half.shots = dz::suggestShotsOf(half.pictures, bias, dz::ShotsTaken::AllPictures);
    for (const dz::SuggestShot& shot : half.shots) {
        const std::string name = fs::path(half.pictures[shot.picture].path).filename().string();
        half.names.push_back(name);
        const auto label = labels.find(name);
        if (label != labels.end() && label->second.utc != shot.moment) {
            ++half.momentsOff;
        }
        half.placed += shot.place.empty() ? 0 : 1;
    }
    return half;
}

struct Score {
    double precision = 0;
    double recall = 0;
    double f1 = 0;
    std::size_t proposed = 0;
    std::size_t labelled = 0;
    std::size_t matched = 0;
};

Score score(const Half& half, const dz::SuggestSettings& settings, Kind kind) {
    const std::vector<dz::Proposal> proposals = dz::suggestAlbums(half.shots, settings);
    const std::set<std::string> labelled = labelledBoundaries(half.labels, kind);
    Score s;
    s.labelled = labelled.size();
    for (std::size_t i = 1; i < proposals.size(); ++i) {
        ++s.proposed;
        s.matched += labelled.count(half.names[proposals[i].first]);
    }
    s.precision = s.proposed == 0 ? 1.0 : static_cast<double>(s.matched) / static_cast<double>(s.proposed);
    s.recall = s.labelled == 0 ? 1.0 : static_cast<double>(s.matched) / static_cast<double>(s.labelled);
    s.f1 = s.precision + s.recall == 0 ? 0 : 2 * s.precision * s.recall / (s.precision + s.recall);
    return s;
}

// The boundaries missed and the ones proposed wrongly, by their time at the
// place and their place, to see what the misses have in common.
void printMisses(const Half& half, const dz::SuggestSettings& settings, Kind kind) {
    const std::vector<dz::Proposal> proposals = dz::suggestAlbums(half.shots, settings);
    const std::set<std::string> labelled = labelledBoundaries(half.labels, kind);
    std::set<std::string> proposed;
    for (std::size_t i = 1; i < proposals.size(); ++i) {
        proposed.insert(half.names[proposals[i].first]);
    }
    for (std::size_t i = 0; i < half.shots.size(); ++i) {
        const bool isLabelled = labelled.count(half.names[i]) != 0;
        const bool isProposed = proposed.count(half.names[i]) != 0;
        if (isLabelled == isProposed) {
            continue;
        }
        const std::time_t local = half.shots[i].localTime;
        std::tm fields{};
        ::gmtime_r(&local, &fields);
        char text[32];
        std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &fields);
        std::printf("      %s %s at %s (%s)\n", isLabelled ? "missed  " : "proposed", half.names[i].c_str(), text,
                    half.shots[i].place.empty() ? "no place" : half.shots[i].place.c_str());
    }
}

void printScore(const char* what, const Score& s) {
    std::printf("  %-7s precision %.3f  recall %.3f  F1 %.3f   (%zu proposed, %zu labelled, %zu matched)\n", what,
                s.precision, s.recall, s.f1, s.proposed, s.labelled, s.matched);
}

// The middle of the best values of a grid: of equal scores, the one with
// the widest margin on either side.
double middleOfBest(const std::vector<double>& grid, const std::vector<double>& scores) {
    const double best = *std::max_element(scores.begin(), scores.end());
    std::size_t first = grid.size();
    std::size_t last = 0;
    for (std::size_t i = 0; i < grid.size(); ++i) {
        if (scores[i] >= best - 1e-12) {
            first = std::min(first, i);
            last = std::max(last, i);
        }
    }
    return grid[(first + last) / 2];
}

// A setting of two values chosen on the first half: the first value's best
// run with the second at every value, then the second's at that.
template <typename Apply>
std::pair<double, double> choose(const Half& half, Kind kind, const std::vector<double>& firstGrid,
                                 const std::vector<double>& secondGrid, Apply apply, const char* firstName,
                                 const char* secondName) {
    std::vector<double> firstScores;
    for (const double a : firstGrid) {
        double best = 0;
        for (const double b : secondGrid) {
            best = std::max(best, score(half, apply(a, b), kind).f1);
        }
        firstScores.push_back(best);
    }
    std::printf("  %s:", firstName);
    for (std::size_t i = 0; i < firstGrid.size(); ++i) {
        std::printf(" %g:%.3f", firstGrid[i], firstScores[i]);
    }
    std::printf("\n");
    const double a = middleOfBest(firstGrid, firstScores);
    std::vector<double> secondScores;
    for (const double b : secondGrid) {
        secondScores.push_back(score(half, apply(a, b), kind).f1);
    }
    std::printf("  %s at %g:", secondName, a);
    for (std::size_t i = 0; i < secondGrid.size(); ++i) {
        std::printf(" %g:%.3f", secondGrid[i], secondScores[i]);
    }
    std::printf("\n");
    return {a, middleOfBest(secondGrid, secondScores)};
}

void reportHalf(const char* title, const Half& half, const dz::SuggestSettings& defaults) {
    std::printf("%s: %zu pictures, %zu with a named place, %zu at another moment than labelled\n", title,
                half.shots.size(), half.placed, half.momentsOff);
    dz::SuggestSettings settings = defaults;
    settings.mode = dz::SuggestMode::Events;
    printScore("events", score(half, settings, Kind::Event));
    settings.mode = dz::SuggestMode::Days;
    printScore("days", score(half, settings, Kind::Day));
    settings.mode = dz::SuggestMode::Places;
    printScore("places", score(half, settings, Kind::Place));
    printMisses(half, settings, Kind::Place);
}

// Shots of a made-up life: mostly hours apart, bursts seconds apart, moves
// now and then, half of them with a position and a place.
std::vector<dz::SuggestShot> madeUpShots(std::size_t count) {
    std::mt19937_64 random(7);
    std::vector<dz::SuggestShot> shots(count);
    std::int64_t moment = 1700000000;
    double latitude = 52.37;
    double longitude = 4.90;
    const std::vector<std::string> places = {"Amsterdam", "near Haarlem", "Kyoto", "Nara", "Lisbon", "Porto"};
    for (std::size_t i = 0; i < count; ++i) {
        const auto roll = random() % 100;
        moment += roll < 60 ? static_cast<std::int64_t>(1 + random() % 5)
                            : roll < 95 ? static_cast<std::int64_t>(600 + random() % 7200)
                                        : static_cast<std::int64_t>(86400 + random() % 300000);
        if (random() % 50 == 0) {
            latitude += static_cast<double>(random() % 200) / 100.0 - 1.0;
            longitude += static_cast<double>(random() % 200) / 100.0 - 1.0;
        }
        dz::SuggestShot& shot = shots[i];
        shot.moment = moment;
        shot.key = static_cast<std::uint64_t>(dz::fileTimeFromUnix(moment));
        shot.localTime = moment + 3600;
        shot.shownTime = dz::fileTimeFromUnix(moment);
        shot.hasPosition = random() % 2 == 0;
        shot.latitude = latitude;
        shot.longitude = longitude;
        shot.place = shot.hasPosition ? places[random() % places.size()] : std::string();
        shot.picture = i;
        shot.size = 3000000;
    }
    return shots;
}

template <typename Work>
double bestSeconds(Work work) {
    double best = 1e30;
    for (int run = 0; run < 5; ++run) {
        const auto start = std::chrono::steady_clock::now();
        work();
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

void timeSuggestions() {
    const std::vector<dz::SuggestShot> shots = madeUpShots(100000);
    std::printf("100,000 made-up shots, best of 5:\n");
    const char* names[] = {"events", "days", "months", "places"};
    const dz::SuggestMode modes[] = {dz::SuggestMode::Events, dz::SuggestMode::Days, dz::SuggestMode::Months,
                                     dz::SuggestMode::Places};
    for (int m = 0; m < 4; ++m) {
        dz::SuggestSettings settings;
        settings.mode = modes[m];
        std::size_t albums = 0;
        const double seconds = bestSeconds([&] { albums = dz::suggestAlbums(shots, settings).size(); });
        std::printf("  %-7s whole suggestion (starts, proposals, names): %.4f s, %zu albums (target < 0.5 s)\n",
                    names[m], seconds, albums);
    }
    std::size_t total = 0;
    const double made = bestSeconds([&] { total = dz::EventCounts(shots, dz::kDefaultEventJumpKm).albumsFor(14); });
    const dz::EventCounts counts(shots, dz::kDefaultEventJumpKm);
    const double slid = bestSeconds([&] {
        for (int step = 0; step < 1000; ++step) {
            total += counts.albumsFor(0.25 + step * 0.05);
        }
    });
    std::printf("  gap slider: counts made once %.4f s, then %.2f us per gap (%zu)\n", made, slid * 1e6 / 1000,
                total);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 || !fs::is_directory(argv[1])) {
        std::fprintf(stderr, "usage: suggest_bench SET_FOLDER   (made by bench/run-suggest.sh)\n");
        return 2;
    }
    const fs::path set = argv[1];
    std::map<int, Labels> labels = readLabels(set / "labels.csv");
    const Half first = scanHalf(set / "half1", labels[1]);
    const Half second = scanHalf(set / "half2", labels[2]);

    std::printf("Choice on the first half (F1 of boundaries):\n");
    std::printf(" events\n");
    const auto [gap, jump] = choose(
        first, Kind::Event, {2, 4, 6, 8, 10, 11, 12, 13, 14, 15, 16, 18, 20, 24, 30, 36, 48},
        {10, 20, 30, 50, 75, 100, 150, 200, 300, 500, 1000, 2000, 5000},
        [](double a, double b) {
            dz::SuggestSettings s;
            s.mode = dz::SuggestMode::Events;
            s.events = {a, b};
            return s;
        },
        "gap hours", "jump km");
    std::printf("  chosen: gap %g h, jump %g km\n", gap, jump);
    std::printf(" places\n");
    const auto [radius, stayGap] = choose(
        first, Kind::Place, {2, 5, 8, 10, 12, 15, 20, 25, 30, 40, 50, 75, 100},
        {12, 24, 48, 72, 96, 120, 168, 240, 336, 504, 720},
        [](double a, double b) {
            dz::SuggestSettings s;
            s.mode = dz::SuggestMode::Places;
            s.stays = {a, b};
            return s;
        },
        "radius km", "gap hours");
    std::printf("  chosen: radius %g km, gap %g h\n", radius, stayGap);

    const dz::SuggestSettings defaults;
    std::printf("\nProgram defaults: events gap %g h, jump %g km; day cut-off %d min; places radius %g km, gap %g h\n",
                defaults.events.gapHours, defaults.events.jumpKm, defaults.days.cutoffMinutes,
                defaults.stays.radiusKm, defaults.stays.gapHours);
    reportHalf("First half (tuning)", first, defaults);
    reportHalf("Second half (held out)", second, defaults);
    std::printf("\n");
    timeSuggestions();
    return 0;
}
