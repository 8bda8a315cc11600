#pragma once

#include "platform/Host.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace dz {

enum class ControlKind {
    Static,
    Button,
    CheckBox,
    Edit,
    ListBox,
    ComboBox,
    ListView,
    Progress,
    Picture,
    MenuItem,
    Group,
    RadioButton,
    // A tree of paths: each item is "folder/sub/name" with its note after a tab.
    TreeView,
    // A value from rangeMin to rangeMax in `position`. Each move calls
    // onSelectionChanged, so a count can follow it; onCommand comes once the
    // value settles (the handle let go, or a pause after keys).
    Slider,
};

// Pictures a list view shows by index: each imageWidth() x imageHeight(),
// handed out as top-down rows of red, green, blue bytes.
class ImageStrip {
public:
    virtual ~ImageStrip() = default;
    virtual int imageCount() const = 0;
    virtual int imageWidth() const = 0;
    virtual int imageHeight() const = 0;
    // Empty while the picture is not there yet (a view shows nothing for it).
    virtual std::vector<std::uint8_t> imageRgb888(int index) const = 0;
    // Changes whenever what imageRgb888 gives for `index` changes.
    virtual std::uint32_t imageVersion(int /*index*/) const { return 0; }
};

// The texts of a list view's items, made when the view asks for them, so that
// a list of 100,000 items makes only those it draws.
class ItemTexts {
public:
    virtual ~ItemTexts() = default;
    virtual int itemCount() const = 0;
    // What an edit of the item starts from.
    virtual std::string itemLabel(int item) const = 0;
    // The text drawn under the item.
    virtual std::string itemCaption(int item) const = 0;
    // What the item's tooltip says; empty for none.
    virtual std::string itemToolTip(int /*item*/) const { return {}; }
};

// The state of one control of a window, as the window logic sees it. Views
// draw widgets from it and write user input back into it.
struct Control {
    ControlKind kind = ControlKind::Static;
    std::string text;
    std::string toolTip;
    bool enabled = true;
    bool visible = true;
    bool checked = false;
    std::vector<std::string> items;
    int selection = -1;
    int rangeMin = 0;   // progress bars and sliders
    int rangeMax = 100;
    int position = 0;
    // List views: the strip image of each item (index into imageStrip).
    std::vector<int> itemImages;
    const ImageStrip* imageStrip = nullptr;
    // List views: the text drawn under each item when it is not its label
    // (an edit always starts from the label); and the items the view has on
    // screen, first to last (written by the view).
    std::vector<std::string> itemCaptions;
    // List views whose texts are made when asked: then `items` and
    // `itemCaptions` stay empty.
    const ItemTexts* itemTexts = nullptr;
    int firstShown = 0;
    int lastShown = -1;
    // Picture frames: top-down rows of red, green, blue bytes.
    std::vector<std::uint8_t> picture;
    int pictureWidth = 0;
    int pictureHeight = 0;

    // List views, from `itemTexts` when set, else from the item vectors.
    int itemCount() const;
    std::string itemLabel(int item) const;
    std::string itemCaption(int item) const;
    std::string itemToolTip(int item) const;
    std::vector<std::string> itemLabels() const;
};

// A window of the program as logic: its controls keyed by control id and its
// handlers. It knows nothing of widgets; a host shows it.
class Window {
public:
    Window(Host& host, std::string className, std::string title, int helpTopic);
    virtual ~Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    const std::string& className() const { return className_; }
    const std::string& title() const { return title_; }
    int helpTopic() const { return helpTopic_; }
    Host& host() { return host_; }

    Control& control(int id) { return controls_[id]; }
    const Control& control(int id) const;
    bool hasControl(int id) const { return controls_.count(id) != 0; }
    const std::map<int, Control>& controls() const { return controls_; }

    // Handlers; views call them after writing the user's input into the controls.
    virtual void onInit() {}
    virtual void onCommand(int /*id*/) {}
    virtual void onSelectionChanged(int /*id*/) {}
    virtual void onDoubleClick(int /*id*/) {}
    virtual void onTextChanged(int /*id*/) {}
    // List views; the item is the control's selection.
    virtual void onClick(int /*id*/) {}
    virtual void onRightClick(int /*id*/) {}
    // False refuses the edit.
    virtual bool onLabelEditBegin(int /*id*/) { return false; }
    virtual void onLabelEditEnd(int /*id*/, const std::string& /*text*/) {}
    // A folder dropped from a file manager on control `id`.
    virtual void onFolderDropped(int /*id*/, const std::string& /*folder*/) {}
    // Once, when the window is first on screen (its first paint).
    virtual void onShown() {}
    // A list view has other items on screen (firstShown .. lastShown).
    virtual void onItemsShown(int /*id*/) {}
    // Called again and again on the window's thread while it returns true:
    // the window takes in what its background work has finished.
    virtual bool onIdle() { return false; }
    // Esc and the close box.
    virtual void onCancel() { endDialog(kResultCancel); }
    // F1.
    virtual void onHelp();

    void endDialog(int result);
    bool hasEnded() const { return ended_; }
    int result() const { return result_; }
    // Makes the window runnable again (a host calls it before each modal run).
    void restart() { ended_ = false; result_ = 0; }

    // "Show the window's texts": tells the view to redraw from the controls.
    void refresh();
    void setRefreshListener(std::function<void()> listener) { refreshListener_ = std::move(listener); }

    // Where F1 finds its help file; the main window sets it from its start-up folder.
    void setHelpFile(std::string path) { helpFile_ = std::move(path); }
    const std::string& helpFile() const { return helpFile_; }

protected:
    Control& addControl(int id, ControlKind kind, std::string text = {});

private:
    Host& host_;
    std::string className_;
    std::string title_;
    int helpTopic_;
    std::string helpFile_;
    std::map<int, Control> controls_;
    std::function<void()> refreshListener_;
    bool ended_ = false;
    int result_ = 0;
};

}  // namespace dz
