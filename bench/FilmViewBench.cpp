// The Qt film view on an archive-sized catalogue, offscreen:
//   film_view_bench <root>
// scans <root> (a tree of film_scale_bench), builds a new album's film as the
// Edit Album window does, and reports how long the real film view takes from
// taking the film's items to its first paint on a large window, and to
// paint again after a jump to the film's end. Thumbnails are not made: this
// is the view's own cost.

#include "CliHost.h"

#include "albums/AlbumMembership.h"
#include "albums/AlbumWorkspace.h"
#include "albums/CViewPhoto.h"
#include "catalogue/CDirReader.h"
#include "gui/ThumbnailListModel.h"
#include "gui/ThumbnailListView.h"
#include "platform/FileSystem.h"
#include "platform/TimeZone.h"

#include <QApplication>
#include <QScrollBar>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

double seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// Counts the paints of a widget.
class PaintCounter final : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
        }
        return QObject::eventFilter(watched, event);
    }
};

// Runs the events until the widget has painted once more.
void paintOnce(PaintCounter& counter) {
    const int before = counter.paints;
    while (counter.paints == before) {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: film_view_bench <root>\n");
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);

    dz::CliHost host(std::cerr);
    dz::FileSystem fileSystem;
    bool abortRequest = false;
    dz::CDirReader reader(host, fileSystem, abortRequest);
    reader.setBiasMinutes(dz::currentTimeZone().totalBiasMinutes());
    reader.listFolders(argv[1], true);
    reader.collectPictures("*.jpg", true, false);

    dz::AlbumList albums;
    dz::AlbumEditing editing;
    dz::ViewSettings view;
    dz::FilmImageList images;
    bool filmBuilt = false;
    const std::int32_t dateFormat = 1, timeFormat = 1, excludeDuplicates = 0;
    dz::AlbumWorkspace ws{host,         reader,     albums,     editing,           view,
                          images,       filmBuilt,  abortRequest, dateFormat, timeFormat,
                          excludeDuplicates, reader.biasMinutes(), ""};
    reader.sortCatalogue(2, false);
    dz::createAlbum(albums, editing, reader, host);
    dz::CViewPhoto window(ws);
    window.onInit();
    window.onShown();
    const dz::Control& film = window.control(dz::CViewPhoto::kFilm);

    dz::gui::ThumbnailListView list(nullptr, QSize(dz::FilmImageList::kWidth, dz::FilmImageList::kHeight), 3);
    PaintCounter counter;
    list.viewport()->installEventFilter(&counter);
    list.resize(1600, 1000);
    list.show();
    paintOnce(counter);

    auto start = Clock::now();
    if (list.thumbnails()->draw(film)) {
        list.fitLabels();
    }
    list.viewport()->update();
    paintOnce(counter);
    const double opened = seconds(Clock::now() - start);

    start = Clock::now();
    list.verticalScrollBar()->setValue(list.verticalScrollBar()->maximum());
    paintOnce(counter);
    const double toEnd = seconds(Clock::now() - start);

    const auto [first, last] = list.shownRows();
    std::printf("film-view: items=%d view-open-s=%.3f view-end-s=%.3f shown=%d-%d\n", list.model()->rowCount(),
                opened, toEnd, first, last);
    window.onCancel();
    return 0;
}
