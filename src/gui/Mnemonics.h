#pragma once

#include <QString>

#include <map>
#include <set>

namespace dz::gui {

// The Alt+letter keys of one window or one menu: each caption gets a letter
// no other caption of the scope has, a word's first letter where one is free,
// and keeps it across redraws while its text still holds it. The caption's
// text stays as it is, but for the "&" before the letter.
class Mnemonics {
public:
    // `key` names the caption within the scope (a control id).
    QString mark(int key, const QString& caption);
    // A letter taken by a caption that carries its own "&".
    void reserve(QChar letter) { used_.insert(letter.toLower()); }
    // The caption of `key` gets `letter`, whatever comes before it: the
    // letter a user of the window reaches for first.
    void prefer(int key, QChar letter) {
        chosen_[key] = letter.toLower();
        used_.insert(letter.toLower());
    }

private:
    std::map<int, QChar> chosen_;
    std::set<QChar> used_;
};

}  // namespace dz::gui
