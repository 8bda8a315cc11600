#pragma once

#include "gui/WindowView.h"

#include <utility>
#include <vector>

class QDateTimeEdit;

namespace dz::gui {

// "Manual Time Range Settings": a date picker (short date) and a time picker
// for each end of the range. The window keeps the pickers as "YYYY-MM-DD"
// and "HH:MM:SS" texts; this view turns them into dates and times and back.
class ManualTimeView final : public WindowView {
public:
    ManualTimeView(Window& window, QWidget* parent);

private:
    QDateTimeEdit* datePicker(int id);
    QDateTimeEdit* timePicker(int id);
    void bindPicker(int id, QDateTimeEdit* picker, bool date);
    // Draws the pickers from their controls; the window redraws (refresh)
    // whenever it sets them.
    void drawPickers();

    struct Picker {
        int id;
        QDateTimeEdit* widget;
        bool date;
    };
    std::vector<Picker> pickers_;
};

}  // namespace dz::gui
