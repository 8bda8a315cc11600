#pragma once

#include "suggest/SuggestShot.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace dz {

// A proposed album: a run of consecutive shots, first to last.
struct Proposal {
    std::size_t first = 0;  // shot indexes, both in the run
    std::size_t last = 0;
    std::size_t count = 0;
    std::uint64_t bytes = 0;
    std::uint64_t startKey = 0;
    std::uint64_t endKey = 0;
    std::vector<std::string> places;  // distinct, in order of first shot; "near X" counts as X
    std::string name;                 // "2024-07-05 Kyoto & Nara"; the date alone without places
};

// "near Kyoto" is Kyoto.
std::string placeOfShortName(const std::string& shortName);

// The date text without brackets, a space and the places joined by " & ";
// the date alone when no place is known.
std::string proposalName(const std::string& date, const std::vector<std::string>& places);

// The proposal of shots[first..last]; its date is that of its first picture,
// at its place, in the date format `dateFormatIndex` (1 to 10).
Proposal describeProposal(const std::vector<SuggestShot>& shots, std::size_t first, std::size_t last,
                          int dateFormatIndex);

// The proposals that begin at `starts` (increasing shot indexes; the first
// shot always begins one). A start whose key is the key of the shot before
// it is passed over: albums are ranges of keys, and two albums cannot share
// one.
std::vector<Proposal> proposalsAt(const std::vector<SuggestShot>& shots, const std::vector<std::size_t>& starts,
                                  int dateFormatIndex);

}  // namespace dz
