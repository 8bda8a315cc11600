#include "gui/Mnemonics.h"

#include <vector>

namespace dz::gui {

namespace {

// Where the letter `letter` may go in `caption`: a word's start first.
int positionOf(const QString& caption, QChar letter) {
    int inside = -1;
    for (int i = 0; i < caption.size(); ++i) {
        if (caption[i].toLower() != letter) {
            continue;
        }
        if (i == 0 || !caption[i - 1].isLetterOrNumber()) {
            return i;
        }
        if (inside < 0) {
            inside = i;
        }
    }
    return inside;
}

QString withMark(const QString& caption, int at) {
    QString marked = caption;
    marked.replace(QLatin1Char('&'), QStringLiteral("&&"));
    // Every "&" before `at` became two.
    const int shift = static_cast<int>(caption.left(at).count(QLatin1Char('&')));
    marked.insert(at + shift, QLatin1Char('&'));
    return marked;
}

}  // namespace

QString Mnemonics::mark(int key, const QString& caption) {
    if (caption.contains(QLatin1Char('&'))) {
        // A caption that brings its own mark ("&About Vazedaz...") keeps it.
        const int at = static_cast<int>(caption.indexOf(QLatin1Char('&')));
        if (at + 1 < caption.size()) {
            used_.insert(caption[at + 1].toLower());
        }
        return caption;
    }
    auto kept = chosen_.find(key);
    if (kept != chosen_.end()) {
        const int at = positionOf(caption, kept->second);
        if (at >= 0) {
            return withMark(caption, at);
        }
        used_.erase(kept->second);
        chosen_.erase(kept);
    }
    // Word starts first, then any other letter or digit of the caption.
    std::vector<int> candidates;
    for (int i = 0; i < caption.size(); ++i) {
        if (caption[i].isLetterOrNumber() && (i == 0 || !caption[i - 1].isLetterOrNumber())) {
            candidates.push_back(i);
        }
    }
    for (int i = 0; i < caption.size(); ++i) {
        if (caption[i].isLetterOrNumber()) {
            candidates.push_back(i);
        }
    }
    for (int at : candidates) {
        const QChar letter = caption[at].toLower();
        if (used_.count(letter) == 0) {
            used_.insert(letter);
            chosen_[key] = letter;
            return withMark(caption, at);
        }
    }
    // Every letter is taken: the caption goes without one, its "&"s shown as typed.
    QString plain = caption;
    return plain.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

}  // namespace dz::gui
