#pragma once

#include "gui/WindowView.h"

namespace dz::gui {

// "Albums Processing": the status and hint lines, the album and picture
// progress bars, and Process, Cancel and Close Window. The run happens inside
// the Process click and pumps messages, so the bars move and Cancel is heard
// while it goes.
class ProcessView final : public WindowView {
    Q_OBJECT

public:
    ProcessView(Window& window, QWidget* parent);
};

}  // namespace dz::gui
